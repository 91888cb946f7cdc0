// Coincidence editor fill and highlight.

#include "editors/coincidence_editor.h"

#include "editors/grid_widget.h"
#include "model/number_text.h"
#include "model/settings_store.h"

#include <string>

namespace {

constexpr uint32_t kRed = GridRgb(255, 0, 0);

void Colour(GridWidget* grid, int row, int column, uint32_t colour) {
    GridCell cell;
    cell.row = row;
    cell.column = column;
    grid->SetCellColour(cell, colour);
}

void Set(GridWidget* grid, int row, int column, int number) {
    GridSetText(grid, row, column, std::to_string(number).c_str());
}

} // namespace

void CoincidenceFill(GridWidget* grid) {
    if (!grid)
        return;
    GridSetText(grid, 0, 0, "Number of groups");
    for (int c = 1; c <= kCoincidenceMaxGroups; ++c)
        Set(grid, 0, c, 13 - c);
    GridSetText(grid, 0, 13, "Off");
    GridSetText(grid, 1, 0, "Device input group");
    for (int r = 2; r <= kCoincidenceRows; ++r) {
        Set(grid, r, 0, r - 1);
        Set(grid, r, 12, 28); // one group: every device input group uses 28
    }
    for (int r = 2; r <= kCoincidenceRows; ++r)
        for (int c = 1; c <= 14 - r; ++c)
            Set(grid, r, c, 30 - r);
    // A value beyond any column reads as a big number and highlights nothing.
    const uint32_t n = ParseUnsigned(SettingGet("CoincidenceInputGroups"));
    CoincidenceHighlight(grid, n <= kCoincidenceMaxGroups ? int(n) : -1);
}

void CoincidenceHighlight(GridWidget* grid, int n) {
    if (!grid || n < 0 || n > kCoincidenceMaxGroups)
        return;
    const int last = n == 1 ? kCoincidenceRows : n + 1;
    for (int r = 1; r <= last; ++r)
        Colour(grid, r, 13 - n, kRed);
    // Colours do not repaint by themselves.
    grid->update();
}

void CoincidenceClearHighlight(GridWidget* grid, int n) {
    if (!grid || n < 0 || n > kCoincidenceMaxGroups)
        return;
    for (int r = 1; r <= kCoincidenceRows; ++r)
        Colour(grid, r, 13 - n, kGridWhite);
    grid->update();
}
