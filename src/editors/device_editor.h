#pragma once
// The device editor: one row per loop address, one column per device
// setting. Typed columns (serial, zone, groups) live in the grid until they
// are written back; clicked columns are written to the site store at once.

#include <cstdint>

class GridWidget;

constexpr int kDeviceColumns = 15;

enum DeviceColumn : int {
    kDeviceColSerial = 1,
    kDeviceColType = 2,
    kDeviceColVersion = 3,
    kDeviceColMapNode = 4,
    kDeviceColZone = 5,
    kDeviceColDaySens = 6,
    kDeviceColNightSens = 7,
    kDeviceColInputGroup = 8,
    kDeviceColOutputGroup = 9,
    kDeviceColDisplayGroup = 10,
    kDeviceColRepeatGroup = 11,
    kDeviceColVolume = 12,
    kDeviceColClass = 13,
    kDeviceColNonLatching = 14,
    kDeviceColCoverage = 15,
};

// Sets the header row, then every row 1 to 192 from the site store.
void DeviceEditorFill(GridWidget* grid);
// Sets the cells of one address from the site store.
void DeviceRowFill(GridWidget* grid, int address);
// Writes the typed cells of one address into the site store: zone and
// groups, and the serial number when withSerial. A setting that was absent
// when the row was filled and whose cell still shows the placeholder "NULL"
// is not created.
void DeviceRowStore(GridWidget* grid, int address, bool withSerial);
// DeviceRowStore with the serial for every address (the caller ends an edit
// in progress first).
void DeviceEditorStore(GridWidget* grid);
// Shows the store's serial number of the address again in its cell.
void DeviceSerialRestore(GridWidget* grid, int address);

// The value check of a typed text, by column.
struct DeviceEditCheck {
    bool accept = true;
    const char* message = nullptr; // shown for a rejection that explains itself
    int jumpRow = 0;               // "L1<n>": the row the cursor goes to, 0 for none
};
DeviceEditCheck CheckDeviceEdit(int column, const char* text);

// The per-device settings in their fixed order, with their reset values.
struct DeviceSetting {
    const char* format; // "%d" is the address
    const char* resetValue;
};
constexpr int kDeviceSettingCount = 15;
extern const DeviceSetting kDeviceSettings[kDeviceSettingCount];

// Click actions on a data row (the address); each writes the store at once
// and shows the new value in the cell.
void DeviceClick(GridWidget* grid, int address, int column);
// The Class header: every address gets the class of its type.
void DeviceClassHeaderClick(GridWidget* grid);
// The Delete key: the address's existing settings take their reset values.
void DeviceResetRow(GridWidget* grid, int address);
// A row drag: all 15 settings of the two addresses change places (the caller
// has written the typed cells back first).
void DeviceExchangeRows(GridWidget* grid, int a, int b);
