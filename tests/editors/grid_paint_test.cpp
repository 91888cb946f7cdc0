// Painting, checked by sampling pixels of the grabbed grid.

#include "editors/grid_geometry.h"
#include "editors/grid_paint_tools.h"
#include "grid_fixture.h"

namespace {

class GridPaintTest : public GridTest {
  protected:
    QRect CellRect(int row, int column) const {
        GridRect r;
        EXPECT_TRUE(GridCellRect(grid_->State(), grid_->ClientWidth(), row, column, &r));
        return QRect(r.x, r.y, r.width, r.height);
    }
    // A point inside the cell clear of its text, outline and cursor frame.
    static QPoint Inside(const QRect& r) { return QPoint(r.left() + 4, r.bottom() - 4); }
    // A point on the bottom band of the cursor frame.
    static QPoint OnFrame(const QRect& r) { return QPoint(r.left() + 5, r.bottom() - 1); }

    static QColor At(const QImage& shot, QPoint p) { return shot.pixelColor(p); }
    static QColor Rgb(uint32_t colour) { return GridColour(colour); }
};

TEST_F(GridPaintTest, FillColourRules) {
    Fill(4, 3);
    grid_->SetLockColour(GridRgb(0, 200, 0));
    GridCell cell;
    cell.row = 1;
    cell.column = 2;
    grid_->SetCellColour(cell, GridRgb(255, 0, 0));
    GridLock(grid_, 2, 2);
    GridSetText(grid_, 0, 3, "X");
    GridLock(grid_, 3, 3);
    GridCell absent;
    absent.row = 4;
    absent.column = 2;
    grid_->DeleteCell(absent);
    grid_->SetCursor(4, 1);

    QImage shot = Shot();
    EXPECT_EQ(At(shot, Inside(CellRect(1, 2))), QColor(255, 0, 0));
    EXPECT_EQ(At(shot, Inside(CellRect(2, 2))), QColor(0, 200, 0));     // locked
    EXPECT_EQ(At(shot, Inside(CellRect(4, 2))), QColor(0, 200, 0));     // absent
    EXPECT_EQ(At(shot, Inside(CellRect(1, 3))), QColor(128, 128, 128)); // under "X"
    EXPECT_EQ(At(shot, Inside(CellRect(3, 3))), QColor(0, 200, 0));     // locked under "X"
    EXPECT_EQ(At(shot, Inside(CellRect(1, 1))), QColor(255, 255, 255));
    EXPECT_EQ(At(shot, CellRect(1, 1).topLeft()), QColor(220, 220, 220)); // outline

    GridSetText(grid_, 0, 3, "X1");
    shot = Shot();
    EXPECT_EQ(At(shot, Inside(CellRect(1, 3))), QColor(255, 255, 255));
}

TEST_F(GridPaintTest, RowHighlightFollowsTheFocus) {
    Fill(3, 3);
    grid_->SetRowHighlight(true);
    GridLock(grid_, 2, 1);
    grid_->SetLockColour(GridRgb(0, 200, 0));
    GridSetText(grid_, 0, 3, "X"); // no grey column with the highlight on
    grid_->SetCursor(2, 2);
    QImage shot = Shot();
    for (int column : {1, 3})
        EXPECT_EQ(At(shot, Inside(CellRect(2, column))), QColor(0, 0, 128)) << column;
    EXPECT_EQ(At(shot, Inside(CellRect(1, 3))), QColor(255, 255, 255));

    grid_->clearFocus();
    shot = Shot();
    EXPECT_EQ(At(shot, Inside(CellRect(2, 1))), QColor(255, 255, 255)); // its own colour
    EXPECT_EQ(At(shot, Inside(CellRect(2, 3))), QColor(255, 255, 255));
}

TEST_F(GridPaintTest, CursorFrameOnlyOnDataCellsWithFocus) {
    Fill(3, 3);
    grid_->SetCursor(2, 2);
    QImage shot = Shot();
    EXPECT_EQ(At(shot, OnFrame(CellRect(2, 2))), QColor(0, 0, 0));     // white inverted
    EXPECT_EQ(At(shot, CellRect(2, 2).topLeft()), QColor(35, 35, 35)); // 220 inverted
    EXPECT_EQ(At(shot, Inside(CellRect(2, 2))), QColor(255, 255, 255));
    EXPECT_EQ(At(shot, OnFrame(CellRect(2, 1))), QColor(255, 255, 255));

    grid_->SetCursorColour(GridRgb(255, 0, 0));
    EXPECT_EQ(At(Shot(), OnFrame(CellRect(2, 2))), QColor(0, 255, 255));

    grid_->clearFocus();
    EXPECT_EQ(At(Shot(), OnFrame(CellRect(2, 2))), QColor(255, 255, 255));

    // On the header row and in column 0 the cells look as without focus.
    grid_->setFocus();
    for (auto [row, column] : {std::pair{0, 2}, {2, 0}}) {
        QTest::mouseClick(grid_, Qt::LeftButton, {}, CellCentre(row, column));
        ASSERT_EQ(std::pair(grid_->CursorRow(), grid_->CursorColumn()), std::pair(row, column));
        QImage focused = Shot();
        grid_->clearFocus();
        EXPECT_EQ(focused, Shot()) << row << "," << column;
        grid_->setFocus();
    }
}

TEST_F(GridPaintTest, NoFrameWithoutRows) {
    grid_->SetSize(0, 2);
    grid_->SetColumnWidth(1, 60);
    grid_->setFocus();
    QImage focused = Shot();
    grid_->clearFocus();
    EXPECT_EQ(focused, Shot());
}

TEST_F(GridPaintTest, GreyAreasHiddenColumnsAndGaps) {
    Fill(3, 3);
    grid_->SetColumnWidth(2, 0);
    grid_->SetColumnGap(4);
    const GridState& s = grid_->State();
    QImage shot = Shot();
    const QColor grey = GridStockGrey();
    const QRect last = CellRect(3, 1);
    EXPECT_EQ(At(shot, QPoint(last.left() + 5, last.bottom() + 10)), grey); // below the rows
    EXPECT_EQ(At(shot, QPoint(last.right() + 2, last.center().y())), grey); // the gap
    // Column 3 follows column 1 directly: the hidden column only adds its gap.
    EXPECT_EQ(CellRect(1, 3).left(), s.columnWidth[0] + 60 + 4 + 4);
    EXPECT_EQ(At(shot, Inside(CellRect(1, 3))), QColor(255, 255, 255));
    const QRect third = CellRect(1, 3);
    EXPECT_EQ(At(shot, QPoint(third.right() + 10, third.center().y())), grey); // right edge

    grid_->SetColumnGap(0);
    grid_->SetExtendLastColumn(true);
    shot = Shot();
    EXPECT_EQ(CellRect(1, 3).right(), grid_->ClientWidth() - 1);
    EXPECT_EQ(At(shot, QPoint(grid_->ClientWidth() - 5, CellRect(1, 3).bottom() - 4)),
              QColor(255, 255, 255));
    // A click in the extended part hits the last shown column.
    QTest::mouseClick(grid_, Qt::LeftButton, {},
                      QPoint(grid_->ClientWidth() - 5, CellRect(2, 3).center().y()));
    EXPECT_EQ(std::pair(grid_->CursorRow(), grid_->CursorColumn()), std::pair(2, 3));
}

TEST_F(GridPaintTest, HeaderEdgesAndTitleBand) {
    Fill(2, 2);
    grid_->SetTitle("Matrix");
    GridCell header;
    header.row = 0;
    header.column = 2;
    QImage shot = Shot();
    const QRect h1 = CellRect(0, 1), h2 = CellRect(0, 2);
    EXPECT_EQ(At(shot, h1.topLeft()), QColor(160, 160, 160)); // etched: groove
    EXPECT_EQ(At(shot, h1.topLeft() + QPoint(1, 1)), QColor(255, 255, 255));
    EXPECT_EQ(At(shot, QPoint(h1.left() + 3, h1.bottom() - 3)), GridFaceColour());
    EXPECT_EQ(At(shot, QPoint(3, grid_->State().titleHeight - 3)), GridFaceColour());

    grid_->SetCellColour(header, GridRgb(255, 255, 0));
    grid_->update();
    shot = Shot();
    EXPECT_EQ(At(shot, h2.topLeft() + QPoint(1, 1)), QColor(105, 105, 105)); // sunken
}

TEST_F(GridPaintTest, EditBoxShowsTheTypedText) {
    Fill(3, 3);
    grid_->SetEditable(true);
    grid_->SetCursor(2, 2);
    QTest::keyClicks(grid_, "W");
    QImage shot = Shot();
    const QRect r = CellRect(2, 2);
    EXPECT_EQ(At(shot, r.topLeft() + QPoint(2, 2)), QColor(0, 0, 0));       // box outline
    EXPECT_EQ(At(shot, r.topLeft() + QPoint(4, 4)), QColor(255, 255, 255)); // no frame
    // The old text is gone from the box; dark pixels sit at its right end.
    int darkLeft = 0, darkRight = 0;
    for (int x = r.left() + 4; x < r.right() - 3; ++x)
        for (int y = r.top() + 4; y < r.bottom() - 3; ++y)
            if (shot.pixelColor(x, y).lightness() < 128)
                (x < r.center().x() ? darkLeft : darkRight)++;
    EXPECT_EQ(darkLeft, 0);
    EXPECT_GT(darkRight, 0);
}

TEST_F(GridPaintTest, DisabledGridGreysOnlyItsHeaderText) {
    Fill(1, 1);
    GridSetText(grid_, 0, 1, "WWWW");
    GridSetText(grid_, 1, 1, "WWWW");
    GridSetText(grid_, 1, 0, "WWWW");
    // The darkest pixel of a cell is the core of its text.
    auto darkest = [this](const QImage& shot, int row, int column) {
        const QRect r = CellRect(row, column).adjusted(3, 3, -3, -3);
        int dark = 255;
        for (int x = r.left(); x <= r.right(); ++x)
            for (int y = r.top(); y <= r.bottom(); ++y)
                dark = std::min(dark, shot.pixelColor(x, y).red());
        return dark;
    };
    grid_->setEnabled(false);
    EXPECT_EQ(grid_->State().textColour, GridRgb(120, 120, 120));
    QImage shot = Shot();
    EXPECT_EQ(darkest(shot, 0, 1), 120);
    EXPECT_LT(darkest(shot, 1, 1), 60);
    EXPECT_LT(darkest(shot, 1, 0), 60);
    grid_->setEnabled(true);
    EXPECT_EQ(grid_->State().textColour, GridRgb(0, 0, 0));
    EXPECT_LT(darkest(Shot(), 0, 1), 60);
}

} // namespace
