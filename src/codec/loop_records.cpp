#include "codec/loop_records.h"

#include <cstring>

// Placeholder until the record layout lands.
void LoopRecordEncode(uint8_t* record, int) {
    std::memset(record, 0, kLoopRecordSize);
}

void LoopRecordDecode(const uint8_t*, int) {}
