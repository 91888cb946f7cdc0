#include "editors/grid_geometry.h"

#include <algorithm>

namespace {

// The last data column of non-zero width, or 0.
int LastShownColumn(const GridState& s) {
    for (int c = s.columnCount; c >= 1; --c)
        if (s.columnWidth[c] > 0)
            return c;
    return 0;
}

} // namespace

std::vector<GridSpan> GridVisibleColumns(const GridState& s, int clientWidth) {
    std::vector<GridSpan> spans;
    spans.push_back({0, 0, s.columnWidth[0]});
    int last = s.extendLastColumn ? LastShownColumn(s) : 0;
    int x = s.columnWidth[0];
    for (int c = std::max(1, s.firstColumn); c <= s.columnCount && x < clientWidth; ++c) {
        int width = s.columnWidth[c];
        if (c == last)
            width = std::max(width, clientWidth - x);
        spans.push_back({c, x, width});
        x += s.columnWidth[c] + s.columnGap;
    }
    return spans;
}

int GridLastVisibleRow(const GridState& s, int clientHeight) {
    int top = s.titleHeight + s.headerHeight;
    int row = s.firstRow - 1;
    for (int y = top; row < s.rowCount && y < clientHeight; y += s.rowHeight)
        ++row;
    return row;
}

int GridColumnX(const GridState& s, int column) {
    int x = s.columnWidth[0];
    for (int c = std::max(1, s.firstColumn); c < column && c <= kGridMaxColumn; ++c)
        x += s.columnWidth[c] + s.columnGap;
    return x;
}

bool GridCellRect(const GridState& s, int clientWidth, int row, int column, GridRect* out) {
    if (row < 0 || column < 0 || row > kGridMaxRow || column > kGridMaxColumn)
        return false;
    if ((row > 0 && row < s.firstRow) || (column > 0 && column < s.firstColumn))
        return false;
    GridRect r;
    if (row == 0) {
        r.y = s.titleHeight;
        r.height = s.headerHeight;
    } else {
        r.y = s.titleHeight + s.headerHeight + (row - s.firstRow) * s.rowHeight;
        r.height = s.rowHeight;
    }
    if (column == 0) {
        r.x = 0;
        r.width = s.columnWidth[0];
    } else {
        r.x = GridColumnX(s, column);
        r.width = s.columnWidth[column];
        if (s.extendLastColumn && column == LastShownColumn(s))
            r.width = std::max(r.width, clientWidth - r.x);
    }
    *out = r;
    return true;
}

GridHit GridHitTest(const GridState& s, int x, int y) {
    GridHit hit;
    int top = s.titleHeight + s.headerHeight;
    if (y <= s.titleHeight)
        hit.row = -1;
    else if (y <= top)
        hit.row = 0;
    else {
        hit.row = s.firstRow + (y - top) / s.rowHeight;
        if (hit.row > s.rowCount)
            hit.row = -1;
    }
    if (x <= s.columnWidth[0]) {
        hit.column = 0;
        return hit;
    }
    // The gap right of a column belongs to it.
    int d = x - s.columnWidth[0];
    int c = std::max(1, s.firstColumn) - 1;
    while (d > 0) {
        if (++c > s.columnCount)
            break;
        d -= s.columnWidth[c] + s.columnGap;
    }
    if (c <= s.columnCount) {
        hit.column = c;
    } else if (s.extendLastColumn) {
        // The column that reaches the right edge, not a hidden one after it.
        int last = LastShownColumn(s);
        hit.column = last > 0 ? last : -1;
    }
    return hit;
}

int GridRowsPerPage(const GridState& s, int clientHeight) {
    return (clientHeight - s.titleHeight - s.headerHeight) / s.rowHeight;
}

int GridContentWidth(const GridState& s) {
    int width = s.columnWidth[0];
    for (int c = 1; c <= s.columnCount; ++c)
        width += s.columnWidth[c] + s.columnGap;
    return width;
}

int GridContentHeight(const GridState& s) {
    return s.titleHeight + s.headerHeight + s.rowCount * s.rowHeight;
}

int GridShownColumnCount(const GridState& s) {
    int n = 0;
    for (int c = 1; c <= s.columnCount; ++c)
        n += s.columnWidth[c] > 0;
    return n;
}

int GridColumnPosition(const GridState& s) {
    int position = 1;
    for (int c = 1; c < s.firstColumn && c <= s.columnCount; ++c)
        position += s.columnWidth[c] > 0;
    return position;
}

int GridColumnAtPosition(const GridState& s, int position) {
    int k = 0;
    for (int c = 1; c <= s.columnCount; ++c) {
        if (s.columnWidth[c] > 0 && ++k == position)
            return c;
    }
    return 1;
}

int GridMaxFirstRow(const GridState& s, int clientHeight) {
    int perPage = std::max(1, GridRowsPerPage(s, clientHeight));
    return std::max(1, s.rowCount - perPage + 1);
}

void GridBringCursorIntoView(GridState& s, int clientWidth, int clientHeight) {
    int top = s.titleHeight + s.headerHeight;
    if (s.cursorRow >= 1) {
        bool fits = s.rowHeight <= clientHeight - top;
        while (fits && s.firstRow < s.cursorRow &&
               top + (s.cursorRow - s.firstRow + 1) * s.rowHeight > clientHeight)
            ++s.firstRow;
        while (s.cursorRow < s.firstRow && s.firstRow > 1)
            --s.firstRow;
    }
    if (s.cursorColumn >= 1) {
        while (s.cursorColumn != s.firstColumn &&
               GridColumnX(s, s.cursorColumn) + s.columnWidth[s.cursorColumn] > clientWidth &&
               s.firstColumn < s.cursorColumn)
            ++s.firstColumn;
        while (s.cursorColumn < s.firstColumn && s.firstColumn > 1)
            --s.firstColumn;
    }
}

int GridNextShownColumn(const GridState& s, int from, int step) {
    for (int c = from + step; c >= 1 && c <= s.columnCount; c += step)
        if (s.columnWidth[c] > 0)
            return c;
    return -1;
}
