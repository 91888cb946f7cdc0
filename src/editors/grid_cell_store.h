#pragma once
// The grid's cells as settings of its own store: one setting per cell, named
// "%05d-%03d" (row, column), valued "%05d-%03d|<lock>A|<BBGGRR>|<text>".
// Only the explicit-store operations are used, so the current store is never
// touched.

#include "editors/grid_types.h"

struct SettingsStore;

// False for coordinates outside rows 0..1000 and columns 0..100.
bool GridCellInRange(int row, int column);

// Writes the cell anew: lock mark from `locked`, colour white, the text (cut at
// 1003 characters; nullptr counts as empty). False when the store is full.
bool GridCellWrite(SettingsStore* store, int row, int column, bool locked, const char* text);

// Reads the cell into `out` (text, locked flag, colour). An absent cell reads
// as empty, white and locked; the result tells whether the cell exists.
bool GridCellRead(SettingsStore* store, int row, int column, GridCell* out);

// The lock mark alone; an absent cell counts as locked.
bool GridCellLocked(SettingsStore* store, int row, int column);

// Sets the lock mark; an absent cell is created white with empty text.
bool GridCellSetLock(SettingsStore* store, int row, int column, bool locked);

// Sets the colour (lowest 24 bits); an absent cell is created unlocked with
// empty text.
bool GridCellSetColour(SettingsStore* store, int row, int column, uint32_t colour);

// The cell's colour, or `absentColour` for an absent cell.
uint32_t GridCellColour(SettingsStore* store, int row, int column, uint32_t absentColour);

// Removes the cell; false when it was absent.
bool GridCellDelete(SettingsStore* store, int row, int column);

// Removes every cell.
void GridCellDeleteAll(SettingsStore* store);
