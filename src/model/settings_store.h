#pragma once
// The settings store: named text values held in fixed records, looked up by
// hash. Every operation has an explicit-store form and a form that works on
// the process-wide current store.

#include <cstdint>

constexpr int kSettingNameSize = 128;   // NUL-terminated, at most 127 characters
constexpr int kSettingValueSize = 1024; // NUL-terminated, at most 1023 characters

// Home slots of the hash. Records beyond what they hold go into the overflow
// area after them, so stores of up to this many records keep the same slot
// order (and site files the same line order) as a store with no overflow.
constexpr int kStoreBucketCount = 5000;
constexpr int kStoreOverflowCount = 15000;
constexpr int kStoreSlotCount = kStoreBucketCount + kStoreOverflowCount;

struct SettingRecord {
    char name[kSettingNameSize];
    char value[kSettingValueSize];
};
static_assert(sizeof(SettingRecord) == 1152);

// The links hold a slot index plus 1 (0 for none), so that a zero-filled
// table is an empty one: the system then maps its pages only as slots are
// used, and a store costs nothing to set up.
struct StoreSlot {
    int32_t nextLink;      // the next slot of the chain
    int32_t prevLink;      // the slot whose next this is
    SettingRecord* record; // nullptr in a free slot
};

struct SettingsStore {
    uint16_t bucketCount = 0;
    uint32_t recordCount = 0;
    StoreSlot* slotTable = nullptr; // kStoreSlotCount slots once set up
    int32_t firstFree = 0;          // no free slot lies before this index
};

void StoreInit(SettingsStore* store);
// As StoreInit, but leaves the current store as it is: for stores of the
// desktop's own (a grid's cells) that must never become current.
void StoreInitAside(SettingsStore* store);
void StoreFree(SettingsStore* store);
SettingsStore* StoreSelect(SettingsStore* store); // nullptr only reports

// Exchanges the whole contents of two stores (records, slot table, counts).
// Records never move, so value fields obtained from either store stay valid
// and now belong to the other one. Which store is current does not change:
// the current store object simply holds the other contents afterwards.
void StoreSwap(SettingsStore* a, SettingsStore* b);

// Explicit-store forms.
char* SettingGet(SettingsStore* store, const char* name);
char* SettingSet(SettingsStore* store, const char* name, const char* initial);
uint32_t SettingGetInt(SettingsStore* store, const char* name);
char* SettingSetFlag(SettingsStore* store, const char* name, bool flag);
void SettingDelete(SettingsStore* store, const char* name);
uint32_t StoreChecksum(const SettingsStore* store);

// Current-store forms.
char* SettingGet(const char* name);
char* SettingSet(const char* name, const char* initial);
uint32_t SettingGetInt(const char* name);
char* SettingSetFlag(const char* name, bool flag);
void SettingDelete(const char* name);
uint32_t StoreChecksum();

// Gives the setting a new value: writes into the existing field (cut at 1023
// characters, the rest of the field NUL-filled) or creates the setting.
// Gives the value field, or nullptr when the store is full.
char* SettingPut(SettingsStore* store, const char* name, const char* value);
char* SettingPut(const char* name, const char* value);

// Whole-store walks in slot order: the record in slot i, or nullptr.
inline const SettingRecord* StoreRecordAt(const SettingsStore* store, int i) {
    return store && store->slotTable && i >= 0 && i < kStoreSlotCount ? store->slotTable[i].record
                                                                      : nullptr;
}

// Calls visit(record) for each record in slot order (a site file's line
// order), stopping after the last one, so that slots never used are never
// read: most of a table's pages are then never touched.
template <typename Visit> void StoreForEachRecord(const SettingsStore* store, Visit visit) {
    if (!store || !store->slotTable)
        return;
    uint32_t left = store->recordCount;
    for (int i = 0; left > 0 && i < kStoreSlotCount; ++i) {
        if (SettingRecord* record = store->slotTable[i].record) {
            visit(record);
            --left;
        }
    }
}
