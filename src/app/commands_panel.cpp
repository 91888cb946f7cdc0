// Panel menu commands: Get, Send, firmware update; and About.
#include "app/about_window.h"
#include "app/app_state.h"
#include "app/commands.h"
#include "app/firmware_dialog.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/ui_service.h"
#include "app/worker.h"
#include "jobs/get_job.h"
#include "jobs/send_job.h"

namespace {

constexpr char kSureCaption[] = "Are you sure?";

// Runs job under a progress window owned by the main window. When the job
// is done with the store the title and the banner are brought up to date:
// a Get may bring a new site name and faults, a Send a new firmware version.
void RunSiteJob(MainWindow& w, PanelWorker::Job job) {
    ProgressWindow progress(&w);
    MainWindow* window = &w;
    if (!PanelWorker::Start(std::move(job), [window] {
            window->UpdateMainTitle();
            window->RecheckDesign();
        }))
        return;
    progress.Run();
}

} // namespace

void CmdGet(MainWindow& w) {
    if (App().workerBusy)
        return;
    if (!Ui().Ask(&w, "Are you sure you wish to overwrite site data changes?", kSureCaption))
        return;
    w.CloseCurrentEditor(App().currentKind);
    RunSiteJob(w, [](PanelSession& session) {
        GetJobResult result;
        GetSettingsJob(session, &result);
    });
}

void CmdSend(MainWindow& w) {
    if (App().workerBusy)
        return;
    // The question about faults is decided on what the user sees, typed
    // values included.
    w.CommitCurrentEditor();
    w.RecheckDesign();
    if (App().designErrorCount != 0 &&
        !Ui().Ask(&w, "The site file contains errors.  Do you want to accept these errors?",
                  "Accept errors?"))
        return;
    if (!Ui().Ask(&w, "Are you sure you wish to overwrite current panel settings?", kSureCaption))
        return;
    w.CloseCurrentEditor(App().currentKind);
    RunSiteJob(w, [](PanelSession& session) { SendSettingsJob(session); });
}

void CmdFirmware(MainWindow& w) {
    if (App().workerBusy)
        return;
    FirmwareDialog dialog(&w);
    if (!dialog.ReadPanelVersion())
        return;
    dialog.exec();
    // After a write the progress window and the dialog close one right after
    // the other; a window manager may then leave no window with the keyboard
    // focus, and a person without a mouse could not go on.
    w.activateWindow();
}

void CmdAbout(MainWindow& w) {
    AboutWindow::Open(&w);
}
