#include "model/loaded_checksum.h"
#include "model/site_defaults.h"
#include "model/site_file.h"
#include "model/site_load.h"
#include "model_fixture.h"

#include <string>

namespace {

// The fixture's store plays the desktop's site store, holding an unsaved
// change; a refused load must leave it, and the loaded checksum, untouched.
class SiteLoadTest : public SiteStoreTest {
  protected:
    void SetUp() override {
        SiteStoreTest::SetUp();
        FillSiteDefaults();
        SettingPut("SiteName", "Unsaved work");
        SetLoadedChecksum(12345);
        ASSERT_TRUE(SiteFileWrite(Path("before.psf").c_str()));
        before = StoreChecksum();
    }
    void ExpectSiteUnchanged() {
        EXPECT_EQ(StoreSelect(nullptr), &store);
        EXPECT_EQ(StoreChecksum(&store), before);
        EXPECT_EQ(LoadedChecksum(), 12345u);
        ASSERT_TRUE(SiteFileWrite(Path("after.psf").c_str()));
        EXPECT_EQ(Read(Path("after.psf")), Read(Path("before.psf")));
    }
    // A site file of count settings "S<i>", with a matching Check line.
    std::string ManySettings(const char* name, int count) {
        SettingsStore many;
        StoreInit(&many);
        for (int i = 0; i < count; ++i)
            SettingSet(("S" + std::to_string(i)).c_str(), "1");
        std::string path = Path(name);
        EXPECT_TRUE(SiteFileWrite(path.c_str()));
        StoreFree(&many);
        StoreSelect(&store);
        return path;
    }
    uint32_t before = 0;
};

TEST_F(SiteLoadTest, RefusedLoadsLeaveTheSiteAsItWas) {
    const std::string good = Write("good.psf", "SiteName = \"Other site\"\n");
    const std::string wrongCheck = Write("wrong.psf", "SiteName = \"Other site\"\nCheck = \"1\"\n");
    std::string lines;
    for (int i = 0; i < kStoreSlotCount + 3; ++i)
        lines += "S" + std::to_string(i) + " = \"1\"\n";
    const std::string tooMany = Write("many.psf", lines);
    const std::string noRoomForDefaults = ManySettings("nearly.psf", kStoreSlotCount - 5);
    struct Case {
        std::string path;
        bool keepErrors;
        int code;
        bool overflow;
    } cases[] = {
        {Path("missing.psf"), false, -2, false},
        {Path("missing.psf"), true, -2, false},
        {wrongCheck, false, -1, false},
        {good, false, -1, false}, // no Check line at all
        {tooMany, true, -1, true},
        {noRoomForDefaults, true, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + (c.keepErrors ? " keeping errors" : ""));
        SiteLoadResult r = SiteLoad(&store, c.path.c_str(), c.keepErrors);
        EXPECT_FALSE(r.accepted);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.overflow, c.overflow);
        ExpectSiteUnchanged();
    }
    SiteLoadResult r = SiteLoad(&store, tooMany.c_str(), true);
    EXPECT_EQ(r.dropped, 3);
}

TEST_F(SiteLoadTest, AcceptedLoadsReplaceTheSiteAndRecordTheLoadedChecksum) {
    // A clean file of a site with an extra setting the defaults do not know.
    Reset();
    FillSiteDefaults();
    SettingPut("SiteName", "Other site");
    SettingPut("Extra", "x");
    ASSERT_TRUE(SiteFileWrite(Path("other.psf").c_str()));
    const uint32_t other = StoreChecksum();
    Reset();
    FillSiteDefaults();
    SettingPut("SiteName", "Unsaved work");

    SiteLoadResult r = SiteLoad(&store, Path("other.psf").c_str(), false);
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(StoreSelect(nullptr), &store);
    EXPECT_EQ(StoreChecksum(), other);
    EXPECT_EQ(LoadedChecksum(), other);
    EXPECT_STREQ(SettingGet("SiteName"), "Other site");

    // With the flag, a file with a wrong check value stays, with the defaults
    // for what it lacks, and nothing of the site before it.
    SettingPut("Leftover", "1");
    Write("wrong.psf", "SiteName = \"Edited\"\nCheck = \"1\"\n");
    r = SiteLoad(&store, Path("wrong.psf").c_str(), true);
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.code, -1);
    EXPECT_STREQ(SettingGet("SiteName"), "Edited");
    EXPECT_EQ(SettingGet("Leftover"), nullptr);
    EXPECT_EQ(SettingGet("Extra"), nullptr);
    EXPECT_NE(SettingGet("Type_192"), nullptr);
    EXPECT_EQ(LoadedChecksum(), StoreChecksum());
}

// Not one line of the site file's form: no site, also when errors are kept
// (it would load as all defaults, and a send would reset a panel to them).
TEST_F(SiteLoadTest, AFileWithoutOneSiteLineIsNotASiteFile) {
    std::string random;
    for (int i = 0; i < 4096; ++i)
        random += static_cast<char>((i * 7919 + 13) % 251 == '"' ? 'x' : (i * 7919 + 13) % 251);
    const struct {
        const char* name;
        std::string bytes;
        bool notSiteFile;
    } cases[] = {
        {"empty.psf", "", true},
        {"random.psf", random, true},
        {"firmware.hex", ":020000025000AC\r\n:00000001FF\r\n", true},
        {"no-quotes.psf", "SiteName = Depot\r\n", true},
        {"no-name.psf", " = \"x\"\r\n", true},
        {"one-line.psf", "junk\r\nSiteName = \"Depot\"\r\n", false},
        {"check-only.psf", "Check = \"1515870810\"\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write(c.name, c.bytes);
        for (bool keepErrors : {false, true}) {
            SiteLoadResult r = SiteLoad(&store, path.c_str(), keepErrors);
            EXPECT_EQ(r.notSiteFile, c.notSiteFile);
            if (c.notSiteFile) {
                EXPECT_FALSE(r.accepted);
                ExpectSiteUnchanged();
            } else {
                EXPECT_EQ(r.accepted, keepErrors || r.code == 0);
                StoreSelect(&store);
                ASSERT_TRUE(SiteLoad(&store, Path("before.psf").c_str(), false).accepted);
                SetLoadedChecksum(12345);
            }
        }
    }
    // Only a Check line, with the check value of an empty store: a valid
    // empty site (the defaults then added).
    SiteLoadResult r = SiteLoad(&store, Path("check-only.psf").c_str(), false);
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.accepted);
}

TEST_F(SiteLoadTest, AStoreNeverSetUpCanTakeALoad) {
    SettingsStore fresh;
    EXPECT_FALSE(SiteLoad(&fresh, Path("missing.psf").c_str(), false).accepted);
    EXPECT_EQ(SiteLoad(&fresh, nullptr, true).code, -2);
    ExpectSiteUnchanged(); // the fixture's store stays current
    EXPECT_TRUE(SiteLoad(&fresh, Path("before.psf").c_str(), false).accepted);
    EXPECT_EQ(StoreSelect(nullptr), &fresh);
    EXPECT_STREQ(SettingGet("SiteName"), "Unsaved work");
    StoreSelect(&store);
    StoreFree(&fresh);
    EXPECT_FALSE(SiteLoad(nullptr, Path("before.psf").c_str(), false).accepted);
}

} // namespace
