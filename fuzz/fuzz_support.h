#pragma once
// What the fuzz targets share: a fresh current store per input, and the
// input as a file for the readers that take a path.

#include "model/settings_store.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// A fuzz target states its property with this: a broken one aborts, so the
// fuzzer saves the input and the replay test fails.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__,        \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// An empty store, current while it lives.
class ScratchStore {
  public:
    ScratchStore() {
        previous_ = StoreSelect(nullptr);
        StoreInit(&store_);
    }
    ~ScratchStore() {
        StoreFree(&store_);
        StoreSelect(previous_);
    }
    ScratchStore(const ScratchStore&) = delete;
    ScratchStore& operator=(const ScratchStore&) = delete;
    SettingsStore* Get() { return &store_; }

  private:
    SettingsStore store_;
    SettingsStore* previous_ = nullptr;
};

// A per-process file in the temporary folder, rewritten for every input.
inline std::string FuzzFilePath(const char* tag) {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder && *folder ? folder : "/tmp";
    return path + "/m720-fuzz-" + std::to_string(getpid()) + "-" + tag;
}

inline bool WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// True when both stores hold the same names with the same values.
inline bool SameSettings(const SettingsStore* a, SettingsStore* b) {
    if (a->recordCount != b->recordCount)
        return false;
    for (int i = 0; i < kStoreSlotCount; ++i) {
        const SettingRecord* record = StoreRecordAt(a, i);
        if (!record)
            continue;
        const char* other = SettingGet(b, record->name);
        if (!other || std::string(other) != record->value)
            return false;
    }
    return true;
}
