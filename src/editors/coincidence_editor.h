#pragma once
// The coincidence editor: one fixed table of how many input groups (none to
// 12) the panel uses as coincidence groups and which panel input groups those
// are. Column c (1 to 12) stands for 13 - c groups, column 13 for none.

class GridWidget;

constexpr int kCoincidenceRows = 13;
constexpr int kCoincidenceColumns = 13;
constexpr int kCoincidenceMaxGroups = 12;

// Fills the table and highlights the stored "CoincidenceInputGroups".
void CoincidenceFill(GridWidget* grid);
// Colours the column of n groups red; a number outside 0 to 12 has no column.
void CoincidenceHighlight(GridWidget* grid, int n);
// Colours the column of n groups white again (rows 1 to 13).
void CoincidenceClearHighlight(GridWidget* grid, int n);
