// Matrix editor fill and presets.

#include "editors/matrix_editor.h"

#include "editors/grid_widget.h"
#include "model/device_types.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdio>

namespace {

// "Matrix_%d_%d" and the per-group names.
struct Name {
    char text[kSettingNameSize];
    Name(const char* format, int a) { std::snprintf(text, sizeof text, format, a); }
    Name(const char* format, int a, int b) { std::snprintf(text, sizeof text, format, a, b); }
};

// The value's first character becomes c; absent entries stay absent.
void SetFirstCharacter(int input, int output, char c) {
    char* value = SettingGet(Name("Matrix_%d_%d", input, output).text);
    if (!value)
        return;
    if (value[0] == '\0')
        value[1] = '\0'; // an empty value becomes the one letter
    value[0] = c;
}

} // namespace

uint32_t MatrixColour(const char* value) {
    switch (value ? value[0] : '\0') {
    case 'O':
        return GridRgb(255, 255, 255);
    case 'P':
        return GridRgb(0, 255, 0);
    case 'W':
        return GridRgb(255, 255, 0);
    case 'C':
        return GridRgb(255, 0, 0);
    default:
        return GridRgb(0, 0, 255);
    }
}

uint32_t AlarmTypeColour(const char* value) {
    // As the name: the first character decides.
    return value && value[0] == '0' ? GridRgb(255, 200, 200) : GridRgb(200, 200, 255);
}

void MatrixFill(GridWidget* grid) {
    if (!grid)
        return;
    const uint32_t disabled = ParseUnsigned(SettingGet("DisabledOPGroups"));
    GridSetText(grid, 1, 0, "Output delay (T1)");
    GridSetText(grid, 2, 0, "Output delay (T2)");
    GridSetText(grid, 3, 0, "Alarm type");
    GridCell cell;
    for (int g = 1; g <= kGroups; ++g) {
        if (disabled >> (g - 1) & 1) {
            GridSetText(grid, 0, g, "X");
            cell.row = 0;
            cell.column = g;
            grid->SetCellColour(cell, kDisabledHeaderColour);
        } else {
            GridSetText(grid, 0, g, Name("OPG%d", g).text);
        }
    }
    for (int i = 1; i <= 29; ++i)
        GridSetText(grid, i + 3, 0, Name("IPG%d", i).text);
    GridSetText(grid, 33, 0,
                ParseUnsigned(SettingGet("ClassChange")) != 0 ? "Class Change" : "IPG30");
    GridSetText(grid, 34, 0,
                ParseUnsigned(SettingGet("RemoteAlarmInput")) != 0 ? "Remote Alarm" : "IPG31");
    GridSetText(grid, 35, 0, "Sound Alarms");
    for (int g = 1; g <= kGroups; ++g) {
        const char* t1 = SettingGet(Name("OutputDelay_%d", g).text);
        GridSetText(grid, 1, g, t1 ? t1 : "0:00");
        const char* t2 = SettingGet(Name("OutputDelayT2_%d", g).text);
        GridSetText(grid, 2, g, t2 ? t2 : "0:00");
    }
    for (int g = 1; g <= kGroups; ++g) {
        const char* type = SettingGet(Name("AlarmType_%d", g).text);
        if (!type)
            continue;
        GridSetText(grid, 3, g, AlarmTypeName(type));
        cell.row = 3;
        cell.column = g;
        grid->SetCellColour(cell, AlarmTypeColour(type));
    }
    MatrixRefresh(grid);
}

void MatrixRefresh(GridWidget* grid) {
    if (!grid)
        return;
    GridCell cell;
    for (int i = 1; i <= kGroups; ++i) {
        for (int g = 1; g <= kGroups; ++g) {
            const char* value = SettingSet(Name("Matrix_%d_%d", i, g).text, "C");
            const int row = i + kMatrixFirstInputRow - 1;
            GridSetText(grid, row, g, value);
            cell.row = row;
            cell.column = g;
            grid->SetCellColour(cell, MatrixColour(value));
        }
    }
    // Colours do not repaint by themselves.
    grid->update();
}

void MatrixPresetOff() {
    for (int i = 1; i <= kGroups - 1; ++i)
        for (int g = 1; g <= kGroups; ++g)
            SetFirstCharacter(i, g, 'O');
    for (int g = 1; g <= kGroups; ++g)
        SetFirstCharacter(kGroups, g, 'C');
}

void MatrixPresetContinuous() {
    for (int i = 1; i <= kGroups; ++i)
        for (int g = 1; g <= kGroups; ++g)
            SetFirstCharacter(i, g, 'C');
}
