// Site commands over an open device editor whose typed values are not yet
// in the store: Import text and the exports keep them, Load never writes
// them into the loaded site.

#include "app_fixture.h"

#include "app/commands.h"
#include "editors/device_editor.h"
#include "editors/grid_widget.h"
#include "model/site_file.h"

class EditorSiteCommandsTest : public AppTest {
  protected:
    // The device editor open with zone 7 typed at address 5.
    GridWidget* TypedZone() {
        window_->Dispatch(kCmdDeviceEditor);
        GridWidget* grid = App().currentEditor;
        EXPECT_NE(grid, nullptr);
        if (grid)
            GridSetText(grid, 5, kDeviceColZone, "7");
        EXPECT_STRNE(SettingGet("Zone_5"), "7");
        return grid;
    }
};

TEST_F(EditorSiteCommandsTest, ImportTextKeepsTypedValues) {
    TypedZone();
    const std::string path = Path("texts.txt");
    WriteFile(path, "ZoneText_7 = \"Boiler room\"\r\n");
    ui_.files = {path};
    window_->Dispatch(kCmdImportText);
    EXPECT_STREQ(SettingGet("Zone_5"), "7");
    EXPECT_STREQ(SettingGet("ZoneText_7"), "    Boiler room     ");
    EXPECT_EQ(App().currentEditor, nullptr);
}

TEST_F(EditorSiteCommandsTest, ExportsShowTypedValuesAndKeepTheEditor) {
    GridWidget* grid = TypedZone();
    const std::string path = Path("devices.csv");
    ui_.files = {path};
    window_->Dispatch(kCmdExportDevices);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Device data exported"});
    // Address, serial, type, version, map node, then the zone.
    const std::string csv = ReadFile(path);
    const size_t line = csv.find("\r\n5, ");
    ASSERT_NE(line, std::string::npos);
    std::string field = csv.substr(line + 2);
    for (int i = 0; i < 5; ++i)
        field = field.substr(field.find(", ") + 2);
    EXPECT_EQ(field.substr(0, field.find(',')), "7");
    EXPECT_STREQ(SettingGet("Zone_5"), "7");
    EXPECT_EQ(App().currentEditor, grid);
}

TEST_F(EditorSiteCommandsTest, LoadNeverWritesTheOldGridIntoTheLoadedSite) {
    const std::string path = Path("site.psf");
    SettingPut("Zone_5", "3");
    ASSERT_TRUE(SiteFileWrite(path.c_str()));
    ResetSite();
    TypedZone();
    ui_.files = {path};
    window_->Dispatch(kCmdLoad);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Site info. loaded from file"});
    EXPECT_EQ(App().currentEditor, nullptr);
    window_->Dispatch(kCmdFireLog); // closes views the usual way
    EXPECT_STREQ(SettingGet("Zone_5"), "3");
}
