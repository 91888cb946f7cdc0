// Device editor clicks, the Delete key and row exchanges: each writes the
// site store at once and refreshes what it changed.

#include "editors/device_editor.h"

#include "editors/grid_widget.h"
#include "model/device_types.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdio>
#include <optional>
#include <string>

const DeviceSetting kDeviceSettings[kDeviceSettingCount] = {
    {"SNum_%d", "000000"}, {"Type_%d", "0"},         {"Version_%d", "0"},  {"MapNode_%d", "0"},
    {"Zone_%d", "1"},      {"Sens1_%d", "0"},        {"Sens2_%d", "0"},    {"IPGroup_%d", "1"},
    {"OPGroup_%d", "1"},   {"DisplayGroup_%d", "0"}, {"RptGroup_%d", "0"}, {"Volume_%d", "15"},
    {"Class_%d", "0"},     {"NonLatching_%d", "0"},  {"Coverage_%d", "0"},
};

namespace {

struct Name {
    char text[kSettingNameSize];
    Name(const char* format, int a) { std::snprintf(text, sizeof text, format, a); }
};

// Click results are shown locked, as the columns they land in are.
void SetLocked(GridWidget* grid, int row, int column, const char* text) {
    GridCell cell;
    cell.row = row;
    cell.column = column;
    cell.locked = 1;
    grid->SetCellText(cell, text);
}

uint8_t TypeOf(int a) {
    return uint8_t(ParseUnsigned(SettingGet(Name("Type_%d", a).text)));
}

void StepSensitivity(GridWidget* grid, int a, int column, const char* format) {
    char* value = SettingSet(Name(format, a).text, "0");
    if (!value)
        return;
    NextSensMode(value, TypeOf(a));
    SetLocked(grid, a, column, SensModeName(value));
}

void StepVolume(GridWidget* grid, int a) {
    Name name("Volume_%d", a);
    const char* value = SettingSet(name.text, "0");
    if (!value)
        return;
    const uint32_t current = ParseUnsigned(value);
    const char* next = current == 2 ? "4" : current == 4 ? "15" : "2";
    SettingPut(name.text, next);
    SetLocked(grid, a, kDeviceColVolume, VolumeName(next));
}

void StepClass(GridWidget* grid, int a) {
    Name name("Class_%d", a);
    const char* value = SettingSet(name.text, "0");
    if (!value)
        return;
    uint32_t next = ParseUnsigned(value) + 1;
    if (next >= uint32_t(kClassCount))
        next = 0;
    SettingPut(name.text, std::to_string(next).c_str());
    SetLocked(grid, a, kDeviceColClass, ClassName(next));
}

void ToggleLatching(GridWidget* grid, int a) {
    Name name("NonLatching_%d", a);
    if (SettingGet(name.text)) {
        SettingDelete(name.text);
        SetLocked(grid, a, kDeviceColNonLatching, "Latching");
    } else if (SettingSet(name.text, "1")) {
        SetLocked(grid, a, kDeviceColNonLatching, "Non-Latching");
    }
}

void StepCoverage(GridWidget* grid, int a) {
    Name name("Coverage_%d", a);
    const char* value = SettingGet(name.text);
    if (!value)
        return;
    const uint32_t current = ParseUnsigned(value);
    const uint32_t next = current == 0 ? 1 : current == 1 ? 2 : 0;
    if (const char* shown = CoverageName(TypeOf(a), next)) {
        SettingPut(name.text, std::to_string(next).c_str());
        SetLocked(grid, a, kDeviceColCoverage, shown);
    } else {
        SetLocked(grid, a, kDeviceColCoverage, "N/A");
    }
}

} // namespace

void DeviceClick(GridWidget* grid, int a, int column) {
    if (!grid || a < 1 || a > kLoopAddresses)
        return;
    switch (column) {
    case kDeviceColDaySens:
        StepSensitivity(grid, a, column, "Sens1_%d");
        break;
    case kDeviceColNightSens:
        StepSensitivity(grid, a, column, "Sens2_%d");
        break;
    case kDeviceColVolume:
        StepVolume(grid, a);
        break;
    case kDeviceColClass:
        StepClass(grid, a);
        break;
    case kDeviceColNonLatching:
        ToggleLatching(grid, a);
        break;
    case kDeviceColCoverage:
        StepCoverage(grid, a);
        break;
    default:
        break;
    }
}

void DeviceClassHeaderClick(GridWidget* grid) {
    if (!grid)
        return;
    for (int a = 1; a <= kLoopAddresses; ++a) {
        // The refresh below must not throw away what was typed on the row.
        DeviceRowStore(grid, a, true);
        const char* type = SettingSet(Name("Type_%d", a).text, "0");
        const uint32_t t = type ? ParseUnsigned(type) : 0;
        Name name("Class_%d", a);
        if (SettingSet(name.text, "0"))
            SettingPut(name.text, t == 64 || t == 65 || t == 197 ? "1" : "0");
        DeviceRowFill(grid, a);
    }
}

void DeviceResetRow(GridWidget* grid, int a) {
    if (!grid || a < 1 || a > kLoopAddresses)
        return;
    for (const DeviceSetting& s : kDeviceSettings) {
        Name name(s.format, a);
        if (SettingGet(name.text))
            SettingPut(name.text, s.resetValue);
    }
    SettingDelete(Name("NonLatching_%d", a).text);
    DeviceRowFill(grid, a);
}

void DeviceExchangeRows(GridWidget* grid, int a, int b) {
    if (!grid || a < 1 || a > kLoopAddresses || b < 1 || b > kLoopAddresses || a == b)
        return;
    for (const DeviceSetting& s : kDeviceSettings) {
        Name nameA(s.format, a), nameB(s.format, b);
        // Copies: a deleted setting's value field goes back to the store.
        const char* valueA = SettingGet(nameA.text);
        const char* valueB = SettingGet(nameB.text);
        std::optional<std::string> oldA, oldB;
        if (valueA)
            oldA = valueA;
        if (valueB)
            oldB = valueB;
        if (oldA && oldB) {
            SettingPut(nameA.text, oldB->c_str());
            SettingPut(nameB.text, oldA->c_str());
        } else if (oldA) {
            SettingPut(nameB.text, oldA->c_str());
            SettingDelete(nameA.text);
        } else if (oldB) {
            SettingPut(nameA.text, oldB->c_str());
            SettingDelete(nameB.text);
        }
    }
    DeviceRowFill(grid, b);
    DeviceRowFill(grid, a);
}
