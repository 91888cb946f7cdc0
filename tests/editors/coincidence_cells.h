#pragma once
// Which coincidence cells are red, and the cells of one highlighted column,
// for the editor's tests and the cell action tests.

#include "editors/coincidence_editor.h"
#include "editors/grid_types.h"

#include <utility>
#include <vector>

using CellList = std::vector<std::pair<int, int>>;

// colour(row, column) gives a cell's colour.
template <typename Colour> CellList RedCells(Colour colour) {
    CellList red;
    for (int r = 0; r <= kCoincidenceRows; ++r)
        for (int c = 0; c <= kCoincidenceColumns; ++c)
            if (colour(r, c) == GridRgb(255, 0, 0))
                red.emplace_back(r, c);
    return red;
}

// Rows 1 to lastRow of one column.
inline CellList ColumnCells(int column, int lastRow) {
    CellList cells;
    for (int r = 1; r <= lastRow; ++r)
        cells.emplace_back(r, column);
    return cells;
}
