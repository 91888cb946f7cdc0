// m720-cli check, export and import-text, run end to end.
#ifndef _WIN32

#include "model/model_fixture.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace {

class CliCheckTest : public SiteStoreTest {
  protected:
    int Cli(const std::string& args) {
        std::string command = std::string(M720_CLI_PATH) + " " + args + " >" + Path("stdout") +
                              " 2>" + Path("stderr");
        int status = std::system(command.c_str());
        out = Read(Path("stdout"));
        err = Read(Path("stderr"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // A site without faults: one optical detector, only cell (1,1) in use.
    std::string CleanSiteFile() {
        FillSiteDefaults();
        for (const char* name :
             {"SiteNumber", "SiteName", "SiteContact", "SiteAddress", "SitePostcode", "SitePhone",
              "SiteComments", "SiteEngineer", "SiteCommission", "SiteResistance", "SiteQuiescent",
              "SiteAlarm", "SiteBattery", "SiteBatteryType", "SiteBatteryInstallation"})
            SettingPut(name, "x");
        for (int g = 1; g <= kGroups; ++g)
            for (int o = 1; o <= kGroups; ++o)
                SettingPut(("Matrix_" + std::to_string(g) + "_" + std::to_string(o)).c_str(),
                           g == 1 && o == 1 ? "C" : "O");
        SettingPut("Type_1", "33");
        SettingPut("Version_1", "20");
        SettingPut("Sens1_1", "1");
        SettingPut("Sens2_1", "3");
        SettingPut("MapNode_1", "1");
        SettingPut("DeviceText_1", "Hall");
        std::string path = Path("clean.psf");
        EXPECT_TRUE(SiteFileWrite(path.c_str()));
        return path;
    }
    std::string NewSiteFile() {
        FillSiteDefaults();
        std::string path = Path("new.psf");
        EXPECT_TRUE(SiteFileWrite(path.c_str()));
        return path;
    }
    std::string out, err;
};

TEST_F(CliCheckTest, CheckPrintsTheReportAndTheCurrents) {
    std::string site = NewSiteFile();
    EXPECT_EQ(Cli("check " + site), 1);
    std::string expected;
    for (int o = 1; o <= 32; ++o)
        for (int g = 2; g <= 31; ++g)
            expected += "Output group " + std::to_string(o) +
                        " is activated by unused input group " + std::to_string(g) + "\n";
    for (const char* name :
         {"SiteNumber", "SiteName", "SiteContact", "SiteAddress", "SitePostcode", "SitePhone",
          "SiteComments", "SiteEngineer", "SiteCommission", "SiteResistance", "SiteQuiescent",
          "SiteAlarm", "SiteBattery", "SiteBatteryType", "SiteBatteryInstallation"})
        expected += std::string("Site Info '") + name + "' requires a value\n";
    expected += "* * * More than 20 faults * * *\n"
                "Quiescent Current: 0.00mA\n"
                "Alarm Current: 0.00mA\n";
    EXPECT_EQ(out, expected);

    Reset();
    EXPECT_EQ(Cli("check " + CleanSiteFile()), 0);
    EXPECT_EQ(out, "No Site File Errors\nQuiescent Current: 0.20mA\nAlarm Current: 2.40mA\n");

    EXPECT_EQ(Cli("check " + Path("missing.psf")), 2);
    EXPECT_EQ(err, "Couldn't open file\nm720-cli: " + Path("missing.psf") +
                       ": No such file or directory\n");
    EXPECT_EQ(Cli("check"), 2);
}

TEST_F(CliCheckTest, ExportWritesEachKindAndReportsFailure) {
    std::string site = CleanSiteFile();
    struct Case {
        const char* kind;
        const char* done;
        const char* failed;
        const char* start;
    } cases[] = {
        {"devices", "Device data exported", "Could not export device data", "Address,Serial"},
        {"matrix", "Matrix exported", "Could not export matrix", ",OPG1,OPG2,"},
        {"texts", "Text exported", "Could not export text", "Device text,Zone text"},
        {"events", "Log exported", "Could not export log", "Event,Address,Zone"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        std::string csv = Path("out.csv");
        EXPECT_EQ(Cli(std::string("export ") + c.kind + " " + site + " " + csv), 0);
        EXPECT_EQ(err, std::string(c.done) + "\n");
        EXPECT_EQ(Read(csv).rfind(c.start, 0), 0u);
        EXPECT_EQ(Cli(std::string("export ") + c.kind + " " + site + " " + Path("no/dir/x.csv")),
                  1);
        EXPECT_EQ(err, std::string(c.failed) + "\nm720-cli: " + Path("no/dir/x.csv") + ": folder " +
                           Path("no/dir") + ": No such file or directory\n");
    }
    EXPECT_EQ(Cli("export sounds " + site + " " + Path("x.csv")), 2);
    EXPECT_EQ(Cli("export devices " + site), 2);
}

TEST_F(CliCheckTest, ImportTextMergesCentresAndSaves) {
    std::string site = NewSiteFile();
    std::string texts = Write("texts.txt", "DeviceText_3 = \"Stairs\"\r\n"
                                           "ZoneText_2 = \"\\011Upper floor  \"\r\n"
                                           "SiteName = \"Mill\"\r\n");
    std::string result = Path("result.psf");
    EXPECT_EQ(Cli("import-text " + site + " " + texts + " " + result), 0);
    EXPECT_EQ(err, "Text imported into current site file\n");
    Reset();
    ASSERT_EQ(SiteFileRead(result.c_str()), 0); // saved with a fresh check value
    EXPECT_STREQ(SettingGet("DeviceText_3"), "       Stairs       ");
    EXPECT_STREQ(SettingGet("ZoneText_2"), "    Upper floor     ");
    EXPECT_STREQ(SettingGet("SiteName"), "Mill");
    EXPECT_STREQ(SettingGet("DeviceText_4"), "");       // blank texts become empty
    EXPECT_EQ(SettingGet("QuiescentCurrent"), nullptr); // no check was run

    EXPECT_EQ(Cli("import-text " + site + " " + Path("none.txt") + " " + Path("r2.psf")), 2);
    EXPECT_EQ(err, "Couldn't open file\nm720-cli: " + Path("none.txt") +
                       ": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(Path("r2.psf")));

    // More settings than the site can hold: no OUT that silently lacks some.
    std::string many;
    for (int i = 0; i < kStoreSlotCount; ++i)
        many += "Extra_" + std::to_string(i) + " = \"1\"\r\n";
    EXPECT_EQ(Cli("import-text " + site + " " + Write("many.txt", many) + " " + Path("r3.psf")), 1);
    EXPECT_NE(err.find("nothing was written"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(Path("r3.psf")));
}

} // namespace

#endif
