#include "app/desktop_job_ui.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/ui_service.h"

#include <QThread>

DesktopJobUi::DesktopJobUi(QObject* parent) : QObject(parent) {}

void DesktopJobUi::OnGuiThread(std::function<void()> call, bool wait) {
    if (QThread::currentThread() == thread()) {
        call();
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    queued_.push_back(std::move(call));
    const uint64_t ticket = ++queuedCount_;
    lock.unlock();
    QMetaObject::invokeMethod(this, &DesktopJobUi::RunQueued, Qt::QueuedConnection);
    if (!wait)
        return;
    lock.lock();
    ran_.wait(lock, [&] { return ranCount_ >= ticket; });
}

void DesktopJobUi::RunQueued() {
    // One call per posted event, oldest first, as Qt would deliver them.
    std::function<void()> call;
    {
        std::lock_guard<std::mutex> hold(mutex_);
        if (queued_.empty())
            return;
        call = std::move(queued_.front());
        queued_.pop_front();
    }
    call();
    call = nullptr; // before the job, whose data it may refer to, goes on
    {
        std::lock_guard<std::mutex> hold(mutex_);
        ++ranCount_;
    }
    ran_.notify_all();
}

void DesktopJobUi::SetProgress(int percent) {
    // Closing waits until the window is gone.
    if (percent < 0) {
        OnGuiThread([percent] { ::SetProgress(percent); }, true);
        return;
    }
    // The bar needs no wait, and only its changes: the job goes on while the
    // GUI draws, and later calls are handled after these.
    if (QThread::currentThread() != thread() && percent == lastPercent_.exchange(percent))
        return;
    OnGuiThread([percent] { ::SetProgress(percent); }, false);
}

void DesktopJobUi::SetProgressTitle(const std::string& title) {
    OnGuiThread([title] { ::SetProgressTitle(title); }, false);
}

void DesktopJobUi::Message(const std::string& text, const std::string& caption, MessageIcon icon) {
    OnGuiThread([&] { Ui().Message(App().mainWindow, text, caption, icon); }, true);
}

bool DesktopJobUi::Ask(const std::string& text, const std::string& caption) {
    bool yes = false;
    OnGuiThread([&] { yes = Ui().Ask(App().mainWindow, text, caption); }, true);
    return yes;
}
