// A small demo grid written to /tmp/grid_demo.png for a look by eye: title
// band, headers, row labels, locked and coloured cells, an "X" column, the
// cursor frame and an edit in progress in a second shot.

#include "grid_fixture.h"

namespace {

TEST_F(GridTest, DemoScreenshot) {
    grid_->SetTitle("Device editor demo\nLoop 1");
    grid_->SetSize(8, 5);
    grid_->SetEditable(true);
    const char* headings[] = {"Addr", "Type", "Zone", "X", "Text", "Spare"};
    for (int c = 0; c <= 5; ++c)
        GridSetText(grid_, 0, c, headings[c]);
    for (int r = 1; r <= 6; ++r) {
        GridSetText(grid_, r, 0, std::to_string(r).c_str());
        GridSetText(grid_, r, 1, r % 2 ? "Optical smoke" : "Heat A1R");
        GridSetText(grid_, r, 2, std::to_string(r).c_str());
        GridSetText(grid_, r, 3, r == 2 ? "1" : "");
        GridSetText(grid_, r, 4, "Corridor first floor");
    }
    GridLock(grid_, 3, 1);
    GridCell cell;
    cell.row = 4;
    cell.column = 2;
    grid_->SetCellColour(cell, GridRgb(255, 200, 200));
    grid_->SetColumnWidth(5, 60);
    grid_->SetCursor(2, 2);
    grid_->setFocus();
    ASSERT_TRUE(Shot().save("/tmp/grid_demo.png"));

    grid_->SetCursor(5, 4);
    QTest::keyClicks(grid_, "Lobby");
    grid_->SetRowHighlight(true);
    ASSERT_TRUE(Shot().save("/tmp/grid_demo_edit.png"));
}

} // namespace
