#include "model/record_pool.h"

#include "model/settings_store.h"

#include <mutex>
#include <new>
#include <vector>

namespace {

constexpr int kChunkRecords = 256;

// Stores of the job thread and of the desktop's grids allocate at the same
// time, so the free list has a lock. The pool lives as long as the process
// (it is never destroyed, so records stay valid during static destruction).
struct Pool {
    std::mutex lock;
    std::vector<SettingRecord*> free;
    std::vector<SettingRecord*> chunks;
};

Pool& ThePool() {
    static Pool* pool = new Pool;
    return *pool;
}

} // namespace

SettingRecord* AllocateRecord() {
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> hold(pool.lock);
    if (pool.free.empty()) {
        auto* chunk = new (std::nothrow) SettingRecord[kChunkRecords];
        if (!chunk)
            return nullptr;
        pool.chunks.push_back(chunk);
        pool.free.reserve(pool.free.size() + kChunkRecords);
        for (int i = kChunkRecords - 1; i >= 0; --i)
            pool.free.push_back(&chunk[i]);
    }
    SettingRecord* record = pool.free.back();
    pool.free.pop_back();
    return record;
}

void ReleaseRecord(SettingRecord* record) {
    if (!record)
        return;
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> hold(pool.lock);
    pool.free.push_back(record);
}
