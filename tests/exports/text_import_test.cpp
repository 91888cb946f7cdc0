#include "exports/text_import.h"
#include "model/model_fixture.h"
#include "model/site_defaults.h"

#include <cstring>
#include <string>

namespace {

std::string Centred(const std::string& text) {
    char value[kSettingValueSize] = {};
    std::memcpy(value, text.data(), text.size());
    CentreText(value);
    return value;
}

TEST(CentreText, Cases) {
    struct Case {
        std::string in;
        std::string out;
    } cases[] = {
        {"FIRE", std::string(8, ' ') + "FIRE" + std::string(8, ' ')},
        {"SEVEN77", std::string(6, ' ') + "SEVEN77" + std::string(7, ' ')},
        {"EIGHT888", std::string(6, ' ') + "EIGHT888" + std::string(6, ' ')},
        {"  Zone 01             ", std::string(6, ' ') + "Zone 01" + std::string(7, ' ')},
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRST"},
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST"},
        {"AB", std::string(9, ' ') + "AB" + std::string(9, ' ')},
        // One character, or none, stays uncentred.
        {"A", "A"},
        {"   A \t ", "A"},
        {"", ""},
        {"    ", ""},
        // Control characters and bytes from 0x80 count as blanks at the ends.
        {"\t\xA0Hall", std::string(8, ' ') + "Hall" + std::string(8, ' ')},
        {"Hall\x01\xFF", std::string(8, ' ') + "Hall" + std::string(8, ' ')},
        {"Caf\xE9 Bar", std::string(6, ' ') + "Caf\xE9 Bar" + std::string(6, ' ')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Centred(c.in), c.out) << '"' << c.in << '"';
}

using TextImportTest = SiteStoreTest;

TEST_F(TextImportTest, CentresDeviceZoneAndTwoBannerTexts) {
    FillSiteDefaults();
    SettingPut("DeviceText_192", "Plant room");
    SettingPut("ZoneText_32", "FIRE");
    SettingPut("BannerText_2", "Acme");
    SettingPut("BannerText_3", "Acme");
    SettingPut("BannerText_4", "Acme");
    SettingPut("OtherText", "Acme");
    CentreImportedTexts();
    EXPECT_STREQ(SettingGet("DeviceText_192"), "     Plant room     ");
    EXPECT_STREQ(SettingGet("DeviceText_1"), "");
    EXPECT_STREQ(SettingGet("ZoneText_32"), "        FIRE        ");
    EXPECT_STREQ(SettingGet("ZoneText_1"), "      Zone 01       ");
    EXPECT_STREQ(SettingGet("BannerText_1"), "    HALVEX M720     ");
    EXPECT_STREQ(SettingGet("BannerText_2"), "        Acme        ");
    EXPECT_STREQ(SettingGet("BannerText_3"), "Acme");
    EXPECT_STREQ(SettingGet("BannerText_4"), "Acme");
    EXPECT_STREQ(SettingGet("OtherText"), "Acme");
}

} // namespace
