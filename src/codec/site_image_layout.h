#pragma once
// Where each setting lies in the site data image (version-2 layout) and how
// large its field is. The image codec and the rules that check a value
// before it is stored (setting_rules) both read these tables, so a field's
// size is written down once.

namespace site_image_layout {

// Offsets in the version-2 layout.
inline constexpr int kVersion = 0;
inline constexpr int kPanelSnum = 2;
inline constexpr int kContractorCode = 12;
inline constexpr int kMatrix = 14;
inline constexpr int kOutputDelay = 270;
inline constexpr int kOutputDelayT2 = 302;
inline constexpr int kBannerText = 334;
inline constexpr int kDeviceText = 418;
inline constexpr int kZoneText = 4450;
inline constexpr int kAlarmType = 5122;
inline constexpr int kDisabledOPGroups = 5130;
inline constexpr int kUserCode2 = 5141; // the six bytes that version 1 lacks
inline constexpr int kDayNightOn = 5208;
inline constexpr int kDayNightOff = 5210;
inline constexpr int kPulseOnTime = 5212;
inline constexpr int kPulseOffTime = 5213;
inline constexpr int kBeaconFlashrate = 5224;
inline constexpr int kOptionsA = 5226;
inline constexpr int kSiteDetails = 5230;
inline constexpr int kSiteDetailsEnd = 5733;

inline constexpr int kTextSlot = 21;
inline constexpr int kTextLength = 20;
inline constexpr int kCodeLength = 6;
inline constexpr int kBannerSlots = 4;
inline constexpr int kV1Shift = 6;

inline constexpr int kFiveSecondMax = 120;
inline constexpr int kFiveSecondMaxT2 = 240;
inline constexpr int kMaxFlashRate = 2;

struct ByteField {
    const char* name;
    int offset;
};

// Plain byte fields: the setting's decimal number.
inline constexpr ByteField kPanelType{"PanelType", 6};
inline constexpr ByteField kNumZones{"NumZones", 7};
inline constexpr ByteField kMaxLoggedDev{"MaxLoggedDev", 8};
inline constexpr ByteField kOverlayType{"OverlayType", 9};
inline constexpr ByteField kLanguage{"Language", 10};
inline constexpr ByteField kServiceReminderDays{"ServiceReminderDays", 11};
inline constexpr ByteField kConvAlarmOpGroup{"ConvAlarmOpGroup", 5134};
inline constexpr ByteField kTalkingSndSyncTime{"TalkingSndSyncTime", 5207};
inline constexpr ByteField kCoincidenceInputGroups{"CoincidenceInputGroups", 5215};
inline constexpr ByteField kFaultRelayMode{"FaultRelayMode", 5218};
inline constexpr ByteField kFireRelayMode{"FireRelayMode", 5219};
inline constexpr ByteField kWalkTestTimeout{"WalkTestTimeout", 5220};
inline constexpr ByteField kPulsingAlarmTimeoutTone{"PulsingAlarmTimeoutTone", 5221};
inline constexpr ByteField kPlainBytes[] = {
    kPanelType,
    kNumZones,
    kMaxLoggedDev,
    kOverlayType,
    kLanguage,
    kServiceReminderDays,
    kConvAlarmOpGroup,
    kTalkingSndSyncTime,
    kCoincidenceInputGroups,
    kFaultRelayMode,
    kFireRelayMode,
    kWalkTestTimeout,
    kPulsingAlarmTimeoutTone,
    {"BeaconFlashrate", kBeaconFlashrate}, // lowered to 2 only when decoding
};

// Panel times in 5-second units, each at most 120.
inline constexpr ByteField kFireLinkDelay{"FireLinkDelay", 5214};
inline constexpr ByteField kFirstKnockSearchTime{"FirstKnockSearchTime", 5216};
inline constexpr ByteField kSearchTime{"SearchTime", 5217};
inline constexpr ByteField kPulsingAlarmTimeoutTime{"PulsingAlarmTimeoutTime", 5222};
inline constexpr ByteField kFiveSecondTimes[] = {kFireLinkDelay, kFirstKnockSearchTime, kSearchTime,
                                                 kPulsingAlarmTimeoutTime};

struct AccessCode {
    const char* name;
    int offset;
};
inline constexpr AccessCode kAccessCodes[] = {
    {"UserCode", 5135}, {"UserCode2", kUserCode2}, {"EngineerCode", 5147}, {"AdvancedCode", 5153}};

struct FlagBit {
    const char* name;
    int offset;
    int bit;
};
// In the order the decoder creates them.
inline constexpr FlagBit kFlags[] = {
    {"FlashOnPoll", 5226, 0},   {"MaleVoice", 5227, 0},        {"Beacon", 5227, 1},
    {"ClassBeacon", 5227, 3},   {"RemoteAlarmInput", 5226, 3}, {"RaiControl", 5226, 4},
    {"DayNightIp", 5226, 7},    {"BeaconFlashUntil", 5227, 2}, {"TsSpokenTest", 5227, 4},
    {"TsSpokenMess", 5227, 5},  {"TsElectronic", 5227, 6},     {"TsBellSound", 5227, 7},
    {"ClassChange", 5226, 6},   {"2ndKnock", 5228, 0},         {"SecondFireLink", 5228, 1},
    {"FlashFirstDG", 5228, 2},  {"CancelDelays", 5228, 3},     {"FBP", 5228, 4},
    {"FBP_NoDisplay", 5228, 5}, {"Serial", 5228, 6},
};
inline constexpr int kDisplayModeShift = 1; // bits 1 and 2 of option byte A

struct TextField {
    const char* name;
    int offset; // within the site details block
    int size;
};
// In the order the decoder creates them (the encoder creates missing ones
// in the same order).
inline constexpr TextField kSiteDetailFields[] = {
    {"SiteNumber", 32, 7},      {"SiteName", 0, 32},         {"SiteContact", 39, 32},
    {"SiteAddress", 71, 64},    {"SitePostcode", 135, 8},    {"SitePhone", 143, 16},
    {"SiteComments", 159, 256}, {"SiteEngineer", 415, 16},   {"SiteCommission", 431, 16},
    {"SiteResistance", 447, 8}, {"SiteQuiescent", 455, 8},   {"SiteAlarm", 463, 8},
    {"SiteBattery", 471, 8},    {"SiteBatteryType", 479, 8}, {"SiteBatteryInstallation", 487, 16},
};

inline constexpr char kMatrixCodes[] = {'O', 'C', 'P', 'W'};

} // namespace site_image_layout
