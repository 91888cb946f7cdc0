#pragma once
// Where each per-address setting lies in a 16-byte loop data record. The
// loop codec and the rules that check a value before it is stored
// (setting_rules) both read these tables.

namespace loop_record_layout {

inline constexpr int kSerial = 0;
inline constexpr int kSensitivity = 9;  // day mode low nibble, night mode high nibble
inline constexpr int kClassVolume = 10; // class low nibble, volume high nibble
inline constexpr int kOwnAddress = 14;
inline constexpr int kOptions = 15; // bit 0 non-latching, bits 1 and 2 coverage

struct ByteField {
    const char* pattern;
    int offset;
};
// Whole-byte fields.
inline constexpr ByteField kTypeField{"Type_%d", 4};
inline constexpr ByteField kVersionField{"Version_%d", 5};
inline constexpr ByteField kOPGroupField{"OPGroup_%d", 6};
inline constexpr ByteField kIPGroupField{"IPGroup_%d", 7};
inline constexpr ByteField kDisplayGroupField{"DisplayGroup_%d", 13};
inline constexpr ByteField kMapNodeField{"MapNode_%d", 8};
inline constexpr ByteField kZoneField{"Zone_%d", 11};
inline constexpr ByteField kRptGroupField{"RptGroup_%d", 12};
inline constexpr ByteField kByteFields[] = {kTypeField,    kVersionField,      kOPGroupField,
                                            kIPGroupField, kDisplayGroupField, kMapNodeField,
                                            kZoneField,    kRptGroupField};

// Nibble fields: day and night sensitivity share byte 9, class and volume
// byte 10; the coverage is two bits of the options byte.
struct NibbleField {
    const char* pattern;
};
inline constexpr NibbleField kNibbleFields[] = {
    {"Sens1_%d"}, {"Sens2_%d"}, {"Class_%d"}, {"Volume_%d"}};
inline constexpr int kNibbleMax = 15;
inline constexpr char kCoveragePattern[] = "Coverage_%d";
inline constexpr int kCoverageMax = 3;
inline constexpr char kSerialPattern[] = "SNum_%d";

} // namespace loop_record_layout
