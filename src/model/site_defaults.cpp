#include "model/site_defaults.h"

#include "model/loaded_checksum.h"
#include "model/settings_store.h"

#include <cstdio>
#include <initializer_list>

namespace {

struct Default {
    const char* name;
    const char* value;
};

// Per-address settings, "%s_%d" with the address.
constexpr Default kAddressDefaults[] = {
    {"DeviceText", "                    "},
    {"Zone", "1"},
    {"OPGroup", "1"},
    {"IPGroup", "1"},
    {"DisplayGroup", "0"},
    {"RptGroup", "0"},
    {"Sens1", "0"},
    {"Sens2", "0"},
    {"Type", "0"},
    {"Volume", "15"},
    {"Class", "0"},
    {"SNum", "000000"},
    {"Version", "0"},
    {"MapNode", "0"},
    {"Coverage", "2"},
};

constexpr Default kTextDefaults[] = {
    {"BannerText_1", "    HALVEX M720     "},
    {"BannerText_2", "   CONTROL PANEL    "},
};

// The panel options in creation order: the codes and times group first
// (ContractorCode to AdvancedCode), then the options group (DisabledOPGroups
// to Serial). The order decides which settings take their home slots, and so
// the line order of every site file.
constexpr Default kPanelDefaults[] = {
    {"ContractorCode", "0"},
    {"PulseOnTime", "1.0"},
    {"PulseOffTime", "1.0"},
    {"DayNightOnTime", "0:00"},
    {"DayNightOffTime", "0:00"},
    {"FireLinkDelay", "0:00"},
    {"TalkingSndSyncTime", "20"},
    {"ServiceReminderDays", "90"},
    {"SearchTime", "0:00"},
    {"WalkTestTimeout", "12"},
    {"PulsingAlarmTimeoutTime", "0:00"},
    {"PulsingAlarmTimeoutTone", "1"},
    {"FaultRelayMode", "0"},
    {"FireRelayMode", "0"},
    {"UserCode", "241312"},
    {"UserCode2", "132241"},
    {"EngineerCode", "314214"},
    {"AdvancedCode", "423121"},
    {"DisabledOPGroups", "0"},
    {"MaxLoggedDev", "192"},
    {"NumZones", "32"},
    {"SFRevision", "2"},
    {"BeaconFlashrate", "2"},
    {"ConvAlarmOpGroup", "1"},
    {"FirstKnockSearchTime", "0:00"},
    {"TsSpokenMess", "1"},
    {"PanelSnum", "72000000"},
    {"FlashOnPoll", "1"},
    {"DayNightIp", "0"},
    {"2ndKnock", "0"},
    {"SecondFireLink", "0"},
    {"FlashFirstDG", "0"},
    {"DisplayMode", "0"},
    {"CancelDelays", "0"},
    {"FBP", "0"},
    {"FBP_NoDisplay", "0"},
    {"Serial", "0"},
};

constexpr const char* kSiteDetails[] = {
    "SiteNumber",    "SiteName",     "SiteContact",  "SiteAddress",     "SitePostcode",
    "SitePhone",     "SiteComments", "SiteEngineer", "SiteCommission",  "SiteResistance",
    "SiteQuiescent", "SiteAlarm",    "SiteBattery",  "SiteBatteryType", "SiteBatteryInstallation",
};

// Writes prefix, then each number in decimal after an underscore, and a
// NUL: the names "%s_%d" and "Matrix_%d_%d", built without the cost of a
// formatted print for each of the four thousand settings.
void NumberedName(char* out, const char* prefix, int first, int second = 0) {
    while (*prefix)
        *out++ = *prefix++;
    for (int n : {first, second}) {
        if (n <= 0)
            break;
        *out++ = '_';
        char digits[12];
        int count = 0;
        for (; n > 0; n /= 10)
            digits[count++] = static_cast<char>('0' + n % 10);
        while (count > 0)
            *out++ = digits[--count];
    }
    *out = '\0';
}

} // namespace

// Creation order: each address's 15 settings address by address, each zone's
// text and alarm type, the matrix by input group, the banner texts, the
// panel options, the site details.
uint32_t FillSiteDefaults() {
    char name[64];
    for (int a = 1; a <= kLoopAddresses; ++a) {
        for (const Default& d : kAddressDefaults) {
            NumberedName(name, d.name, a);
            SettingSet(name, d.value);
        }
    }
    for (int z = 1; z <= kZones; ++z) {
        char text[32];
        std::snprintf(text, sizeof text, "Zone %02d             ", z);
        NumberedName(name, "ZoneText", z);
        SettingSet(name, text);
        NumberedName(name, "AlarmType", z);
        SettingSet(name, "0");
    }
    for (int in = 1; in <= kGroups; ++in) {
        for (int out = 1; out <= kGroups; ++out) {
            NumberedName(name, "Matrix", in, out);
            SettingSet(name, "C");
        }
    }
    for (const Default& d : kTextDefaults)
        SettingSet(d.name, d.value);
    for (const Default& d : kPanelDefaults)
        SettingSet(d.name, d.value);
    for (const char* detail : kSiteDetails)
        SettingSet(detail, "");
    uint32_t checksum = StoreChecksum();
    SetLoadedChecksum(checksum);
    return checksum;
}
