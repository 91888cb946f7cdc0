// Mouse: clicks, double clicks, row drags, column resizing, wheel and the
// drag scroll timer.

#include "editors/grid_geometry.h"
#include "grid_fixture.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace {

using CodeList = std::vector<int>;

class GridMouseTest : public GridTest {
  protected:
    void Move(QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent move(QEvent::MouseMove, at, grid_->mapToGlobal(at), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(grid_, &move);
    }
    void Wheel(int delta) {
        QPoint at = CellCentre(1, 1);
        QWheelEvent wheel(at, grid_->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid_, &wheel);
    }
    // As the window system delivers one: press, release, double click, release.
    void DoubleClick(QPoint at) {
        QTest::mouseClick(grid_, Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid_, Qt::LeftButton, {}, at);
    }
    std::vector<GridReport> Drags() const {
        std::vector<GridReport> drags;
        for (const GridReport& r : reports_)
            if (r.code == GN_ROWDRAG)
                drags.push_back(r);
        return drags;
    }
};

TEST_F(GridMouseTest, ClickMovesTheCursorAndReportsInOrder) {
    Fill(4, 3);
    QTest::mouseClick(grid_, Qt::LeftButton, {}, CellCentre(3, 2));
    EXPECT_EQ(Codes(),
              (CodeList{GN_CLICK, GN_ROWCHANGE, GN_SELCHANGE, GN_COLCHANGE, GN_SELCHANGE}));
    EXPECT_EQ(reports_[0].param, GridPack(3, 2));
    reports_.clear();
    QTest::mouseClick(grid_, Qt::RightButton, {}, CellCentre(3, 2));
    EXPECT_EQ(Codes(), (CodeList{GN_RCLICK}));
}

TEST_F(GridMouseTest, HeaderRowAndColumnZeroTakeTheCursorButNotTyping) {
    Fill(4, 3);
    grid_->SetEditable(true);
    GridSetText(grid_, 0, 2, "Zone"); // unlocked header cell
    QTest::mouseClick(grid_, Qt::LeftButton, {}, CellCentre(0, 2));
    EXPECT_EQ(reports_.at(0), (GridReport{GN_CLICK, GridPack(0, 2)}));
    QTest::keyClicks(grid_, "ab");
    EXPECT_FALSE(grid_->State().editing);
    QTest::mouseClick(grid_, Qt::LeftButton, {}, CellCentre(3, 0));
    EXPECT_EQ(std::pair(grid_->CursorRow(), grid_->CursorColumn()), std::pair(3, 0));
    QTest::keyClicks(grid_, "ab");
    EXPECT_FALSE(grid_->State().editing);
    EXPECT_EQ(Text(0, 2), "Zone");
}

TEST_F(GridMouseTest, PressOutsideTheCellsChangesNothing) {
    Fill(3, 2);
    grid_->SetTitle("Title");
    reports_.clear();
    const GridState& s = grid_->State();
    for (QPoint at : {QPoint(100, s.titleHeight / 2), QPoint(20, grid_->ClientHeight() - 2),
                      QPoint(grid_->ClientWidth() - 2, CellCentre(1, 1).y())})
        QTest::mouseClick(grid_, Qt::LeftButton, {}, at);
    EXPECT_TRUE(reports_.empty());
    EXPECT_EQ(std::pair(grid_->CursorRow(), grid_->CursorColumn()), std::pair(1, 1));
}

TEST_F(GridMouseTest, RowDragsReportOnlyBetweenDataRows) {
    Fill(5, 3);
    const QPoint below(20, grid_->ClientHeight() - 2);
    struct Case {
        QPoint from, to;
        bool reported;
    } cases[] = {
        {CellCentre(2, 1), CellCentre(4, 3), true},
        {CellCentre(2, 1), CellCentre(2, 3), false},
        {CellCentre(0, 1), CellCentre(4, 1), false},
        {CellCentre(2, 0), CellCentre(4, 1), false},
        {below, CellCentre(4, 1), false},
        {CellCentre(2, 1), CellCentre(0, 1), false},
        {CellCentre(4, 2), CellCentre(1, 2), true},
    };
    for (const Case& c : cases) {
        reports_.clear();
        QTest::mousePress(grid_, Qt::LeftButton, {}, c.from);
        Move(c.to, Qt::LeftButton);
        QTest::mouseRelease(grid_, Qt::LeftButton, {}, c.to);
        EXPECT_EQ(Drags().size(), c.reported ? 1u : 0u) << c.from.y() << " -> " << c.to.y();
    }
    ASSERT_EQ(Drags().size(), 1u);
    EXPECT_EQ(GridLow(Drags()[0].param), 4);
    EXPECT_EQ(GridHigh(Drags()[0].param), 1);

    // A move without the button in between forgets where the drag began.
    reports_.clear();
    QTest::mousePress(grid_, Qt::LeftButton, {}, CellCentre(1, 1));
    Move(CellCentre(3, 1), Qt::NoButton);
    QTest::mouseRelease(grid_, Qt::LeftButton, {}, CellCentre(3, 1));
    EXPECT_TRUE(Drags().empty());
}

TEST_F(GridMouseTest, DoubleClickReportedOnlyWhenAskedFor) {
    Fill(3, 2);
    DoubleClick(CellCentre(2, 2));
    EXPECT_EQ(Codes(), (CodeList{GN_CLICK, GN_ROWCHANGE, GN_SELCHANGE, GN_COLCHANGE, GN_SELCHANGE,
                                 GN_CLICK}));
    grid_->SetDoubleClickReport(true);
    reports_.clear();
    DoubleClick(CellCentre(3, 1));
    EXPECT_EQ(Codes(), (CodeList{GN_CLICK, GN_ROWCHANGE, GN_SELCHANGE, GN_COLCHANGE, GN_SELCHANGE,
                                 GN_DBLCLICK}));
    EXPECT_EQ(reports_.back().param, GridPack(3, 1));
}

TEST_F(GridMouseTest, PressEndsAnEditWithValidation) {
    Fill(3, 2);
    grid_->SetEditable(true);
    QTest::keyClicks(grid_, "typed");
    QTest::mouseClick(grid_, Qt::LeftButton, {}, CellCentre(3, 2));
    EXPECT_EQ(Text(1, 1), "typed");
    EXPECT_EQ(validated_.size(), 1u);
    EXPECT_EQ(std::pair(grid_->CursorRow(), grid_->CursorColumn()), std::pair(3, 2));
}

TEST_F(GridMouseTest, ColumnBordersResizeOnlyWhenAllowed) {
    Fill(3, 3);
    const GridState& s = grid_->State();
    const int border = s.columnWidth[0] + 60; // right edge of column 1
    const QPoint grip(border - 3, s.titleHeight + s.headerHeight / 2);
    auto drag = [&](int dx) {
        Move(grip, Qt::NoButton);
        QTest::mousePress(grid_, Qt::LeftButton, {}, grip);
        Move(grip + QPoint(dx, 0), Qt::LeftButton);
        QTest::mouseRelease(grid_, Qt::LeftButton, {}, grip + QPoint(dx, 0));
    };
    drag(25);
    EXPECT_EQ(s.columnWidth[1], 60);
    grid_->SetColumnResize(true);
    Move(grip, Qt::NoButton);
    EXPECT_EQ(grid_->cursor().shape(), Qt::SizeHorCursor);
    drag(25);
    EXPECT_EQ(s.columnWidth[1], 85);
    EXPECT_EQ(grid_->cursor().shape(), Qt::ArrowCursor);
    Move(QPoint(border + 25 - 3, grip.y()), Qt::NoButton);
    QTest::mousePress(grid_, Qt::LeftButton, {}, QPoint(border + 22, grip.y()));
    Move(QPoint(border - 200, grip.y()), Qt::LeftButton); // not below 0
    QTest::mouseRelease(grid_, Qt::LeftButton, {}, QPoint(border - 200, grip.y()));
    EXPECT_EQ(s.columnWidth[1], 0);
}

TEST_F(GridMouseTest, WheelScrollsOneRowPerNotchWithinRange) {
    Fill(100, 2);
    const GridState& s = grid_->State();
    Wheel(-120);
    Wheel(-120);
    EXPECT_EQ(s.firstRow, 3);
    Wheel(-60); // half a notch waits for the other half
    EXPECT_EQ(s.firstRow, 3);
    Wheel(-60);
    EXPECT_EQ(s.firstRow, 4);
    for (int i = 0; i < 10; ++i)
        Wheel(120);
    EXPECT_EQ(s.firstRow, 1);
    for (int i = 0; i < 200; ++i)
        Wheel(-120);
    EXPECT_EQ(s.firstRow, 100 - GridRowsPerPage(s, grid_->ClientHeight()) + 1);
    EXPECT_EQ(grid_->CursorRow(), 1); // scrolling leaves the cursor
}

TEST_F(GridMouseTest, HoldingTheButtonBelowTheGridScrollsUntilRelease) {
    Fill(100, 2);
    const GridState& s = grid_->State();
    QTest::mousePress(grid_, Qt::LeftButton, {}, CellCentre(2, 1));
    Move(QPoint(20, grid_->ClientHeight() + 5), Qt::LeftButton);
    QTest::qWait(350);
    const int scrolled = s.firstRow;
    EXPECT_GE(scrolled, 3);
    Move(QPoint(20, 5), Qt::LeftButton); // near the top: back up
    QTest::qWait(250);
    EXPECT_LT(s.firstRow, scrolled);
    QTest::mouseRelease(grid_, Qt::LeftButton, {}, QPoint(20, 5));
    const int stopped = s.firstRow;
    QTest::qWait(250);
    EXPECT_EQ(s.firstRow, stopped);
}

} // namespace
