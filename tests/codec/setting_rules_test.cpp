#include "codec/setting_rules.h"

#include "codec/loop_records.h"
#include "codec/site_image.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Case {
    const char* name;
    const char* value;
    bool holds; // the panel holds it as given
};

TEST(SettingRules, ValuesThePanelHoldsAsGiven) {
    const std::string longComment(255, 'x');
    const Case cases[] = {
        {"NumZones", "8", true},
        {"NumZones", "abc", false},
        {"NumZones", "", false},
        {"NumZones", "256", false}, // one byte
        {"NumZones", "255", true},
        {"NumZones", " 8", false},
        {"NumZones", "99999999999999999999", false},
        {"ContractorCode", "65535", true},
        {"ContractorCode", "65536", false},
        {"BeaconFlashrate", "3", false},
        {"SFRevision", "3", false},
        {"AlarmType_32", "4", false},
        {"AlarmType_33", "4", true}, // no such zone: no panel field
        {"DisplayMode", "3", true},
        {"PanelSnum", "7200FFFF", true},
        {"PanelSnum", "1FFFFFFFF", false},
        {"PanelSnum", "72G0", false},
        {"DisabledOPGroups", "-1", true},
        {"DisabledOPGroups", "4294967296", false},
        {"UserCode", "241312", true},
        {"UserCode", "12", false},
        {"UserCode", "123456", false}, // 5 and 6 are not keys of the panel
        {"AdvancedCode", "4231211", false},
        {"FlashOnPoll", "1", true},
        {"FlashOnPoll", "2", false},
        {"2ndKnock", "yes", false},
        {"Matrix_32_32", "W", true},
        {"Matrix_1_1", "X", false},
        {"Matrix_1_1", "CC", false},
        {"DeviceText_6", "12345678901234567890", true},
        {"DeviceText_6", "123456789012345678901", false},
        {"DeviceText_192", "", true},
        {"ZoneText_32", "Plant room", true},
        {"BannerText_4", "123456789012345678901", false},
        {"SitePostcode", "AB1 2CD", true},
        {"SitePostcode", "AB12 3CDE", false}, // 8 bytes hold 7 characters
        {"SiteComments", longComment.c_str(), true},
        {"OutputDelay_1", "2:30", true},
        {"OutputDelay_1", "10:00", true},
        {"OutputDelay_1", "10:05", false}, // beyond 120 units
        {"OutputDelayT2_1", "20:00", true},
        {"OutputDelay_1", "0:07", false}, // not a 5-second step
        {"OutputDelay_1", "0:75", false}, // the encoder rewrites it as 1:15
        {"OutputDelay_1", "150", false},
        {"FireLinkDelay", "1:00", true},
        {"PulseOnTime", "3.5", true},
        {"PulseOnTime", "1", false}, // the encoder writes 1.0
        {"PulseOnTime", "0.2", false},
        {"DayNightOnTime", "7:30", true},
        {"DayNightOnTime", "24:00", false},
        {"DayNightOnTime", "7", false},
        {"Type_192", "255", true},
        {"Zone_1", "300", false},
        {"Sens1_1", "16", false},
        {"Coverage_1", "4", false},
        {"SNum_5", "00A1B2", true},
        {"SNum_193", "x", true}, // no such address
        {"QuiescentCurrent", "anything", true},
        {"DeviceText_06", "a very long text of more than twenty", true}, // not the panel's name
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingValueFault(c.name, c.value).empty(), c.holds)
            << c.name << "=" << c.value << ": " << SettingValueFault(c.name, c.value);
}

TEST(SettingRules, TheFaultSaysWhatIsAllowed) {
    EXPECT_EQ(SettingValueFault("DeviceText_6", std::string(47, 'a').c_str()),
              "holds at most 20 characters on the panel (it has 47)");
    EXPECT_EQ(SettingValueFault("NumZones", "abc"), "must be a whole number from 0 to 255");
    EXPECT_EQ(SettingValueFault("PulseOnTime", "1"),
              "must be seconds with one decimal in steps of 0.5, from 0.5 to 127.5 (the panel "
              "would get 1.0)");
}

// Every value a new site holds, and every value the panel gives back, must
// pass: otherwise the table disagrees with the codec or the defaults.
TEST(SettingRules, DefaultsAndDecodedValuesPass) {
    SettingsStore store;
    StoreInit(&store);
    FillSiteDefaults();
    auto expectAllPass = [&store](const char* when) {
        for (int i = 0; i < kStoreSlotCount; ++i) {
            if (const SettingRecord* r = StoreRecordAt(&store, i)) {
                EXPECT_EQ(SettingValueFault(r->name, r->value), "")
                    << when << ": " << r->name << "=" << r->value;
            }
        }
    };
    expectAllPass("defaults");

    std::vector<uint8_t> image(kSiteImageSize);
    std::vector<uint8_t> loop(kLoopBlockSize);
    SiteImageEncode(image.data());
    for (int n = 1; n <= kLoopAddresses; ++n)
        LoopRecordEncode(loop.data() + kLoopRecordSize * (n - 1), n);
    ASSERT_EQ(SiteImageDecode(image.data()), 1);
    for (int n = 1; n <= kLoopAddresses; ++n)
        LoopRecordDecode(loop.data() + kLoopRecordSize * (n - 1), n);
    expectAllPass("decoded");
    StoreFree(&store);
}

} // namespace
