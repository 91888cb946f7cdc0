#include "codec/hex_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Fixture(const char* name) {
    return std::string(M720_TEST_DATA) + "/hex/" + name;
}

// One record line with its checksum.
std::string Record(int type, int offset, const std::vector<int>& bytes) {
    std::vector<int> all = {static_cast<int>(bytes.size()), offset >> 8, offset & 0xFF, type};
    all.insert(all.end(), bytes.begin(), bytes.end());
    int sum = 0;
    std::string line = ":";
    char hex[3];
    for (int b : all) {
        std::snprintf(hex, sizeof hex, "%02X", b & 0xFF);
        line += hex;
        sum += b;
    }
    std::snprintf(hex, sizeof hex, "%02X", -sum & 0xFF);
    return line + hex;
}

const std::string kEof = ":00000001FF";

class HexFileTest : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove(path_); }

    // Writes the text to a temporary file and reads it into image.
    int ReadText(const std::string& text) {
        std::ofstream(path_, std::ios::binary) << text;
        return ReadHexFile(path_.c_str(), image.data(), image.size());
    }
    bool AllFF() const {
        return std::all_of(image.begin(), image.end(), [](unsigned char b) { return b == 0xFF; });
    }

    std::vector<unsigned char> image = std::vector<unsigned char>(kFirmwareImageSize, 0);
    std::string path_ = (std::filesystem::temp_directory_path() /
                         (std::string("m720_hex_") +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".hex"))
                            .string();
};

TEST(HexField, ReadsLikeBase16Conversion) {
    EXPECT_EQ(HexField("1A2B", 2), 0x1Au);
    EXPECT_EQ(HexField("a0B1zz", 4), 0xA0B1u);
    EXPECT_EQ(HexField("FFFFFFFF", 8), 0xFFFFFFFFu);
    EXPECT_EQ(HexField("1G", 2), 1u); // stops at the first non-digit
    EXPECT_EQ(HexField("1", 4), 1u);  // stops at the end of the text
    EXPECT_EQ(HexField("12", 0), 0u);
    // Every one of the characters asked for counts, however many there are.
    EXPECT_EQ(HexField("0000000000000001", 16), 1u);
    EXPECT_EQ(HexField("00000000000000000000ABCD9", 24), 0xABCDu);
}

TEST_F(HexFileTest, ReadsObjcopyFileWithGapsAndStartRecord) {
    ASSERT_EQ(ReadHexFile(Fixture("fw_coralwave.hex").c_str(), image.data(), image.size()), 1);
    // First words of the region, the old checksum word, and the words around the gap.
    EXPECT_EQ(image[0x9FFF], 0xFF);
    EXPECT_EQ(image[0xA000], 0x00);
    EXPECT_EQ(image[0xA001], 0x03);
    EXPECT_EQ(image[0xA002], 0x01);
    EXPECT_EQ(image[0xA003], 0x5A);
    EXPECT_EQ(image[0xA220], 0x12);
    EXPECT_EQ(image[0xA221], 0x34);
    EXPECT_EQ(image[0xA3FF], 0x5A);
    EXPECT_EQ(image[0xA400], 0xFF);
    EXPECT_EQ(image[0xAFFF], 0xFF);
    EXPECT_EQ(image[0xB000], 0x80);
    EXPECT_EQ(image[0xB03F], 0xBF);
    EXPECT_EQ(image[0xB040], 0xFF);
    char version[9];
    FirmwareImageVersion(image.data(), image.size(), version);
    EXPECT_STREQ(version, "12345678");
    EXPECT_EQ(FirmwareVersionText(version), "1.234 / 5.678");
    EXPECT_EQ(FirmwareVersionNumber(version), 123u);
    EXPECT_EQ(FirmwareImageTypeName(image.data(), image.size()), "coralwave ");
    EXPECT_EQ(FirmwareType(FirmwareImageTypeName(image.data(), image.size())), "CORALWAVE");
}

TEST_F(HexFileTest, SegmentBaseAndBytesPastTheImageDropped) {
    ASSERT_EQ(ReadHexFile(Fixture("past_image.hex").c_str(), image.data(), image.size()), 1);
    // Segment 0x5000 puts offset 0x4FF8 at 0x54FF8; of its 16 bytes 8 fit.
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(image[0x54FF8 + i], 0xC0 + i);
    EXPECT_EQ(std::count(image.begin(), image.end(), 0xFF), static_cast<long>(image.size()) - 8);
}

TEST_F(HexFileTest, LinearBaseAndVersionCharacters) {
    // The version characters live in bytes 0 and 1 of each word.
    EXPECT_EQ(ReadText(Record(4, 0, {0, 0}) + "\n" +
                       Record(0, 0xA224, {0x31, 0x32, 0, 0, 0x33, 0x34, 0, 0}) + "\n" +
                       Record(4, 0, {0, 4}) + "\n" + Record(0, 0x1000, {0xAB}) + "\n" + kEof +
                       "\n"),
              1);
    char version[9];
    FirmwareImageVersion(image.data(), image.size(), version);
    EXPECT_EQ(std::string(version, 4), "1234");
    EXPECT_EQ(image[0x41000], 0xAB);
    EXPECT_EQ(image[0x1000], 0xFF);
}

TEST_F(HexFileTest, AcceptsCrLfLowerCaseNoFinalLineEndAndLongRecords) {
    std::vector<int> bytes(255);
    for (int i = 0; i < 255; ++i)
        bytes[i] = i;
    std::string lower = Record(0, 0x0100, {0xAB, 0xCD});
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    ASSERT_EQ(ReadText(Record(0, 0x2000, bytes) + "\r\n" + lower + "\r\n" + kEof), 1);
    EXPECT_EQ(image[0x2000 + 254], 254);
    EXPECT_EQ(image[0x0101], 0xCD);
}

TEST_F(HexFileTest, MalformedFixturesAreUnreadableAndLeaveNothing) {
    const char* files[] = {"bad_checksum.hex",      "bad_no_eof.hex",    "bad_data_after_eof.hex",
                           "bad_short_record.hex",  "bad_non_hex.hex",   "bad_empty_line.hex",
                           "bad_leading_blank.hex", "does_not_exist.hex"};
    for (const char* name : files) {
        std::fill(image.begin(), image.end(), 0);
        EXPECT_EQ(ReadHexFile(Fixture(name).c_str(), image.data(), image.size()), 0) << name;
        EXPECT_TRUE(AllFF()) << name;
    }
}

TEST_F(HexFileTest, TheFaultNamesTheLineAndTheCause) {
    const struct {
        const char* file;
        const char* fault;
    } cases[] = {
        {"bad_checksum.hex", "line 3: record checksum 0x21, expected 0x20"},
        {"bad_no_eof.hex", "no end-of-file record"},
        {"bad_data_after_eof.hex", "line 4: a data record after the end-of-file record"},
        {"bad_short_record.hex", "line 2: the record's count says 16 data bytes, it has 15"},
        {"bad_non_hex.hex", "line 2: character 16 is not a hexadecimal digit"},
        {"bad_empty_line.hex", "line 3: an empty line"},
        {"bad_leading_blank.hex", "line 2: does not start with ':'"},
        {"does_not_exist.hex", ""},
        {"fw_coralwave.hex", ""},
    };
    for (const auto& c : cases) {
        std::string fault = "stale";
        ReadHexFile(Fixture(c.file).c_str(), image.data(), image.size(), &fault);
        EXPECT_EQ(fault, c.fault) << c.file;
    }
}

TEST_F(HexFileTest, MalformedRecordsAreUnreadable) {
    const std::string data = Record(0, 0x10, {1, 2});
    const std::string cases[] = {
        "",                                         // empty file: no end record
        data + "00\n" + kEof,                       // longer than its count
        data + " \n" + kEof,                        // trailing blank
        ":0000\n" + kEof,                           // too short for a record
        Record(4, 0, {1}) + "\n" + kEof,            // address record without two bytes
        Record(2, 0, {0, 1, 2}) + "\n" + kEof,      // ... or with more
        kEof + "\n" + Record(0, 0x10, {}) + "\n",   // even an empty data record after the end
        ":" + std::string(2000, '0') + "\n" + kEof, // longer than any record
        kEof + "\n\n",                              // an empty line after the end
        data.substr(0, 5) + std::string(1, '\0') + data.substr(6) + "\n" + kEof, // a NUL
    };
    for (const std::string& text : cases) {
        EXPECT_EQ(ReadText(text), 0) << text;
        EXPECT_TRUE(AllFF()) << text;
    }
}

TEST_F(HexFileTest, RecordsAfterTheEndThatCarryNoDataAreAllowed) {
    EXPECT_EQ(ReadText(kEof + "\n" + Record(4, 0, {0, 1}) + "\n" + kEof + "\n"), 1);
}

TEST(FirmwareType, CutAtBlankAndUpperCased) {
    const struct {
        const char* name;
        const char* type;
    } cases[] = {
        {"M720", "M720"},
        {"m720      ", "M720"},
        {"coralwave ", "CORALWAVE"},
        {"CoralWave x", "CORALWAVE"},
        {"M720X", "Unknown"},
        {"M720\tX", "Unknown"},
        {" M720", "Unknown"},
        {"", "Unknown"},
        {"\xFF\xFF\xFF\xFF", "Unknown"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FirmwareType(c.name), c.type) << c.name;
        EXPECT_EQ(FirmwareTypeKnown(c.name), std::string(c.type) != "Unknown") << c.name;
    }
}

TEST(FirmwareVersion, DowngradeOnlyForALowerNumber) {
    EXPECT_FALSE(FirmwareIsDowngrade(123, 123));
    EXPECT_TRUE(FirmwareIsDowngrade(122, 123));
    EXPECT_FALSE(FirmwareIsDowngrade(124, 123));
}

TEST(FirmwareImageText, TooSmallImageGivesNothing) {
    std::vector<unsigned char> small(kFirmwareTypeByte + 17, 'A');
    EXPECT_EQ(FirmwareImageTypeName(small.data(), small.size()), "");
    small.push_back('B');
    EXPECT_EQ(FirmwareImageTypeName(small.data(), small.size()), "AAAAAAAAAB");
    char version[9] = "xxxxxxxx";
    FirmwareImageVersion(small.data(), kFirmwareVersionByte + 12, version);
    EXPECT_STREQ(version, "");
}

} // namespace
