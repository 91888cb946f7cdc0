// The menu bar: labels, order, separators and the status help texts.

#include "app/commands.h"
#include "app/main_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <iterator>

namespace {

struct HelpText {
    int id;
    const char* text;
};

constexpr HelpText kHelpTexts[] = {
    {kCmdExit, "Exits this application"},
    {kCmdAbout, "About this application"},
    {kCmdMatrixEditor, "Edits the matrix for this site"},
    {kCmdTextEditor, "Edits site text"},
    {kCmdDeviceEditor, "Edits loop device info"},
    {kCmdSiteInfo, "Edits site specific info"},
    {kCmdSave, "Saves current site info to a file"},
    {kCmdLoad, "Loads site info from a file"},
    {kCmdNew, "Creates a new site"},
    {kCmdImportText, "Import device and zone text from a file"},
    {kCmdSaveAs, "Saves current site info to a file"},
    {kCmdSend, "Send the site information from the PC to the panel"},
    {kCmdGet, "Gets the site information from the panel"},
    {kCmdWebInterface, "Open an alternative GUI in a web browser."},
    {kCmdFireLog, "View fire event log"},
    {kCmdNonFireLog, "View non-fire event log"},
    {kCmdCombinedLog, "View combined fire / non-fire event log"},
};

// One entry of a menu: a command, a separator (id 0, no label) or a popup
// (id 0, label, the next entries up to its end marker).
struct MenuEntry {
    int id;
    const char* label;
};
constexpr MenuEntry kSeparator{0, nullptr};
constexpr MenuEntry kPopupEnd{-1, nullptr};

constexpr MenuEntry kFileMenu[] = {
    {kCmdNew, "&New"},
    {kCmdLoad, "&Load..."},
    {kCmdImportText, "&Import text"},
    kSeparator,
    {kCmdSave, "&Save..."},
    {kCmdSaveAs, "S&ave as..."},
    {0, "&Export"},
    {kCmdExportEvents, "Event log"},
    {kCmdExportDevices, "Device data"},
    {kCmdExportMatrix, "Matrix"},
    {kCmdExportTexts, "Text"},
    kPopupEnd,
    kSeparator,
    {kCmdExit, "E&xit"},
};
constexpr MenuEntry kEditMenu[] = {
    {kCmdSiteInfo, "&Enter Site Info"}, {kCmdMatrixEditor, "&Matrix editor"},
    {kCmdTextEditor, "&Text editor"},   {kCmdDeviceEditor, "&Device editor"},
    {kCmdCoincidence, "&Coincidence"},  {kCmdPanelInfo, "&Panel info"},
};
constexpr MenuEntry kViewMenu[] = {
    {kCmdFireLog, "Fire event log"},
    {kCmdNonFireLog, "Non-fire event log"},
    {kCmdCombinedLog, "Combined Fire / Non-fire event log"},
    kSeparator,
    {kCmdDesignCheck, "Design checker"},
};
constexpr MenuEntry kPanelMenu[] = {
    {kCmdSend, "&Send settings to panel"},
    {kCmdGet, "&Get settings from panel"},
    kSeparator,
    {kCmdFirmware, "&Update panel firmware"},
};
constexpr MenuEntry kHelpMenu[] = {
    {kCmdWebInterface, "&Web interface"},
    {0, "&Documentation"},
    {kCmdInstallationManual, "Installation manual"},
    {kCmdUserManual, "User manual"},
    {kCmdProgrammingManual, "Programming manual"},
    kPopupEnd,
    kSeparator,
    {kCmdAbout, "&About ..."},
};

template <size_t N>
void AddEntries(MainWindow* window, QMenu* menu, const MenuEntry (&entries)[N]) {
    QMenu* target = menu;
    for (const MenuEntry& e : entries) {
        if (e.id == -1) {
            target = menu;
        } else if (e.id == 0 && !e.label) {
            target->addSeparator();
        } else if (e.id == 0) {
            target = menu->addMenu(e.label);
        } else {
            QAction* action = target->addAction(e.label);
            action->setObjectName(QString::number(e.id));
            // Every item sends its tip, also an empty one, so the status bar
            // shows nothing for items without help.
            action->setStatusTip(MenuHelpText(e.id));
            const int id = e.id;
            QObject::connect(action, &QAction::triggered, window,
                             [window, id] { window->Dispatch(id); });
        }
    }
}

} // namespace

const char* MenuHelpText(int commandId) {
    for (const HelpText& h : kHelpTexts)
        if (h.id == commandId)
            return h.text;
    return "";
}

void MainWindow::BuildMenu() {
    QMenuBar* bar = menuBar();
    AddEntries(this, bar->addMenu("&File"), kFileMenu);
    AddEntries(this, bar->addMenu("&Edit"), kEditMenu);
    AddEntries(this, bar->addMenu("&View"), kViewMenu);
    AddEntries(this, bar->addMenu("&Panel"), kPanelMenu);
    AddEntries(this, bar->addMenu("&Help"), kHelpMenu);
    // A closed menu leaves the status bar empty.
    for (QMenu* menu : bar->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToHide, this, [this] { SetStatusText(QString()); });
}
