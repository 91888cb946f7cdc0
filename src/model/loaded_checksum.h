#pragma once
// The store checksum recorded after New, Load, Save, the defaults and a
// decode from the panel; the desktop compares against it to tell whether the
// site has unsaved changes.

#include <cstdint>

uint32_t LoadedChecksum();
void SetLoadedChecksum(uint32_t checksum);
