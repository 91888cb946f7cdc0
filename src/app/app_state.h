#pragma once
// The desktop's process-wide state, owned by the GUI thread.

#include <cstdint>
#include <string>

class MainWindow;
class QStatusBar;
class QWidget;
class GridWidget;

// Which view the client area shows (the kind of the current editor).
enum class EditorKind {
    kNone = 0,
    kMatrix = 1,
    kText = 2,
    kDevice = 3,
    kEventLog = 4,
    kCoincidence = 5
};

struct AppState {
    std::string appTitle = "M720 Commissioning software";
    MainWindow* mainWindow = nullptr;
    QStatusBar* statusBar = nullptr;
    GridWidget* currentEditor = nullptr;        // the one view in the client area
    EditorKind currentKind = EditorKind::kNone; // not cleared when the view closes
    QWidget* editorBar = nullptr;               // the matrix editor's bar
    bool workerBusy = false;                    // from a job's start until its "worker done"
    uint32_t designErrorCount = 0, shownErrorCount = 0;
    std::string siteFilePath; // shared by the load and save dialogs
    std::string siteFile;     // the file the site was last loaded from or saved to
    bool keepFilesWithErrors = false;
    std::string panel; // --panel / M720_PANEL / "usb"
};

AppState& App();
