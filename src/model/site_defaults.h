#pragma once
// Loop geometry and the settings of a new site.

#include <cstdint>

constexpr int kLoopAddresses = 192; // loop addresses 1..192
constexpr int kZones = 32;          // zones 1..32
constexpr int kGroups = 32;         // input groups and output groups 1..32

// Creates every setting of a new site that the current store does not hold
// yet (existing settings keep their values), then records the store checksum
// as the loaded checksum and gives it.
uint32_t FillSiteDefaults();
