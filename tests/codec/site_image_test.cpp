#include "codec/block_checksum.h"
#include "codec_fixture.h"
#include "model/loaded_checksum.h"
#include "model/site_defaults.h"

#include <cstring>
#include <string>

namespace {

using SiteImageTest = SiteStoreTest;

// The version-2 layout of a version-1 block, with a zero second user code.
Bytes AsVersionTwo(const Bytes& v1) {
    Bytes v2(kSiteImageSize, 0);
    std::copy(v1.begin(), v1.begin() + 5141, v2.begin());
    std::copy(v1.begin() + 5141, v1.end() - 6, v2.begin() + 5147);
    return v2;
}

std::string At(const Bytes& image, int offset, int size) {
    return std::string(reinterpret_cast<const char*>(image.data()) + offset, size);
}

TEST(BlockChecksum, IsTheComplementOfTheWordSumToward5A5A) {
    Bytes image = BlankImage(2);
    EXPECT_EQ(BlockChecksum(image.data(), image.size()), 0x5A58);
    Bytes words = {0x34, 0x12, 0xFF, 0xFF, 0x01};      // 0x1234 + 0xFFFF + odd 0x01
    EXPECT_EQ(BlockChecksum(words.data(), 4), 0x4827); // 0x5A5A - 0x11233 mod 65536
    EXPECT_EQ(BlockChecksum(words.data(), 5), 0x4826); // the odd byte counts as a low byte
    EXPECT_EQ(BlockChecksum(nullptr, 0), 0x5A5A);
}

TEST_F(SiteImageTest, EncoderPlacesEachNumberFieldAtItsOffset) {
    struct Case {
        const char* name;
        const char* value;
        int offset;
        Bytes bytes;
    } cases[] = {
        {"SFRevision", "2", 0, {2, 0}},
        {"PanelSnum", "A1B2C3D4", 2, {0xD4, 0xC3, 0xB2, 0xA1}},
        {"PanelType", "300", 6, {44}}, // a byte keeps the low 8 bits
        {"NumZones", "32", 7, {32}},
        {"MaxLoggedDev", "192", 8, {192}},
        {"OverlayType", "3", 9, {3}},
        {"Language", " 4x", 10, {4}},
        {"ServiceReminderDays", "90", 11, {90}},
        {"ContractorCode", "65537", 12, {1, 0}},
        {"OutputDelay_1", "2:30", 270, {30}},
        {"OutputDelay_32", "10:00", 301, {120}},
        {"OutputDelayT2_1", "20:00", 302, {240}},
        {"OutputDelayT2_32", "0:05", 333, {1}},
        {"DisabledOPGroups", "-1", 5130, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"DisabledOPGroups", "305419896", 5130, {0x78, 0x56, 0x34, 0x12}},
        {"ConvAlarmOpGroup", "5", 5134, {5}},
        {"UserCode", "123456", 5135, {6, 5, 4, 3, 2, 1}},
        {"UserCode2", "987654", 5141, {4, 5, 6, 7, 8, 9}},
        {"EngineerCode", "12", 5147, {0, 0, 0, 0, 2, 1}}, // missing digits store 0
        {"AdvancedCode", "1a3456", 5153, {6, 5, 4, 3, 0x31, 1}},
        {"TalkingSndSyncTime", "20", 5207, {20}},
        {"DayNightOnTime", "7:30", 5208, {7, 30}},
        {"DayNightOffTime", "19", 5210, {19, 0}},
        {"PulseOnTime", "3.5", 5212, {7}},
        {"PulseOffTime", "1.0", 5213, {2}},
        {"FireLinkDelay", "1:00", 5214, {12}},
        {"CoincidenceInputGroups", "3", 5215, {3}},
        {"FirstKnockSearchTime", "0:30", 5216, {6}},
        {"SearchTime", "0:50", 5217, {10}},
        {"FaultRelayMode", "1", 5218, {1}},
        {"FireRelayMode", "2", 5219, {2}},
        {"WalkTestTimeout", "12", 5220, {12}},
        {"PulsingAlarmTimeoutTone", "1", 5221, {1}},
        {"PulsingAlarmTimeoutTime", "5:00", 5222, {60}},
        {"BeaconFlashrate", "7", 5224, {7}}, // lowered only when decoding
        {"DisplayMode", "6", 5226, {0x04}},  // modulo 4, bits 1 and 2
    };
    for (const Case& c : cases) {
        Reset();
        SettingSet(c.name, c.value);
        Bytes image = EncodeImage();
        EXPECT_EQ(Bytes(image.begin() + c.offset, image.begin() + c.offset + c.bytes.size()),
                  c.bytes)
            << c.name << " = " << c.value;
    }
}

TEST_F(SiteImageTest, EncoderSetsEachOptionBit) {
    struct Case {
        const char* name;
        int offset, bit;
    } cases[] = {
        {"FlashOnPoll", 5226, 0},   {"RemoteAlarmInput", 5226, 3}, {"RaiControl", 5226, 4},
        {"ClassChange", 5226, 6},   {"DayNightIp", 5226, 7},       {"MaleVoice", 5227, 0},
        {"Beacon", 5227, 1},        {"BeaconFlashUntil", 5227, 2}, {"ClassBeacon", 5227, 3},
        {"TsSpokenTest", 5227, 4},  {"TsSpokenMess", 5227, 5},     {"TsElectronic", 5227, 6},
        {"TsBellSound", 5227, 7},   {"2ndKnock", 5228, 0},         {"SecondFireLink", 5228, 1},
        {"FlashFirstDG", 5228, 2},  {"CancelDelays", 5228, 3},     {"FBP", 5228, 4},
        {"FBP_NoDisplay", 5228, 5}, {"Serial", 5228, 6},
    };
    for (const Case& c : cases) {
        Reset();
        SettingSet("SFRevision", "2");
        SettingSet(c.name, "0");
        Bytes image = EncodeImage();
        EXPECT_EQ(image[5226] | image[5227] | image[5228], 0) << c.name << " 0";
        SettingPut(c.name, "12"); // any non-zero number counts
        image = EncodeImage();
        EXPECT_EQ(image[c.offset], 1 << c.bit) << c.name;
        // Decoding gives the flag back as "1" in its bit, every other flag "0".
        ASSERT_EQ(SiteImageDecode(image.data()), 1);
        for (const Case& other : cases)
            EXPECT_STREQ(SettingGet(other.name), &other == &c ? "1" : "0") << c.name;
    }
}

TEST_F(SiteImageTest, MatrixAndAlarmTypesUseTwoBitFieldsFromTheTopOfEachWord) {
    SettingSet("SFRevision", "2");
    for (int o = 1; o <= 32; ++o)
        SettingSet(("Matrix_1_" + std::to_string(o)).c_str(), o == 1 ? "C" : "O");
    SettingSet("Matrix_2_17", "W");
    SettingSet("Matrix_32_32", "P");
    SettingSet("Matrix_5_5", "c"); // only the four upper-case codes count
    SettingSet("Matrix_6_6", "");
    SettingSet("AlarmType_1", "1");
    SettingSet("AlarmType_16", "2");
    SettingSet("AlarmType_17", "7"); // modulo 4
    SettingSet("AlarmType_32", "2");
    Bytes image = EncodeImage();
    EXPECT_EQ(Le32(image, 14), 0x40000000u);
    EXPECT_EQ(Le32(image, 18), 0u);
    EXPECT_EQ(Le32(image, 14 + 4 * 3), 0xC0000000u);
    EXPECT_EQ(Le32(image, 14 + 4 * 63), 0x00000002u);
    for (int w = 4 * 4; w < 4 * 12; w += 4)
        EXPECT_EQ(Le32(image, 14 + w), 0u) << w;
    EXPECT_EQ(Le32(image, 5122), 0x40000002u);
    EXPECT_EQ(Le32(image, 5126), 0xC0000002u);

    ASSERT_EQ(SiteImageDecode(image.data()), 1);
    EXPECT_STREQ(SettingGet("Matrix_1_1"), "C");
    EXPECT_STREQ(SettingGet("Matrix_1_2"), "O");
    EXPECT_STREQ(SettingGet("Matrix_2_17"), "W");
    EXPECT_STREQ(SettingGet("Matrix_32_32"), "P");
    EXPECT_STREQ(SettingGet("Matrix_5_5"), "O");
    EXPECT_STREQ(SettingGet("AlarmType_16"), "2");
    EXPECT_STREQ(SettingGet("AlarmType_17"), "3");
    EXPECT_STREQ(SettingGet("AlarmType_2"), "0");
}

TEST_F(SiteImageTest, TextSlotsHoldTwentyCharactersPaddedOnTheLeft) {
    SettingSet("DeviceText_5", "abc");
    SettingSet("BannerText_1", "0123456789abcdefghijKLMN");
    SettingSet("ZoneText_4", "Zone 04             ");
    Bytes image = EncodeImage();
    EXPECT_EQ(At(image, 418 + 21 * 4, 21), std::string(17, ' ') + "abc" + '\0');
    EXPECT_EQ(At(image, 334, 21), std::string("0123456789abcdefghij") + '\0');
    // Missing settings (banner 3, zone 5) go out as 20 blanks; neighbours stay.
    EXPECT_EQ(At(image, 334 + 42, 21), std::string(20, ' ') + '\0');
    EXPECT_EQ(At(image, 4450 + 21 * 4, 21), std::string(20, ' ') + '\0');
    EXPECT_EQ(At(image, 4450 + 21 * 3, 21), std::string("Zone 04             ") + '\0');
    EXPECT_EQ(At(image, 418 + 21 * 191, 21), std::string(20, ' ') + '\0');
    EXPECT_EQ(At(image, 4450 + 21 * 31, 21), std::string(20, ' ') + '\0');
    EXPECT_EQ(image[5122 - 1], 0);
}

TEST_F(SiteImageTest, SiteDetailsAreCutToTheirFieldAndCreatedWhenMissing) {
    SettingSet("SiteName", std::string(40, 'N').c_str());
    SettingSet("SiteBatteryInstallation", "2024-01-31 morning!");
    Bytes image = EncodeImage();
    EXPECT_EQ(At(image, 5230, 32), std::string(31, 'N') + '\0');
    EXPECT_EQ(At(image, 5230 + 487, 16), std::string("2024-01-31 morn") + '\0');
    EXPECT_EQ(At(image, 5230 + 32, 7), std::string(7, '\0'));
    ASSERT_NE(SettingGet("SiteComments"), nullptr);
    EXPECT_STREQ(SettingGet("SiteComments"), "");
    EXPECT_STREQ(SettingGet("SiteName"), std::string(40, 'N').c_str()); // not cut in the store
    for (int i = 5733; i < kSiteImageSize; ++i)
        ASSERT_EQ(image[i], 0) << i;
}

TEST_F(SiteImageTest, EncoderNormalisesTimeTextsInTheStore) {
    SettingSet("OutputDelay_3", "0:65");
    SettingSet("PulseOnTime", "0");
    SettingSet("PulseOffTime", "200");
    SettingSet("SearchTime", "90");
    SettingSet("DayNightOnTime", "7");
    EncodeImage();
    EXPECT_STREQ(SettingGet("OutputDelay_3"), "1:05");
    EXPECT_STREQ(SettingGet("PulseOnTime"), "0.5");
    EXPECT_STREQ(SettingGet("PulseOffTime"), "127.5");
    EXPECT_STREQ(SettingGet("SearchTime"), "90"); // no colon: left alone
    EXPECT_STREQ(SettingGet("DayNightOnTime"), "7");
}

TEST_F(SiteImageTest, ChecksumIsOverTheVersionTwoLayoutWhateverIsWritten) {
    FillSiteDefaults();
    uint16_t sum = 0;
    Bytes v2 = EncodeImage(&sum);
    EXPECT_EQ(sum, BlockChecksum(v2.data(), v2.size()));
    SettingPut("SFRevision", "1");
    Bytes v1 = EncodeImage(&sum);
    PutLe16(v2, 0, 1);
    EXPECT_EQ(sum, BlockChecksum(v2.data(), v2.size()));
    EXPECT_NE(sum, BlockChecksum(v1.data(), v1.size())); // UserCode2 is non-zero
}

TEST_F(SiteImageTest, DecoderTurnsBytesIntoSettingTexts) {
    Bytes image = BlankImage(2);
    image[2] = 0x0D, image[3] = 0xF0, image[5] = 0xAB; // PanelSnum 00ABF00D
    image[6] = 255;
    PutLe16(image, 12, 65535);
    image[270] = 200;      // OutputDelay_1 lowered to 10:00
    image[302 + 31] = 255; // OutputDelayT2_32 lowered to 20:00
    image[5216] = 121;     // FirstKnockSearchTime
    image[5224] = 9;       // BeaconFlashrate lowered to 2
    image[5222] = 7;
    for (int i = 0; i < 4; ++i)
        image[5130 + i] = 0xFF; // DisabledOPGroups is signed
    const uint8_t user[6] = {6, 5, 4, 3, 2, 1};
    std::memcpy(image.data() + 5135, user, 6);
    image[5153 + 5] = 10; // '0' + 10 is ':'
    image[5208] = 25, image[5209] = 75;
    image[5212] = 0, image[5213] = 255;
    image[5226] = 0xFF;                           // every bit of byte A: DisplayMode 3
    std::memcpy(image.data() + 418, "ab\0cd", 5); // stops at the NUL
    std::memcpy(image.data() + 334 + 21 * 3, std::string(21, 'x').data(), 21); // at most 20
    ASSERT_EQ(SiteImageDecode(image.data()), 1);
    struct Case {
        const char* name;
        const char* value;
    } cases[] = {
        {"SFRevision", "2"},
        {"PanelSnum", "AB00F00D"},
        {"PanelType", "255"},
        {"ContractorCode", "65535"},
        {"OutputDelay_1", "10:00"},
        {"OutputDelay_2", "0:00"},
        {"OutputDelayT2_32", "20:00"},
        {"FirstKnockSearchTime", "10:00"},
        {"PulsingAlarmTimeoutTime", "0:35"},
        {"BeaconFlashrate", "2"},
        {"DisabledOPGroups", "-1"},
        {"UserCode", "123456"},
        {"UserCode2", "000000"},
        {"AdvancedCode", ":00000"},
        {"DayNightOnTime", "25:75"},
        {"DayNightOffTime", "0:00"},
        {"PulseOnTime", "0.0"},
        {"PulseOffTime", "127.5"},
        {"DisplayMode", "3"},
        {"FlashOnPoll", "1"},
        {"DayNightIp", "1"},
        {"Beacon", "0"},
        {"DeviceText_1", "ab"},
        {"DeviceText_2", ""},
        {"BannerText_4", "xxxxxxxxxxxxxxxxxxxx"},
        {"ZoneText_32", ""},
        {"Matrix_32_32", "O"},
        {"AlarmType_32", "0"},
        {"SiteName", ""},
        {"ConvAlarmOpGroup", "0"},
    };
    for (const Case& c : cases) {
        ASSERT_NE(SettingGet(c.name), nullptr) << c.name;
        EXPECT_STREQ(SettingGet(c.name), c.value) << c.name;
    }
}

TEST_F(SiteImageTest, DecoderReadsSiteDetailsUpToTheirNulButNeverPastTheBlock) {
    Bytes image = BlankImage(2);
    std::memcpy(image.data() + 5230, "Main St", 7);
    // The last three fields without a NUL: each text runs on to the end of
    // the block, and the reserved bytes behind the block are never read.
    std::memcpy(image.data() + 5230 + 471, "12V7AhXXLeadAcid", 16);
    std::memset(image.data() + 5230 + 487, 'I', 16);
    std::memset(image.data() + 5733, 'R', 100);
    ASSERT_EQ(SiteImageDecode(image.data()), 1);
    const std::string tail(16, 'I');
    EXPECT_STREQ(SettingGet("SiteName"), "Main St");
    EXPECT_STREQ(SettingGet("SiteBattery"), ("12V7AhXXLeadAcid" + tail).c_str());
    EXPECT_STREQ(SettingGet("SiteBatteryType"), ("LeadAcid" + tail).c_str());
    EXPECT_STREQ(SettingGet("SiteBatteryInstallation"), tail.c_str());
}

TEST_F(SiteImageTest, DecoderReplacesTheStoreAndRecordsItsChecksum) {
    SettingSet("Stale", "1");
    SetLoadedChecksum(1);
    ASSERT_EQ(SiteImageDecode(BlankImage(2).data()), 1);
    EXPECT_EQ(SettingGet("Stale"), nullptr);
    EXPECT_EQ(LoadedChecksum(), StoreChecksum());
    // Only what the image holds: no defaults, no loop device settings.
    EXPECT_EQ(SettingGet("Zone_1"), nullptr);
    EXPECT_EQ(SettingGet("NonLatching_1"), nullptr);
    EXPECT_NE(SettingGet("SiteBatteryInstallation"), nullptr);
    EXPECT_EQ(store.recordCount, 9u + 64 + 4 + 192 + 32 + 8 + 32 + 1024 + 12 + 20 + 1 + 15 + 1);
}

TEST_F(SiteImageTest, UnsupportedVersionsLeaveEverythingUntouched) {
    FillSiteDefaults();
    SettingPut("SiteName", "Keep me");
    SetLoadedChecksum(77);
    uint32_t before = StoreChecksum();
    for (uint32_t version : {0u, 3u, 0x0102u, 0x0201u, 0xFFFFu}) {
        Bytes image = BlankImage(version);
        EXPECT_EQ(SiteImageDecode(image.data()), 0) << version;
    }
    EXPECT_EQ(StoreChecksum(), before);
    EXPECT_STREQ(SettingGet("SiteName"), "Keep me");
    EXPECT_EQ(LoadedChecksum(), 77u);
}

TEST_F(SiteImageTest, VersionOneImagesLackTheSecondUserCode) {
    // A version-1 block: the engineer code right behind the user code and
    // everything else six bytes lower than in version 2.
    Bytes v1 = BlankImage(1);
    const uint8_t user[6] = {6, 5, 4, 3, 2, 1}, engineer[6] = {1, 2, 3, 4, 1, 3},
                  advanced[6] = {9, 9, 8, 8, 7, 7};
    std::memcpy(v1.data() + 5135, user, 6);
    std::memcpy(v1.data() + 5141, engineer, 6);
    std::memcpy(v1.data() + 5147, advanced, 6);
    v1[5207 - 6] = 20;
    v1[5224 - 6] = 1;
    std::memcpy(v1.data() + 5230 - 6, "Old site", 8);
    std::memcpy(v1.data() + 5230 - 6 + 487, "2009", 4);
    ASSERT_EQ(SiteImageDecode(v1.data()), 1);
    EXPECT_STREQ(SettingGet("SFRevision"), "1");
    EXPECT_STREQ(SettingGet("UserCode"), "123456");
    EXPECT_STREQ(SettingGet("UserCode2"), "000000");
    EXPECT_STREQ(SettingGet("EngineerCode"), "314321");
    EXPECT_STREQ(SettingGet("AdvancedCode"), "778899");
    EXPECT_STREQ(SettingGet("TalkingSndSyncTime"), "20");
    EXPECT_STREQ(SettingGet("BeaconFlashrate"), "1");
    EXPECT_STREQ(SettingGet("SiteName"), "Old site");
    EXPECT_STREQ(SettingGet("SiteBatteryInstallation"), "2009");

    // Encoding the decoded site gives the same version-1 bytes back ...
    Snapshot decoded = TakeSnapshot();
    uint16_t sum = 0;
    Bytes again = EncodeImage(&sum);
    // except what the encoder normalises: empty texts go out as 20 blanks
    // and pulse times of 0.0 are raised to 0.5.
    Bytes expected = v1;
    for (int slot = 0; slot < 4 + 192 + 32; ++slot)
        std::memset(expected.data() + 334 + 21 * slot, ' ', 20);
    expected[5212 - 6] = expected[5213 - 6] = 1;
    EXPECT_EQ(again, expected);
    EXPECT_EQ(sum, BlockChecksum(AsVersionTwo(expected).data(), kSiteImageSize));

    // ... and the re-encoded block decodes to the same settings.
    ASSERT_EQ(SiteImageDecode(again.data()), 1);
    Snapshot redecoded = TakeSnapshot();
    EXPECT_EQ(redecoded.size(), decoded.size());
    EXPECT_EQ(redecoded["EngineerCode"], "314321");
    EXPECT_EQ(redecoded["SiteName"], "Old site");
}

} // namespace
