// The text editor's grid: what it shows and what its write-back does to the store.

#include "editors/grid_widget.h"
#include "editors/text_editor.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace {

class TextEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = StoreSelect(nullptr);
        StoreInit(&site_);
        FillSiteDefaults();
        grid_ = GridWidget::Create(&parent_, 601, "Text editor");
        ASSERT_NE(grid_, nullptr);
        grid_->SetSize(192, 3);
    }
    void TearDown() override {
        delete grid_;
        StoreFree(&site_);
        StoreSelect(previous_);
    }

    std::string Cell(int row, int column) {
        char text[kGridTextSize];
        GridGetText(grid_, row, column, text);
        return text;
    }

    SettingsStore* previous_ = nullptr;
    SettingsStore site_;
    QWidget parent_;
    GridWidget* grid_ = nullptr;
};

TEST_F(TextEditorTest, ShowsTheTable) {
    SettingPut("DeviceText_7", "Kitchen");
    SettingPut("ZoneText_32", "Zone the last");
    SettingDelete("DeviceText_192");
    TextEditorFill(*grid_);
    EXPECT_EQ(Cell(0, 0), "");
    EXPECT_EQ(Cell(0, 1), "Device text");
    EXPECT_EQ(Cell(0, 2), "Zone text");
    EXPECT_EQ(Cell(0, 3), "Banner text");
    EXPECT_EQ(Cell(1, 0), "1");
    EXPECT_EQ(Cell(192, 0), "192");
    EXPECT_EQ(Cell(7, 1), "Kitchen");
    EXPECT_EQ(Cell(192, 1), "NULL");
    EXPECT_EQ(Cell(32, 2), "Zone the last");
    EXPECT_EQ(Cell(1, 3), SettingGet("BannerText_1"));
    EXPECT_EQ(Cell(2, 3), SettingGet("BannerText_2"));
    EXPECT_EQ(Cell(33, 2), "");
    EXPECT_EQ(Cell(3, 3), "");
}

TEST_F(TextEditorTest, WriteBackWithoutEditsChangesNothing) {
    SettingPut("BannerText_3", "From the panel");
    SettingDelete("ZoneText_5");
    const uint32_t before = StoreChecksum();
    TextEditorFill(*grid_);
    TextEditorWriteBack(*grid_);
    EXPECT_EQ(StoreChecksum(), before);
    // The placeholder of an absent text does not become a setting.
    EXPECT_EQ(SettingGet("ZoneText_5"), nullptr);
    EXPECT_STREQ(SettingGet("BannerText_3"), "From the panel");
}

TEST_F(TextEditorTest, WriteBackTakesTheCellTexts) {
    SettingDelete("DeviceText_9");
    TextEditorFill(*grid_);
    GridSetText(grid_, 3, 1, "Boiler house        ");
    GridSetText(grid_, 9, 1, "New text            ");
    GridSetText(grid_, 2, 3, "  Call 0123 456789  ");
    GridSetText(grid_, 40, 2, "never a zone        "); // below zone 32: shown only
    TextEditorWriteBack(*grid_);
    EXPECT_STREQ(SettingGet("DeviceText_3"), "Boiler house        ");
    EXPECT_STREQ(SettingGet("DeviceText_9"), "New text            ");
    EXPECT_STREQ(SettingGet("BannerText_2"), "  Call 0123 456789  ");
    EXPECT_EQ(SettingGet("ZoneText_40"), nullptr);
}

} // namespace
