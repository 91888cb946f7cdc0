#include "model/site_defaults.h"

#include "model/loaded_checksum.h"
#include "model/number_text.h"
#include "model/settings_store.h"

#include <cstdio>

namespace {

struct Default {
    const char* name;
    const char* value;
};

// Per-address settings, numbered with the address.
constexpr Default kAddressDefaults[] = {
    {"DeviceText_%d", "                    "},
    {"Zone_%d", "1"},
    {"OPGroup_%d", "1"},
    {"IPGroup_%d", "1"},
    {"DisplayGroup_%d", "0"},
    {"RptGroup_%d", "0"},
    {"Sens1_%d", "0"},
    {"Sens2_%d", "0"},
    {"Type_%d", "0"},
    {"Volume_%d", "15"},
    {"Class_%d", "0"},
    {"SNum_%d", "000000"},
    {"Version_%d", "0"},
    {"MapNode_%d", "0"},
    {"Coverage_%d", "2"},
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

} // namespace

// Creation order: each address's 15 settings address by address, each zone's
// text and alarm type, the matrix by input group, the banner texts, the
// panel options, the site details.
uint32_t FillSiteDefaults() {
    char name[64];
    for (int a = 1; a <= kLoopAddresses; ++a) {
        for (const Default& d : kAddressDefaults) {
            FormatNumberedName(name, sizeof name, d.name, a);
            SettingSet(name, d.value);
        }
    }
    for (int z = 1; z <= kZones; ++z) {
        char text[32];
        std::snprintf(text, sizeof text, "Zone %02d             ", z);
        FormatNumberedName(name, sizeof name, "ZoneText_%d", z);
        SettingSet(name, text);
        FormatNumberedName(name, sizeof name, "AlarmType_%d", z);
        SettingSet(name, "0");
    }
    for (int in = 1; in <= kGroups; ++in) {
        for (int out = 1; out <= kGroups; ++out) {
            FormatNumberedName(name, sizeof name, "Matrix_%d_%d", in, out);
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
