#include "codec/hex_file.h"

#include "model/number_text.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// ':' and the count, offset, type, 255 data bytes and checksum as hex pairs.
constexpr std::size_t kLongestRecord = 1 + 2 * (1 + 2 + 1 + 255 + 1);

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// What the records seen so far have set up.
struct HexReader {
    unsigned char* image;
    std::size_t imageSize;
    uint64_t base = 0; // wide so that base + offset + i never wraps into the image
    bool endSeen = false;
};

std::string Hex2(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFF);
    return text;
}

// Checks one record line (its line end removed) completely and applies it;
// gives what is wrong with it, empty when nothing. A record is ':' then
// count, offset, type, count data bytes and a checksum byte, all as pairs of
// hexadecimal digits, and nothing else.
std::string ReadRecord(HexReader& r, const char* line, std::size_t length) {
    if (length == 0)
        return "an empty line";
    if (line[0] != ':')
        return "does not start with ':'";
    for (std::size_t i = 1; i < length; ++i)
        if (!IsHexDigit(line[i]))
            return "character " + std::to_string(i + 1) + " is not a hexadecimal digit";
    if (length < 11)
        return "too short for a record";
    const uint32_t count = HexField(line + 1, 2);
    if (length != 11 + 2 * std::size_t{count})
        return "the record's count says " + std::to_string(count) + " data bytes, it has " +
               (length < 11 || (length - 11) % 2 ? "an odd number of digits"
                                                 : std::to_string((length - 11) / 2));
    unsigned sum = 0;
    for (std::size_t i = 1; i + 2 < length; i += 2)
        sum += HexField(line + i, 2);
    const unsigned stored = HexField(line + length - 2, 2);
    if (((sum + stored) & 0xFF) != 0)
        return "record checksum " + Hex2(stored) + ", expected " + Hex2(0x100 - (sum & 0xFF));

    const uint32_t offset = HexField(line + 3, 4);
    const uint32_t type = HexField(line + 7, 2);
    const char* data = line + 9;
    switch (type) {
    case 0: {
        if (r.endSeen) // not one whole firmware, so refuse it
            return "a data record after the end-of-file record";
        const uint64_t address = r.base + offset;
        for (uint32_t i = 0; i < count; ++i)
            if (address + i < r.imageSize)
                r.image[address + i] = static_cast<unsigned char>(HexField(data + 2 * i, 2));
        return {};
    }
    case 1:
        r.endSeen = true;
        return {};
    case 2:
    case 4:
        if (count != 2)
            return "an address record without its two bytes";
        r.base = uint64_t{HexField(data, 4)} * (type == 2 ? 16 : 65536);
        return {};
    default: // start addresses and anything else carry nothing for the image
        return {};
    }
}

} // namespace

uint32_t HexField(const char* text, int count) {
    if (!text || count <= 0)
        return 0;
    // A NUL-terminated copy of the field, so the conversion never reads past it.
    std::string field;
    for (int i = 0; i < count && text[i] != '\0'; ++i)
        field += text[i];
    return ParseUnsigned(field.c_str(), 16);
}

int ReadHexFile(const char* path, unsigned char* image, std::size_t imageSize, std::string* fault) {
    if (fault)
        fault->clear();
    if (!image && imageSize != 0)
        return 0;
    std::fill(image, image + imageSize, 0xFF);
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file)
        return 0;

    // Read a line at a time into a buffer that holds the longest possible
    // record and its line end; a longer line cannot be a record. Reading
    // character by character keeps a NUL inside a line part of it.
    HexReader reader{image, imageSize};
    char line[kLongestRecord + 2];
    std::size_t length = 0;
    std::string wrong;
    long lineNumber = 1;
    bool more = true;
    while (wrong.empty() && more) {
        const int c = std::getc(file);
        more = c != EOF;
        if (more && c != '\n') {
            if (length == sizeof line)
                wrong = "longer than any record";
            else
                line[length++] = static_cast<char>(c);
            continue;
        }
        if (!more && length == 0)
            break; // the file ended with its last line's end
        if (length > 0 && line[length - 1] == '\r')
            --length;
        wrong = ReadRecord(reader, line, length);
        length = 0;
        if (wrong.empty())
            ++lineNumber;
    }
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (wrong.empty() && !readError && reader.endSeen)
        return 1;
    if (fault)
        *fault = readError        ? "the file could not be read to its end"
                 : !wrong.empty() ? "line " + std::to_string(lineNumber) + ": " + wrong
                                  : "no end-of-file record";
    // Nothing of a broken file may reach a panel.
    std::fill(image, image + imageSize, 0xFF);
    return 0;
}

namespace {

// Image byte of character i of a text kept in bytes 0 and 1 of each word.
constexpr uint32_t CharacterByte(uint32_t first, int i) {
    return first + 4 * (i / 2) + i % 2;
}

} // namespace

void FirmwareImageVersion(const unsigned char* image, std::size_t imageSize,
                          char raw[kFirmwareVersionChars + 1]) {
    const bool fits =
        image && CharacterByte(kFirmwareVersionByte, kFirmwareVersionChars - 1) < imageSize;
    for (int i = 0; i < kFirmwareVersionChars; ++i)
        raw[i] = fits ? static_cast<char>(image[CharacterByte(kFirmwareVersionByte, i)]) : '\0';
    raw[kFirmwareVersionChars] = '\0';
}

std::string FirmwareImageTypeName(const unsigned char* image, std::size_t imageSize) {
    std::string name;
    if (!image || CharacterByte(kFirmwareTypeByte, kFirmwareTypeChars - 1) >= imageSize)
        return name;
    for (int i = 0; i < kFirmwareTypeChars; ++i) {
        const char c = static_cast<char>(image[CharacterByte(kFirmwareTypeByte, i)]);
        if (c == '\0')
            break;
        name += c;
    }
    return name;
}

std::string FirmwareType(const std::string& typeName) {
    std::string name = typeName.substr(0, typeName.find(' '));
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (name == "M720" || name == "CORALWAVE")
        return name;
    return "Unknown";
}

bool FirmwareTypeKnown(const std::string& typeName) {
    return FirmwareType(typeName) != "Unknown";
}

std::string FirmwareVersionText(const char* raw8) {
    const char text[14] = {raw8[0], '.',     raw8[1], raw8[2], raw8[3], ' ',     '/',
                           ' ',     raw8[4], '.',     raw8[5], raw8[6], raw8[7], '\0'};
    return std::string(text); // a NUL character ends the text, as it would in the store
}

uint32_t FirmwareVersionNumber(const char* raw8) {
    const char first[4] = {raw8[0], raw8[1], raw8[2], '\0'};
    return ParseUnsigned(first, 10);
}
