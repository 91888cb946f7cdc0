#pragma once
// The CLI's face for panel jobs: on stderr, when it is a terminal, one
// progress line (the stage title, a bar, the percentage) redrawn in place
// and fitted to the terminal's width, cleared at the end; messages on
// stderr, questions on the terminal.

#include "jobs/job_ui.h"

#include <string>

class CliJobUi : public JobUi {
  public:
    CliJobUi();
    void SetProgress(int percent) override;
    void SetProgressTitle(const std::string& title) override;
    void Message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool Ask(const std::string& text, const std::string& caption) override;

    // Messages shown with the stop icon so far.
    int Faults() const { return faults_; }

    // The progress line for a terminal of that many columns: never wider
    // than width - 3.
    std::string Line(int width) const;

  private:
    void Draw();
    void Clear();

    bool terminal_;
    bool open_ = true; // the progress display, until the job closes it
    int percent_ = 0;
    std::string title_;
    int faults_ = 0;
};
