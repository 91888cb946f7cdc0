#pragma once
// Where rows and columns lie in the client area, what a point hits, and how
// the scroll position follows the cursor. Pure functions of the grid state
// and the client size.

#include "editors/grid_state.h"

#include <vector>

struct GridSpan {
    int column; // 0 for the row-header column
    int x;
    int width; // after extending the last column
};

struct GridHit {
    int row = -1; // -1: none
    int column = -1;
};

struct GridRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// Column 0 first, then the data columns from the first visible one while they
// start left of the right edge (the one crossing it included). Hidden columns
// are included with width 0.
std::vector<GridSpan> GridVisibleColumns(const GridState& s, int clientWidth);

// Data rows from the first visible one while they start above the bottom edge.
int GridLastVisibleRow(const GridState& s, int clientHeight);

// Left edge of data column c >= first visible column (not extended).
int GridColumnX(const GridState& s, int column);

// The cell rectangle of a shown row and column; false when the row lies
// above the first visible row or the column left of the first visible one.
bool GridCellRect(const GridState& s, int clientWidth, int row, int column, GridRect* out);

GridHit GridHitTest(const GridState& s, int x, int y);

int GridRowsPerPage(const GridState& s, int clientHeight);
int GridContentWidth(const GridState& s);
int GridContentHeight(const GridState& s);

// Data columns of non-zero width, and the scroll position (1-based among
// them) that shows the first visible column.
int GridShownColumnCount(const GridState& s);
int GridColumnPosition(const GridState& s);
// The data column shown first at scroll position k.
int GridColumnAtPosition(const GridState& s, int position);

// Largest first visible row the vertical scroll range allows.
int GridMaxFirstRow(const GridState& s, int clientHeight);

// Moves the first visible row and column until the cursor cell is in view.
void GridBringCursorIntoView(GridState& s, int clientWidth, int clientHeight);

// Nearest column of non-zero width left (step -1) or right (+1) of `from`
// within 1..column count, or -1.
int GridNextShownColumn(const GridState& s, int from, int step);
