// Loop data records. Property: decoded records encode to a block that
// decodes and encodes to itself.

#include "codec/loop_records.h"
#include "fuzz_support.h"
#include "model/site_defaults.h"

#include <cstring>

namespace {

void DecodeBlock(const uint8_t* block) {
    for (int n = 1; n <= kLoopAddresses; ++n)
        LoopRecordDecode(block + kLoopRecordSize * (n - 1), n);
}

void EncodeBlock(uint8_t* block) {
    for (int n = 1; n <= kLoopAddresses; ++n)
        LoopRecordEncode(block + kLoopRecordSize * (n - 1), n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t block[kLoopBlockSize] = {};
    std::memcpy(block, data, size < sizeof block ? size : sizeof block);

    ScratchStore first;
    DecodeBlock(block);
    uint8_t encoded[kLoopBlockSize];
    EncodeBlock(encoded);

    ScratchStore second;
    DecodeBlock(encoded);
    uint8_t again[kLoopBlockSize];
    EncodeBlock(again);
    FUZZ_CHECK(std::memcmp(encoded, again, sizeof encoded) == 0);
    return 0;
}
