// The text editor as the menu opens it, with the LCD text window on a
// double-clicked cell and the write-back when it closes.

#include "app_fixture.h"

#include "editors/grid_widget.h"
#include "editors/lcd_text_window.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <string>

namespace {

class TextEditorViewTest : public AppTest {
  protected:
    GridWidget* OpenEditor() {
        window_->show();
        QApplication::setActiveWindow(window_);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
        window_->Dispatch(6003);
        // With the focus in the grid, closing it sends events while it goes.
        if (App().currentEditor) {
            EXPECT_TRUE(App().currentEditor->hasFocus());
        }
        return App().currentEditor;
    }
    void DoubleClick(int row, int column) {
        window_->OnGridNotification(601, GN_DBLCLICK, GridPack(row, column));
    }
    std::string Cell(int row, int column, bool* locked = nullptr) {
        GridCell cell;
        cell.row = row;
        cell.column = column;
        App().currentEditor->GetCell(cell);
        if (locked)
            *locked = cell.locked != 0;
        return cell.text;
    }
};

TEST_F(TextEditorViewTest, OpensAsTheTextView) {
    GridWidget* grid = OpenEditor();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->ControlId(), 601);
    EXPECT_EQ(App().currentKind, EditorKind::kText);
    EXPECT_EQ(grid->State().headerHeight, 21);
    EXPECT_EQ(grid->State().columnGap, 10);
    EXPECT_TRUE(grid->State().doubleClickReport);
    EXPECT_FALSE(grid->State().editable);
    EXPECT_EQ(Cell(0, 1), "Device text");
}

TEST_F(TextEditorViewTest, HeaderAndRowNumbersOpenNothing) {
    ASSERT_NE(OpenEditor(), nullptr);
    DoubleClick(0, 1);
    DoubleClick(5, 0);
    EXPECT_EQ(CurrentTextWindow(), nullptr);
    EXPECT_TRUE(window_->isEnabled());
}

TEST_F(TextEditorViewTest, TypedTextGoesIntoTheCellAndTheStore) {
    SettingPut("DeviceText_3", "Stairs              ");
    SettingPut("BannerText_3", "Kept from the panel ");
    ASSERT_NE(OpenEditor(), nullptr);
    DoubleClick(3, 1);
    LcdTextWindow* lcd = CurrentTextWindow();
    ASSERT_NE(lcd, nullptr);
    EXPECT_FALSE(window_->isEnabled());
    EXPECT_EQ(lcd->Screen().Text(), "Stairs              ");
    QTest::keyClicks(lcd, "Lift");
    QTest::keyClick(lcd, Qt::Key_Return);
    EXPECT_EQ(CurrentTextWindow(), nullptr);
    EXPECT_TRUE(window_->isEnabled());
    bool locked = false;
    EXPECT_EQ(Cell(3, 1, &locked), "Liftrs              ");
    EXPECT_TRUE(locked);
    EXPECT_STREQ(SettingGet("DeviceText_3"), "Stairs              "); // until the commit

    // The close box gives the same as Enter.
    DoubleClick(2, 3);
    QTest::keyClicks(CurrentTextWindow(), "Hi");
    CurrentTextWindow()->close();
    EXPECT_EQ(Cell(2, 3).substr(0, 2), "Hi");

    window_->CloseCurrentEditor(App().currentKind);
    EXPECT_STREQ(SettingGet("DeviceText_3"), "Liftrs              ");
    EXPECT_EQ(std::string(SettingGet("BannerText_2")).substr(0, 2), "Hi");
    EXPECT_STREQ(SettingGet("BannerText_3"), "Kept from the panel ");
}

TEST_F(TextEditorViewTest, NoCloseWhileTheEditTextWindowIsOpen) {
    ASSERT_NE(OpenEditor(), nullptr);
    DoubleClick(7, 1);
    ASSERT_NE(CurrentTextWindow(), nullptr);
    EXPECT_FALSE(window_->close()); // as the window manager's close box asks
    EXPECT_TRUE(ui_.records.empty());
    ASSERT_NE(App().currentEditor, nullptr);
    QTest::keyClicks(CurrentTextWindow(), "Hall");
    QTest::keyClick(CurrentTextWindow(), Qt::Key_Return);
    EXPECT_EQ(Cell(7, 1).substr(0, 4), "Hall");
    ui_.answers.push_back(true);
    EXPECT_TRUE(window_->close());
    EXPECT_EQ(std::string(SettingGet("DeviceText_7")).substr(0, 4), "Hall");
}

TEST_F(TextEditorViewTest, F2OpensTheWindowOnTheCursorCell) {
    GridWidget* grid = OpenEditor();
    ASSERT_NE(grid, nullptr);
    grid->SetCursor(4, 2);
    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_NE(CurrentTextWindow(), nullptr);
    EXPECT_EQ(CurrentTextWindow()->Screen().Text(), SettingGet("ZoneText_4"));
    QTest::keyClicks(CurrentTextWindow(), "Gate");
    QTest::keyClick(CurrentTextWindow(), Qt::Key_Return);
    EXPECT_EQ(Cell(4, 2).substr(0, 4), "Gate");
    // Other keys change nothing: the grid is not editable.
    QTest::keyClicks(grid, "xyz");
    EXPECT_EQ(Cell(4, 2).substr(0, 4), "Gate");
}

TEST_F(TextEditorViewTest, AnEmptyCellBelowTheZonesIsShownButNeverStored) {
    ASSERT_NE(OpenEditor(), nullptr);
    DoubleClick(40, 2);
    ASSERT_NE(CurrentTextWindow(), nullptr);
    EXPECT_EQ(CurrentTextWindow()->Screen().Text(), std::string(20, ' '));
    QTest::keyClicks(CurrentTextWindow(), "Zone 40");
    QTest::keyClick(CurrentTextWindow(), Qt::Key_Enter);
    EXPECT_EQ(Cell(40, 2), "Zone 40             ");
    window_->CloseCurrentEditor(App().currentKind);
    EXPECT_EQ(SettingGet("ZoneText_40"), nullptr);
}

TEST_F(TextEditorViewTest, ClosingWithoutEditsLeavesTheChecksum) {
    window_->RecheckDesign(); // the check's own settings first
    SettingDelete("ZoneText_7");
    const uint32_t before = StoreChecksum();
    ASSERT_NE(OpenEditor(), nullptr);
    window_->CloseCurrentEditor(App().currentKind);
    EXPECT_EQ(StoreChecksum(), before);
    EXPECT_EQ(SettingGet("ZoneText_7"), nullptr);
}

// The export and the import write the typed texts into the store first.
TEST_F(TextEditorViewTest, ExportAndImportKeepTypedTexts) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SettingPut("DeviceText_3", "Stairs              ");
    ASSERT_NE(OpenEditor(), nullptr);
    DoubleClick(3, 1);
    QTest::keyClicks(CurrentTextWindow(), "Lift");
    QTest::keyClick(CurrentTextWindow(), Qt::Key_Return);

    const QString csv = dir.filePath("texts.csv");
    ui_.files.push_back(csv.toStdString());
    window_->Dispatch(6036);
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_TRUE(exported.readAll().contains("Liftrs"));
    ASSERT_NE(App().currentEditor, nullptr); // the editor stays open

    const QString psf = dir.filePath("texts.psf");
    QFile file(psf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("ZoneText_1 = \"Imported\"\r\n");
    file.close();
    ui_.files.push_back(psf.toStdString());
    window_->Dispatch(6009);
    EXPECT_EQ(App().currentEditor, nullptr);
    EXPECT_NE(std::string(SettingGet("DeviceText_3")).find("Liftrs"), std::string::npos);
    EXPECT_NE(std::string(SettingGet("ZoneText_1")).find("Imported"), std::string::npos);
}

} // namespace
