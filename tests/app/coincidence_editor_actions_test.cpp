// Coincidence editor opened from its menu command: picking a column.

#include "device_editor_app_fixture.h"
#include "editors/coincidence_cells.h"
#include "editors/coincidence_editor.h"

#include <vector>

namespace {

class CoincidenceActionsTest : public GridEditorAppTest {
  protected:
    CellList Red() {
        return RedCells([this](int r, int c) { return Colour(r, c); });
    }
    static CellList Column(int column, int lastRow) { return ColumnCells(column, lastRow); }
    // The painted colour inside a cell, grabbed without any further event.
    QColor Painted(int row, int column) {
        const GridState& s = grid_->State();
        const int x = s.columnWidth[0] + 4 + [&] {
            int w = 0;
            for (int c = s.firstColumn; c < column; ++c)
                w += s.columnWidth[c] + s.columnGap;
            return w;
        }();
        const int y =
            s.titleHeight + s.headerHeight + (row - s.firstRow) * s.rowHeight + s.rowHeight - 4;
        return grid_->grab().toImage().pixelColor(x, y);
    }
};

TEST_F(CoincidenceActionsTest, OpensWithTheFocusAndTheStoredPick) {
    SettingDelete("CoincidenceInputGroups");
    Open(kCmdCoincidence);
    EXPECT_EQ(App().currentKind, EditorKind::kCoincidence);
    EXPECT_EQ(grid_->ControlId(), 901);
    EXPECT_EQ(grid_->State().title, "Set coincidence");
    EXPECT_EQ(grid_->State().rowCount, 13);
    EXPECT_TRUE(grid_->hasFocus());
    EXPECT_EQ(grid_->State().headerHeight, 21); // not grown by the header texts
    EXPECT_EQ(Red(), (std::vector<std::pair<int, int>>{{1, 13}}));
}

TEST_F(CoincidenceActionsTest, SpacePicksTheCursorColumn) {
    Open(kCmdCoincidence);
    QTest::keyClick(grid_, Qt::Key_Right);
    QTest::keyClick(grid_, Qt::Key_Down);
    QTest::keyClick(grid_, Qt::Key_Space);
    EXPECT_EQ(Value("CoincidenceInputGroups"), "11");
    EXPECT_EQ(Red(), Column(2, 12));
    EXPECT_EQ(Painted(12, 2), QColor(255, 0, 0));
}

TEST_F(CoincidenceActionsTest, PicksColourTheirColumnAtOnce) {
    Open(kCmdCoincidence);
    Click(5, 12);
    EXPECT_EQ(Value("CoincidenceInputGroups"), "1");
    EXPECT_EQ(Red(), Column(12, 13));
    EXPECT_EQ(Painted(13, 12), QColor(255, 0, 0));
    Click(0, 11); // the header picks too
    EXPECT_EQ(Value("CoincidenceInputGroups"), "2");
    EXPECT_EQ(Red(), Column(11, 3));
    EXPECT_EQ(Painted(13, 12), QColor(255, 255, 255));
    EXPECT_EQ(Text(3, 11), "27");
    Click(7, 13);
    EXPECT_EQ(Value("CoincidenceInputGroups"), "0");
    EXPECT_EQ(Red(), Column(13, 1));
    Click(3, 0); // the row labels pick nothing
    EXPECT_EQ(Value("CoincidenceInputGroups"), "0");
}

TEST_F(CoincidenceActionsTest, NumberBeyondTwelveHighlightsNothingUntilTheFirstPick) {
    Put("CoincidenceInputGroups", "15");
    Open(kCmdCoincidence);
    EXPECT_TRUE(Red().empty());
    Click(2, 1);
    EXPECT_EQ(Value("CoincidenceInputGroups"), "12");
    EXPECT_EQ(Red(), Column(1, 13));
}

} // namespace
