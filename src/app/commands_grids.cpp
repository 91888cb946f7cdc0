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

void CmdMatrixEditor(MainWindow& w) {
    GridWidget* grid = w.BeginView("Input / Output Matrix Editor", 501, EditorKind::kMatrix,
                                   kMatrixRows, kMatrixColumns, "Can't open matrix editor");
    if (!grid)
        return;
    MatrixFill(grid);
    grid->SetHeaderHeight(21);
    w.ShowView();
    auto* bar = new MatrixBar(w.Client());
    w.SetEditorBar(bar);
    bar->show();
}

void CmdDeviceEditor(MainWindow& w) {
    GridWidget* grid = w.BeginView("Device editor", 701, EditorKind::kDevice, kLoopAddresses,
                                   kDeviceColumns, "Can't open device editor");
    if (!grid)
        return;
    grid->SetHeaderHeight(21);
    grid->SetEditable(true);
    DeviceEditorFill(grid);
    w.ShowView();
    grid->setFocus();
    LastEnteredSerial() = RememberedSerial();
}

void CmdCoincidence(MainWindow& w) {
    GridWidget* grid = w.BeginView("Set coincidence", 901, EditorKind::kCoincidence, 1,
                                   kCoincidenceColumns, "Can't open coincidence editor");
    if (!grid)
        return;
    grid->SetHeaderHeight(21);
    CoincidenceFill(grid);
    w.ShowView();
    grid->setFocus();
}
