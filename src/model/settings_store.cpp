#include "model/settings_store.h"

#include "model/number_text.h"
#include "model/record_pool.h"

#include <cstring>
#include <vector>

namespace {

SettingsStore* g_current = nullptr;

uint32_t HomeSlot(const char* name, uint16_t bucketCount) {
    uint32_t h = 5381;
    size_t length = strnlen(name, kSettingNameSize - 1); // names are cut at 127
    for (size_t i = 0; i < length; ++i)
        h = h * 33 + static_cast<unsigned char>(name[i]);
    return h % bucketCount;
}

// Copies at most size-1 bytes and NUL-fills the rest of the field.
void CopyField(char* field, size_t size, const char* text) {
    size_t n = text ? strnlen(text, size - 1) : 0;
    std::memcpy(field, text, n);
    std::memset(field + n, 0, size - n);
}

bool SameName(const SettingRecord* record, const char* name) {
    return std::strncmp(record->name, name, kSettingNameSize - 1) == 0;
}

// The slot that holds the name, or -1.
int FindSlot(const SettingsStore* store, const char* name) {
    for (int i = static_cast<int>(HomeSlot(name, store->bucketCount)); i >= 0;
         i = store->slotTable[i].next) {
        const SettingRecord* record = store->slotTable[i].record;
        if (record && SameName(record, name))
            return i;
    }
    return -1;
}

// First slot in array order that holds no record; the home slotTable come first,
// then the overflow area.
int FindFreeSlot(SettingsStore* store) {
    for (int i = store->firstFree; i < kStoreSlotCount; ++i) {
        if (!store->slotTable[i].record) {
            store->firstFree = i;
            return i;
        }
    }
    store->firstFree = kStoreSlotCount;
    return -1;
}

void ClearSlot(SettingsStore* store, int i) {
    store->slotTable[i] = StoreSlot{-1, -1, nullptr};
    if (i < store->firstFree)
        store->firstFree = i;
}

// Puts an existing record into the chain of its home slot, as a new record
// would go. Gives false when no free slot is left.
bool PlaceRecord(SettingsStore* store, SettingRecord* record) {
    int i = static_cast<int>(HomeSlot(record->name, store->bucketCount));
    while (store->slotTable[i].record) {
        if (store->slotTable[i].next >= 0) {
            i = store->slotTable[i].next;
            continue;
        }
        int free = FindFreeSlot(store);
        if (free < 0)
            return false;
        store->slotTable[i].next = free;
        store->slotTable[free].prev = i;
        i = free;
    }
    store->slotTable[i].record = record;
    if (i == store->firstFree)
        ++store->firstFree;
    return true;
}

// A chain part whose first slot is the home slot of one of its records must
// not be closed up into the slot before it: that record would then lie in
// front of its home slot, out of reach.
bool CanCloseUp(const SettingsStore* store, int first) {
    for (int i = first; i >= 0; i = store->slotTable[i].next)
        if (static_cast<int>(HomeSlot(store->slotTable[i].record->name, store->bucketCount)) ==
            first)
            return false;
    return true;
}

} // namespace

void StoreInitAside(SettingsStore* store) {
    store->bucketCount = kStoreBucketCount;
    store->recordCount = 0;
    store->slotTable = new StoreSlot[kStoreSlotCount];
    for (int i = 0; i < kStoreSlotCount; ++i)
        store->slotTable[i] = StoreSlot{-1, -1, nullptr};
    store->firstFree = 0;
}

void StoreInit(SettingsStore* store) {
    StoreInitAside(store);
    g_current = store;
}

void StoreFree(SettingsStore* store) {
    if (!store)
        return;
    if (store->slotTable) {
        for (int i = 0; i < kStoreSlotCount; ++i)
            ReleaseRecord(store->slotTable[i].record);
        delete[] store->slotTable;
        store->slotTable = nullptr;
    }
    store->recordCount = 0;
    store->firstFree = 0;
}

SettingsStore* StoreSelect(SettingsStore* store) {
    SettingsStore* previous = g_current;
    if (store)
        g_current = store;
    return previous;
}

char* SettingGet(SettingsStore* store, const char* name) {
    if (!store || !store->slotTable || !name)
        return nullptr;
    int i = FindSlot(store, name);
    return i >= 0 ? store->slotTable[i].record->value : nullptr;
}

char* SettingSet(SettingsStore* store, const char* name, const char* initial) {
    if (!store || !store->slotTable || !name)
        return nullptr;
    // One walk along the chain: the record of that name, or the chain's end.
    StoreSlot* slotTable = store->slotTable;
    int i = static_cast<int>(HomeSlot(name, store->bucketCount));
    while (slotTable[i].record) {
        if (SameName(slotTable[i].record, name))
            return slotTable[i].record->value;
        if (slotTable[i].next < 0)
            break;
        i = slotTable[i].next;
    }
    SettingRecord* record = AllocateRecord();
    if (!record)
        return nullptr;
    if (slotTable[i].record) {
        int free = FindFreeSlot(store);
        if (free < 0) {
            ReleaseRecord(record);
            return nullptr;
        }
        slotTable[i].next = free;
        slotTable[free].prev = i;
        i = free;
    }
    CopyField(record->name, sizeof record->name, name);
    CopyField(record->value, sizeof record->value, initial);
    slotTable[i].record = record;
    if (i == store->firstFree)
        ++store->firstFree;
    ++store->recordCount;
    return record->value;
}

uint32_t SettingGetInt(SettingsStore* store, const char* name) {
    const char* value = SettingGet(store, name);
    return value ? ParseUnsigned(value, 10) : 0;
}

char* SettingSetFlag(SettingsStore* store, const char* name, bool flag) {
    char* value = SettingSet(store, name, "0");
    if (value)
        value[0] = flag ? '1' : '0';
    return value;
}

void SettingDelete(SettingsStore* store, const char* name) {
    if (!store || !store->slotTable || !name)
        return;
    int at = FindSlot(store, name);
    if (at < 0)
        return;
    StoreSlot* slotTable = store->slotTable;
    ReleaseRecord(slotTable[at].record);
    slotTable[at].record = nullptr;
    --store->recordCount;
    int prev = slotTable[at].prev;
    int next = slotTable[at].next;
    if (next < 0) {
        // End of the chain: unlink the emptied slot, so that a free slot is
        // never shared by two chains.
        if (prev >= 0)
            slotTable[prev].next = -1;
        ClearSlot(store, at);
        return;
    }
    if (CanCloseUp(store, next)) {
        // The successor moves up into this slot and the chain closes up.
        slotTable[at].record = slotTable[next].record;
        slotTable[at].next = slotTable[next].next;
        if (slotTable[at].next >= 0)
            slotTable[slotTable[at].next].prev = at;
        ClearSlot(store, next);
        return;
    }
    // The chain behind this slot passes another name's home slot: cut it off
    // here and place its records again, so each stays reachable from its home.
    std::vector<SettingRecord*> moved;
    for (int i = next; i >= 0;) {
        int after = slotTable[i].next;
        moved.push_back(slotTable[i].record);
        ClearSlot(store, i);
        i = after;
    }
    if (prev >= 0)
        slotTable[prev].next = -1;
    ClearSlot(store, at);
    for (SettingRecord* record : moved)
        PlaceRecord(store, record); // their slotTable were just freed: always succeeds
}

uint32_t StoreChecksum(const SettingsStore* store) {
    uint32_t sum = 0x5A5A5A5Au;
    if (!store || !store->slotTable)
        return sum;
    for (int i = 0; i < kStoreSlotCount; ++i) {
        const SettingRecord* record = store->slotTable[i].record;
        if (!record)
            continue;
        for (const char* p = record->value; *p; ++p)
            sum += static_cast<unsigned char>(*p);
        for (const char* p = record->name; *p; ++p)
            sum += static_cast<unsigned char>(*p);
    }
    return sum;
}

char* SettingPut(SettingsStore* store, const char* name, const char* value) {
    if (char* field = SettingGet(store, name)) {
        CopyField(field, kSettingValueSize, value);
        return field;
    }
    return SettingSet(store, name, value);
}

char* SettingGet(const char* name) {
    return SettingGet(g_current, name);
}
char* SettingSet(const char* name, const char* initial) {
    return SettingSet(g_current, name, initial);
}
uint32_t SettingGetInt(const char* name) {
    return SettingGetInt(g_current, name);
}
char* SettingSetFlag(const char* name, bool flag) {
    return SettingSetFlag(g_current, name, flag);
}
void SettingDelete(const char* name) {
    SettingDelete(g_current, name);
}
uint32_t StoreChecksum() {
    return StoreChecksum(g_current);
}
char* SettingPut(const char* name, const char* value) {
    return SettingPut(g_current, name, value);
}
