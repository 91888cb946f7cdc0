#include "model/record_pool.h"

#include "model/settings_store.h"

#include <mutex>
#include <new>
#include <vector>

namespace {

constexpr int kChunkRecords = 256;

// Stores of the job thread and of the desktop's grids allocate at the same
// time, so the free list has a lock.
std::mutex g_lock;
std::vector<SettingRecord*> g_free;

} // namespace

SettingRecord* AllocateRecord() {
    std::lock_guard<std::mutex> hold(g_lock);
    if (g_free.empty()) {
        auto* chunk = new (std::nothrow) SettingRecord[kChunkRecords];
        if (!chunk)
            return nullptr;
        g_free.reserve(g_free.size() + kChunkRecords);
        for (int i = kChunkRecords - 1; i >= 0; --i)
            g_free.push_back(&chunk[i]);
    }
    SettingRecord* record = g_free.back();
    g_free.pop_back();
    return record;
}

void ReleaseRecord(SettingRecord* record) {
    if (!record)
        return;
    std::lock_guard<std::mutex> hold(g_lock);
    g_free.push_back(record);
}
