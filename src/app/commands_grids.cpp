// Opening the matrix, device and coincidence editors.

#include "app/app_state.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/matrix_bar.h"
#include "editors/coincidence_editor.h"
#include "editors/device_editor.h"
#include "editors/device_editor_serial.h"
#include "editors/grid_widget.h"
#include "editors/matrix_editor.h"
#include "model/site_defaults.h"

#include <QKeyEvent>
#include <QPointer>

namespace {

// The editors act on clicks. Without a mouse, Space clicks the cursor cell and
// Shift+Space the header cell of its column; both only where the grid itself
// ignores the key (a cell that takes typing keeps its space).
class KeyClickFilter : public QObject {
  public:
    KeyClickFilter(MainWindow& w, GridWidget& grid) : QObject(&grid), window_(&w) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !window_)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (key->key() != Qt::Key_Space ||
            (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier))
            return false;
        auto* grid = qobject_cast<GridWidget*>(watched);
        if (!grid || TakesTyping(*grid))
            return false;
        const int row = modifiers == Qt::ShiftModifier ? 0 : grid->CursorRow();
        window_->OnGridNotification(grid->ControlId(), GN_CLICK,
                                    GridPack(row, grid->CursorColumn()));
        return true;
    }

  private:
    static bool TakesTyping(GridWidget& grid) {
        if (!grid.State().editable)
            return false;
        GridCell cell;
        cell.row = grid.CursorRow();
        cell.column = grid.CursorColumn();
        grid.GetCell(cell);
        return cell.locked == 0;
    }

    QPointer<MainWindow> window_;
};

} // namespace

void CmdMatrixEditor(MainWindow& w) {
    GridWidget* grid = w.BeginView("Input / Output Matrix Editor", 501, EditorKind::kMatrix,
                                   kMatrixRows, kMatrixColumns, "Can't open matrix editor");
    if (!grid)
        return;
    MatrixFill(grid);
    grid->SetHeaderHeight(kMatrixHeaderHeight);
    grid->installEventFilter(new KeyClickFilter(w, *grid));
    w.ShowView();
    auto* bar = new MatrixBar(w.Client(), grid);
    w.SetEditorBar(bar);
    bar->show();
}

void CmdDeviceEditor(MainWindow& w) {
    GridWidget* grid = w.BeginView("Device editor", 701, EditorKind::kDevice, kLoopAddresses,
                                   kDeviceColumns, "Can't open device editor");
    if (!grid)
        return;
    grid->SetEditable(true);
    DeviceEditorFill(grid);
    // Set after the fill: the header texts would grow the row to fit the
    // heading font, and the editor keeps 21.
    grid->SetHeaderHeight(21);
    grid->installEventFilter(new KeyClickFilter(w, *grid));
    w.ShowView();
    grid->setFocus();
    LastEnteredSerial() = RememberedSerial();
}

void CmdCoincidence(MainWindow& w) {
    GridWidget* grid = w.BeginView("Set coincidence", 901, EditorKind::kCoincidence, 1,
                                   kCoincidenceColumns, "Can't open coincidence editor");
    if (!grid)
        return;
    CoincidenceFill(grid);
    grid->SetHeaderHeight(21); // after the fill, as the device editor
    grid->installEventFilter(new KeyClickFilter(w, *grid));
    w.ShowView();
    grid->setFocus();
}
