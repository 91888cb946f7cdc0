// The four exports and Import text.

#include "app_fixture.h"

#include "app/commands.h"
#include "model/site_file.h"

namespace {

struct ExportCase {
    int command;
    const char* done;
    const char* failed;
    const char* caption;
    const char* firstLine;
};

const ExportCase kExportCases[] = {
    {kCmdExportEvents, "Log exported", "Could not export log", "Log",
     "Event,Address,Zone,Time,Event text,On/Off\r\n"},
    {kCmdExportDevices, "Device data exported", "Could not export device data", "Device data",
     "Address,Serial number,Type,"},
    {kCmdExportMatrix, "Matrix exported", "Could not export matrix", "Matrix", ",OPG1,OPG2,"},
    {kCmdExportTexts, "Text exported", "Could not export text", "Text",
     "Device text,Zone text,Banner text\r\n"},
};

} // namespace

TEST_F(AppTest, EachExportReportsSuccessFailureAndCancel) {
    window_->Dispatch(kCmdFireLog);
    for (const ExportCase& c : kExportCases) {
        SCOPED_TRACE(c.caption);
        ui_.records.clear();
        const std::string path = Path(std::string(c.caption) + ".csv");
        ui_.files = {path, Path("no-such-folder/x.csv"), ""};
        for (int i = 0; i < 3; ++i)
            window_->Dispatch(c.command);
        ASSERT_EQ(ui_.Texts(), (std::vector<std::string>{c.done, c.failed, c.failed}));
        const UiRecord* dialog = ui_.Last("save");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->text, "CSV file,*.csv");
        EXPECT_EQ(dialog->suffix, "csv");
        EXPECT_EQ(dialog->path, "") << "each export starts from an empty name";
        int icons[2] = {0, 0};
        for (const UiRecord& r : ui_.records)
            if (r.kind == "message") {
                EXPECT_EQ(r.caption, c.caption);
                ++icons[r.icon == MessageIcon::kStop];
                if (r.text == c.done) {
                    EXPECT_EQ(r.icon, MessageIcon::kNone);
                }
            }
        EXPECT_EQ(icons[1], 2);
        EXPECT_EQ(ReadFile(path).rfind(c.firstLine, 0), 0u) << ReadFile(path).substr(0, 80);
        EXPECT_NE(App().currentEditor, nullptr) << "the view stays open";
    }
}

TEST_F(AppTest, ImportTextMergesEverySettingAndCentresTheTexts) {
    window_->Dispatch(kCmdFireLog);
    const uint32_t loaded = LoadedChecksum();
    const std::string path = Path("import.psf");
    WriteFile(path, "PanelSnum = \"9876\"\r\nZoneText_3 = \"FIRE\"\r\nDeviceText_7 = "
                    "\"\\011Kitchen\"\r\nSiteName = \"Imported\"\r\nCheck = \"0\"\r\n");
    ui_.files = {path};
    window_->Dispatch(kCmdImportText);
    ASSERT_EQ(ui_.Texts(), std::vector<std::string>{"Text imported into current site file"});
    EXPECT_EQ(ui_.Last("message")->icon, MessageIcon::kInformation);
    const UiRecord* dialog = ui_.Last("open");
    EXPECT_EQ(dialog->path, "*.txt");
    EXPECT_EQ(dialog->text, "Site file,*.psf,Text file,*.txt");
    EXPECT_STREQ(SettingGet("PanelSnum"), "9876");
    EXPECT_STREQ(SettingGet("ZoneText_3"), "        FIRE        ");
    EXPECT_STREQ(SettingGet("DeviceText_7"), "      Kitchen       ");
    EXPECT_EQ(LoadedChecksum(), loaded) << "an import is a change";
    EXPECT_EQ(App().currentEditor, nullptr);
    EXPECT_EQ(window_->windowTitle().toStdString(), "M720 Commissioning software - [Imported]");
    EXPECT_EQ(App().siteFilePath, "") << "the import has a path of its own";

    ui_.files = {Path("missing.txt")};
    window_->Dispatch(kCmdImportText);
    EXPECT_EQ(ui_.Texts().back(), "Couldn't open file");
    EXPECT_EQ(ui_.Last("message")->icon, MessageIcon::kStop);
}

TEST_F(AppTest, ImportThatWouldOverflowTheStoreChangesNothing) {
    std::string contents;
    for (int n = 0; n < kStoreSlotCount; ++n)
        contents += "Extra_" + std::to_string(n) + " = \"1\"\r\n";
    const std::string path = Path("huge.txt");
    WriteFile(path, contents);
    const uint32_t before = StoreChecksum();
    ui_.files = {path};
    window_->Dispatch(kCmdImportText);
    ASSERT_EQ(ui_.Texts().size(), 1u);
    EXPECT_EQ(ui_.Texts()[0].rfind("Not done!", 0), 0u);
    EXPECT_EQ(StoreChecksum(), before);
    EXPECT_EQ(SettingGet("Extra_0"), nullptr);
}

TEST_F(AppTest, WebInterfaceAndManualsOpenTheirAddresses) {
    for (int id : {kCmdWebInterface, kCmdInstallationManual, kCmdUserManual, kCmdProgrammingManual})
        window_->Dispatch(id);
    ASSERT_EQ(ui_.records.size(), 4u);
    EXPECT_EQ(ui_.records[0].text, "http://localhost/web_files/index.html");
    for (const UiRecord& r : ui_.records)
        EXPECT_EQ(r.kind, "url");
}
