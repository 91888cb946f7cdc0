// Keyboard: cursor movement, in-place editing and the parent's veto.

#include "editors/grid_geometry.h"
#include "grid_fixture.h"

#include <QKeyEvent>

namespace {

using CodeList = std::vector<int>;

TEST_F(GridTest, TypingOnANeverSetCellDoesNothingButEnterMovesDown) {
    grid_->SetSize(5, 2);
    grid_->SetEditable(true);
    grid_->setFocus();
    reports_.clear();
    QTest::keyClicks(grid_, "ab");
    EXPECT_FALSE(grid_->State().editing);
    EXPECT_TRUE(reports_.empty());
    QTest::keyClick(grid_, Qt::Key_Return);
    EXPECT_EQ(grid_->CursorRow(), 2);
    EXPECT_EQ(Codes(), (CodeList{GN_ROWCHANGE, GN_SELCHANGE}));

    GridSetText(grid_, 2, 1, ""); // the parent opens the cell
    QTest::keyClicks(grid_, "ab");
    EXPECT_TRUE(grid_->State().editing);
    EXPECT_EQ(grid_->State().editText, "ab");
}

TEST_F(GridTest, LockedCellOrReadOnlyGridOnlyMovesOnEnter) {
    Fill(3, 2);
    QTest::keyClicks(grid_, "z"); // not editable
    EXPECT_FALSE(grid_->State().editing);
    grid_->SetEditable(true);
    GridLock(grid_, 1, 1);
    QTest::keyClicks(grid_, "z");
    EXPECT_FALSE(grid_->State().editing);
    QTest::keyClick(grid_, Qt::Key_Return);
    QTest::keyClick(grid_, Qt::Key_Return);
    QTest::keyClick(grid_, Qt::Key_Return); // kept at the last row
    EXPECT_EQ(grid_->CursorRow(), 3);
    EXPECT_EQ(Codes(), (CodeList{GN_ROWCHANGE, GN_SELCHANGE, GN_ROWCHANGE, GN_SELCHANGE}));
}

TEST_F(GridTest, TypingReplacesTheTextAndEnterStoresIt) {
    Fill(3, 2);
    grid_->SetEditable(true);
    GridCell cell;
    cell.row = 1;
    cell.column = 2;
    grid_->SetCursor(1, 2);
    grid_->SetCellColour(cell, GridRgb(255, 0, 0));
    QTest::keyClicks(grid_, "Hall");
    EXPECT_EQ(Text(1, 2), "r1c2"); // nothing stored while typing
    QTest::keyClick(grid_, Qt::Key_Return);
    EXPECT_EQ(Text(1, 2), "Hall");
    EXPECT_EQ(grid_->CellColour(cell), kGridWhite);
    ASSERT_EQ(validated_.size(), 1u);
    EXPECT_EQ(validated_[0], (std::pair{int(GridPack(kId, 2)), std::string("Hall")}));
    EXPECT_EQ(Codes(), (CodeList{GN_EDITBEGIN, GN_EDITEND, GN_ROWCHANGE, GN_SELCHANGE}));
    EXPECT_EQ(reports_[1].param, GridPack(1, 2)); // the edited cell
    EXPECT_EQ(grid_->CursorRow(), 2);
    EXPECT_FALSE(grid_->State().editing);
}

TEST_F(GridTest, BackspaceFirstStartsAnEmptyEdit) {
    Fill(3, 2);
    grid_->SetEditable(true);
    QTest::keyClick(grid_, Qt::Key_Backspace);
    EXPECT_TRUE(grid_->State().editing);
    EXPECT_EQ(grid_->State().editText, "");
    QTest::keyClicks(grid_, "abc");
    QTest::keyClick(grid_, Qt::Key_Backspace);
    EXPECT_EQ(grid_->State().editText, "ab");
    grid_->EndEdit(); // as Enter, without moving
    EXPECT_EQ(Text(1, 1), "ab");
    EXPECT_EQ(grid_->CursorRow(), 1);
    EXPECT_EQ(Codes(), (CodeList{GN_EDITBEGIN, GN_EDITEND}));
}

TEST_F(GridTest, EditTextHoldsAtMost301AcceptedCharacters) {
    Fill(2, 1);
    grid_->SetEditable(true);
    QTest::keyClicks(grid_, QString(301, 'a'));
    QTest::keyClicks(grid_, "b");
    EXPECT_EQ(grid_->State().editText, std::string(301, 'a'));
    QTest::keyClick(grid_, Qt::Key_Backspace);
    QTest::keyClicks(grid_, "~");
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0xE9)));
    QApplication::sendEvent(grid_, &accented);
    QTest::keyClicks(grid_, "}");
    EXPECT_EQ(grid_->State().editText, std::string(300, 'a') + "}");
}

TEST_F(GridTest, EscapeDiscardsAnEditAndReportsOnlyThen) {
    Fill(3, 2);
    grid_->SetEditable(true);
    QTest::keyClick(grid_, Qt::Key_Escape);
    EXPECT_TRUE(reports_.empty());
    QTest::keyClicks(grid_, "gone");
    QTest::keyClick(grid_, Qt::Key_Escape);
    EXPECT_FALSE(grid_->State().editing);
    EXPECT_EQ(Text(1, 1), "r1c1");
    EXPECT_TRUE(validated_.empty());
    EXPECT_EQ(Codes(), (CodeList{GN_EDITBEGIN, GN_EDITEND}));
}

TEST_F(GridTest, RejectedEditKeepsTheOldTextAndReportsNothing) {
    Fill(3, 2);
    grid_->SetEditable(true);
    rejectEdits_ = true;
    QTest::keyClicks(grid_, "bad");
    QTest::keyClick(grid_, Qt::Key_Down);
    EXPECT_EQ(Text(1, 1), "r1c1");
    EXPECT_FALSE(grid_->State().editing);
    EXPECT_EQ(validated_.size(), 1u);
    EXPECT_EQ(Codes(), (CodeList{GN_EDITBEGIN, GN_ROWCHANGE, GN_SELCHANGE}));
}

TEST_F(GridTest, DeleteAndF1AreReportedDuringAnEdit) {
    Fill(3, 2);
    grid_->SetEditable(true);
    QTest::keyClicks(grid_, "ab");
    QTest::keyClick(grid_, Qt::Key_Delete);
    QTest::keyClick(grid_, Qt::Key_F1);
    EXPECT_TRUE(grid_->State().editing);
    QTest::keyClicks(grid_, "c");
    EXPECT_EQ(grid_->State().editText, "abc");
    EXPECT_EQ(Codes(), (CodeList{GN_EDITBEGIN, GN_DELETEKEY, GN_F1}));
    EXPECT_EQ(reports_[1].param, GridPack(1, 1));
}

TEST_F(GridTest, LeftAndRightSkipHiddenColumns) {
    Fill(2, 5);
    grid_->SetColumnWidth(2, 0);
    grid_->SetColumnWidth(5, 0);
    QTest::keyClick(grid_, Qt::Key_Left); // from column 1: nothing
    EXPECT_TRUE(reports_.empty());
    QTest::keyClick(grid_, Qt::Key_Right);
    EXPECT_EQ(grid_->CursorColumn(), 3);
    QTest::keyClick(grid_, Qt::Key_Right);
    QTest::keyClick(grid_, Qt::Key_Right); // 4 is the last shown column
    EXPECT_EQ(grid_->CursorColumn(), 4);
    QTest::keyClick(grid_, Qt::Key_Left);
    QTest::keyClick(grid_, Qt::Key_Left);
    EXPECT_EQ(grid_->CursorColumn(), 1);
    EXPECT_EQ(Codes(), (CodeList{GN_COLCHANGE, GN_SELCHANGE, GN_COLCHANGE, GN_SELCHANGE,
                                 GN_COLCHANGE, GN_SELCHANGE, GN_COLCHANGE, GN_SELCHANGE}));
}

TEST_F(GridTest, PagingStaysWithinTheRows) {
    Fill(100, 2);
    const GridState& s = grid_->State();
    grid_->setGeometry(0, 0, 400, s.titleHeight + s.headerHeight + 20 * s.rowHeight + 5);
    ASSERT_EQ(GridRowsPerPage(s, grid_->ClientHeight()), 20);
    struct Case {
        int from;
        Qt::Key key;
        int to;
    } cases[] = {{95, Qt::Key_PageDown, 100}, {50, Qt::Key_PageDown, 70}, {5, Qt::Key_PageUp, 1},
                 {50, Qt::Key_PageUp, 30},    {100, Qt::Key_Down, 100},   {1, Qt::Key_Up, 1}};
    for (const Case& c : cases) {
        grid_->SetCursor(c.from, 1);
        reports_.clear();
        QTest::keyClick(grid_, c.key);
        EXPECT_EQ(grid_->CursorRow(), c.to) << c.from;
        EXPECT_EQ(reports_.size(), c.from == c.to ? 0u : 2u) << c.from;
        const int bottom = s.titleHeight + s.headerHeight + (c.to - s.firstRow + 1) * s.rowHeight;
        EXPECT_TRUE(c.to >= s.firstRow && bottom <= grid_->ClientHeight()) << c.to;
    }
    QTest::keyClick(grid_, Qt::Key_PageDown);
    QTest::keyClick(grid_, Qt::Key_End); // other keys change nothing
    EXPECT_EQ(grid_->CursorRow(), 21);

    // From the header row, Up stays but Page Up lands on the first row.
    QTest::mouseClick(grid_, Qt::LeftButton, {}, CellCentre(0, 1));
    ASSERT_EQ(grid_->CursorRow(), 0);
    reports_.clear();
    QTest::keyClick(grid_, Qt::Key_Up);
    EXPECT_EQ(grid_->CursorRow(), 0);
    QTest::keyClick(grid_, Qt::Key_PageUp);
    EXPECT_EQ(grid_->CursorRow(), 1);
    EXPECT_EQ(Codes(), (CodeList{GN_ROWCHANGE, GN_SELCHANGE}));
}

TEST_F(GridTest, MovingAKeyEndsTheEditFirst) {
    Fill(3, 3);
    grid_->SetEditable(true);
    QTest::keyClicks(grid_, "x");
    QTest::keyClick(grid_, Qt::Key_Right);
    EXPECT_EQ(Text(1, 1), "x");
    EXPECT_EQ(validated_[0].first, int(GridPack(kId, 1)));
    EXPECT_EQ(grid_->CursorColumn(), 2);
    // The parent moving the cursor ends an edit on the cell it was typed on.
    QTest::keyClicks(grid_, "y");
    grid_->SetCursor(3, 3);
    EXPECT_EQ(Text(1, 2), "y");
    EXPECT_EQ(Text(3, 3), "r3c3");
}

TEST_F(GridTest, TabHandsTheFocusToTheParent) {
    Fill(2, 2);
    parent_.setFocusPolicy(Qt::StrongFocus);
    QTest::keyClick(grid_, Qt::Key_Tab);
    EXPECT_TRUE(parent_.hasFocus());
    EXPECT_EQ(Codes(), (CodeList{GN_LOSTFOCUS}));
    EXPECT_EQ(reports_[0].param, 0u);
    grid_->setFocus();
    EXPECT_EQ(reports_.back(), (GridReport{GN_GOTFOCUS, 0}));
}

} // namespace
