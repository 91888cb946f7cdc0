// The text editor view and the two information dialogs of the Edit menu.

#include "app/commands.h"
#include "app/main_window.h"
#include "app/panel_info_dialog.h"
#include "app/site_info_dialog.h"
#include "editors/grid_widget.h"
#include "editors/lcd_text_window.h"
#include "editors/text_editor.h"

#include <QKeyEvent>
#include <QPointer>

namespace {

// The grid opens the LCD window on a double click only; F2 does the same on
// the cursor cell, so the texts can be edited without a mouse.
class EditKeyFilter : public QObject {
  public:
    EditKeyFilter(MainWindow& w, GridWidget& grid) : QObject(&grid), window_(&w) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F2 || !window_)
            return false;
        // Looked up per key: the grid also sends events while it is destroyed.
        auto* grid = qobject_cast<GridWidget*>(watched);
        if (!grid)
            return false;
        window_->OnGridNotification(kTextEditorControlId, GN_DBLCLICK,
                                    GridPack(grid->CursorRow(), grid->CursorColumn()));
        return true;
    }

  private:
    QPointer<MainWindow> window_;
};

} // namespace

void CmdTextEditor(MainWindow& w) {
    GridWidget* grid = w.BeginView("Text editor", kTextEditorControlId, EditorKind::kText, 192, 3,
                                   "Can't open text editor");
    if (!grid)
        return;
    TextEditorFill(*grid);
    grid->SetHeaderHeight(21);
    grid->SetDoubleClickReport(true);
    grid->SetColumnGap(10);
    grid->installEventFilter(new EditKeyFilter(w, *grid));
    w.ShowView();
    grid->setFocus();
}

void CmdPanelInfo(MainWindow& w) {
    w.CloseCurrentEditor(App().currentKind);
    RunPanelInfoDialog(&w);
    w.RecheckDesign();
}

void CmdSiteInfo(MainWindow& w) {
    w.CloseCurrentEditor(App().currentKind);
    RunSiteInfoDialog(&w);
    w.RecheckDesign();
    w.UpdateMainTitle(); // the site name may have changed
}
