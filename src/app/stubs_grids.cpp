// Placeholders until the matrix, coincidence and device editors land.

#include "app/cell_actions.h"
#include "app/commands.h"

void CmdMatrixEditor(MainWindow&) {}
void CmdDeviceEditor(MainWindow&) {}
void CmdCoincidence(MainWindow&) {}
void MatrixCellAction(MainWindow&, GridWidget&, int, quint32) {}
void DeviceCellAction(MainWindow&, GridWidget&, int, quint32) {}
int DeviceValidateEdit(MainWindow&, GridWidget&, uint32_t, const char*) {
    return 0;
}
void CoincidenceCellAction(MainWindow&, GridWidget&, int, quint32) {}
void DeviceEditorCommit(GridWidget&) {}
