#pragma once
// Where things lie in the panel's memory: the program memory regions of site
// data, loop data and firmware, and the log memory's fields. Shared by the
// panel formats (codec), the protocol, the simulator and the jobs.

#include <cstdint>

// Program memory (word addresses, 2 units per word, pages of 1024 units).
constexpr uint32_t kPageSize = 1024;
constexpr uint32_t kLoopDataAddress = 0x1800;
constexpr uint32_t kSiteDataAddress = 0x2400;
constexpr uint32_t kIdentityAddress = 0x2402;
constexpr uint16_t kIdentitySize = 9;
constexpr uint32_t kFirmwareAddress = 0x5000;
constexpr uint32_t kFirmwareChecksumAddress = 0x5110;
constexpr uint32_t kFirmwareVersionAddress = 0x5112;
constexpr uint32_t kFirmwareTypeAddress = 0x511A;
constexpr uint32_t kProgramMemoryEnd = 0x2A800; // what a 0x55000-byte image covers

// Log memory (byte addresses).
constexpr int kLogSize = 8192;
constexpr uint32_t kLogFireEvents = 0x0008;
constexpr uint32_t kLogNonFireEvents = 0x0968;
constexpr uint32_t kLogSiteChecksum = 0x1FF4;
constexpr uint32_t kLogLoopChecksum = 0x1FF6;
constexpr uint32_t kLogAlarmCount = 0x1FF8;
constexpr uint32_t kLogFireCount = 0x1FFA;
constexpr uint32_t kLogNonFireCount = 0x1FFC;
