#pragma once
// The panel's loop data: one 16-byte record per loop address, 192 of them in
// a 3072-byte block.

#include <cstdint>

constexpr int kLoopRecordSize = 16;
constexpr int kLoopBlockSize = 3072;

// Fills the record of loop address n (1..192) from the current store.
void LoopRecordEncode(uint8_t* record, int n);

// Creates the settings of loop address n (1..192) in the current store from
// its record.
void LoopRecordDecode(const uint8_t* record, int n);
