#include "model/device_types.h"

#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdio>
#include <cstring>

// Code, name, input, output, beacon part, talking, quiescent mA, alarm mA,
// minimum device software version.
const DeviceType kDeviceTypes[kDeviceTypeCount + 1] = {
    {0x01, "HEAT", true, false, false, false, 0.2f, 2.4f, 15},
    {0x21, "OPTICAL", true, false, false, false, 0.2f, 2.4f, 15},
    {0x22, "MULTI", true, false, false, false, 0.4f, 2.53f, 15},
    {0x24, "MULTI-HS", true, false, false, false, 0.45f, 2.58f, 15},
    {0x40, "CALLPOINT", true, false, false, false, 0.5f, 4.5f, 11},
    {0xD0, "OPT-SNDR", true, true, false, false, 0.4f, 9.23f, 15},
    {0xD1, "OPT-SNDBCN", true, true, true, false, 0.55f, 13.5f, 15},
    {0xD2, "OPT-TALK", true, true, false, true, 0.4f, 14.23f, 15},
    {0xD3, "OPT-TLKBCN", true, true, true, true, 0.55f, 12.5f, 15},
    {0xD4, "MLT-SNDR", true, true, false, false, 0.45f, 9.28f, 15},
    {0xD5, "MLT-SNDBCN", true, true, true, false, 0.55f, 13.5f, 15},
    {0xD6, "MLT-TLKBCN", true, true, true, true, 0.55f, 12.5f, 15},
    {0xD7, "HT-SNDR", true, true, false, false, 0.4f, 9.23f, 15},
    {0xD8, "HT-SNDBCN", true, true, true, false, 0.55f, 13.5f, 15},
    {0xD9, "HT-TLKBCN", true, true, true, true, 0.55f, 12.5f, 15},
    {0xDA, "OPT2-SNDR", true, true, false, false, 0.4f, 9.23f, 15},
    {0xDB, "OPT2-BCN", true, true, true, false, 0.4f, 7.53f, 15},
    {0xDC, "OPT-VAD", true, true, true, false, 0.55f, 7.0f, 15},
    {0xDD, "MLT-VAD", true, true, true, false, 0.55f, 7.0f, 15},
    {0x23, "HEAT-ROR", true, false, false, false, 0.35f, 2.62f, 15},
    {0x83, "OUTPUT", false, true, false, false, 0.65f, 5.0f, 31},
    {0xA1, "WALL-VAD", false, true, false, false, 0.7f, 12.5f, 2},
    {0x48, "INPUT", true, false, false, false, 0.65f, 4.0f, 10},
    {0x81, "RELAY", false, true, false, false, 0.6f, 20.0f, 7},
    {0x82, "IO-UNIT", true, true, false, false, 0.55f, 2.2f, 15},
    {0x49, "ZONE-MON", false, false, false, false, 35.0f, 40.0f, 25},
    {0x85, "SNDR-CTRL", false, true, false, false, 0.87f, 6.8f, 28},
    {0x87, "SOUNDER", false, true, false, false, 0.58f, 1.5f, 8},
    {0x88, "SNDR-HI", false, true, false, false, 0.6f, 10.0f, 4},
    {0x86, "SNDR-BASE", false, true, false, false, 0.58f, 1.5f, 8},
    {0x9E, "CEIL-VAD", false, true, false, false, 0.8f, 5.0f, 1},
    {0x41, "CALLPOINT2", true, false, false, false, 0.5f, 4.5f, 5},
    {0xC3, "IO-MULTI", true, true, false, false, 2.0f, 4.0f, 9},
    {0xC4, "IF16-A", true, true, false, false, 7.0f, 7.0f, 26},
    {0xC5, "IF16-B", true, true, false, false, 7.0f, 7.0f, 7},
    {0xC6, "IF16-C", true, true, false, false, 7.0f, 7.0f, 7},
    {0x47, "LOOP-IF", false, false, false, false, 6.5f, 6.5f, 8},
    {0x90, "IO-MINI", true, true, false, false, 1.35f, 5.0f, 2},
    {0x8A, "SNDR-EXT", false, true, false, false, 2.5f, 4.0f, 2},
    {0x43, "BEAM", false, false, false, false, 6.5f, 6.5f, 9},
    {0xCD, "PSU-MON", false, true, false, false, 5.0f, 5.0f, 6},
    {0xC8, "HORN", true, true, false, false, 0.7f, 67.0f, 1},
    {0x30, "SWITCH", true, true, false, false, 1.0f, 1.0f, 1},
    {0x91, "IO-2", true, true, false, false, 0.9f, 9.0f, 1},
    {0xC2, "CONV-ZONE", true, true, false, false, 4.3f, 73.0f, 1},
    {0xCA, "CONV-ZONE2", true, true, false, false, 5.3f, 87.5f, 1},
    {0xC9, "TECH-IN", true, true, false, false, 0.3f, 0.3f, 1},
    {0xA4, "VAD-SNDR", true, true, false, false, 0.8f, 7.5f, 20},
    {0xA5, "VAD-TALK", true, true, false, true, 0.6f, 13.5f, 20},
    {0xA3, "TALK-SNDR", false, true, false, true, 0.45f, 14.42f, 1},
    {0x33, "IN-UNIT", true, false, false, false, 0.9f, 9.0f, 1},
    {0xCE, "SPUR-MON", true, false, false, false, 7.0f, 7.0f, 1},
    {0xC0, "IO-UNIT2", true, true, false, false, 0.9f, 9.0f, 1},
    {0x00, nullptr, false, false, false, false, 0.0f, 0.0f, 0},
};

const DeviceType* FindDeviceType(uint8_t code) {
    for (const DeviceType* t = kDeviceTypes; t->code != 0; ++t)
        if (t->code == code)
            return t;
    return nullptr;
}

const char* DeviceTypeName(uint8_t code) {
    if (const DeviceType* t = FindDeviceType(code))
        return t->name;
    thread_local char unknown[4];
    std::snprintf(unknown, sizeof unknown, "%02X", code);
    return unknown;
}

namespace {

struct SensModeMask {
    uint8_t code;
    uint8_t mask;
};

constexpr uint8_t kOBE = 0b0001110;  // Office, Bedroom, Enhanced
constexpr uint8_t kOE = 0b0001010;   // Office, Enhanced
constexpr uint8_t kOBEN = 0b0011110; // ... and No Op
constexpr uint8_t kOBEP = 0b0101110; // ... and Prison

constexpr SensModeMask kSensModeMasks[] = {
    {1, kOBE},    {33, kOE},    {218, kOE},   {34, kOBEN},  {208, kOBEN},
    {209, kOBEN}, {210, kOBEN}, {211, kOBEN}, {220, kOBEN}, {35, kOBE},
    {215, kOBE},  {216, kOBE},  {217, kOBE},  {219, kOBE},  {36, kOBEP},
    {212, kOBEP}, {213, kOBEP}, {214, kOBEP}, {221, kOBEP},
};

constexpr const char* kSensModeNames[] = {"None",     "Office", "Bedroom",
                                          "Enhanced", "No Op",  "Prison"};

constexpr const char* kClassNames[kClassCount] = {
    "Automatic", "Manual",          "Silence",          "Reset", "Sound Alarms", "Accept",
    "I Reset",   "Technical Alarm", "Invisible Switch",
};

constexpr const char* kCeilingCoverage[] = {"C-3-7.5", "C-3-5", "C-3-3"};
constexpr const char* kWallCoverage[] = {"W-2.4-7.5", "W-2.4-5", "W-2.4-3"};
constexpr uint8_t kCeilingVadTypes[] = {158, 209, 211, 213, 214, 216, 217, 220, 221};
constexpr uint8_t kWallVadTypes[] = {161, 164, 165};

template <size_t N> bool Contains(const uint8_t (&codes)[N], uint8_t code) {
    for (uint8_t c : codes)
        if (c == code)
            return true;
    return false;
}

} // namespace

uint8_t AllowedSensModes(uint8_t code) {
    for (const SensModeMask& m : kSensModeMasks)
        if (m.code == code)
            return m.mask;
    return 0;
}

void NextSensMode(char* value, uint8_t code) {
    uint8_t mask = AllowedSensModes(code);
    if (mask == 0) {
        std::strcpy(value, "0");
        return;
    }
    uint32_t m = ParseUnsigned(value, 10);
    // Step m+1, m+2, ... wrapping from 5 to 0, at most once round.
    uint32_t k = m;
    for (int step = 0; step < 6; ++step) {
        k = k >= 5 ? 0 : k + 1;
        if (k == m)
            return; // back where it started: the value stays
        if (mask & (1u << k)) {
            value[0] = static_cast<char>('0' + k);
            value[1] = '\0';
            return;
        }
    }
}

int FindAddressBySerial(const char* serial) {
    char name[32];
    for (int a = 1; a <= kLoopAddresses; ++a) {
        std::snprintf(name, sizeof name, "SNum_%d", a);
        const char* value = SettingGet(name);
        if (value && std::strcmp(value, serial) == 0)
            return a;
    }
    return 0;
}

const char* SensModeName(const char* value) {
    if (!value)
        return "?!?!?!";
    if (value[0] >= '0' && value[0] <= '5')
        return kSensModeNames[value[0] - '0'];
    return value;
}

const char* ClassName(uint32_t classNumber) {
    return classNumber < kClassCount ? kClassNames[classNumber] : "Unknown";
}

const char* AlarmTypeName(const char* value) {
    if (value && value[0] == '0')
        return "Alarm";
    if (value && value[0] == '1')
        return "Control";
    return value;
}

const char* CoverageName(uint8_t code, uint32_t coverage) {
    if (coverage > 2)
        return nullptr;
    if (Contains(kCeilingVadTypes, code))
        return kCeilingCoverage[coverage];
    if (Contains(kWallVadTypes, code))
        return kWallCoverage[coverage];
    return nullptr;
}

const char* VolumeName(const char* value) {
    if (!value)
        return nullptr;
    switch (ParseUnsigned(value, 10)) {
    case 2:
        return "Low";
    case 4:
        return "Medium";
    case 15:
        return "High";
    default:
        return value;
    }
}
