#include "app/main_window.h"

#include "app/app_resources.h"
#include "app/cell_actions.h"
#include "app/client_area.h"
#include "app/commands.h"
#include "app/ui_service.h"
#include "check/design_check.h"
#include "editors/grid_widget.h"
#include "editors/latin1_text.h"
#include "model/loaded_checksum.h"
#include "model/settings_store.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

#include <cstring>

namespace {

constexpr int kStatusBarId = 6013;
constexpr char kExitQuestion[] = "Settings have changed since they were loaded.\r\nAre you sure "
                                 "you want to exit the application?";

} // namespace

QString MainTitle(const std::string& appTitle, const char* siteName) {
    const QString app = QString::fromStdString(appTitle);
    if (!siteName || !*siteName)
        return app + " - No site name!";
    // The first 90 characters of the stored 8-bit text.
    return app + " - [" + FromStoreText(std::string(siteName, strnlen(siteName, 90)).c_str()) + "]";
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    InitAppResources();
    App().mainWindow = this;
    setObjectName("MainWindow");
    setWindowTitle(QString::fromStdString(App().appTitle));
    setWindowIcon(QIcon(":/app/icon.png"));
    client_ = new ClientArea(this);
    setCentralWidget(client_);
    connect(client_, &ClientArea::Resized, this, &MainWindow::Relayout);
    RegisterGridClass();
    BuildMenu();
    App().designErrorCount = App().shownErrorCount = 0;

    QStatusBar* status = statusBar();
    status->setObjectName(QString::number(kStatusBarId));
    status->setSizeGripEnabled(true);
    statusLabel_ = new QLabel(status);
    status->addWidget(statusLabel_, 1);
    App().statusBar = status;
    SetStatusText("Ready.");
    SetStatusText("Ready");

    // Alt+"?" and Alt+"/" open About; "?" is typed with Shift on most layouts.
    for (const char* keys : {"Alt+/", "Alt+?", "Alt+Shift+?", "Alt+Shift+/"}) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] { Dispatch(kCmdAbout); });
    }

    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    UpdateMainTitle();
}

MainWindow::~MainWindow() {
    DropCurrentView();
    if (App().mainWindow == this) {
        App().mainWindow = nullptr;
        App().statusBar = nullptr;
    }
}

QWidget* MainWindow::Client() const {
    return client_;
}

void MainWindow::SetStatusText(const QString& text) {
    if (statusLabel_)
        statusLabel_->setText(text.left(255));
}

QString MainWindow::StatusText() const {
    return statusLabel_ ? statusLabel_->text() : QString();
}

void MainWindow::ShowFirstCopy() {
    showNormal();
    raise();
    activateWindow();
}

bool MainWindow::event(QEvent* event) {
    // Menu help goes to the single status part; an empty tip empties it
    // (QMainWindow would bring back a permanent message instead).
    if (event->type() == QEvent::StatusTip) {
        SetStatusText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::Dispatch(int commandId) {
    // From a job's start until its end the store belongs to the job.
    if (App().workerBusy)
        return;
    switch (commandId) {
    case kCmdExit:
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        break;
    case kCmdAbout:
        CmdAbout(*this);
        break;
    case kCmdMatrixEditor:
        CmdMatrixEditor(*this);
        break;
    case kCmdTextEditor:
        CmdTextEditor(*this);
        break;
    case kCmdDeviceEditor:
        CmdDeviceEditor(*this);
        break;
    case kCmdSiteInfo:
        CmdSiteInfo(*this);
        break;
    case kCmdSave:
    case kCmdSaveAs:
        CmdSave(*this);
        break;
    case kCmdLoad:
        CmdLoad(*this);
        break;
    case kCmdNew:
        CmdNew(*this);
        break;
    case kCmdImportText:
        CmdImportText(*this);
        break;
    case kCmdSend:
        CmdSend(*this);
        break;
    case kCmdGet:
        CmdGet(*this);
        break;
    case kCmdPanelInfo:
        CmdPanelInfo(*this);
        break;
    case kCmdFirmware:
        CmdFirmware(*this);
        break;
    case kCmdFireLog:
    case kCmdNonFireLog:
    case kCmdCombinedLog:
        CmdEventView(*this, commandId);
        break;
    case kCmdCoincidence:
        CmdCoincidence(*this);
        break;
    case kCmdDesignCheck:
        CmdDesignCheck(*this);
        break;
    case kCmdWebInterface:
    case kCmdInstallationManual:
    case kCmdUserManual:
    case kCmdProgrammingManual:
        CmdOpenLink(*this, commandId);
        break;
    case kCmdExportEvents:
    case kCmdExportDevices:
    case kCmdExportMatrix:
    case kCmdExportTexts:
        CmdExport(*this, commandId);
        break;
    default:
        break;
    }
}

void MainWindow::DestroyEditor() {
    if (App().editorBar) {
        delete App().editorBar;
        App().editorBar = nullptr;
    }
    if (GridWidget* grid = App().currentEditor) {
        App().currentEditor = nullptr;
        // The grid copes with being destroyed while it reports.
        delete grid;
    }
}

void MainWindow::DropCurrentView() {
    if (App().currentEditor)
        App().currentEditor->EndEdit();
    DestroyEditor();
}

namespace {

void Commit(GridWidget& grid, EditorKind kind) {
    grid.EndEdit();
    if (kind == EditorKind::kDevice)
        DeviceEditorCommit(grid);
    else if (kind == EditorKind::kText)
        TextEditorCommit(grid);
}

} // namespace

void MainWindow::CommitCurrentEditor() {
    if (GridWidget* grid = App().currentEditor)
        Commit(*grid, App().currentKind);
}

void MainWindow::CloseCurrentEditor(EditorKind kind) {
    if (App().editorBar) {
        delete App().editorBar;
        App().editorBar = nullptr;
    }
    if (GridWidget* grid = App().currentEditor) {
        Commit(*grid, kind);
        DestroyEditor();
    }
    RecheckDesign();
}

bool MainWindow::RecheckDesign() {
    App().designErrorCount = uint32_t(CheckDesign(nullptr));
    if (App().designErrorCount == App().shownErrorCount)
        return false;
    App().shownErrorCount = App().designErrorCount;
    client_->update();
    return true;
}

void MainWindow::UpdateMainTitle() {
    setWindowTitle(MainTitle(App().appTitle, SettingGet("SiteName")));
}

GridWidget* MainWindow::BeginView(const char* title, int controlId, EditorKind kind, int rows,
                                  int columns, const char* failureMessage) {
    CloseCurrentEditor(App().currentKind);
    GridWidget* grid = GridWidget::Create(client_, controlId, title);
    if (!grid) {
        Ui().Message(this, failureMessage, "Err!", MessageIcon::kNone);
        return nullptr;
    }
    grid->setObjectName(QString::number(controlId));
    grid->setGeometry(0, 0, 0, 0);
    App().currentEditor = grid;
    App().currentKind = kind;
    connect(grid, &GridWidget::Notification, this, &MainWindow::OnGridNotification);
    if (controlId == 701) {
        QPointer<GridWidget> guarded(grid);
        grid->SetEditValidator([this, guarded](uint32_t w, const char* text) {
            if (App().workerBusy || !guarded)
                return 1;
            return DeviceValidateEdit(*this, *guarded, w, text);
        });
    }
    grid->SetSize(rows, columns);
    Relayout();
    return grid;
}

void MainWindow::ShowView() {
    if (GridWidget* grid = App().currentEditor) {
        grid->show();
        grid->update();
    }
    Relayout();
}

void MainWindow::SetEditorBar(QWidget* bar) {
    if (App().editorBar && App().editorBar != bar)
        delete App().editorBar;
    App().editorBar = bar;
    if (bar) {
        if (bar->parentWidget() != client_)
            bar->setParent(client_);
        if (App().currentEditor)
            bar->stackUnder(App().currentEditor);
        bar->show();
    }
    Relayout();
}

void MainWindow::Relayout() {
    const int width = client_->width(), height = client_->height();
    int barHeight = 0;
    if (QWidget* bar = App().editorBar) {
        barHeight = bar->height();
        bar->move(0, height - barHeight);
        if (App().currentEditor)
            bar->stackUnder(App().currentEditor);
    }
    if (GridWidget* grid = App().currentEditor) {
        grid->setGeometry(0, 0, width, std::max(0, height - barHeight));
        grid->update();
    }
    SetStatusText("Ready");
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    SetStatusText("Ready");
}

void MainWindow::OnGridNotification(int controlId, int code, quint32 param) {
    if (App().workerBusy)
        return;
    GridWidget* grid = App().currentEditor;
    if (!grid || grid->ControlId() != controlId || (sender() && sender() != grid))
        return;
    switch (controlId) {
    case 501:
        MatrixCellAction(*this, *grid, code, param);
        break;
    case 601:
        TextCellAction(*this, *grid, code, param);
        break;
    case 701:
        DeviceCellAction(*this, *grid, code, param);
        break;
    case 901:
        CoincidenceCellAction(*this, *grid, code, param);
        break;
    default:
        break;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A window manager still closes a disabled window: while the "Edit text"
    // window holds this one disabled, its text has not come back yet.
    if (App().workerBusy || !isEnabled()) {
        event->ignore();
        return;
    }
    CloseCurrentEditor(App().currentKind);
    if (StoreChecksum() == LoadedChecksum() || Ui().Ask(this, kExitQuestion, "Are you sure?")) {
        event->accept();
        return;
    }
    event->ignore();
}
