#pragma once
// The desktop's face for panel jobs: the progress window and message boxes
// owned by the main window, through the UI service.
//
// It lives on the GUI thread. Called there (the firmware dialog reads the
// panel's version itself) it acts at once; called from a job's thread it
// hands the call to the GUI thread, so a job never touches a widget: it waits
// until closing the progress window, a message or a question has been handled;
// the bar and the title are passed on without waiting, in order.
//
// The calls are handed over in a queue of this object's own, under its mutex,
// and Qt's event queue only tells the GUI thread to look: the order of the
// two threads' accesses then rests on a standard mutex that thread checkers
// can see (Qt's own locks are invisible to them), not on Qt's internals.

#include "jobs/job_ui.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
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
    // On the GUI thread: call now. From another thread: queue it, and with
    // wait, return only when the GUI thread has run it.
    void OnGuiThread(std::function<void()> call, bool wait);
    // GUI thread: runs the oldest queued call.
    void RunQueued();

    std::atomic<int> lastPercent_{-1};
    std::mutex mutex_;
    std::condition_variable ran_;
    std::deque<std::function<void()>> queued_;
    uint64_t queuedCount_ = 0; // calls queued so far
    uint64_t ranCount_ = 0;    // of those, calls run so far
};
