// The cell operations that the editors share: one GridCell buffer for all.

#include "editors/grid_widget.h"

#include <cstring>

namespace {

GridCell g_cell;

} // namespace

int GridSetText(GridWidget* grid, int row, int column, const char* text) {
    if (!grid)
        return -1;
    g_cell.row = row;
    g_cell.column = column;
    g_cell.locked = 0;
    return grid->SetCellText(g_cell, text ? text : "NULL");
}

int GridLock(GridWidget* grid, int row, int column) {
    if (!grid)
        return -1;
    g_cell.row = row;
    g_cell.column = column;
    return grid->LockCell(g_cell, true);
}

int GridGetText(GridWidget* grid, int row, int column, char* buffer, size_t size) {
    if (!grid)
        return -1;
    g_cell.row = row;
    g_cell.column = column;
    int result = grid->GetCell(g_cell);
    if (buffer && size > 0) {
        // Out of range leaves the record's text as it was: give empty text then.
        const char* text = result == 0 ? g_cell.text : "";
        size_t n = strnlen(text, size - 1);
        std::memcpy(buffer, text, n);
        buffer[n] = '\0';
    }
    return result;
}
