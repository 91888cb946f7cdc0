#include "model/loaded_checksum.h"

#include <atomic>

namespace {
// A job thread records it after a decode while the desktop may read it.
std::atomic<uint32_t> g_loadedChecksum{0};
} // namespace

uint32_t LoadedChecksum() {
    return g_loadedChecksum.load();
}
void SetLoadedChecksum(uint32_t checksum) {
    g_loadedChecksum.store(checksum);
}
