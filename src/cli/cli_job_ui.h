#pragma once
// The CLI's face for panel jobs: a progress bar with the stage title on
// stderr when it is a terminal, messages on stderr, questions on the terminal.

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

  private:
    void Draw();
    void Clear();

    bool terminal_;
    bool open_ = true; // the progress display, until the job closes it
    bool drawn_ = false;
    int percent_ = 0;
    std::string title_;
    int faults_ = 0;
};
