#pragma once
// One panel job at a time on a thread of its own.
//
// The job gets its panel (lock, link, simulator memory) on the worker
// thread and gives it back there; only then is "worker done" posted to the
// GUI thread, as the worker's very last action, so the next job finds the
// panel free. From the start until "worker done" the site store belongs to
// the job: App().workerBusy stays set, also when a fault closed the progress
// window early, and the main window refuses everything meanwhile. The GUI
// thread joins the thread only in "worker done" (before it, the job may be
// waiting for the GUI in one of its calls).

#include "app/desktop_job_ui.h"
#include "link/panel_protocol.h"

#include <QObject>

#include <functional>
#include <string>
#include <thread>

class PanelWorker : public QObject {
    Q_OBJECT
  public:
    // Runs on the worker thread with the panel held; its messages and
    // progress go through the session's JobUi. Everything it captures is
    // released on the worker thread when it returns.
    using Job = std::function<void(PanelSession& session)>;
    // Runs on the GUI thread after the thread was joined and
    // App().workerBusy cleared.
    using Done = std::function<void()>;

    // Starts job on App().panel unless a worker is set already (false).
    // The caller then runs its progress window, made before this call.
    static bool Start(Job job, Done done);

  private:
    PanelWorker(Job job, Done done);
    void Run(const std::string& panel);
    void Finish();

    DesktopJobUi ui_;
    Job job_;
    Done done_;
    std::thread thread_;
};
