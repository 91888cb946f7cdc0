#include "app/desktop_job_ui.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/ui_service.h"

#include <QThread>

DesktopJobUi::DesktopJobUi(QObject* parent) : QObject(parent) {}

template <typename F> void DesktopJobUi::OnGuiThread(F f) {
    if (QThread::currentThread() == thread())
        f();
    else
        QMetaObject::invokeMethod(this, f, Qt::BlockingQueuedConnection);
}

void DesktopJobUi::SetProgress(int percent) {
    if (percent < 0 || QThread::currentThread() == thread()) {
        // Closing waits until the window is gone.
        OnGuiThread([percent] { ::SetProgress(percent); });
        return;
    }
    // The bar needs no wait, and only its changes: the job goes on while the
    // GUI draws, and later calls are handled after these.
    if (percent == lastPercent_.exchange(percent))
        return;
    QMetaObject::invokeMethod(
        this, [percent] { ::SetProgress(percent); }, Qt::QueuedConnection);
}

void DesktopJobUi::SetProgressTitle(const std::string& title) {
    if (QThread::currentThread() == thread())
        ::SetProgressTitle(title);
    else
        QMetaObject::invokeMethod(
            this, [title] { ::SetProgressTitle(title); }, Qt::QueuedConnection);
}

void DesktopJobUi::Message(const std::string& text, const std::string& caption, MessageIcon icon) {
    OnGuiThread([&] { Ui().Message(App().mainWindow, text, caption, icon); });
}

bool DesktopJobUi::Ask(const std::string& text, const std::string& caption) {
    bool yes = false;
    OnGuiThread([&] { yes = Ui().Ask(App().mainWindow, text, caption); });
    return yes;
}
