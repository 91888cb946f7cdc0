#include "model/loaded_checksum.h"
#include "model/site_defaults.h"
#include "model/site_file.h"
#include "model_fixture.h"

#include <cstring>
#include <random>

namespace {

using SiteFileTest = SiteStoreTest;

TEST_F(SiteFileTest, WritesTheDocumentedBytes) {
    SettingSet("A", "1");
    ASSERT_TRUE(SiteFileWrite(Path("a.psf").c_str()));
    EXPECT_EQ(Read(Path("a.psf")), "A = \"1\"\r\nCheck = \"1515870924\"\r\n");
}

TEST_F(SiteFileTest, EscapesControlHighQuoteAndBackslashAsThreeOctalDigits) {
    SettingSet("V", "q\"b\\t\tl\n\xA3~\x7F");
    SettingSet("E", "");
    ASSERT_TRUE(SiteFileWrite(Path("e.psf").c_str()));
    std::string file = Read(Path("e.psf"));
    EXPECT_NE(file.find("V = \"q\\042b\\134t\\011l\\012\\243~\x7F\"\r\n"), std::string::npos)
        << file;
    EXPECT_NE(file.find("E = \"\"\r\n"), std::string::npos);
    Reset();
    EXPECT_EQ(SiteFileRead(Path("e.psf").c_str()), 0);
    EXPECT_STREQ(SettingGet("V"), "q\"b\\t\tl\n\xA3~\x7F");
    EXPECT_STREQ(SettingGet("E"), "");
}

TEST_F(SiteFileTest, EveryByteValueSurvivesAWriteAndARead) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        char one[2] = {static_cast<char>(b), 0};
        SettingSet(("B" + std::to_string(b)).c_str(), one);
        all += static_cast<char>(b);
    }
    SettingSet("All", all.c_str());
    ASSERT_TRUE(SiteFileWrite(Path("b.psf").c_str()));
    uint32_t written = StoreChecksum();
    Reset();
    ASSERT_EQ(SiteFileRead(Path("b.psf").c_str()), 0);
    EXPECT_EQ(StoreChecksum(), written);
    EXPECT_EQ(std::string(SettingGet("All")), all);
    for (int b = 1; b < 256; ++b)
        ASSERT_EQ(static_cast<unsigned char>(SettingGet(("B" + std::to_string(b)).c_str())[0]), b);
}

TEST_F(SiteFileTest, ReaderRules) {
    struct Case {
        std::string file;
        const char* name;  // setting to look at
        const char* value; // its value, nullptr for absent
    };
    // A long name is cut before its trailing blanks go, so the name kept
    // never ends in a blank.
    const std::string cut(126, 'N');
    const Case cases[] = {
        {"Zone_1 = \"a\"\r\nZone_1 = \"b\"\r\n", "Zone_1", "b"},
        {"Name \t = \"x\"\n", "Name", "x"},
        {" Name = \"x\"\n", " Name", "x"},
        {" Name = \"x\"\n", "Name", nullptr},
        {"Name\xA0 = \"x\"\n", "Name", "x"},
        {"N = \"a\"tail\"\n", "N", "a"},
        {"N = x\n", "N", nullptr},
        {"N = \"x\n", "N", nullptr},
        {"N \"x\"\n", "N \"x\"", nullptr},
        {"N = \"a\\101b\"", "N", "aAb"},      // no line end at the end
        {"N = \"\\134101\"\n", "N", "\\101"}, // a produced backslash is no escape
        {"N = \"\\9zz\"\n", "N", ""},         // no octal digit gives 0: the value ends
        {"N = \"a\\1\"\n", "N", "a\x01"},     // fewer than three characters
        {"N = \"a\\\"\n", "N", "a"},          // a backslash just before the quote
        {"N = \"a\\777b\"\n", "N",
         "a\xFF"
         "b"},                                      // taken modulo 256
        {"N = \"a\rb\"\r\n", "N", "a\rb"},          // a lone CR stays
        {"N = \"1\"\x1AM = \"2\"\n", "M", nullptr}, // Ctrl-Z ends the file
        {"N=\"=\"\n", "N", "="},
        {std::string("N = \"a\0b\"\n", 10), "N", nullptr}, // a NUL byte ends the line
        {cut + " tail = \"x\"\n", cut.c_str(), "x"},
        {cut + "\xA0tail = \"x\"\n", cut.c_str(), "x"},
    };
    for (const Case& c : cases) {
        Reset();
        SiteFileRead(Write("r.psf", c.file).c_str());
        const char* v = SettingGet(c.name);
        if (!c.value)
            EXPECT_EQ(v, nullptr) << c.file;
        else
            EXPECT_STREQ(v, c.value) << c.file;
    }
}

TEST_F(SiteFileTest, NamesThatAFileCannotKeep) {
    struct Case {
        std::string name;
        bool kept;
    } const cases[] = {
        {"SiteName", true},
        {" Lead", true},
        {"", true},
        {"in\rside", true},
        {"a\"b", true},
        {std::string(126, 'N') + " tail", false}, // kept as 127 characters ending in a blank
        {std::string(127, 'N') + " ", true},
        {"Check", false},
        {"Check2", true},
        {"Tail ", false},
        {"Tail\t", false},
        {"Tail\xE9", false},
        {"a=b", false},
        {"a\nb", false},
        {"a\x1A"
         "b",
         false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SiteFileKeepsName(c.name.c_str()), c.kept) << c.name;
        if (!c.kept)
            continue;
        // What is kept reads back: the saved file passes its check.
        Reset();
        SettingSet(c.name.c_str(), "v");
        ASSERT_TRUE(SiteFileWrite(Path("k.psf").c_str()));
        Reset();
        EXPECT_EQ(SiteFileRead(Path("k.psf").c_str()), 0) << c.name;
    }
}

TEST_F(SiteFileTest, CheckLineDecidesTheResult) {
    EXPECT_EQ(SiteFileRead(Write("seed.psf", "Check = \"1515870810\"\r\n").c_str()), 0);
    Reset();
    EXPECT_EQ(SiteFileRead(Write("none.psf", "A = \"1\"\r\n").c_str()), -1);
    Reset();
    EXPECT_EQ(SiteFileRead(Write("ok.psf", "A = \"1\"\nCheck = \"1515870924\"\n").c_str()), 0);
    Reset();
    EXPECT_EQ(SiteFileRead(Write("cr.psf", "A = \"1\"\r\nCheck = \"1515870924\"\r\n").c_str()), 0);
    Reset();
    EXPECT_EQ(SiteFileRead(Write("edited.psf", "A = \"2\"\r\nCheck = \"1515870924\"\r\n").c_str()),
              -1);
    Reset();
    EXPECT_EQ(SiteFileRead(Write("check.psf", "A = \"1\"\r\nCheck = \"1515870925\"\r\n").c_str()),
              -1);
    Reset();
    // The later Check line counts.
    EXPECT_EQ(SiteFileRead(
                  Write("two.psf", "Check = \"1\"\nA = \"1\"\nCheck = \"1515870924\"\n").c_str()),
              0);
    Reset();
    EXPECT_EQ(SiteFileRead(Path("missing.psf").c_str()), -2);
    EXPECT_EQ(SiteFileRead(dir.string().c_str()), -2); // a folder cannot be read
}

TEST_F(SiteFileTest, SettingsAFullStoreCannotTakeAreCounted) {
    std::string lines;
    for (int i = 0; i < kStoreSlotCount + 5; ++i)
        lines += "S" + std::to_string(i) + " = \"1\"\n";
    int dropped = -1;
    EXPECT_EQ(SiteFileRead(Write("big.psf", lines).c_str(), &dropped), -1);
    EXPECT_EQ(dropped, 5);
#ifdef __linux__
    // An endless device is not a site file: reading stops at the size limit.
    EXPECT_EQ(SiteFileRead("/dev/zero"), -2);
#endif
}

TEST_F(SiteFileTest, LongValuesWithLineBreaksRoundTrip) {
    // 256 characters with line breaks escape to a line far over 255 characters.
    std::string comment;
    for (int i = 0; i < 64; ++i)
        comment += "ab\r\n";
    std::string longest(1023, '\\');
    SettingSet("SiteComments", comment.c_str());
    SettingSet("Longest", longest.c_str());
    ASSERT_TRUE(SiteFileWrite(Path("long.psf").c_str()));
    Reset();
    ASSERT_EQ(SiteFileRead(Path("long.psf").c_str()), 0);
    EXPECT_EQ(std::string(SettingGet("SiteComments")), comment);
    EXPECT_EQ(std::string(SettingGet("Longest")), longest);
}

TEST_F(SiteFileTest, LinesAcrossReadBlocksKeepTheirValues) {
    // The file is read in blocks of 64 KiB: wherever a block ends inside a
    // line, name, escape or quote, the line reads as a whole.
    for (size_t pad = 65520; pad < 65540; ++pad) {
        Reset();
        std::string file = "A = \"" + std::string(pad, 'x') + "\"\r\nBcd = \"\101\102\"\r\n\x1A";
        SiteFileRead(Write("blocks.psf", file).c_str());
        ASSERT_STREQ(SettingGet("Bcd"), "AB") << pad;
        EXPECT_EQ(std::strlen(SettingGet("A")), 1023u);
    }
}

TEST_F(SiteFileTest, LoadAddsDefaultsAndSaveKeepsTheLoadedChecksum) {
    Write("only.psf", "SiteName = \"Depot\"\r\n");
    SiteFileRead(Path("only.psf").c_str());
    FillSiteDefaults();
    EXPECT_STREQ(SettingGet("SiteName"), "Depot");
    EXPECT_STREQ(SettingGet("NumZones"), "32");

    ASSERT_TRUE(SiteFileWrite(Path("saved.psf").c_str()));
    Reset();
    EXPECT_EQ(SiteFileRead(Path("saved.psf").c_str()), 0);
    EXPECT_EQ(FillSiteDefaults(), StoreChecksum());
    EXPECT_EQ(LoadedChecksum(), StoreChecksum());
}

TEST_F(SiteFileTest, NoCurrentStoreWritesAnEmptyFile) {
    SettingsStore none;
    SettingsStore* before = StoreSelect(&none);
    EXPECT_TRUE(SiteFileWrite(Path("empty.psf").c_str()));
    StoreSelect(before);
    EXPECT_EQ(Read(Path("empty.psf")), "");
}

TEST_F(SiteFileTest, HostileInputNeverCrashes) {
    std::mt19937 rng(99);
    std::vector<std::string> files;
    std::string noise;
    for (int i = 0; i < 200000; ++i)
        noise += static_cast<char>(rng());
    files.push_back(noise);
    files.push_back(std::string(300, 'N') + " = \"" + std::string(2000, 'v') + "\"\n");
    files.push_back("N = \"" + std::string(100000, '\\') + "\"\n");
    files.push_back("N = \"" + std::string(100000, 'x'));
    files.push_back(std::string(100000, '='));
    files.push_back("=\"\"\n=\n\"\n\\\n");
    for (const std::string& f : files) {
        Reset();
        int result = SiteFileRead(Write("h.psf", f).c_str());
        EXPECT_TRUE(result == 0 || result == -1);
    }
    Reset();
    SiteFileRead(Write("h.psf", files[1]).c_str());
    const char* v = SettingGet(std::string(127, 'N').c_str());
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(std::strlen(v), 1023u);
}

#ifndef _WIN32
TEST_F(SiteFileTest, AFailedSaveLeavesThePreviousFileAsItWas) {
    SettingSet("A", "1");
    std::string path = Path("keep.psf");
    ASSERT_TRUE(SiteFileWrite(path.c_str()));
    std::string before = Read(path);
    for (int i = 0; i < 3000; ++i)
        SettingSet(("Big" + std::to_string(i)).c_str(), std::string(200, 'x').c_str());

    bool written = WithFileSizeLimit(4096, [&] { return SiteFileWrite(path.c_str()); });

    EXPECT_FALSE(written);
    EXPECT_EQ(Read(path), before);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1); // no temporary file left behind
    EXPECT_FALSE(SiteFileWrite(Path("no/such/folder.psf").c_str()));
}
#endif

} // namespace
