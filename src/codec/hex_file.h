#pragma once
// Firmware files: Intel HEX read into a firmware image, and the type and
// version that the image carries.
//
// The image is indexed by the file's byte address. Program memory word a
// occupies image bytes 2a to 2a + 3, so the image covers the addresses 0 up
// to kFirmwareImageSize / 2.

#include "codec/panel_memory.h"

#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::size_t kFirmwareImageSize = 2 * std::size_t{kProgramMemoryEnd}; // 0x55000
constexpr uint32_t kFirmwareRegionByte = 2 * kFirmwareAddress;
constexpr uint32_t kFirmwareChecksumByte = 2 * kFirmwareChecksumAddress; // high byte, then low
constexpr uint32_t kFirmwareVersionByte = 2 * kFirmwareVersionAddress;   // 2 characters per word
constexpr uint32_t kFirmwareTypeByte = 2 * kFirmwareTypeAddress;
constexpr int kFirmwareVersionChars = 8;
constexpr int kFirmwareTypeChars = 10;

// The value of the first count hexadecimal characters of text, read as the
// standard unsigned conversion with base 16 reads them (it stops at a NUL).
uint32_t HexField(const char* text, int count);

// Fills the image with 0xFF and reads the Intel HEX file into it: data
// records, extended segment and extended linear address records; bytes at or
// beyond imageSize are dropped. Gives 1 when the whole file was read.
// Gives 0, with the image left all 0xFF, when the file cannot be opened or
// any record is malformed: a line not starting with ':' (an empty line too),
// characters that are not hexadecimal digits, a record shorter or longer than
// its count, a wrong record checksum, an address record without its two
// bytes, no end-of-file record, or a data record after it. When fault is
// given it receives what was wrong ("line 7: record checksum 0x3C, expected
// 0x3D"; empty when the file could not be opened).
int ReadHexFile(const char* path, unsigned char* image, std::size_t imageSize,
                std::string* fault = nullptr);

// The 8 raw version characters stored in the image, NUL-terminated (as
// ReadFirmwareVersion gives the panel's; all NUL when the image is too small).
void FirmwareImageVersion(const unsigned char* image, std::size_t imageSize,
                          char raw[kFirmwareVersionChars + 1]);
// The stored type name, cut at a NUL; empty when the image is too small.
std::string FirmwareImageTypeName(const unsigned char* image, std::size_t imageSize);

// The firmware type of a stored type name: cut at its first blank and turned
// to upper case it must be "M720" or "CORALWAVE"; otherwise "Unknown".
std::string FirmwareType(const std::string& typeName);
bool FirmwareTypeKnown(const std::string& typeName);

// True when writing a file of this version number (FirmwareVersionNumber)
// asks the downgrade question.
inline bool FirmwareIsDowngrade(uint32_t fileVersion, uint32_t panelVersion) {
    return fileVersion < panelVersion;
}

// "12345678" -> "1.234 / 5.678" (stops at a NUL like the text it is kept in).
std::string FirmwareVersionText(const char* raw8);
// The decimal value of the first three version characters.
uint32_t FirmwareVersionNumber(const char* raw8);
