// Matrix editor clicks: output groups on and off, delays, alarm types and
// the matrix entries.

#include "app/app_state.h"
#include "app/cell_actions.h"
#include "app/main_window.h"
#include "app/time_delay_dialog.h"
#include "editors/grid_widget.h"
#include "editors/matrix_editor.h"
#include "model/device_types.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <QPointer>

#include <cstdio>
#include <string>

namespace {

struct Name {
    char text[kSettingNameSize];
    Name(const char* format, int a) { std::snprintf(text, sizeof text, format, a); }
    Name(const char* format, int a, int b) { std::snprintf(text, sizeof text, format, a, b); }
};

void SetColour(GridWidget& grid, int row, int column, uint32_t colour) {
    GridCell cell;
    cell.row = row;
    cell.column = column;
    grid.SetCellColour(cell, colour);
    grid.update(); // colours do not repaint by themselves
}

void ToggleOutputGroup(GridWidget& grid, int g) {
    char text[kGridTextSize];
    GridGetText(&grid, 0, g, text);
    // Read unsigned: a signed reader would clamp a mask with group 32 set.
    const char* stored = SettingSet("DisabledOPGroups", "");
    uint32_t mask = stored ? ParseUnsigned(stored) : 0;
    const uint32_t bit = 1u << (g - 1);
    if (text[0] == 'O') {
        mask |= bit;
        GridSetText(&grid, 0, g, "X");
        // Drawn sunken at once, as the editor opens a disabled group.
        GridCell cell;
        cell.row = 0;
        cell.column = g;
        grid.SetCellColour(cell, kDisabledHeaderColour);
    } else {
        mask &= ~bit;
        GridSetText(&grid, 0, g, Name("OPG%d", g).text);
    }
    // Written as the panel decoder writes it: a signed 32-bit number.
    if (stored)
        SettingPut("DisabledOPGroups", std::to_string(int32_t(mask)).c_str());
    // The new text grew the header row to fit it; the editor keeps 21. This
    // repaints the grid too: the column's grey and the sunken header follow.
    grid.SetHeaderHeight(kMatrixHeaderHeight);
}

void EditOutputDelay(MainWindow& w, GridWidget& grid, int row, int g) {
    const bool second = row == 2;
    Name name(second ? "OutputDelayT2_%d" : "OutputDelay_%d", g);
    ValueDialogParams params;
    params.title = "Output Delay (m:ss)";
    params.value = SettingSet(name.text, "0:00");
    params.minimum = 0;
    params.maximum = second ? 1200 : 600;
    params.step = 5;
    if (!params.value)
        return;
    QPointer<GridWidget> alive(&grid);
    if (RunTimeDelayDialog(&w, params) != 1)
        return;
    // A copy first: deleting the setting gives its value field back.
    const std::string value = params.value;
    if (value == "0:00")
        SettingDelete(name.text);
    if (alive)
        GridSetText(alive, row, g, value.c_str());
}

void ToggleAlarmType(GridWidget& grid, int g) {
    char* value = SettingGet(Name("AlarmType_%d", g).text);
    if (!value)
        return;
    const char next = value[0] == '0' ? '1' : '0';
    if (value[0] == '\0')
        value[1] = '\0';
    value[0] = next;
    GridSetText(&grid, 3, g, AlarmTypeName(value));
    SetColour(grid, 3, g, AlarmTypeColour(value));
}

void StepMatrixEntry(GridWidget& grid, int row, int g) {
    char* value = SettingGet(Name("Matrix_%d_%d", row - kMatrixFirstInputRow + 1, g).text);
    if (!value)
        return;
    switch (value[0]) {
    case 'C':
        value[0] = 'O';
        break;
    case 'O':
        value[0] = 'P';
        break;
    case 'P':
        value[0] = 'W';
        break;
    case 'W':
        value[0] = 'C';
        break;
    default:
        SettingPut(Name("Matrix_%d_%d", row - kMatrixFirstInputRow + 1, g).text, "C");
        break;
    }
    GridSetText(&grid, row, g, value);
    SetColour(grid, row, g, MatrixColour(value));
}

} // namespace

void MatrixCellAction(MainWindow& w, GridWidget& grid, int code, quint32 param) {
    if (code != GN_CLICK)
        return;
    const int row = GridLow(param), g = GridHigh(param);
    if (g < 1 || g > kGroups)
        return;
    if (row == 0)
        ToggleOutputGroup(grid, g);
    else if (row == 1 || row == 2)
        EditOutputDelay(w, grid, row, g);
    else if (row == 3)
        ToggleAlarmType(grid, g);
    else if (row >= kMatrixFirstInputRow && row <= kMatrixRows)
        StepMatrixEntry(grid, row, g);
}
