#include "model/device_types.h"
#include "model/loaded_checksum.h"
#include "model/site_defaults.h"
#include "model_fixture.h"

#include <cstring>
#include <set>

namespace {

using DefaultsTest = SiteStoreTest;

TEST_F(DefaultsTest, NewSiteHoldsEverySettingOnce) {
    uint32_t checksum = FillSiteDefaults();
    EXPECT_EQ(checksum, StoreChecksum());
    EXPECT_EQ(LoadedChecksum(), checksum);
    EXPECT_EQ(store.recordCount, 192u * 15 + 32 * 2 + 1024 + 2 + 37 + 15);
    struct Case {
        const char* name;
        const char* value;
    } cases[] = {
        {"DeviceText_192", "                    "},
        {"SNum_1", "000000"},
        {"Coverage_7", "2"},
        {"Volume_192", "15"},
        {"ZoneText_1", "Zone 01             "},
        {"ZoneText_32", "Zone 32             "},
        {"AlarmType_32", "0"},
        {"Matrix_32_1", "C"},
        {"BannerText_1", "    HALVEX M720     "},
        {"BannerText_2", "   CONTROL PANEL    "},
        {"PulseOnTime", "1.0"},
        {"PanelSnum", "72000000"},
        {"UserCode2", "132241"},
        {"AdvancedCode", "423121"},
        {"2ndKnock", "0"},
        {"SiteBatteryInstallation", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(SettingGet(c.name), c.value) << c.name;
    EXPECT_EQ(SettingGet("NonLatching_1"), nullptr);
    EXPECT_EQ(SettingGet("DeviceText_193"), nullptr);
    EXPECT_EQ(SettingGet("Matrix_0_1"), nullptr);
}

// A record whose home slot is taken goes to the lowest free slot, so where
// it lies (and the line order of a new site file) follows the order in which
// the defaults are created: address by address, zone by zone (text, then
// alarm type), the matrix, the banners, the panel options' left column
// before the right one, the site details.
TEST_F(DefaultsTest, NewSiteSlotsFollowTheCreationOrder) {
    FillSiteDefaults();
    struct Case {
        int slot;
        const char* name;
    } const cases[] = {
        {0, "Coverage_8"},          {1, "Coverage_9"},      {2, "Zone_10"},
        {1201, "AlarmType_1"},      {1202, "AlarmType_2"},  {2617, "ContractorCode"},
        {2618, "PulseOnTime"},      {2632, "PulseOffTime"}, {2664, "EngineerCode"},
        {2665, "DisabledOPGroups"}, {2677, "NumZones"},     {2710, "Serial"},
    };
    for (const Case& c : cases) {
        const SettingRecord* r = StoreRecordAt(&store, c.slot);
        ASSERT_NE(r, nullptr) << c.slot;
        EXPECT_STREQ(r->name, c.name) << c.slot;
    }
}

TEST_F(DefaultsTest, ExistingSettingsKeepTheirValues) {
    SettingSet("SiteName", "Depot");
    SettingSet("Zone_5", "7");
    FillSiteDefaults();
    EXPECT_STREQ(SettingGet("SiteName"), "Depot");
    EXPECT_STREQ(SettingGet("Zone_5"), "7");
    EXPECT_STREQ(SettingGet("Zone_6"), "1");
}

TEST(DeviceTypes, TableAndNames) {
    std::set<int> codes;
    int rows = 0;
    for (const DeviceType* t = kDeviceTypes; t->code; ++t, ++rows) {
        codes.insert(t->code);
        EXPECT_LE(std::strlen(t->name), 10u);
    }
    EXPECT_EQ(rows, 53);
    EXPECT_EQ(codes.size(), 53u);
    EXPECT_STREQ(DeviceTypeName(2), "02");
    EXPECT_STREQ(DeviceTypeName(0), "00");
    EXPECT_STREQ(DeviceTypeName(0xC4), FindDeviceType(0xC4)->name);
    const DeviceType* sounder = FindDeviceType(0xD3);
    ASSERT_NE(sounder, nullptr);
    EXPECT_TRUE(sounder->beaconPart && sounder->talking && sounder->input && sounder->output);
    EXPECT_FLOAT_EQ(FindDeviceType(0xCA)->alarmMilliamps, 87.5f);
    EXPECT_EQ(FindDeviceType(0x83)->minimumVersion, 31);

    // Volumes by the number the standard conversion reads; others as stored.
    EXPECT_STREQ(VolumeName("2"), "Low");
    EXPECT_STREQ(VolumeName(" 4x"), "Medium");
    EXPECT_STREQ(VolumeName("15"), "High");
    EXPECT_STREQ(VolumeName(" 7 "), " 7 ");
    EXPECT_STREQ(VolumeName(""), "");
    EXPECT_EQ(VolumeName(nullptr), nullptr);
}

TEST(DeviceTypes, NextSensModeSteps) {
    struct Case {
        const char* from;
        uint8_t type;
        const char* to;
    } cases[] = {
        {"0", 1, "1"},  {"3", 1, "1"},   {"2", 33, "3"}, {"3", 33, "1"},  {"0", 33, "1"},
        {"3", 34, "4"}, {"4", 208, "1"}, {"3", 36, "5"}, {"5", 221, "1"}, {"4", 36, "5"},
        {"2", 64, "0"}, {"5", 0, "0"},   {"9", 1, "1"},  {"x", 35, "1"},
    };
    for (const Case& c : cases) {
        char value[8];
        std::strcpy(value, c.from);
        NextSensMode(value, c.type);
        EXPECT_STREQ(value, c.to) << c.from << " type " << int(c.type);
    }
}

TEST(DeviceTypes, NameLookups) {
    EXPECT_STREQ(SensModeName("0"), "None");
    EXPECT_STREQ(SensModeName("5x"), "Prison");
    EXPECT_STREQ(SensModeName("7"), "7");
    EXPECT_STREQ(SensModeName(nullptr), "?!?!?!");
    EXPECT_STREQ(ClassName(7), "Technical Alarm");
    EXPECT_STREQ(ClassName(8), "Invisible Switch");
    EXPECT_STREQ(ClassName(9), "Unknown");
    EXPECT_STREQ(AlarmTypeName("1"), "Control");
    EXPECT_STREQ(AlarmTypeName("0"), "Alarm");
    EXPECT_STREQ(AlarmTypeName("Z"), "Z");
    EXPECT_STREQ(CoverageName(158, 0), "C-3-7.5");
    EXPECT_STREQ(CoverageName(221, 2), "C-3-3");
    EXPECT_STREQ(CoverageName(165, 1), "W-2.4-5");
    EXPECT_EQ(CoverageName(165, 3), nullptr);
    EXPECT_EQ(CoverageName(1, 0), nullptr);
}

TEST_F(DefaultsTest, FindAddressBySerial) {
    EXPECT_EQ(FindAddressBySerial("000000"), 0);
    FillSiteDefaults();
    EXPECT_EQ(FindAddressBySerial("000000"), 1);
    for (int a = 1; a <= 10; ++a)
        std::strcpy(SettingGet(("SNum_" + std::to_string(a)).c_str()), "ABCDEF");
    EXPECT_EQ(FindAddressBySerial("000000"), 11);
    EXPECT_EQ(FindAddressBySerial("ABCDEF"), 1);
    EXPECT_EQ(FindAddressBySerial("abcdef"), 0);
}

} // namespace
