#include "check/design_check.h"
#include "model/decimal_comma_locale.h"
#include "model/model_fixture.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr const char* kSiteDetails[] = {
    "SiteNumber",    "SiteName",     "SiteContact",  "SiteAddress",     "SitePostcode",
    "SitePhone",     "SiteComments", "SiteEngineer", "SiteCommission",  "SiteResistance",
    "SiteQuiescent", "SiteAlarm",    "SiteBattery",  "SiteBatteryType", "SiteBatteryInstallation",
};

std::string Name(const char* format, int a) {
    char name[64];
    std::snprintf(name, sizeof name, format, a);
    return name;
}
std::string Cell(int g, int o) {
    return "Matrix_" + std::to_string(g) + "_" + std::to_string(o);
}
void Put(const std::string& name, const std::string& value) {
    SettingPut(name.c_str(), value.c_str());
}

class DesignCheckTest : public SiteStoreTest {
  protected:
    // Defaults with the site details filled in and only cell (1,1) in use:
    // the check finds nothing.
    void CleanSite() {
        FillSiteDefaults();
        for (const char* name : kSiteDetails)
            Put(name, "x");
        for (int g = 1; g <= kGroups; ++g)
            for (int o = 1; o <= kGroups; ++o)
                Put(Cell(g, o), "O");
        Put(Cell(1, 1), "C");
    }
    // A device that passes every per-address check in the clean site.
    void Device(int a, int type, int version = 40) {
        Put(Name("Type_%d", a), std::to_string(type));
        Put(Name("Version_%d", a), std::to_string(version));
        Put(Name("Sens1_%d", a), "1");
        Put(Name("Sens2_%d", a), "1");
        Put(Name("MapNode_%d", a), std::to_string(a));
        Put(Name("DeviceText_%d", a), "Hall");
    }
    std::string Run(int* count = nullptr) {
        auto buffer = std::make_unique<char[]>(kDesignReportSize);
        int faults = CheckDesign(buffer.get());
        if (count)
            *count = faults;
        EXPECT_EQ(CheckDesign(nullptr), faults) << "counting alone must give the same count";
        return buffer.get();
    }
};

TEST_F(DesignCheckTest, NewSiteGives975FaultsAndZeroCurrents) {
    FillSiteDefaults();
    int count = 0;
    std::string report = Run(&count);
    EXPECT_EQ(count, 975);

    std::string expected;
    for (int o = 1; o <= 32; ++o)
        for (int g = 2; g <= 31; ++g)
            expected += "Output group " + std::to_string(o) +
                        " is activated by unused input group " + std::to_string(g) + "\r\n";
    for (const char* name : kSiteDetails)
        expected += std::string("Site Info '") + name + "' requires a value\r\n";
    expected += "* * * More than 20 faults * * *";
    EXPECT_EQ(report, expected);
    EXPECT_STREQ(SettingGet("QuiescentCurrent"), "0.00mA");
    EXPECT_STREQ(SettingGet("AlarmCurrent"), "0.00mA");
}

TEST_F(DesignCheckTest, CleanSiteHasNoFaults) {
    CleanSite();
    Device(1, 33);
    Device(2, 211); // input, output, beacon part and talking
    int count = -1;
    EXPECT_EQ(Run(&count), "");
    EXPECT_EQ(count, 0);
    // 0.2 + 0.55 and 2.4 + 12.5, summed as floats.
    EXPECT_STREQ(SettingGet("QuiescentCurrent"), "0.75mA");
    EXPECT_STREQ(SettingGet("AlarmCurrent"), "14.90mA");
}

TEST_F(DesignCheckTest, Rules) {
    struct Case {
        const char* what;
        std::function<void()> setup;
        const char* report;
    };
    const Case cases[] = {
        {"type 33 at version 14", [] { Put("Version_1", "14"); },
         "Software version at address 1\r\n"},
        {"type 33 at version 15", [] { Put("Version_1", "15"); }, ""},
        {"version 0", [] { Put("Version_1", "0"); }, "Software version at address 1\r\n"},
        {"version 255", [] { Put("Version_1", "255"); }, "Software version at address 1\r\n"},
        {"version taken as its low 8 bits", [] { Put("Version_1", "270"); },
         "Software version at address 1\r\n"},
        {"no version: no version checks",
         [] {
             SettingDelete("Version_1");
             Put("Type_1", "211");
             Put("BeaconFlashrate", "1");
         },
         ""},
        {"VAD at version 20 with flash rate 1",
         [] {
             Put("Type_1", "211");
             Put("Version_1", "20");
             Put("BeaconFlashrate", "1");
         },
         "VAD at address 1 flash rate should be 2 seconds\r\n"},
        {"VAD at version 19 with flash rate 1",
         [] {
             Put("Type_1", "211");
             Put("Version_1", "19");
             Put("BeaconFlashrate", "1");
         },
         ""},
        {"text but no device",
         [] {
             Put("Type_1", "0");
             Put("Version_1", "0");
         },
         "Text but no device at address 1\r\n"},
        {"no device, blank text",
         [] {
             Put("Type_1", "0");
             Put("DeviceText_1", "   ");
         },
         ""},
        {"unsupported type", [] { Put("Type_1", "2"); }, "Unsupported device at address 1\r\n"},
        {"type taken as its low 8 bits", [] { Put("Type_1", "289"); }, ""},
        {"input group 0", [] { Put("IPGroup_1", "0"); }, "Input group at address 1\r\n"},
        {"input group 32", [] { Put("IPGroup_1", "32"); }, "Input group at address 1\r\n"},
        {"input activates unused output", [] { Put(Cell(1, 5), "C"); },
         "Input group 1 at address 1 activates unused output group 5\r\n"},
        {"... unless it is the conventional alarm group",
         [] {
             Put(Cell(1, 5), "C");
             Put("ConvAlarmOpGroup", "5");
         },
         ""},
        {"a cell beginning with O is off", [] { Put(Cell(1, 5), "Off"); }, ""},
        {"input activates nothing", [] { Put(Cell(1, 1), "O"); },
         "Input group at address 1 doesn't activate any output group\r\n"},
        {"blank device text", [] { Put("DeviceText_1", "  "); }, "Device text for address 1\r\n"},
        {"zone 0", [] { Put("Zone_1", "0"); }, "Zone number for address 1\r\n"},
        {"zone 33", [] { Put("Zone_1", "33"); }, "Zone number for address 1\r\n"},
        {"blank zone text", [] { Put("ZoneText_1", ""); }, "Zone text for zone 1\r\n"},
        {"map node 0", [] { Put("MapNode_1", "0"); }, "Map node for address 1\r\n"},
        {"map node 193", [] { Put("MapNode_1", "193"); }, "Map node for address 1\r\n"},
        {"map node 192", [] { Put("MapNode_1", "192"); }, ""},
        {"call point not manual", [] { Put("Type_1", "64"); },
         "Class for address 1 is not 'Manual'\r\n"},
        {"call point manual",
         [] {
             Put("Type_1", "64");
             Put("Class_1", "1");
         },
         ""},
        {"class compared whole: 257 is not manual",
         [] {
             Put("Type_1", "64");
             Put("Class_1", "257");
         },
         "Class for address 1 is not 'Manual'\r\n"},
        {"sensitivities 0",
         [] {
             Put("Sens1_1", "0");
             Put("Sens2_1", "256");
         },
         "Sensitivity 1 for address 1\r\nSensitivity 2 for address 1\r\n"},
        {"a type without modes ignores them",
         [] {
             Put("Type_1", "64");
             Put("Class_1", "1");
             Put("Sens1_1", "0");
         },
         ""},
        {"pulse times checked only for language 1", [] { Put("PulseOnTime", "1.0"); }, ""},
        {"pulse times",
         [] {
             Put("Language", "1");
             Put("PulseOnTime", "3.0");
             Put("PulseOffTime", "1.0");
         },
         "Pulse on time not 3.5s\r\nPulse off time not 0.5s\r\n"},
        {"pulse times exact",
         [] {
             Put("Language", "1");
             Put("PulseOnTime", " 3.50");
             Put("PulseOffTime", "0.5s");
         },
         ""},
        {"remote alarm input with nothing to activate", [] { Put("RemoteAlarmInput", "1"); },
         "Remote Alarm Input doesn't activate any output group\r\n"},
        {"remote alarm input activates unused output",
         [] {
             Put("RemoteAlarmInput", "1");
             Put(Cell(31, 5), "C");
         },
         "Remote Alarm Input activates unused output group 5\r\n"
         "Remote Alarm Input doesn't activate any output group\r\n"},
        {"class change activates a used output",
         [] {
             Put("ClassChange", "1");
             Put(Cell(30, 1), "C");
         },
         ""},
        {"class change row without the flag", [] { Put(Cell(30, 1), "C"); },
         "Output group 1 is activated by unused input group 30\r\n"},
        {"empty site detail; blanks are a value",
         [] {
             Put("SiteName", "");
             Put("SitePhone", " ");
         },
         "Site Info 'SiteName' requires a value\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        CleanSite();
        Device(1, 33);
        c.setup();
        EXPECT_EQ(Run(), c.report);
    }
}

TEST_F(DesignCheckTest, OutputSideAndBeacon) {
    struct Case {
        const char* what;
        std::function<void()> setup;
        const char* report;
    };
    const Case cases[] = {
        {"output group 32 is allowed",
         [] {
             Put("OPGroup_1", "32");
             Put(Cell(1, 32), "C");
         },
         ""},
        {"output group 0", [] { Put("OPGroup_1", "0"); }, "Output group at address 1\r\n"},
        {"output group 33", [] { Put("OPGroup_1", "33"); }, "Output group at address 1\r\n"},
        {"output driven by an unused input", [] { Put(Cell(7, 1), "C"); },
         "Output group 1 at address 1 activated by unused input group 7\r\n"
         "Output group 1 is activated by unused input group 7\r\n"},
        {"output driven by nothing", [] { Put("OPGroup_1", "2"); },
         "No input group triggers output group 2 at address 1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        CleanSite();
        Device(1, 131); // output only
        c.setup();
        EXPECT_EQ(Run(), c.report);
    }

    // Output group 32 with the Beacon option is a fault only for a type with
    // a beacon part.
    for (int type : {131, 209}) {
        SCOPED_TRACE(type);
        Reset();
        CleanSite();
        Device(1, type);
        Put("OPGroup_1", "32");
        Put(Cell(1, 32), "C");
        Put("Beacon", "1");
        EXPECT_EQ(Run(), type == 209 ? "Group is 32 & Beacon OPGrp+1 at address 1\r\n" : "");
    }
}

TEST_F(DesignCheckTest, OwnNumbersAreLow8BitsOtherAddressesCompareWhole) {
    CleanSite();
    for (int a = 1; a <= kLoopAddresses; ++a)
        Put(Name("IPGroup_%d", a), "0");
    Device(1, 33);
    Put("IPGroup_1", "257"); // input group 1 for address 1 itself
    Device(2, 131);          // its output group 1 needs some address in input group 1
    EXPECT_EQ(Run(), "Output group 1 at address 2 activated by unused input group 1\r\n"
                     "No input group triggers output group 1 at address 2\r\n"
                     "Output group 1 is activated by unused input group 1\r\n");
}

TEST_F(DesignCheckTest, ZoneTextIsCheckedOncePerZone) {
    CleanSite();
    Device(1, 33);
    Device(2, 33);
    Device(3, 33);
    Put("Zone_1", "3");
    Put("Zone_2", "3");
    Put("Zone_3", "4");
    Put("ZoneText_3", "    ");
    EXPECT_EQ(Run(), "Zone text for zone 3\r\n");
}

TEST_F(DesignCheckTest, TalkingSounderPairs) {
    CleanSite();
    Device(1, 210); // talking
    Device(2, 208); // non-talking output
    Device(3, 209); // non-talking with beacon part
    Device(4, 33);  // input only: no partner
    Device(5, 165); // talking too
    Device(6, 208); // other output group
    Put("OPGroup_6", "2");
    Put(Cell(1, 2), "C");
    EXPECT_EQ(
        Run(),
        "Talking device at address 1 in same output group as non talking device at address 2\r\n"
        "Talking device at address 1 in same output group as non talking device at address 3\r\n"
        "Talking device at address 5 in same output group as non talking device at address 2\r\n"
        "Talking device at address 5 in same output group as non talking device at address 3\r\n");
}

TEST_F(DesignCheckTest, StopsBeforeTheAddressAfterTwentyFaults) {
    CleanSite();
    // Addresses 1 to 9 give two faults each, address 10 three: 21.
    for (int a = 1; a <= 12; ++a) {
        Device(a, 33);
        Put(Name("MapNode_%d", a), "0");
        Put(Name("Sens1_%d", a), "0");
    }
    Put("Sens2_10", "0");
    int count = 0;
    std::string report = Run(&count);
    EXPECT_EQ(count, 21);
    EXPECT_NE(report.find("Sensitivity 2 for address 10\r\n* * * More than 20 faults * * *"),
              std::string::npos);
    EXPECT_EQ(report.find("address 11"), std::string::npos);
    // Ten devices of 0.2 / 2.4 mA: addresses 11 and 12 are not added.
    EXPECT_STREQ(SettingGet("QuiescentCurrent"), "2.00mA");
    EXPECT_STREQ(SettingGet("AlarmCurrent"), "24.00mA");

    // Exactly 20 still gets the overflow line, and also stops.
    Put("Sens2_10", "1");
    report = Run(&count);
    EXPECT_EQ(count, 20);
    EXPECT_EQ(report.substr(report.size() - 33), "\r\n* * * More than 20 faults * * *");
    EXPECT_EQ(report.find("address 11"), std::string::npos);
}

TEST_F(DesignCheckTest, AlarmCurrentAbove600mA) {
    for (int devices : {8, 9}) { // 73 mA each: 584 and 657
        SCOPED_TRACE(devices);
        Reset();
        CleanSite();
        for (int a = 1; a <= devices; ++a)
            Device(a, 194);
        int count = 0;
        std::string report = Run(&count);
        EXPECT_EQ(report, devices == 9 ? "Alarm current greater than 600mA\r\n" : "");
        EXPECT_STREQ(SettingGet("AlarmCurrent"), devices == 9 ? "657.00mA" : "584.00mA");
    }
}

TEST_F(DesignCheckTest, CurrentsAreStoredOnEveryRunAndOverwritten) {
    FillSiteDefaults();
    Put("QuiescentCurrent", "stale value that is longer");
    Put("Type_1", "73");
    Put("Version_1", "30");
    CheckDesign(nullptr);
    EXPECT_STREQ(SettingGet("QuiescentCurrent"), "35.00mA");
    EXPECT_STREQ(SettingGet("AlarmCurrent"), "40.00mA");
}

TEST_F(DesignCheckTest, OverlongReportStopsAtAWholeLineWithinTheBuffer) {
    FillSiteDefaults(); // the whole matrix in use: 960 matrix faults
    // A talking sounder with 191 non-talking partners adds 191 long lines.
    Put("Type_1", "210");
    for (int a = 2; a <= kLoopAddresses; ++a)
        Put(Name("Type_%d", a), "208");
    auto buffer = std::make_unique<char[]>(kDesignReportSize + 16);
    std::memset(buffer.get(), '#', kDesignReportSize + 16);
    int count = CheckDesign(buffer.get());
    std::string report = buffer.get();
    EXPECT_LE(report.size(), static_cast<size_t>(kDesignReportSize - 1));
    EXPECT_GT(report.size(), static_cast<size_t>(kDesignReportSize - 200));
    EXPECT_EQ(report.substr(report.size() - 2), "\r\n");
    EXPECT_EQ(buffer[kDesignReportSize], '#'); // nothing written past the buffer
    EXPECT_EQ(report.find("* * *"), std::string::npos);
    int lines = 0;
    for (size_t p = 0; (p = report.find("\r\n", p)) != std::string::npos; p += 2)
        ++lines;
    EXPECT_LT(lines, count);
    EXPECT_EQ(CheckDesign(nullptr), count);
}

TEST_F(DesignCheckTest, ALineEndingExactlyAtTheLimitIsKept) {
    // Tuned so that the whole lines up to one matrix fault come to exactly
    // 65535 characters: that line is kept, the next one is not.
    FillSiteDefaults();
    Put("Type_1", "210");
    Put("Version_1", "15");
    for (int a = 2; a <= 157; ++a)
        Put(Name("Type_%d", a), "208");
    std::string expected;
    for (int o = 2; o <= 32; ++o)
        expected += "Input group 1 at address 1 activates unused output group " +
                    std::to_string(o) + "\r\n";
    for (int g = 2; g <= 31; ++g)
        expected += "Output group 1 at address 1 activated by unused input group " +
                    std::to_string(g) + "\r\n";
    expected += "Device text for address 1\r\nMap node for address 1\r\n"
                "Sensitivity 1 for address 1\r\nSensitivity 2 for address 1\r\n";
    for (int b = 2; b <= 157; ++b)
        expected += "Talking device at address 1 in same output group as non talking device at "
                    "address " +
                    std::to_string(b) + "\r\n";
    for (int o = 1; o <= 32 && expected.size() < kDesignReportSize - 1; ++o)
        for (int g = 2; g <= 31 && expected.size() < kDesignReportSize - 1; ++g)
            expected += "Output group " + std::to_string(o) +
                        " is activated by unused input group " + std::to_string(g) + "\r\n";
    ASSERT_EQ(expected.size(), static_cast<size_t>(kDesignReportSize - 1));

    int count = 0;
    EXPECT_EQ(Run(&count), expected);
    EXPECT_EQ(count, 65 + 156 + 960 + 15);
}

TEST_F(DesignCheckTest, CurrentsAndTheSiteFileKeepTheirPointUnderADecimalCommaLocale) {
    CleanSite();
    Device(1, 0x01); // 0.2 / 2.4 mA
    Device(2, 0x88); // 0.6 / 10 mA
    Run();
    ASSERT_TRUE(SiteFileWrite(Path("c.psf").c_str()));

    DecimalCommaLocale comma;
    SKIP_WITHOUT_DECIMAL_COMMA();
    Run();
    EXPECT_STREQ(SettingGet("AlarmCurrent"), "12.40mA");
    EXPECT_STREQ(SettingGet("QuiescentCurrent"), "0.80mA");
    ASSERT_TRUE(SiteFileWrite(Path("comma.psf").c_str()));
    EXPECT_EQ(Read(Path("comma.psf")), Read(Path("c.psf")));
    Reset();
    EXPECT_EQ(SiteFileRead(Path("comma.psf").c_str()), 0);
    EXPECT_STREQ(SettingGet("PulseOnTime"), "1.0");
}

} // namespace
