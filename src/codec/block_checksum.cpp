#include "codec/block_checksum.h"

uint16_t BlockChecksum(const uint8_t* data, size_t size) {
    uint16_t sum = 0;
    size_t i = 0;
    for (; i + 1 < size; i += 2)
        sum = static_cast<uint16_t>(sum + (data[i] | (data[i + 1] << 8)));
    if (i < size)
        sum = static_cast<uint16_t>(sum + data[i]);
    return static_cast<uint16_t>(0x5A5A - sum);
}
