// Device editor: fill, write-back of the typed columns and the value check.

#include "editors/device_editor.h"

#include "editors/grid_widget.h"
#include "model/device_types.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

struct Name {
    char text[kSettingNameSize];
    Name(const char* format, int a) { std::snprintf(text, sizeof text, format, a); }
};

const char* Get(const char* format, int address) {
    return SettingGet(Name(format, address).text);
}

// The typed columns and their settings, in the order they are written back.
struct TypedColumn {
    int column;
    const char* format;
};
constexpr TypedColumn kTypedColumns[] = {
    {kDeviceColSerial, "SNum_%d"},
    {kDeviceColZone, "Zone_%d"},
    {kDeviceColInputGroup, "IPGroup_%d"},
    {kDeviceColOutputGroup, "OPGroup_%d"},
    {kDeviceColDisplayGroup, "DisplayGroup_%d"},
    {kDeviceColRepeatGroup, "RptGroup_%d"},
};
constexpr int kTypedCount = int(sizeof kTypedColumns / sizeof kTypedColumns[0]);

// Bit k: the setting of typed column k was absent when the row was last
// filled, so its cell shows the placeholder rather than a value.
uint8_t g_absentAtFill[kLoopAddresses + 1];

constexpr char kPlaceholder[] = "NULL";

// As GridSetText followed by GridLock: an absent setting shows "NULL" too.
void SetLocked(GridWidget* grid, int row, int column, const char* text) {
    GridCell cell;
    cell.row = row;
    cell.column = column;
    cell.locked = 1;
    grid->SetCellText(cell, text ? text : kPlaceholder);
}

// A typed number is read signed: "-4294967295" is below every range here.
bool InRange(const char* text, int64_t low, int64_t high) {
    const int64_t v = ParseSigned(text);
    return v >= low && v <= high;
}

constexpr const char* kHeaders[kDeviceColumns + 1] = {
    "Address",  "Serial number", "Type",         "Version",      "Map node",      "Zone",
    "Day Sens", "Night Sens",    "Input group",  "Output group", "Display group", "Repeat group",
    "Volume",   "Class",         "Non Latching", "Coverage",
};

} // namespace

void DeviceEditorFill(GridWidget* grid) {
    if (!grid)
        return;
    for (int c = 0; c <= kDeviceColumns; ++c)
        GridSetText(grid, 0, c, kHeaders[c]);
    for (int a = 1; a <= kLoopAddresses; ++a)
        DeviceRowFill(grid, a);
}

void DeviceRowFill(GridWidget* grid, int a) {
    if (!grid || a < 1 || a > kLoopAddresses)
        return;
    char text[32];
    std::snprintf(text, sizeof text, "%d", a);
    GridSetText(grid, a, 0, text);

    uint8_t absent = 0;
    for (int k = 0; k < kTypedCount; ++k)
        if (!Get(kTypedColumns[k].format, a))
            absent |= uint8_t(1u << k);
    g_absentAtFill[a] = absent;

    GridSetText(grid, a, kDeviceColSerial, Get("SNum_%d", a));
    const char* typeValue = Get("Type_%d", a);
    const uint8_t type = typeValue ? uint8_t(ParseUnsigned(typeValue)) : 0;
    if (typeValue)
        std::snprintf(text, sizeof text, "%.10s", DeviceTypeName(type));
    // Empty when absent, also when a refresh follows a setting that went away.
    SetLocked(grid, a, kDeviceColType, typeValue ? text : "");
    SetLocked(grid, a, kDeviceColVersion, Get("Version_%d", a));
    SetLocked(grid, a, kDeviceColMapNode, Get("MapNode_%d", a));
    GridSetText(grid, a, kDeviceColZone, Get("Zone_%d", a));
    SetLocked(grid, a, kDeviceColDaySens, SensModeName(Get("Sens1_%d", a)));
    SetLocked(grid, a, kDeviceColNightSens, SensModeName(Get("Sens2_%d", a)));
    GridSetText(grid, a, kDeviceColInputGroup, Get("IPGroup_%d", a));
    GridSetText(grid, a, kDeviceColOutputGroup, Get("OPGroup_%d", a));
    GridSetText(grid, a, kDeviceColDisplayGroup, Get("DisplayGroup_%d", a));
    GridSetText(grid, a, kDeviceColRepeatGroup, Get("RptGroup_%d", a));
    const char* volume = Get("Volume_%d", a);
    SetLocked(grid, a, kDeviceColVolume, volume ? VolumeName(volume) : "");
    const char* deviceClass = Get("Class_%d", a);
    SetLocked(grid, a, kDeviceColClass, deviceClass ? ClassName(ParseUnsigned(deviceClass)) : "");
    SetLocked(grid, a, kDeviceColNonLatching,
              Get("NonLatching_%d", a) ? "Non-Latching" : "Latching");
    const char* coverage = Get("Coverage_%d", a);
    const char* coverageName = coverage ? CoverageName(type, ParseUnsigned(coverage)) : "";
    SetLocked(grid, a, kDeviceColCoverage, coverageName ? coverageName : "N/A");
}

void DeviceRowStore(GridWidget* grid, int a, bool withSerial) {
    if (!grid || a < 1 || a > kLoopAddresses)
        return;
    char text[kGridTextSize];
    for (int k = withSerial ? 0 : 1; k < kTypedCount; ++k) {
        GridGetText(grid, a, kTypedColumns[k].column, text);
        if ((g_absentAtFill[a] >> k & 1) && std::strcmp(text, kPlaceholder) == 0)
            continue; // never a value: do not create it
        SettingPut(Name(kTypedColumns[k].format, a).text, text);
    }
}

void DeviceEditorStore(GridWidget* grid) {
    for (int a = 1; a <= kLoopAddresses; ++a)
        DeviceRowStore(grid, a, true);
}

void DeviceSerialRestore(GridWidget* grid, int a) {
    if (!grid || a < 1 || a > kLoopAddresses)
        return;
    const char* serial = Get("SNum_%d", a);
    if (serial)
        g_absentAtFill[a] &= uint8_t(~1u);
    else
        g_absentAtFill[a] |= 1u;
    GridSetText(grid, a, kDeviceColSerial, serial);
}

DeviceEditCheck CheckDeviceEdit(int column, const char* text) {
    DeviceEditCheck check;
    switch (column) {
    case kDeviceColZone:
    case kDeviceColOutputGroup:
        check.accept = InRange(text, 1, 32);
        break;
    case kDeviceColInputGroup:
        switch (ParseSigned(text)) {
        case 30:
            if (ParseUnsigned(SettingGet("ClassChange")) != 0) {
                check.accept = false;
                check.message = "The Class Change Input is assigned to input group 30";
            }
            break;
        case 31:
            if (ParseUnsigned(SettingGet("RemoteAlarmInput")) != 0 &&
                ParseUnsigned(SettingGet("RaiControl")) == 0) {
                check.accept = false;
                check.message = "The Remote Alarm Input is assigned to input group 31";
            }
            break;
        default:
            check.accept = InRange(text, 1, 29);
            break;
        }
        break;
    case kDeviceColDisplayGroup:
        check.accept = InRange(text, 0, 255);
        break;
    case kDeviceColRepeatGroup:
        check.accept = InRange(text, 0, 32);
        break;
    default:
        if (text[0] != 'L')
            break;
        check.accept = false;
        if (text[1] == '1') {
            // Only the first five characters count: up to three digits.
            char number[4] = {};
            std::strncpy(number, text + 2, 3);
            check.jumpRow = int(ParseUnsigned(number));
        }
        break;
    }
    return check;
}
