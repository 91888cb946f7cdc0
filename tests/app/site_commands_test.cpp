// New, Load, Save, Save as and Exit through the menu commands.

#include "app_fixture.h"

#include "app/commands.h"
#include "editors/grid_widget.h"
#include "model/site_file.h"

namespace {

constexpr char kTitle[] = "M720 Commissioning software";

// A saved site with a name and one changed option.
std::string SaveSite(const std::string& path, const char* name) {
    SettingPut("SiteName", name);
    SettingPut("PanelSnum", "4242");
    EXPECT_TRUE(SiteFileWrite(path.c_str()));
    return AppTest::ReadFile(path);
}

} // namespace

class SiteCommandsTest : public AppTest {
  protected:
    // The current site: named "Current", with an open event log view.
    void CurrentSiteWithView() {
        SettingPut("SiteName", "Current");
        SetLoadedChecksum(StoreChecksum());
        window_->UpdateMainTitle();
        window_->Dispatch(kCmdFireLog);
        ASSERT_NE(App().currentEditor, nullptr);
        checksum_ = StoreChecksum();
        loaded_ = LoadedChecksum();
        title_ = window_->windowTitle();
    }
    void ExpectCurrentSiteKept() {
        EXPECT_STREQ(SettingGet("SiteName"), "Current");
        EXPECT_EQ(StoreChecksum(), checksum_);
        EXPECT_EQ(LoadedChecksum(), loaded_);
        EXPECT_EQ(window_->windowTitle(), title_);
        EXPECT_NE(App().currentEditor, nullptr) << "the view stays open";
    }
    // A file whose check value does not match its settings.
    std::string DamagedFile() {
        std::string path = Path("damaged.psf");
        WriteFile(path, "SiteName = \"Damaged\"\r\nPanelSnum = \"77\"\r\nCheck = \"1\"\r\n");
        return path;
    }
    // Runs Exit and says whether the program ended.
    bool Exit() {
        window_->Dispatch(kCmdExit);
        QCoreApplication::processEvents();
        return !window_->isVisible();
    }

    uint32_t checksum_ = 0, loaded_ = 0;
    QString title_;
};

TEST_F(SiteCommandsTest, LoadOfADamagedFileIsRefusedWithoutTheFlag) {
    CurrentSiteWithView();
    ui_.files = {DamagedFile()};
    window_->Dispatch(kCmdLoad);
    ASSERT_EQ(ui_.Texts(), std::vector<std::string>{"Not done!\r\nFile contains errors"});
    EXPECT_EQ(ui_.Last("message")->icon, MessageIcon::kStop);
    EXPECT_EQ(ui_.Last("message")->caption, kTitle);
    ExpectCurrentSiteKept();
    EXPECT_EQ(App().siteFilePath, DamagedFile()) << "the dialogs share the chosen path";
}

TEST_F(SiteCommandsTest, LoadOfADamagedFileWithTheFlagMergesDefaultsAndClosesTheView) {
    CurrentSiteWithView();
    App().keepFilesWithErrors = true;
    ui_.files = {DamagedFile()};
    window_->Dispatch(kCmdLoad);
    ASSERT_EQ(ui_.Texts(), std::vector<std::string>{"Loaded but file contains errors"});
    EXPECT_EQ(ui_.Last("message")->icon, MessageIcon::kInformation);
    EXPECT_STREQ(SettingGet("SiteName"), "Damaged");
    EXPECT_STREQ(SettingGet("PanelSnum"), "77");
    EXPECT_NE(SettingGet("ZoneText_32"), nullptr) << "defaults fill what the file lacks";
    EXPECT_EQ(App().currentEditor, nullptr);
    EXPECT_EQ(window_->windowTitle().toStdString(), std::string(kTitle) + " - [Damaged]");
    EXPECT_GT(App().designErrorCount, 0u) << "the banner follows the loaded site";
}

TEST_F(SiteCommandsTest, LoadOfAPathThatCannotBeOpenedKeepsTheSite) {
    CurrentSiteWithView();
    ui_.files = {Path("missing.psf")};
    window_->Dispatch(kCmdLoad);
    ASSERT_EQ(ui_.Texts(), std::vector<std::string>{"Couldn't open file"});
    EXPECT_EQ(ui_.Last("message")->icon, MessageIcon::kStop);
    ExpectCurrentSiteKept();

    ui_.files = {""}; // cancel
    window_->Dispatch(kCmdLoad);
    EXPECT_EQ(ui_.Texts().size(), 1u);
    ExpectCurrentSiteKept();
}

TEST_F(SiteCommandsTest, LoadOfASavedSiteAndTheExitQuestion) {
    window_->show();
    const std::string path = Path("saved.psf");
    // As the program saves: the check's results are part of the file.
    window_->RecheckDesign();
    SaveSite(path, "Saved");
    ResetSite();
    window_->Dispatch(kCmdFireLog);
    ui_.files = {path};
    window_->Dispatch(kCmdLoad);
    ASSERT_EQ(ui_.Texts(), std::vector<std::string>{"Site info. loaded from file"});
    EXPECT_STREQ(SettingGet("PanelSnum"), "4242");
    EXPECT_EQ(App().currentEditor, nullptr);
    EXPECT_EQ(ui_.Last("open")->text, "Site file,*.psf");
    EXPECT_TRUE(Exit()) << "nothing changed since the load";
    EXPECT_EQ(ui_.Texts().size(), 1u);
}

TEST_F(SiteCommandsTest, ExitAsksAfterStartAndAfterAChangeButNotAfterASave) {
    window_->show();
    // Right after start the check adds its two current settings.
    EXPECT_FALSE(Exit());
    ASSERT_EQ(ui_.Texts().back(),
              "Settings have changed since they were loaded.\r\nAre you sure you want to exit "
              "the application?");
    EXPECT_EQ(ui_.Last("ask")->caption, "Are you sure?");
    EXPECT_TRUE(window_->isVisible()) << "No keeps the program running";

    ui_.files = {Path("site.psf")};
    window_->Dispatch(kCmdSave);
    EXPECT_EQ(ui_.Texts().back(), "Site info. saved");
    EXPECT_EQ(ui_.Last("message")->icon, MessageIcon::kInformation);
    EXPECT_EQ(LoadedChecksum(), StoreChecksum());
    EXPECT_EQ(ui_.Last("save")->suffix, "psf");

    SettingPut("SiteName", "Changed");
    size_t asked = ui_.Texts().size();
    ui_.answers = {true};
    EXPECT_TRUE(Exit());
    EXPECT_EQ(ui_.Texts().size(), asked + 1);

    // After a save nothing is asked.
    window_->show();
    window_->Dispatch(kCmdSave);
    ui_.files = {Path("site.psf")};
    window_->Dispatch(kCmdSave);
    asked = ui_.Texts().size();
    EXPECT_TRUE(Exit());
    EXPECT_EQ(ui_.Texts().size(), asked);
}

TEST_F(SiteCommandsTest, NewAsksFirst) {
    SettingPut("SiteName", "Old");
    window_->Dispatch(kCmdFireLog);
    ui_.answers = {false};
    window_->Dispatch(kCmdNew);
    ASSERT_EQ(ui_.Texts(), std::vector<std::string>{"Delete current settings?"});
    EXPECT_EQ(ui_.Last("ask")->caption, kTitle);
    EXPECT_STREQ(SettingGet("SiteName"), "Old");
    EXPECT_NE(App().currentEditor, nullptr);

    ui_.answers = {true};
    window_->Dispatch(kCmdNew);
    EXPECT_STREQ(SettingGet("SiteName"), "");
    EXPECT_EQ(App().currentEditor, nullptr);
    EXPECT_EQ(window_->windowTitle().toStdString(), std::string(kTitle) + " - No site name!");
    EXPECT_EQ(App().designErrorCount, 975u) << "a new site is not clean";
}

TEST_F(SiteCommandsTest, SaveThatCannotWriteSaysSoAndKeepsTheLoadedChecksum) {
    const uint32_t loaded = LoadedChecksum();
    ui_.files = {Path("no-such-folder/site.psf")};
    window_->Dispatch(kCmdSaveAs);
    ASSERT_EQ(ui_.Texts(), std::vector<std::string>{"Site file could not be saved"});
    EXPECT_EQ(ui_.Last("message")->icon, MessageIcon::kStop);
    EXPECT_EQ(ui_.Last("message")->caption, kTitle);
    EXPECT_EQ(LoadedChecksum(), loaded);
}

TEST_F(SiteCommandsTest, SaveAsOntoAnotherExistingFileAsks) {
    const std::string other = Path("other.psf");
    const std::string contents = SaveSite(other, "Other site");
    ResetSite();
    SettingPut("SiteName", "Mine");
    ui_.files = {other};
    ui_.answers = {false};
    window_->Dispatch(kCmdSaveAs);
    ASSERT_EQ(ui_.Texts(),
              std::vector<std::string>{"other.psf already exists.\r\nDo you want to replace it?"});
    EXPECT_EQ(ReadFile(other), contents) << "No writes nothing";

    ui_.files = {other};
    ui_.answers = {true};
    window_->Dispatch(kCmdSaveAs);
    EXPECT_EQ(ui_.Texts().back(), "Site info. saved");
    EXPECT_NE(ReadFile(other).find("\"Mine\""), std::string::npos);

    // Saving again onto the site's own file asks nothing.
    const size_t shown = ui_.Texts().size();
    ui_.files = {other};
    window_->Dispatch(kCmdSave);
    EXPECT_EQ(ui_.Texts().size(), shown + 1);
    EXPECT_EQ(ui_.Texts().back(), "Site info. saved");
}
