#include "editors/grid_cell_store.h"

#include "model/number_text.h"
#include "model/settings_store.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kLockAt = 10;
constexpr int kColourAt = 13;

struct CellName {
    char text[16];
};

CellName NameOf(int row, int column) {
    CellName name;
    std::snprintf(name.text, sizeof name.text, "%05d-%03d", row, column);
    return name;
}

// A value written by this file always has its fixed part; a shorter one
// (which only a foreign writer could leave) is treated as absent.
char* FindCell(SettingsStore* store, int row, int column) {
    if (!GridCellInRange(row, column))
        return nullptr;
    char* value = SettingGet(store, NameOf(row, column).text);
    if (!value || strnlen(value, kGridTextOffset) < kGridTextOffset)
        return nullptr;
    return value;
}

void PutColour(char* value, uint32_t colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%06X", colour & 0xFFFFFF);
    std::memcpy(value + kColourAt, hex, 6);
}

} // namespace

bool GridCellInRange(int row, int column) {
    return row >= 0 && row <= kGridMaxRow && column >= 0 && column <= kGridMaxColumn;
}

bool GridCellWrite(SettingsStore* store, int row, int column, bool locked, const char* text) {
    if (!GridCellInRange(row, column))
        return false;
    char value[kSettingValueSize];
    std::snprintf(value, sizeof value, "%05d-%03d|%cA|FFFFFF|%s", row, column, locked ? 'P' : 'U',
                  text ? text : "");
    return SettingPut(store, NameOf(row, column).text, value) != nullptr;
}

bool GridCellRead(SettingsStore* store, int row, int column, GridCell* out) {
    const char* value = FindCell(store, row, column);
    if (!value) {
        out->locked = 1;
        out->colour = kGridWhite;
        out->text[0] = '\0';
        return false;
    }
    out->locked = value[kLockAt] == 'P' ? 1 : 0;
    out->colour = ParseUnsigned(value + kColourAt, 16) & 0xFFFFFF;
    const char* text = value + kGridTextOffset;
    size_t n = strnlen(text, kGridTextSize - 1);
    std::memcpy(out->text, text, n);
    out->text[n] = '\0';
    return true;
}

bool GridCellLocked(SettingsStore* store, int row, int column) {
    const char* value = FindCell(store, row, column);
    return !value || value[kLockAt] == 'P';
}

bool GridCellSetLock(SettingsStore* store, int row, int column, bool locked) {
    if (char* value = FindCell(store, row, column)) {
        value[kLockAt] = locked ? 'P' : 'U';
        return true;
    }
    return GridCellWrite(store, row, column, locked, "");
}

bool GridCellSetColour(SettingsStore* store, int row, int column, uint32_t colour) {
    char* value = FindCell(store, row, column);
    if (!value) {
        if (!GridCellWrite(store, row, column, false, ""))
            return false;
        value = FindCell(store, row, column);
    }
    PutColour(value, colour);
    return true;
}

uint32_t GridCellColour(SettingsStore* store, int row, int column, uint32_t absentColour) {
    const char* value = FindCell(store, row, column);
    return value ? ParseUnsigned(value + kColourAt, 16) & 0xFFFFFF : absentColour;
}

bool GridCellDelete(SettingsStore* store, int row, int column) {
    if (!GridCellInRange(row, column))
        return false;
    CellName name = NameOf(row, column);
    if (!SettingGet(store, name.text))
        return false;
    SettingDelete(store, name.text);
    return true;
}

void GridCellDeleteAll(SettingsStore* store) {
    std::vector<std::string> names;
    for (int i = 0; i < kStoreSlotCount; ++i)
        if (const SettingRecord* record = StoreRecordAt(store, i))
            names.emplace_back(record->name);
    for (const std::string& name : names)
        SettingDelete(store, name.c_str());
}
