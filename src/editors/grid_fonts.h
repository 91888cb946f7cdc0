#pragma once
// The three fonts that all grids share: created with the first grid and
// released with the last.

#include <QFont>

struct GridSharedFonts {
    QFont cell;
    QFont heading;
    QFont title;
};

// Counts one more grid; the first call creates the fonts.
const GridSharedFonts& GridFontsAcquire();
// Counts one grid less; the last call releases the fonts.
void GridFontsRelease();
// Whether the fonts exist now.
bool GridFontsLive();
