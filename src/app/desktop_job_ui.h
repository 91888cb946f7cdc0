#pragma once
// The desktop's face for panel jobs: the progress window and message boxes
// owned by the main window, through the UI service.
//
// It lives on the GUI thread. Called there (the firmware dialog reads the
// panel's version itself) it acts at once; called from a job's thread it
// hands the call to the GUI thread, so a job never touches a widget: it waits
// until closing the progress window, a message or a question has been handled;
// the bar and the title are passed on without waiting, in order.

#include "jobs/job_ui.h"

#include <QObject>

#include <atomic>
#include <string>

class DesktopJobUi : public QObject, public JobUi {
    Q_OBJECT
  public:
    explicit DesktopJobUi(QObject* parent = nullptr);

    void SetProgress(int percent) override;
    void SetProgressTitle(const std::string& title) override;
    void Message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool Ask(const std::string& text, const std::string& caption) override;

  private:
    template <typename F> void OnGuiThread(F f);

    std::atomic<int> lastPercent_{-1};
};
