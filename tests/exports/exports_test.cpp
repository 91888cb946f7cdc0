#include "exports/csv_reader.h"
#include "exports/event_log.h"
#include "exports/exports.h"
#include "model/decimal_comma_locale.h"
#include "model/device_types.h"
#include "model/model_fixture.h"
#include "model/site_defaults.h"

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

using ExportsTest = SiteStoreTest;

std::vector<std::string> Lines(const std::string& file) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(file.substr(start, end - start));
    EXPECT_EQ(start, file.size()) << "the file must end with CR LF";
    return lines;
}

TEST_F(ExportsTest, DeviceLines) {
    FillSiteDefaults();
    SettingPut("SNum_2", "12AB34");
    SettingPut("Type_2", "158");
    SettingPut("Version_2", "7");
    SettingPut("MapNode_2", "9");
    SettingPut("Zone_2", "3");
    SettingPut("Sens1_2", "3");
    SettingPut("Sens2_2", "9x");
    SettingPut("Volume_2", "4");
    SettingPut("Class_2", "1");
    SettingPut("Coverage_2", "1");
    SettingPut("NonLatching_2", "1");
    SettingPut("Type_3", "2"); // not in the table: the code in hex
    SettingPut("Volume_3", "2");
    SettingPut("Class_3", "12");
    SettingPut("Type_4", "164");
    SettingPut("Coverage_4", "7"); // no name for this number
    SettingPut("Volume_4", " 7 "); // other volumes as stored
    SettingDelete("Zone_5");       // a missing setting leaves its field empty
    SettingDelete("Sens1_5");
    SettingDelete("Coverage_5");

    std::string path = Path("devices.csv");
    ASSERT_EQ(ExportDeviceData(path.c_str()), 1);
    std::vector<std::string> lines = Lines(Read(path));
    ASSERT_EQ(lines.size(), 193u);
    EXPECT_EQ(lines[0], "Address,Serial number,Type,Version,Map node,Zone,Day Sens,Night Sens,"
                        "Input group,Output group,Display group,Repeat group,Volume,Class,"
                        "Non Latching,Coverage");
    EXPECT_EQ(lines[1], "1, 000000, 00, 0, 0, 1, None, None, 1, 1, 0, 0, High, Automatic, "
                        "Latching,N/A");
    EXPECT_EQ(lines[2], "2, 12AB34, " + std::string(DeviceTypeName(158)).substr(0, 10) +
                            ", 7, 9, 3, Enhanced, 9x, 1, 1, 0, 0, Medium, Manual, "
                            "Non-Latching,C-3-5");
    EXPECT_EQ(lines[3], "3, 000000, 02, 0, 0, 1, None, None, 1, 1, 0, 0, Low, Unknown, "
                        "Latching,N/A");
    EXPECT_TRUE(lines[4].ends_with(", 0, 0,  7 , Automatic, Latching,N/A")) << lines[4];
    EXPECT_EQ(lines[5], "5, 000000, 00, 0, 0, , , None, 1, 1, 0, 0, High, Automatic, Latching,");
    EXPECT_EQ(lines[192].substr(0, 5), "192, ");
}

TEST_F(ExportsTest, MatrixFile) {
    FillSiteDefaults();
    SettingPut("DisabledOPGroups", "5");
    SettingPut("ClassChange", "1");
    SettingPut("OutputDelay_2", "1:30");
    SettingPut("AlarmType_2", "1");
    SettingPut("AlarmType_3", "7");
    SettingDelete("AlarmType_4");
    SettingPut("Matrix_1_2", "D1");
    SettingDelete("Matrix_32_32");

    std::string path = Path("matrix.csv");
    ASSERT_EQ(ExportMatrix(path.c_str()), 1);
    std::vector<std::string> lines = Lines(Read(path));
    ASSERT_EQ(lines.size(), 36u);
    std::string header = ",X,OPG2,X,";
    for (int g = 4; g <= 32; ++g)
        header += "OPG" + std::to_string(g) + ",";
    EXPECT_EQ(lines[0], header);
    EXPECT_EQ(lines[1].substr(0, 31), "Output delay T1,0:00,1:30,0:00,");
    EXPECT_EQ(lines[2].substr(0, 21), "Output delay T2,0:00,");
    EXPECT_EQ(lines[3].substr(0, 33), "Alarm type,Alarm,Control,7,,Alarm");
    EXPECT_EQ(lines[4].substr(0, 12), "IPG1,C,D1,C,");
    EXPECT_EQ(lines[33].substr(0, 15), "Class Change,C,");
    EXPECT_EQ(lines[34].substr(0, 8), "IPG31,C,");
    EXPECT_EQ(lines[35].substr(0, 15), "Sound Alarms,C,");
    EXPECT_TRUE(lines[35].ends_with(",C,C,"));
    EXPECT_STREQ(SettingGet("Matrix_32_32"), "C"); // created by the export
    for (const std::string& line : lines)
        EXPECT_EQ(line.back(), ',') << line;

    SettingPut("ClassChange", "0");
    SettingPut("RemoteAlarmInput", "2");
    ASSERT_EQ(ExportMatrix(path.c_str()), 1);
    lines = Lines(Read(path));
    EXPECT_EQ(lines[33].substr(0, 6), "IPG30,");
    EXPECT_EQ(lines[34].substr(0, 13), "Remote Alarm,");
}

TEST_F(ExportsTest, TextsFile) {
    FillSiteDefaults();
    SettingPut("DeviceText_1", "Front door");
    SettingPut("DeviceText_33", "Loft, east");
    SettingPut("BannerText_3", "never exported");
    std::string path = Path("texts.csv");
    ASSERT_EQ(ExportTexts(path.c_str()), 1);
    std::vector<std::string> lines = Lines(Read(path));
    ASSERT_EQ(lines.size(), 193u);
    std::string blank20(20, ' ');
    EXPECT_EQ(lines[0], "Device text,Zone text,Banner text");
    EXPECT_EQ(lines[1], "Front door,Zone 01             ,    HALVEX M720     ");
    EXPECT_EQ(lines[2], blank20 + ",Zone 02             ,   CONTROL PANEL    ");
    EXPECT_EQ(lines[3], blank20 + ",Zone 03             ");
    EXPECT_EQ(lines[32], blank20 + ",Zone 32             ");
    EXPECT_EQ(lines[33], "\"Loft, east\""); // quoted: the comma stays in its column
    EXPECT_EQ(lines[192], blank20);
}

TEST_F(ExportsTest, FilesAreTheSameUnderADecimalCommaLocale) {
    FillSiteDefaults();
    SettingPut("SNum_7", "0A0B0C");
    SettingPut("Type_7", "136");
    SettingPut("FireEvent_1", "5, 12, 951827696");
    SettingPut("NonFireEvent_1", "46, 3, 86399");
    using Export = int (*)(const char*);
    const Export runs[] = {ExportDeviceData, ExportMatrix, ExportTexts, ExportEventLog};
    std::vector<std::string> plain;
    for (Export run : runs) {
        ASSERT_EQ(run(Path("out.csv").c_str()), 1);
        plain.push_back(Read(Path("out.csv")));
    }
    DecimalCommaLocale comma;
    SKIP_WITHOUT_DECIMAL_COMMA();
    for (size_t i = 0; i < plain.size(); ++i) {
        ASSERT_EQ(runs[i](Path("out.csv").c_str()), 1);
        EXPECT_EQ(Read(Path("out.csv")), plain[i]) << "export " << i;
    }
}

// Texts holding a comma, a double quote or a line break are quoted, so a
// spreadsheet reads every field in its own column; nothing else changes.
TEST_F(ExportsTest, FreeTextsReadBackAsCsv) {
    FillSiteDefaults();
    const std::string texts[] = {"Stair, 1st floor", "Say \"FIRE\"", "two\r\nlines",
                                 "cr\ronly",         "\"",           "plain text"};
    SettingPut("DeviceText_1", texts[0].c_str());
    SettingPut("ZoneText_2", texts[1].c_str());
    SettingPut("BannerText_1", texts[2].c_str());
    SettingPut("DeviceText_40", texts[3].c_str());
    SettingPut("Matrix_3_4", texts[4].c_str());
    SettingPut("OutputDelay_5", texts[0].c_str());
    SettingPut("Matrix_32_32", texts[5].c_str());

    std::vector<CsvRecord> rows;
    ASSERT_TRUE(ReadCsv(TextsCsv(), &rows));
    ASSERT_EQ(rows.size(), 193u);
    EXPECT_EQ(rows[1], (CsvRecord{texts[0], "Zone 01             ", texts[2]}));
    EXPECT_EQ(rows[2][1], texts[1]);
    EXPECT_EQ(rows[2].size(), 3u);
    EXPECT_EQ(rows[40], CsvRecord{texts[3]});

    ASSERT_TRUE(ReadCsv(MatrixCsv(), &rows));
    ASSERT_EQ(rows.size(), 36u);
    for (const CsvRecord& row : rows)
        EXPECT_EQ(row.size(), 34u) << row[0];
    EXPECT_EQ(rows[1][5], texts[0]);
    EXPECT_EQ(rows[6][4], texts[4]);
    EXPECT_EQ(rows[35][32], texts[5]);

    // The quoting in bytes, and a file without such texts as before.
    EXPECT_NE(TextsCsv().find("\r\n\"Stair, 1st floor\",Zone 01             ,\"two\r\nlines\"\r\n"),
              std::string::npos);
    EXPECT_NE(MatrixCsv().find("\r\nIPG3,C,C,C,\"\"\"\",C,"), std::string::npos);
    Reset();
    FillSiteDefaults();
    SettingPut("DeviceText_1", "Front door");
    std::string plain = TextsCsv();
    EXPECT_EQ(plain.find('"'), std::string::npos);
    EXPECT_EQ(MatrixCsv().find('"'), std::string::npos);
}

#ifndef _WIN32
TEST_F(ExportsTest, FailedWritesGiveZeroAndKeepTheOldFile) {
    FillSiteDefaults();
    for (int n = 1; n <= 50; ++n) // a log longer than the size limit below
        SettingSet(("FireEvent_" + std::to_string(n)).c_str(), "5, 12, 951827696");
    using Export = int (*)(const char*);
    for (Export run : {ExportDeviceData, ExportMatrix, ExportTexts, ExportEventLog}) {
        std::string path = Write("out.csv", "old contents");
        int result = WithFileSizeLimit(1024, [&] { return run(path.c_str()); });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(Read(path), "old contents");
        EXPECT_EQ(run(Path("no/such/folder/out.csv").c_str()), 0);

        // A read-only file cannot be created for writing: it is not replaced
        // either (the administrator may write anything, so only for others).
        if (geteuid() != 0) {
            std::filesystem::permissions(path, std::filesystem::perms::owner_read);
            EXPECT_EQ(run(path.c_str()), 0);
            EXPECT_EQ(Read(path), "old contents");
            std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        }
    }
}
#endif

} // namespace
