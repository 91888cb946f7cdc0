#include "model/settings_store.h"

#include "model/number_text.h"
#include "model/record_pool.h"

#include <cstdlib>
#include <cstring>
#include <utility>
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

// Copies at most size-1 bytes and NUL-fills the rest of the field; a field
// known to be all NUL already gets only the text.
void CopyField(char* field, size_t size, const char* text, bool zeroed = false) {
    size_t n = text ? strnlen(text, size - 1) : 0;
    std::memcpy(field, text, n);
    if (!zeroed)
        std::memset(field + n, 0, size - n);
}

int Next(const SettingsStore* store, int i) {
    return store->slotTable[i].nextLink - 1;
}
int Prev(const SettingsStore* store, int i) {
    return store->slotTable[i].prevLink - 1;
}
void SetNext(SettingsStore* store, int i, int next) {
    store->slotTable[i].nextLink = next + 1;
}
void SetPrev(SettingsStore* store, int i, int prev) {
    store->slotTable[i].prevLink = prev + 1;
}

bool SameName(const SettingRecord* record, const char* name) {
    return std::strncmp(record->name, name, kSettingNameSize - 1) == 0;
}

// First slot in array order that holds no record; the home slots come first,
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
    store->slotTable[i] = StoreSlot{0, 0, nullptr};
    if (i < store->firstFree)
        store->firstFree = i;
}

// Walks the chain of the name's home slot once: gives the slot that holds
// the name (found = true), or else the slot a new record of that name takes
// its place from: the home slot when it is empty, otherwise the chain's end.
int WalkChain(const SettingsStore* store, const char* name, bool* found) {
    int i = static_cast<int>(HomeSlot(name, store->bucketCount));
    *found = false;
    while (store->slotTable[i].record) {
        if (SameName(store->slotTable[i].record, name)) {
            *found = true;
            return i;
        }
        if (Next(store, i) < 0)
            break;
        i = Next(store, i);
    }
    return i;
}

// The slot that holds the name, or -1.
int FindSlot(const SettingsStore* store, const char* name) {
    bool found;
    int i = WalkChain(store, name, &found);
    return found ? i : -1;
}

// Puts the record at slot at, or, when that slot is taken (a chain's end),
// into the first free slot linked behind it. Gives false when no free slot
// is left.
bool Occupy(SettingsStore* store, int at, SettingRecord* record) {
    StoreSlot* slots = store->slotTable;
    if (slots[at].record) {
        int free = FindFreeSlot(store);
        if (free < 0)
            return false;
        SetNext(store, at, free);
        SetPrev(store, free, at);
        at = free;
    }
    slots[at].record = record;
    if (at == store->firstFree)
        ++store->firstFree;
    return true;
}

// Puts an existing record into the chain of its home slot, as a new record
// would go.
bool PlaceRecord(SettingsStore* store, SettingRecord* record) {
    bool found;
    return Occupy(store, WalkChain(store, record->name, &found), record);
}

// A chain part whose first slot is the home slot of one of its records must
// not be closed up into the slot before it: that record would then lie in
// front of its home slot, out of reach.
bool CanCloseUp(const SettingsStore* store, int first) {
    for (int i = first; i >= 0; i = Next(store, i))
        if (static_cast<int>(HomeSlot(store->slotTable[i].record->name, store->bucketCount)) ==
            first)
            return false;
    return true;
}

} // namespace

void StoreInitAside(SettingsStore* store) {
    store->bucketCount = kStoreBucketCount;
    store->recordCount = 0;
    store->slotTable = static_cast<StoreSlot*>(std::calloc(kStoreSlotCount, sizeof(StoreSlot)));
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
        StoreForEachRecord(store, [](SettingRecord* record) { ReleaseRecord(record); });
        std::free(store->slotTable);
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

void StoreSwap(SettingsStore* a, SettingsStore* b) {
    if (a && b)
        std::swap(*a, *b);
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
    bool found;
    int at = WalkChain(store, name, &found);
    if (found)
        return store->slotTable[at].record->value;
    bool zeroed = false;
    SettingRecord* record = AllocateRecord(&zeroed);
    if (!record)
        return nullptr;
    CopyField(record->name, sizeof record->name, name, zeroed);
    CopyField(record->value, sizeof record->value, initial, zeroed);
    if (!Occupy(store, at, record)) {
        ReleaseRecord(record);
        return nullptr;
    }
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
    int prev = Prev(store, at);
    int next = Next(store, at);
    if (next < 0) {
        // End of the chain: unlink the emptied slot, so that a free slot is
        // never shared by two chains.
        if (prev >= 0)
            SetNext(store, prev, -1);
        ClearSlot(store, at);
        return;
    }
    if (CanCloseUp(store, next)) {
        // The successor moves up into this slot and the chain closes up.
        slotTable[at].record = slotTable[next].record;
        SetNext(store, at, Next(store, next));
        if (Next(store, at) >= 0)
            SetPrev(store, Next(store, at), at);
        ClearSlot(store, next);
        return;
    }
    // The chain behind this slot passes another name's home slot: cut it off
    // here and place its records again, so each stays reachable from its home.
    std::vector<SettingRecord*> moved;
    for (int i = next; i >= 0;) {
        int after = Next(store, i);
        moved.push_back(slotTable[i].record);
        ClearSlot(store, i);
        i = after;
    }
    if (prev >= 0)
        SetNext(store, prev, -1);
    ClearSlot(store, at);
    for (SettingRecord* record : moved)
        PlaceRecord(store, record); // their slots were just freed: always succeeds
}

uint32_t StoreChecksum(const SettingsStore* store) {
    uint32_t sum = 0x5A5A5A5Au;
    StoreForEachRecord(store, [&sum](const SettingRecord* record) {
        for (const char* p = record->value; *p; ++p)
            sum += static_cast<unsigned char>(*p);
        for (const char* p = record->name; *p; ++p)
            sum += static_cast<unsigned char>(*p);
    });
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
