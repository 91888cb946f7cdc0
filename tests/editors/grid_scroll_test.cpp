// Scroll bars: when they show, their ranges and positions, and the cursor
// kept in view.

#include "editors/grid_geometry.h"
#include "grid_fixture.h"

#include <QScrollBar>

namespace {

class GridScrollTest : public GridTest {
  protected:
    QScrollBar* Bar(Qt::Orientation orientation) {
        for (QScrollBar* bar : grid_->findChildren<QScrollBar*>())
            if (bar->orientation() == orientation)
                return bar;
        return nullptr;
    }
};

TEST_F(GridScrollTest, VerticalBarShowsOnlyWhenRowsOverflow) {
    Fill(5, 2);
    QScrollBar* bar = Bar(Qt::Vertical);
    ASSERT_TRUE(bar);
    EXPECT_FALSE(bar->isVisible());
    Fill(100, 2);
    const GridState& s = grid_->State();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_LT(grid_->ClientWidth(), grid_->width());
    const int perPage = GridRowsPerPage(s, grid_->ClientHeight());
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 100 - perPage + 1);

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(s.firstRow, 2);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(s.firstRow, 2 + perPage);
    bar->setValue(1000);
    EXPECT_EQ(s.firstRow, 100 - perPage + 1);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(s.firstRow, 1);

    grid_->SetCursor(60, 1);
    EXPECT_EQ(bar->value(), s.firstRow); // the position follows the cursor
    EXPECT_GT(s.firstRow, 1);
    grid_->SetSize(5, 2); // everything fits again: back to the top
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(s.firstRow, 1);
}

TEST_F(GridScrollTest, HorizontalBarCountsShownColumns) {
    Fill(3, 8); // 50 + 8 x 60 pixels in a 400-pixel grid
    grid_->SetColumnWidth(2, 0);
    const GridState& s = grid_->State();
    QScrollBar* bar = Bar(Qt::Horizontal);
    ASSERT_TRUE(bar && bar->isVisible());
    EXPECT_EQ(bar->maximum(), 7);
    bar->setValue(2); // the second shown column is column 3
    EXPECT_EQ(s.firstColumn, 3);
    EXPECT_EQ(CellCentre(1, 3).x(), s.columnWidth[0] + 1 + 30);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(s.firstColumn, 4);

    // Column 0 stays put; the cursor column comes back into view.
    grid_->SetCursor(1, 1);
    EXPECT_EQ(s.firstColumn, 1);
    EXPECT_EQ(bar->value(), 1);
    grid_->SetCursor(1, 8);
    EXPECT_LE(GridColumnX(s, 8) + 60, grid_->ClientWidth());
    EXPECT_EQ(bar->value(), GridColumnPosition(s));
}

TEST_F(GridScrollTest, KeysKeepTheCursorInView) {
    Fill(100, 8);
    const GridState& s = grid_->State();
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(grid_, Qt::Key_Down);
    const int bottom = s.titleHeight + s.headerHeight + (41 - s.firstRow + 1) * s.rowHeight;
    EXPECT_LE(bottom, grid_->ClientHeight());
    EXPECT_GT(bottom + s.rowHeight, grid_->ClientHeight()); // no further than needed
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(grid_, Qt::Key_Right);
    EXPECT_EQ(grid_->CursorColumn(), 8);
    EXPECT_LE(GridColumnX(s, 8) + 60, grid_->ClientWidth());
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(grid_, Qt::Key_PageUp);
    EXPECT_EQ(grid_->CursorRow(), 1);
    EXPECT_EQ(s.firstRow, 1);
}

TEST_F(GridScrollTest, TypingBringsTheCursorRowBackWithTheBar) {
    Fill(100, 2);
    grid_->SetEditable(true);
    grid_->SetCursor(3, 1);
    QScrollBar* bar = Bar(Qt::Vertical);
    bar->setValue(50); // the cursor row scrolled out of sight
    ASSERT_EQ(grid_->State().firstRow, 50);
    QTest::keyClicks(grid_, "a");
    EXPECT_EQ(grid_->State().firstRow, 3);
    EXPECT_EQ(bar->value(), 3);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid_->State().firstRow, 4);
}

TEST_F(GridScrollTest, TitleAndRowHeightKeepTheCursorInView) {
    Fill(30, 2);
    grid_->SetCursor(10, 1);
    const GridState& s = grid_->State();
    grid_->SetRowHeight(40);
    int bottom = s.titleHeight + s.headerHeight + (10 - s.firstRow + 1) * s.rowHeight;
    EXPECT_LE(bottom, grid_->ClientHeight());
    grid_->SetTitleHeight(120);
    bottom = s.titleHeight + s.headerHeight + (10 - s.firstRow + 1) * s.rowHeight;
    EXPECT_LE(bottom, grid_->ClientHeight());
    EXPECT_EQ(GridHitTest(s, 10, bottom - 5).row, 10);
}

} // namespace
