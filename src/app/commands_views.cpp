// The event log views, the design check dialog and the web links.

#include "app/commands.h"
#include "app/design_check_dialog.h"
#include "app/main_window.h"
#include "app/ui_service.h"
#include "editors/event_log_view.h"
#include "editors/grid_widget.h"

namespace {

constexpr int kEventViewId = 801;

// Where the help menu's links lead.
constexpr char kWebInterfaceUrl[] = "http://localhost/web_files/index.html";
constexpr char kInstallationManualUrl[] = "https://www.example.com/m720/installation-manual.pdf";
constexpr char kUserManualUrl[] = "https://www.example.com/m720/user-manual.pdf";
constexpr char kProgrammingManualUrl[] = "https://www.example.com/m720/programming-manual.pdf";

} // namespace

void CmdEventView(MainWindow& w, int commandId) {
    const char* title = "Fire / Non-fire event log";
    EventList which = EventList::Combined;
    if (commandId == kCmdFireLog) {
        title = "Fire event log";
        which = EventList::Fire;
    } else if (commandId == kCmdNonFireLog) {
        title = "Non-fire event log";
        which = EventList::NonFire;
    }
    GridWidget* grid =
        w.BeginView(title, kEventViewId, EditorKind::kEventLog, 1, 6, "Can't open event log");
    if (!grid)
        return;
    grid->SetHeaderHeight(21);
    FillEventView(grid, which);
    w.ShowView();
}

void CmdDesignCheck(MainWindow& w) {
    w.CloseCurrentEditor(App().currentKind);
    DesignCheckDialog dialog(&w);
    dialog.exec();
}

void CmdOpenLink(MainWindow&, int commandId) {
    switch (commandId) {
    case kCmdWebInterface:
        Ui().OpenUrl(kWebInterfaceUrl);
        break;
    case kCmdInstallationManual:
        Ui().OpenUrl(kInstallationManualUrl);
        break;
    case kCmdUserManual:
        Ui().OpenUrl(kUserManualUrl);
        break;
    case kCmdProgrammingManual:
        Ui().OpenUrl(kProgrammingManualUrl);
        break;
    default:
        break;
    }
}
