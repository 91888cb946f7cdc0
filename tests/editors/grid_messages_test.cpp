// The grid's messages, cell operations, slots and title.

// The store header comes before any Qt header: its "slots" member would
// meet Qt's keyword macro.
#include "model/settings_store.h"

#include "editors/grid_fonts.h"
#include "grid_fixture.h"

#include <QFontMetrics>

#include <memory>

namespace {

TEST_F(GridTest, NeverSetCellReadsEmptyWhiteLocked) {
    GridCell cell;
    cell.row = 3;
    cell.column = 2;
    EXPECT_EQ(grid_->GetCell(cell), -1);
    EXPECT_EQ(cell.locked, 1);
    EXPECT_EQ(cell.colour, kGridWhite);
    EXPECT_STREQ(cell.text, "");
    grid_->SetAbsentColour(GridRgb(9, 8, 7));
    EXPECT_EQ(grid_->CellColour(cell), GridRgb(9, 8, 7));
    EXPECT_EQ(Text(3, 2), "");
}

TEST_F(GridTest, NewTextResetsColourAndLaterColourStays) {
    GridCell cell;
    cell.row = 1;
    cell.column = 1;
    grid_->SetCellColour(cell, GridRgb(255, 0, 0));
    EXPECT_EQ(grid_->CellColour(cell), GridRgb(255, 0, 0));
    GridSetText(grid_, 1, 1, "new");
    EXPECT_EQ(grid_->CellColour(cell), kGridWhite);
    grid_->SetCellColour(cell, 0x12345678); // only the lowest 24 bits count
    EXPECT_EQ(grid_->GetCell(cell), 0);
    EXPECT_EQ(cell.colour, 0x345678u);
    EXPECT_STREQ(cell.text, "new");
    EXPECT_EQ(cell.locked, 0);
}

TEST_F(GridTest, CellOperations) {
    GridSetText(grid_, 2, 1, nullptr); // an absent setting shows as NULL
    EXPECT_EQ(Text(2, 1), "NULL");
    GridLock(grid_, 2, 1);
    GridCell cell;
    cell.row = 2;
    cell.column = 1;
    EXPECT_EQ(grid_->GetCell(cell), 0);
    EXPECT_EQ(cell.locked, 1);
    EXPECT_STREQ(cell.text, "NULL");

    char small[4];
    GridSetText(grid_, 2, 2, "longer");
    GridGetText(grid_, 2, 2, small, sizeof small);
    EXPECT_STREQ(small, "lon");
    EXPECT_EQ(GridGetText(grid_, 2, 2, nullptr), 0);
    EXPECT_EQ(GridSetText(nullptr, 1, 1, "x"), -1);
}

TEST_F(GridTest, CellMessagesOutsideTheTableReturnMinusOne) {
    GridCell cell;
    for (auto [row, column] : {std::pair{1001, 1}, {1, 101}, {-1, 0}}) {
        cell.row = row;
        cell.column = column;
        EXPECT_EQ(grid_->SetCellText(cell, "x"), -1);
        EXPECT_EQ(grid_->LockCell(cell, true), -1);
        EXPECT_EQ(grid_->GetCell(cell), -1);
        EXPECT_EQ(grid_->DeleteCell(cell), -1);
    }
    EXPECT_EQ(grid_->State().store.recordCount, 0u);
    EXPECT_EQ(grid_->State().rowCount, 0);
}

TEST_F(GridTest, SetSizeLimits) {
    struct Case {
        intptr_t rows, columns;
        int wantRows, wantColumns;
    } cases[] = {{5000, 5000, 1000, 100}, {10, 0, 10, 1}, {10, -4, 10, 1}, {-1, 3, 1000, 3}};
    for (const Case& c : cases) {
        grid_->Message(GM_SETSIZE, uintptr_t(c.rows), c.columns);
        EXPECT_EQ(grid_->State().rowCount, c.wantRows) << c.rows;
        EXPECT_EQ(grid_->State().columnCount, c.wantColumns) << c.columns;
    }
}

TEST_F(GridTest, SettingCellsBelowTheLastRowAppendsRows) {
    grid_->SetSize(1, 3);
    GridSetText(grid_, 7, 1, "x");
    EXPECT_EQ(grid_->State().rowCount, 7);
    EXPECT_EQ(grid_->State().columnCount, 3);
    grid_->SetAutoAppend(false);
    GridSetText(grid_, 9, 1, "y");
    EXPECT_EQ(grid_->State().rowCount, 7);
    EXPECT_EQ(Text(9, 1), "y");
}

TEST_F(GridTest, AutoWidthGrowsOnlyForText) {
    grid_->SetSize(3, 3);
    GridSetText(grid_, 1, 1, "");
    GridSetText(grid_, 2, 1, "");
    EXPECT_EQ(grid_->State().columnWidth[1], 0); // stays hidden

    GridSetText(grid_, 1, 2, "A fairly long cell text");
    QFontMetrics metrics(grid_->CellFont());
    const int wide = metrics.horizontalAdvance("A fairly long cell text") + 10;
    EXPECT_EQ(grid_->State().columnWidth[2], wide);
    GridSetText(grid_, 2, 2, "short");
    EXPECT_EQ(grid_->State().columnWidth[2], wide); // widths only grow
    EXPECT_EQ(grid_->State().rowHeight, std::max(21, metrics.height() + 5));

    // Header texts size the header row even with auto width off.
    grid_->SetAutoWidth(false);
    GridSetText(grid_, 0, 3, "Heading");
    QFontMetrics heading(grid_->HeadingFont());
    EXPECT_EQ(grid_->State().headerHeight, std::max(21, heading.height() + 5));
    EXPECT_EQ(grid_->State().columnWidth[3], heading.horizontalAdvance("Heading") + 10);
    GridSetText(grid_, 1, 3, "A much longer text than the heading");
    EXPECT_EQ(grid_->State().columnWidth[3], heading.horizontalAdvance("Heading") + 10);
}

TEST_F(GridTest, PropertyLimits) {
    grid_->SetColumnWidth(101, 80);
    grid_->Message(GM_SETCOLWIDTH, uintptr_t(-1), 80);
    grid_->SetColumnWidth(2, -5);
    EXPECT_EQ(grid_->State().columnWidth[2], 0);
    grid_->SetColumnWidth(0, 0); // the row-header column may be hidden
    EXPECT_EQ(grid_->State().columnWidth[0], 0);
    grid_->SetRowHeight(0);
    EXPECT_EQ(grid_->State().rowHeight, 1);
    grid_->SetRowHeight(-3);
    EXPECT_EQ(grid_->State().rowHeight, 1);
}

TEST_F(GridTest, DeleteCellReportsOnlyWhenACellWasRemoved) {
    Fill(3, 2);
    GridCell cell;
    cell.row = 2;
    cell.column = 2;
    EXPECT_EQ(grid_->DeleteCell(cell), 0);
    EXPECT_EQ(grid_->GetCell(cell), -1);
    EXPECT_EQ(Codes(), std::vector<int>{GN_EDITEND});
    reports_.clear();
    grid_->DeleteCell(cell);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(GridTest, ClearEmptiesTheGridAndKeepsItUsable) {
    Fill(30, 3);
    grid_->SetCursor(25, 3);
    ASSERT_GT(grid_->State().firstRow, 1);
    grid_->Clear();
    const GridState& s = grid_->State();
    EXPECT_EQ(s.store.recordCount, 0u);
    EXPECT_EQ(s.rowCount, 0);
    EXPECT_EQ(std::pair(s.cursorRow, s.cursorColumn), std::pair(1, 1));
    EXPECT_EQ(std::pair(s.firstRow, s.firstColumn), std::pair(1, 1));
    GridSetText(grid_, 1, 1, "again");
    EXPECT_EQ(Text(1, 1), "again");
    EXPECT_EQ(s.rowCount, 1);
}

TEST_F(GridTest, SetCursorMovesOnlyInsideTheTableWithoutReports) {
    Fill(40, 3);
    grid_->SetCursor(35, 2);
    EXPECT_EQ(grid_->CursorRow(), 35);
    EXPECT_EQ(grid_->CursorColumn(), 2);
    const GridState& s = grid_->State();
    const int bottom = s.titleHeight + s.headerHeight + (35 - s.firstRow + 1) * s.rowHeight;
    EXPECT_LE(bottom, grid_->ClientHeight()); // brought into view
    EXPECT_GT(s.firstRow, 1);
    for (auto [row, column] : {std::pair{0, 1}, {41, 1}, {5, 0}, {5, 4}})
        grid_->SetCursor(row, column);
    EXPECT_EQ(grid_->CursorRow(), 35);
    EXPECT_EQ(grid_->CursorColumn(), 2);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(GridTest, ShrinkingKeepsTheCursorInsideTheTable) {
    Fill(10, 4);
    grid_->SetCursor(9, 4);
    grid_->SetSize(5, 2);
    EXPECT_EQ(grid_->CursorRow(), 5);
    EXPECT_EQ(grid_->CursorColumn(), 2);
}

TEST_F(GridTest, TitleHeightCountsLines) {
    const int line = QFontMetrics(grid_->TitleFont()).height();
    struct Case {
        const char* title;
        int lines;
    } cases[] = {{"", 0}, {"Devices", 1}, {"Loop\nDevices\nPanel 1", 3}};
    for (const Case& c : cases) {
        grid_->SetTitle(c.title);
        EXPECT_EQ(grid_->State().titleHeight, int(c.lines * line * 1.2)) << c.title;
    }
    grid_->setWindowTitle("Set as window text");
    EXPECT_EQ(grid_->State().title, "Set as window text");
    grid_->SetTitle(std::string(301, 'x').c_str());
    EXPECT_EQ(grid_->State().title, "Title too long (300 chars max)");
    grid_->SetTitle(std::string(300, 'x').c_str());
    EXPECT_EQ(grid_->State().title.size(), 300u);
}

TEST_F(GridTest, GridSizesItselfOnceToItsParent) {
    QWidget parent;
    parent.resize(500, 400);
    std::unique_ptr<GridWidget> grid(GridWidget::Create(&parent, 9, "Title"));
    ASSERT_TRUE(grid);
    const GridState& s = grid->State();
    EXPECT_EQ(grid->width(), 500);
    EXPECT_GT(grid->height(), s.titleHeight + s.headerHeight); // plus a scroll bar
    EXPECT_LE(grid->height(), 400);
    grid->SetTitle("Another");
    grid->SetSize(100, 2);
    EXPECT_EQ(grid->width(), 500);
    grid->setGeometry(0, 0, 200, 100); // the parent places it from now on
    EXPECT_EQ(grid->size(), QSize(200, 100));
}

TEST(GridSlots, FiveGridsAtMostWithSharedFonts) {
    GridSlotsReset();
    EXPECT_FALSE(GridFontsLive());
    QWidget parent;
    std::vector<std::unique_ptr<GridWidget>> grids;
    for (int id : {501, 601, 701, 801, 901}) {
        grids.emplace_back(GridWidget::Create(&parent, id, ""));
        ASSERT_TRUE(grids.back()) << id;
    }
    EXPECT_TRUE(GridFontsLive());
    EXPECT_EQ(GridWidget::Create(&parent, 999, ""), nullptr);
    EXPECT_EQ(GridWidget::Create(&parent, 0, ""), nullptr);
    EXPECT_EQ(FindGrid(801), grids[3].get());
    EXPECT_EQ(FindGrid(999), nullptr);

    // Each grid keeps its cells apart.
    GridSetText(grids[0].get(), 1, 1, "matrix");
    GridSetText(grids[1].get(), 1, 1, "text");
    char buffer[kGridTextSize];
    GridGetText(grids[0].get(), 1, 1, buffer);
    EXPECT_STREQ(buffer, "matrix");

    grids[2].reset();
    EXPECT_EQ(FindGrid(701), nullptr);
    std::unique_ptr<GridWidget> again(GridWidget::Create(&parent, 702, ""));
    ASSERT_TRUE(again);
    GridGetText(again.get(), 1, 1, buffer);
    EXPECT_STREQ(buffer, ""); // nothing of the old grid survives

    grids.clear();
    EXPECT_TRUE(GridFontsLive());
    again.reset();
    EXPECT_FALSE(GridFontsLive());
}

TEST(GridSlots, GridStoreIsNeverLeftCurrent) {
    SettingsStore* site = StoreSelect(nullptr);
    ASSERT_NE(site, nullptr);
    QWidget parent;
    std::unique_ptr<GridWidget> grid(GridWidget::Create(&parent, 1, "x"));
    GridSetText(grid.get(), 1, 1, "cell");
    grid->Clear();
    EXPECT_EQ(StoreSelect(nullptr), site);
    EXPECT_EQ(SettingGet(site, "00001-001"), nullptr);
}

} // namespace

namespace {

// A parent may close the view (and so destroy the grid) in answer to a
// report; the grid must not touch itself afterwards.
TEST_F(GridTest, ParentMayDestroyTheGridInsideAReport) {
    Fill(3, 2);
    grid_->SetEditable(true);
    QTest::keyClicks(grid_, "x");
    grid_->SetEditValidator([this](uint32_t, const char*) {
        delete grid_;
        grid_ = nullptr;
        return 0;
    });
    grid_->EndEdit();
    EXPECT_EQ(grid_, nullptr);

    grid_ = GridWidget::Create(&parent_, kId, "");
    ASSERT_TRUE(grid_);
    GridSetText(grid_, 1, 1, "a");
    QObject::connect(grid_, &GridWidget::Notification, [this](int, int code, quint32) {
        if (code == GN_EDITEND) {
            delete grid_;
            grid_ = nullptr;
        }
    });
    GridCell cell;
    cell.row = 1;
    cell.column = 1;
    EXPECT_EQ(grid_->DeleteCell(cell), 0);
    EXPECT_EQ(grid_, nullptr);
}

} // namespace
