#pragma once
// The loop device type table and the name tables of stored codes.

#include <cstdint>

struct DeviceType {
    uint8_t code; // 0 ends the table
    const char* name;
    bool input;
    bool output;
    bool beaconPart;
    bool talking;
    float quiescentMilliamps;
    float alarmMilliamps;
    uint8_t minimumVersion;
};

constexpr int kDeviceTypeCount = 53;
extern const DeviceType kDeviceTypes[kDeviceTypeCount + 1]; // ended by code 0

// The first row with that code, or nullptr.
const DeviceType* FindDeviceType(uint8_t code);

// The row's name, or the code as "%02X" in a shared buffer that the next
// call overwrites.
const char* DeviceTypeName(uint8_t code);

// Bit k set: sensitivity mode k is allowed for the type (mode 0 never is).
uint8_t AllowedSensModes(uint8_t code);

// Replaces the one-character mode value in place by the next mode that the
// type allows; "0" for a type without modes.
void NextSensMode(char* value, uint8_t code);

// Lowest address 1..192 whose SNum_%d equals the text exactly; 0 for none.
int FindAddressBySerial(const char* serial);

// Display names of stored values.
const char* SensModeName(const char* value); // nullptr (missing) gives "?!?!?!"
const char* ClassName(uint32_t classNumber);
const char* AlarmTypeName(const char* value);
const char* CoverageName(uint8_t code, uint32_t coverage); // nullptr: none
// "Low", "Medium" or "High" for the stored numbers 2, 4 and 15; any other
// value as it is stored; nullptr (missing) gives nullptr.
const char* VolumeName(const char* value);

constexpr int kClassCount = 9; // classes 0..8
