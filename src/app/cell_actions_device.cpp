// Device editor reports: the value check, serial entries, clicks, the
// Delete key and row drags; and the write-back of the typed columns.

#include "app/app_state.h"
#include "app/cell_actions.h"
#include "app/main_window.h"
#include "app/ui_service.h"
#include "editors/device_editor.h"
#include "editors/device_editor_serial.h"
#include "editors/grid_widget.h"
#include "model/site_defaults.h"

#include <QPointer>
#include <QTimer>

#include <cstdio>

int DeviceValidateEdit(MainWindow& w, GridWidget& grid, uint32_t wParam, const char* text) {
    const DeviceEditCheck check = CheckDeviceEdit(GridHigh(wParam), text ? text : "");
    if (check.message)
        Ui().Message(&w, check.message, App().appTitle, MessageIcon::kStop);
    if (check.jumpRow != 0) {
        // Posted: the Enter that ends this edit moves the cursor down first.
        QPointer<GridWidget> alive(&grid);
        const int row = check.jumpRow;
        QTimer::singleShot(0, &grid, [alive, row] {
            if (alive)
                alive->SetCursor(row, kDeviceColSerial);
        });
    }
    return check.accept ? 0 : 1;
}

void DeviceCellAction(MainWindow& w, GridWidget& grid, int code, quint32 param) {
    const int row = GridLow(param), column = GridHigh(param);
    switch (code) {
    case GN_DELETEKEY:
        DeviceResetRow(&grid, row);
        break;
    case GN_EDITEND: {
        if (column != kDeviceColSerial)
            break;
        const SerialEntry entry = EnterSerial(&grid, row, &LastEnteredSerial());
        if (entry.outcome == SerialOutcome::kAlreadyUsed) {
            char text[96];
            std::snprintf(text, sizeof text, "Serial number %s is already used at address %i",
                          entry.serial, entry.usedAt);
            Ui().Message(&w, text, App().appTitle, MessageIcon::kStop);
        }
        break;
    }
    case GN_CLICK:
        if (row == 0 && column == kDeviceColClass)
            DeviceClassHeaderClick(&grid);
        else if (row >= 1)
            DeviceClick(&grid, row, column);
        break;
    case GN_ROWDRAG: {
        const int a = GridLow(param), b = GridHigh(param);
        if (a == 0 || b == 0)
            break;
        DeviceEditorCommit(grid);
        DeviceExchangeRows(&grid, a, b);
        break;
    }
    default:
        break;
    }
}

void DeviceEditorCommit(GridWidget& grid) {
    QPointer<GridWidget> alive(&grid);
    grid.EndEdit(); // an edit in progress is checked and kept, or dropped
    if (alive)
        DeviceEditorStore(&grid);
}
