#include "codec/site_image.h"

#include "codec/block_checksum.h"
#include "codec/site_image_layout.h"
#include "codec/time_text.h"
#include "model/loaded_checksum.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdio>
#include <cstring>

namespace {

using namespace site_image_layout;

// ---- little-endian access

uint32_t Read16(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}
uint32_t Read32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void Write16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Write32(uint8_t* p, uint32_t v) {
    Write16(p, v);
    Write16(p + 2, v >> 16);
}

// ---- 2-bit fields: the first of the 16 in a word holds the top two bits

int PairShift(int index) {
    return 30 - 2 * (index % 16);
}
int MatrixWord(int input, int output) {
    return kMatrix + 4 * (2 * (input - 1) + (output - 1) / 16);
}
int AlarmTypeWord(int zone) {
    return kAlarmType + 4 * ((zone - 1) / 16);
}

// ---- names

struct Name {
    char text[kSettingNameSize];
};
Name Numbered(const char* pattern, int a, int b = 0) {
    Name name;
    FormatNumberedName(name.text, sizeof name.text, pattern, a, b);
    return name;
}

// ---- decoding

void Create(const char* name, const char* value) {
    SettingSet(name, value);
}

void CreateNumber(const char* name, unsigned value) {
    char text[16];
    FormatUnsigned(text, value);
    Create(name, text);
}

void CreateByte(const uint8_t* image, const ByteField& field) {
    CreateNumber(field.name, image[field.offset]);
}

void CreateFiveSeconds(const char* name, uint8_t units, int max) {
    char text[16];
    FormatFiveSeconds(text, sizeof text, units, max);
    Create(name, text);
}

void CreateHalfSeconds(const char* name, uint8_t halves) {
    char text[16];
    FormatHalfSeconds(text, sizeof text, halves);
    Create(name, text);
}

void CreateClock(const char* name, const uint8_t* at) {
    char text[16];
    FormatClock(text, sizeof text, at[0], at[1]);
    Create(name, text);
}

void CreateSlotText(const char* name, const uint8_t* slot) {
    char text[kTextLength + 1] = {};
    std::memcpy(text, slot, strnlen(reinterpret_cast<const char*>(slot), kTextLength));
    Create(name, text);
}

void CreateCode(const char* name, const uint8_t* field) {
    // '0' + byte for any byte, as the panel PC does; a byte of 208 gives the
    // character 0 and so ends the text there.
    char text[kCodeLength + 1] = {};
    for (int i = 0; i < kCodeLength; ++i)
        text[i] = static_cast<char>('0' + field[kCodeLength - 1 - i]);
    Create(name, text);
}

void CreateSiteDetail(const uint8_t* image, const TextField& field) {
    // A field is a NUL-terminated text from its offset; a hostile image whose
    // field lacks the NUL runs on into the next fields, never past the block.
    const int start = kSiteDetails + field.offset;
    const char* text = reinterpret_cast<const char*>(image + start);
    size_t length = strnlen(text, static_cast<size_t>(kSiteDetailsEnd - start));
    char value[kSettingValueSize] = {};
    std::memcpy(value, text, length); // the block is 503 bytes: always fits
    Create(field.name, value);
}

// Creates the settings from a version-2 layout, in the panel's order.
void DecodeLayout(const uint8_t* image) {
    char text[32];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(Read32(image + kPanelSnum)));
    Create("PanelSnum", text);
    CreateByte(image, kPanelType);
    CreateByte(image, kOverlayType);
    CreateByte(image, kMaxLoggedDev);
    CreateByte(image, kNumZones);
    CreateByte(image, kLanguage);
    CreateNumber("SFRevision", Read16(image + kVersion));
    CreateNumber("ContractorCode", Read16(image + kContractorCode));
    CreateFiveSeconds(kFirstKnockSearchTime.name, image[kFirstKnockSearchTime.offset],
                      kFiveSecondMax);
    for (int o = 1; o <= kGroups; ++o) {
        CreateFiveSeconds(Numbered("OutputDelay_%d", o).text, image[kOutputDelay + o - 1],
                          kFiveSecondMax);
        CreateFiveSeconds(Numbered("OutputDelayT2_%d", o).text, image[kOutputDelayT2 + o - 1],
                          kFiveSecondMaxT2);
    }
    for (int i = 1; i <= kBannerSlots; ++i)
        CreateSlotText(Numbered("BannerText_%d", i).text,
                       image + kBannerText + kTextSlot * (i - 1));
    for (int n = 1; n <= kLoopAddresses; ++n)
        CreateSlotText(Numbered("DeviceText_%d", n).text,
                       image + kDeviceText + kTextSlot * (n - 1));
    for (int z = 1; z <= kZones; ++z)
        CreateSlotText(Numbered("ZoneText_%d", z).text, image + kZoneText + kTextSlot * (z - 1));
    CreateHalfSeconds("PulseOnTime", image[kPulseOnTime]);
    CreateHalfSeconds("PulseOffTime", image[kPulseOffTime]);
    CreateFiveSeconds(kFireLinkDelay.name, image[kFireLinkDelay.offset], kFiveSecondMax);
    CreateByte(image, kCoincidenceInputGroups);
    uint8_t flashRate = image[kBeaconFlashrate];
    CreateNumber("BeaconFlashrate", flashRate > kMaxFlashRate ? kMaxFlashRate : flashRate);
    CreateByte(image, kFaultRelayMode);
    CreateByte(image, kFireRelayMode);
    CreateByte(image, kWalkTestTimeout);
    for (int z = 1; z <= kZones; ++z)
        CreateNumber(Numbered("AlarmType_%d", z).text,
                     (Read32(image + AlarmTypeWord(z)) >> PairShift(z - 1)) & 3);
    for (int g = 1; g <= kGroups; ++g) {
        for (int o = 1; o <= kGroups; ++o) {
            char cell[2] = {
                kMatrixCodes[(Read32(image + MatrixWord(g, o)) >> PairShift(o - 1)) & 3], 0};
            Create(Numbered("Matrix_%d_%d", g, o).text, cell);
        }
    }
    for (const AccessCode& code : kAccessCodes)
        CreateCode(code.name, image + code.offset);
    CreateClock("DayNightOnTime", image + kDayNightOn);
    CreateClock("DayNightOffTime", image + kDayNightOff);
    CreateByte(image, kTalkingSndSyncTime);
    CreateByte(image, kServiceReminderDays);
    CreateFiveSeconds(kSearchTime.name, image[kSearchTime.offset], kFiveSecondMax);
    CreateFiveSeconds(kPulsingAlarmTimeoutTime.name, image[kPulsingAlarmTimeoutTime.offset],
                      kFiveSecondMax);
    CreateByte(image, kPulsingAlarmTimeoutTone);
    CreateNumber("DisplayMode", (image[kOptionsA] >> kDisplayModeShift) & 3);
    for (const FlagBit& flag : kFlags)
        SettingSetFlag(flag.name, (image[flag.offset] >> flag.bit) & 1);
    std::snprintf(text, sizeof text, "%ld",
                  static_cast<long>(static_cast<int32_t>(Read32(image + kDisabledOPGroups))));
    Create("DisabledOPGroups", text);
    for (const TextField& field : kSiteDetailFields)
        CreateSiteDetail(image, field);
    CreateByte(image, kConvAlarmOpGroup);
}

// ---- encoding

uint32_t Number(const char* name) {
    return SettingGetInt(name);
}

void PutSlotText(uint8_t* slot, const char* name) {
    // Exactly 20 characters: a shorter text is blank-padded on the left, a
    // longer one cut; no setting gives 20 blanks. The 21st byte stays NUL.
    const char* text = SettingGet(name);
    size_t length = text ? strnlen(text, kTextLength) : 0;
    size_t pad = kTextLength - length;
    std::memset(slot, ' ', pad);
    if (length)
        std::memcpy(slot + pad, text, length);
}

void PutCode(uint8_t* field, const char* name) {
    const char* text = SettingGet(name);
    if (!text)
        return; // the field stays zero
    // A text shorter than six characters stores 0 for each missing digit.
    for (int i = 0; i < kCodeLength && text[i]; ++i)
        field[kCodeLength - 1 - i] = static_cast<uint8_t>(text[i] - '0');
}

void PutSiteDetail(uint8_t* block, const TextField& field) {
    // Created empty when missing, as the panel expects every detail to exist.
    const char* text = SettingSet(field.name, "");
    size_t length = text ? strnlen(text, static_cast<size_t>(field.size - 1)) : 0;
    if (length)
        std::memcpy(block + field.offset, text, length); // the rest stays NUL
}

void EncodeLayout(uint8_t* image) {
    std::memset(image, 0, kSiteImageSize);
    Write16(image + kVersion, Number("SFRevision"));
    const char* serial = SettingGet("PanelSnum");
    Write32(image + kPanelSnum, serial ? ParseUnsigned(serial, 16) : 0);
    Write16(image + kContractorCode, Number("ContractorCode"));
    for (const ByteField& field : kPlainBytes)
        image[field.offset] = static_cast<uint8_t>(Number(field.name));

    for (int g = 1; g <= kGroups; ++g) {
        for (int o = 1; o <= kGroups; ++o) {
            const char* cell = SettingGet(Numbered("Matrix_%d_%d", g, o).text);
            uint32_t code = 0;
            for (uint32_t c = 0; cell && c < 4; ++c)
                if (cell[0] == kMatrixCodes[c])
                    code = c;
            uint8_t* word = image + MatrixWord(g, o);
            Write32(word, Read32(word) | code << PairShift(o - 1));
        }
    }
    for (int z = 1; z <= kZones; ++z) {
        uint8_t* word = image + AlarmTypeWord(z);
        uint32_t type = Number(Numbered("AlarmType_%d", z).text) % 4;
        Write32(word, Read32(word) | type << PairShift(z - 1));
    }

    for (int o = 1; o <= kGroups; ++o) {
        image[kOutputDelay + o - 1] =
            EncodeFiveSeconds(SettingGet(Numbered("OutputDelay_%d", o).text));
        image[kOutputDelayT2 + o - 1] =
            EncodeFiveSeconds(SettingGet(Numbered("OutputDelayT2_%d", o).text));
    }
    for (const ByteField& field : kFiveSecondTimes)
        image[field.offset] = EncodeFiveSeconds(SettingGet(field.name));
    image[kPulseOnTime] = EncodeHalfSeconds(SettingGet("PulseOnTime"));
    image[kPulseOffTime] = EncodeHalfSeconds(SettingGet("PulseOffTime"));
    EncodeClock(SettingGet("DayNightOnTime"), image + kDayNightOn, image + kDayNightOn + 1);
    EncodeClock(SettingGet("DayNightOffTime"), image + kDayNightOff, image + kDayNightOff + 1);

    for (int i = 1; i <= kBannerSlots; ++i)
        PutSlotText(image + kBannerText + kTextSlot * (i - 1), Numbered("BannerText_%d", i).text);
    for (int n = 1; n <= kLoopAddresses; ++n)
        PutSlotText(image + kDeviceText + kTextSlot * (n - 1), Numbered("DeviceText_%d", n).text);
    for (int z = 1; z <= kZones; ++z)
        PutSlotText(image + kZoneText + kTextSlot * (z - 1), Numbered("ZoneText_%d", z).text);

    Write32(image + kDisabledOPGroups, Number("DisabledOPGroups"));
    for (const AccessCode& code : kAccessCodes)
        PutCode(image + code.offset, code.name);

    for (const FlagBit& flag : kFlags)
        if (Number(flag.name) != 0)
            image[flag.offset] |= static_cast<uint8_t>(1u << flag.bit);
    image[kOptionsA] |= static_cast<uint8_t>((Number("DisplayMode") % 4) << kDisplayModeShift);

    for (const TextField& field : kSiteDetailFields)
        PutSiteDetail(image + kSiteDetails, field);
}

SettingsStore g_fallbackStore; // only when no store is current: there is always one in practice

// The version-2 layout of an image; false for an unsupported version.
bool Version2Layout(const uint8_t* image, uint8_t* layout) {
    uint32_t version = SiteImageVersion(image);
    if (!SiteImageVersionKnown(version))
        return false;
    if (version == 2) {
        std::memcpy(layout, image, kSiteImageSize);
    } else if (version == 1) {
        // Version 1 lacks the second user code: open its six bytes (as zero,
        // so it reads "000000") and move everything behind it up.
        std::memset(layout, 0, kSiteImageSize);
        std::memcpy(layout, image, kUserCode2);
        std::memcpy(layout + kUserCode2 + kV1Shift, image + kUserCode2,
                    kSiteImageSize - kUserCode2 - kV1Shift);
    }
    return true;
}

} // namespace

uint32_t SiteImageVersion(const uint8_t* image) {
    return Read16(image + kVersion);
}

int SiteImageCheckValue(const uint8_t* image, uint16_t* checkValue) {
    uint8_t layout[kSiteImageSize];
    if (!image || !Version2Layout(image, layout))
        return 0;
    *checkValue = BlockChecksum(layout, kSiteImageSize);
    return static_cast<int>(SiteImageVersion(image));
}

int SiteImageDecode(const uint8_t* image) {
    if (!image)
        return 0;
    uint8_t layout[kSiteImageSize];
    if (!Version2Layout(image, layout))
        return 0;
    SettingsStore* store = StoreSelect(nullptr);
    if (!store)
        store = &g_fallbackStore;
    StoreFree(store);
    StoreInit(store);
    DecodeLayout(layout);
    SetLoadedChecksum(StoreChecksum());
    return 1;
}

uint16_t SiteImageEncode(uint8_t* image) {
    uint8_t layout[kSiteImageSize];
    EncodeLayout(layout);
    // The checksum is always that of the version-2 layout, also when the
    // panel gets the version-1 layout.
    uint16_t checksum = BlockChecksum(layout, kSiteImageSize);
    if (!image)
        return checksum; // only the checksum was wanted
    if (Read16(layout + kVersion) == 1) {
        std::memcpy(image, layout, kUserCode2);
        std::memcpy(image + kUserCode2, layout + kUserCode2 + kV1Shift,
                    kSiteImageSize - kUserCode2 - kV1Shift);
        std::memset(image + kSiteImageSize - kV1Shift, 0, kV1Shift);
    } else {
        std::memcpy(image, layout, kSiteImageSize);
    }
    return checksum;
}
