#pragma once
// Helpers shared by the codec tests: a fresh current store per test (from the
// model tests), little-endian reads and whole-store snapshots.

#include "codec/loop_records.h"
#include "codec/site_image.h"
#include "model/model_fixture.h"
#include "model/settings_store.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;
using Snapshot = std::map<std::string, std::string>;

inline uint32_t Le16(const Bytes& b, int at) {
    return b[at] | b[at + 1] << 8;
}
inline uint32_t Le32(const Bytes& b, int at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
inline void PutLe16(Bytes& b, int at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

inline Snapshot TakeSnapshot() {
    Snapshot all;
    SettingsStore* store = StoreSelect(nullptr);
    for (int i = 0; i < kStoreSlotCount; ++i)
        if (const SettingRecord* r = StoreRecordAt(store, i))
            all[r->name] = r->value;
    return all;
}

// The settings that differ between two snapshots, "" when none do.
inline std::string SnapshotDiff(const Snapshot& got, const Snapshot& expected) {
    std::string diff;
    for (const auto& [name, value] : expected) {
        auto it = got.find(name);
        if (it == got.end())
            diff += name + ": missing, expected \"" + value + "\"\n";
        else if (it->second != value)
            diff += name + ": \"" + it->second + "\", expected \"" + value + "\"\n";
    }
    for (const auto& [name, value] : got)
        if (!expected.count(name))
            diff += name + ": \"" + value + "\" not expected\n";
    return diff;
}

inline Bytes EncodeImage(uint16_t* checksum = nullptr) {
    Bytes image(kSiteImageSize, 0xEE); // the encoder must write every byte
    uint16_t sum = SiteImageEncode(image.data());
    if (checksum)
        *checksum = sum;
    return image;
}

inline Bytes EncodeLoopBlock() {
    Bytes block(kLoopBlockSize, 0xEE);
    for (int n = 1; n <= 192; ++n)
        LoopRecordEncode(block.data() + kLoopRecordSize * (n - 1), n);
    return block;
}

inline void DecodeLoopBlock(const Bytes& block) {
    for (int n = 1; n <= 192; ++n)
        LoopRecordDecode(block.data() + kLoopRecordSize * (n - 1), n);
}

// A version-2 image of zeros with the given version word.
inline Bytes BlankImage(uint32_t version = 2) {
    Bytes image(kSiteImageSize, 0);
    PutLe16(image, 0, version);
    return image;
}
