#pragma once
// The one checksum the panel uses for every block it exchanges (site image,
// loop block, ...): 0x5A5A minus the sum of the little-endian 16-bit words.

#include <cstddef>
#include <cstdint>

// An odd trailing byte counts as a word with a zero high byte.
uint16_t BlockChecksum(const uint8_t* data, size_t size);
