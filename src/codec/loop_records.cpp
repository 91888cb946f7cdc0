#include "codec/loop_records.h"

#include "codec/loop_record_layout.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

using namespace loop_record_layout;

struct Name {
    char text[kSettingNameSize];
};
Name Numbered(const char* pattern, int n) {
    Name name;
    FormatNumberedName(name.text, sizeof name.text, pattern, n);
    return name;
}

uint32_t Number(const char* pattern, int n) {
    return SettingGetInt(Numbered(pattern, n).text);
}

// Every value of a decoded record replaces what the address held before, so
// the address's settings always tell what the record says.
void PutText(const char* pattern, int n, const char* text) {
    SettingPut(Numbered(pattern, n).text, text);
}
void Put(const char* pattern, int n, unsigned value) {
    char text[16];
    FormatUnsigned(text, value);
    PutText(pattern, n, text);
}

bool ValidAddress(int n) {
    return n >= 1 && n <= kLoopAddresses;
}

} // namespace

void LoopRecordEncode(uint8_t* record, int n) {
    if (!record)
        return;
    std::memset(record, 0, kLoopRecordSize);
    if (!ValidAddress(n))
        return; // no settings belong to such an address: an empty record
    const char* serialText = SettingGet(Numbered(kSerialPattern, n).text);
    uint32_t serial = serialText ? ParseUnsigned(serialText, 16) : 0;
    for (int i = 0; i < 4; ++i)
        record[kSerial + i] = static_cast<uint8_t>(serial >> (8 * i));
    record[kOwnAddress] = serial ? static_cast<uint8_t>(n) : 0;
    for (const ByteField& field : kByteFields)
        record[field.offset] = static_cast<uint8_t>(Number(field.pattern, n));
    record[kSensitivity] =
        static_cast<uint8_t>(Number("Sens1_%d", n) % 16 | (Number("Sens2_%d", n) % 16) << 4);
    record[kClassVolume] =
        static_cast<uint8_t>(Number("Class_%d", n) % 16 | (Number("Volume_%d", n) % 16) << 4);
    // Non-latching is the setting's existence, whatever its value.
    bool nonLatching = SettingGet(Numbered("NonLatching_%d", n).text) != nullptr;
    record[kOptions] =
        static_cast<uint8_t>((nonLatching ? 1 : 0) | (Number(kCoveragePattern, n) % 4) << 1);
}

void LoopRecordDecode(const uint8_t* record, int n) {
    if (!record || !ValidAddress(n))
        return;
    uint32_t serial = record[kSerial] | record[kSerial + 1] << 8 | record[kSerial + 2] << 16 |
                      static_cast<uint32_t>(record[kSerial + 3]) << 24;
    char serialText[16];
    std::snprintf(serialText, sizeof serialText, "%06X", serial);
    PutText(kSerialPattern, n, serialText);
    for (const ByteField& field : {kTypeField, kVersionField, kOPGroupField, kIPGroupField,
                                   kDisplayGroupField, kMapNodeField})
        Put(field.pattern, n, record[field.offset]);
    Put("Sens1_%d", n, record[kSensitivity] & 0x0F);
    Put("Sens2_%d", n, record[kSensitivity] >> 4);
    Put("Class_%d", n, record[kClassVolume] & 0x0F);
    Put("Volume_%d", n, record[kClassVolume] >> 4);
    for (const ByteField& field : {kZoneField, kRptGroupField})
        Put(field.pattern, n, record[field.offset]);
    // Byte 14 (the record's own address) is not read back.
    Name nonLatching = Numbered("NonLatching_%d", n);
    if (record[kOptions] & 1)
        SettingPut(nonLatching.text, "1");
    else
        SettingDelete(nonLatching.text); // a latching device has no such setting
    Put(kCoveragePattern, n, (record[kOptions] >> 1) & 3);
}
