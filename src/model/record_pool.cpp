#include "model/record_pool.h"

#include "model/settings_store.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

#ifndef _WIN32
#include <sys/mman.h>
#endif

namespace {

// Records come in slabs large enough for a whole site (a new site holds
// about 4000 records, 4.6 MB). A slab is one anonymous mapping that the
// system may back with huge pages: the kernel then zero-fills it 2 MB at a
// time instead of faulting in and zeroing 4 KB pages one by one, which cost
// more than the rest of a site's creation together.
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kSlabBytes = 3 * kHugePage;
constexpr int kSlabRecords = static_cast<int>(kSlabBytes / sizeof(SettingRecord));

// Stores of the job thread and of the desktop's grids allocate at the same
// time, so the free list has a lock. The pool lives as long as the process
// (it is never destroyed, and slabs are never returned, so records stay
// valid during static destruction and never move).
struct Pool {
    std::mutex lock;
    std::vector<SettingRecord*> free;
    SettingRecord* slab = nullptr; // the slab records are being cut from
    int slabUsed = kSlabRecords;
};

Pool& ThePool() {
    static Pool* pool = new Pool;
    return *pool;
}

// A new zero-filled slab of kSlabBytes, or nullptr.
SettingRecord* NewSlab() {
#ifndef _WIN32
    // Mapped one huge page larger, so that the slab can start on a huge page
    // boundary; the ends outside it are given back.
    const std::size_t mapped = kSlabBytes + kHugePage;
    void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw != MAP_FAILED) {
        const auto start = reinterpret_cast<std::uintptr_t>(raw);
        const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
        if (aligned > start)
            munmap(raw, aligned - start);
        const std::uintptr_t end = start + mapped;
        if (end > aligned + kSlabBytes)
            munmap(reinterpret_cast<void*>(aligned + kSlabBytes), end - (aligned + kSlabBytes));
        void* slab = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
        madvise(slab, kSlabBytes, MADV_HUGEPAGE); // a hint: small pages work too
#endif
        return static_cast<SettingRecord*>(slab);
    }
#endif
    // Value-initialised, so that a fresh record reads as zero here too.
    return new (std::nothrow) SettingRecord[kSlabRecords]();
}

} // namespace

SettingRecord* AllocateRecord(bool* zeroed) {
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> hold(pool.lock);
    if (!pool.free.empty()) {
        SettingRecord* record = pool.free.back();
        pool.free.pop_back();
        *zeroed = false;
        return record;
    }
    if (pool.slabUsed == kSlabRecords) {
        SettingRecord* slab = NewSlab();
        if (!slab)
            return nullptr;
        pool.slab = slab;
        pool.slabUsed = 0;
    }
    // A slab comes zero-filled from the system and its records are handed
    // out once each, so the caller need not clear them again: a new site's
    // records then cost no more than the pages the system zero-fills.
    *zeroed = true;
    return &pool.slab[pool.slabUsed++];
}

void ReleaseRecord(SettingRecord* record) {
    if (!record)
        return;
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> hold(pool.lock);
    pool.free.push_back(record);
}
