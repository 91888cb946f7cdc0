#include "app/worker.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "jobs/panel_access.h"

PanelWorker::PanelWorker(Job job, Done done) : job_(std::move(job)), done_(std::move(done)) {}

bool PanelWorker::Start(Job job, Done done) {
    if (App().workerBusy)
        return false;
    App().workerBusy = true;
    auto* worker = new PanelWorker(std::move(job), std::move(done));
    // Read on this thread: AppState belongs to it.
    worker->thread_ = std::thread(&PanelWorker::Run, worker, App().panel);
    return true;
}

void PanelWorker::Run(const std::string& panel) {
    {
        PanelJobScope scope(panel, ui_);
        if (scope.Ready())
            job_(scope.Session());
        // A job that never ran (panel in use) or that ended before its
        // window appeared leaves no progress window behind.
        ui_.SetProgress(-1);
        job_ = nullptr;
    }
    QMetaObject::invokeMethod(this, &PanelWorker::Finish, Qt::QueuedConnection);
}

void PanelWorker::Finish() {
    if (thread_.joinable())
        thread_.join();
    App().workerBusy = false;
    Done done = std::move(done_);
    deleteLater();
    if (done)
        done();
}
