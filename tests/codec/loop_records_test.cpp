#include "codec/block_checksum.h"
#include "codec_fixture.h"
#include "model/site_defaults.h"

#include <string>

namespace {

using LoopRecordTest = SiteStoreTest;

std::string Name(const char* base, int n) {
    return std::string(base) + "_" + std::to_string(n);
}

Bytes Encode(int n) {
    Bytes record(kLoopRecordSize, 0xEE);
    LoopRecordEncode(record.data(), n);
    return record;
}

TEST_F(LoopRecordTest, EncoderPlacesEachSettingInItsRecordField) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> settings; // base name, value
        int at;
        Bytes bytes;
    } cases[] = {
        {{{"SNum", "A1B2C3"}}, 0, {0xC3, 0xB2, 0xA1, 0x00}},
        {{{"SNum", "12345678"}}, 0, {0x78, 0x56, 0x34, 0x12}},
        {{{"SNum", "0x1f"}}, 0, {0x1F, 0, 0, 0}},
        {{{"Type", "38"}, {"Version", "7"}, {"OPGroup", "3"}, {"IPGroup", "300"}, {"MapNode", "9"}},
         4,
         {38, 7, 3, 44, 9}}, // bytes keep the low 8 bits
        {{{"Sens1", "3"}, {"Sens2", "1"}, {"Class", "1"}, {"Volume", "4"}}, 9, {0x13, 0x41}},
        {{{"Sens1", "17"}, {"Sens2", "15"}, {"Class", "8"}, {"Volume", "15"}}, 9, {0xF1, 0xF8}},
        {{{"Zone", "32"}, {"RptGroup", "2"}, {"DisplayGroup", "4"}}, 11, {32, 2, 4}},
        {{{"NonLatching", "0"}}, 15, {0x01}}, // existence counts, not the value
        {{{"Coverage", "3"}}, 15, {0x06}},
        {{{"Coverage", "6"}, {"NonLatching", "1"}}, 15, {0x05}}, // coverage modulo 4
    };
    for (const Case& c : cases) {
        Reset();
        std::string what;
        for (auto [base, value] : c.settings) {
            SettingSet(Name(base, 7).c_str(), value);
            what += std::string(base) + "=" + value + " ";
        }
        Bytes record = Encode(7);
        EXPECT_EQ(Bytes(record.begin() + c.at, record.begin() + c.at + c.bytes.size()), c.bytes)
            << what;
    }
}

TEST_F(LoopRecordTest, OwnAddressIsWrittenOnlyForADeviceWithASerialNumber) {
    SettingSet("SNum_7", "A1B2C3");
    SettingSet("SNum_8", "000000");
    SettingSet("SNum_9", "junk"); // no hex digits: serial 0
    EXPECT_EQ(Encode(7)[14], 7);
    EXPECT_EQ(Encode(8)[14], 0);
    EXPECT_EQ(Encode(9)[14], 0);
    EXPECT_EQ(Encode(10)[14], 0); // no setting at all
    SettingSet("SNum_192", "FFFFFFFF");
    EXPECT_EQ(Encode(192)[14], 192);
}

TEST_F(LoopRecordTest, AnEmptyAddressOfANewSiteEncodesItsDefaults) {
    FillSiteDefaults();
    EXPECT_EQ(Encode(5), (Bytes{0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0xF0, 1, 0, 0, 0, 0x04}));
}

TEST_F(LoopRecordTest, AddressesOutsideTheLoopGiveAnEmptyRecordAndCreateNothing) {
    FillSiteDefaults();
    const Bytes zero(kLoopRecordSize, 0);
    uint32_t before = StoreChecksum();
    for (int n : {0, -1, 193, 1000}) {
        EXPECT_EQ(Encode(n), zero) << n;
        Bytes record(kLoopRecordSize, 0x11);
        LoopRecordDecode(record.data(), n);
    }
    EXPECT_EQ(StoreChecksum(), before);
}

TEST_F(LoopRecordTest, DecoderCreatesTheAddressSettingsFromTheRecord) {
    struct Case {
        Bytes record;
        std::vector<std::pair<const char*, const char*>> expected; // nullptr: no setting
    } cases[] = {
        {Bytes(16, 0),
         {{"SNum", "000000"},
          {"Type", "0"},
          {"Version", "0"},
          {"OPGroup", "0"},
          {"IPGroup", "0"},
          {"DisplayGroup", "0"},
          {"MapNode", "0"},
          {"Sens1", "0"},
          {"Sens2", "0"},
          {"Class", "0"},
          {"Volume", "0"},
          {"Zone", "0"},
          {"RptGroup", "0"},
          {"NonLatching", nullptr},
          {"Coverage", "0"}}},
        {{0x56, 0x34, 0x12, 0x00, 38, 3, 4, 5, 6, 0x09, 0x5A, 31, 7, 8, 99, 0x06},
         {{"SNum", "123456"},
          {"Type", "38"},
          {"Version", "3"},
          {"OPGroup", "4"},
          {"IPGroup", "5"},
          {"MapNode", "6"},
          {"Sens1", "9"},
          {"Sens2", "0"},
          {"Class", "10"},
          {"Volume", "5"},
          {"Zone", "31"},
          {"RptGroup", "7"},
          {"DisplayGroup", "8"},
          {"NonLatching", nullptr},
          {"Coverage", "3"}}},
        {{0xC3, 0xB2, 0xA1, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x07},
         {{"SNum", "A1B2C3"}, {"NonLatching", "1"}, {"Coverage", "3"}}},
        {{0x0D, 0xF0, 0x00, 0x0A, 255, 255, 255, 255, 255, 0xFF, 0xFF, 255, 255, 255, 255, 0xF8},
         {{"SNum", "A00F00D"},
          {"Type", "255"},
          {"Sens2", "15"},
          {"Volume", "15"},
          {"NonLatching", nullptr},
          {"Coverage", "0"}}},
    };
    for (const Case& c : cases) {
        Reset();
        LoopRecordDecode(c.record.data(), 12);
        EXPECT_EQ(store.recordCount, c.record[15] & 1 ? 15u : 14u);
        for (auto [base, value] : c.expected) {
            const char* got = SettingGet(Name(base, 12).c_str());
            if (!value) {
                EXPECT_EQ(got, nullptr) << base;
                continue;
            }
            ASSERT_NE(got, nullptr) << base;
            EXPECT_STREQ(got, value) << base;
        }
    }
}

TEST_F(LoopRecordTest, DecodingReplacesWhatTheAddressHeld) {
    FillSiteDefaults();
    SettingSet("NonLatching_3", "1");
    Bytes record(kLoopRecordSize, 0);
    record[11] = 9;
    LoopRecordDecode(record.data(), 3);
    EXPECT_STREQ(SettingGet("Zone_3"), "9");
    EXPECT_STREQ(SettingGet("Volume_3"), "0");
    EXPECT_EQ(SettingGet("NonLatching_3"), nullptr);
    EXPECT_STREQ(SettingGet("Zone_4"), "1"); // other addresses untouched
}

TEST_F(LoopRecordTest, RecordsRoundTripExceptTheOwnAddressAndSpareBits) {
    // Every byte value in every position: decoding and encoding again gives
    // the record back, with byte 14 recomputed and bits 3 to 7 of byte 15 clear.
    for (int v = 0; v < 256; ++v) {
        Bytes record(kLoopRecordSize);
        for (int i = 0; i < kLoopRecordSize; ++i)
            record[i] = static_cast<uint8_t>(v + 37 * i);
        Reset();
        LoopRecordDecode(record.data(), 100);
        Bytes again = Encode(100);
        Bytes expected = record;
        expected[14] = Le32(record, 0) ? 100 : 0;
        expected[15] &= 0x07;
        ASSERT_EQ(again, expected) << v;
    }
}

TEST_F(LoopRecordTest, BlockChecksumCoversAllRecords) {
    FillSiteDefaults();
    SettingPut("SNum_192", "ABCDEF");
    Bytes block = EncodeLoopBlock();
    uint32_t sum = 0;
    for (int i = 0; i < kLoopBlockSize; i += 2)
        sum += Le16(block, i);
    EXPECT_EQ(static_cast<uint16_t>(BlockChecksum(block.data(), block.size()) + sum), 0x5A5A);
    EXPECT_EQ(Bytes(block.end() - 16, block.end() - 12), (Bytes{0xEF, 0xCD, 0xAB, 0}));
    EXPECT_EQ(block[kLoopBlockSize - 2], 192);
}

} // namespace
