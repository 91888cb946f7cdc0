#pragma once
// Drawing primitives of the grid: the 3D edges, outlined cells, wrapped text
// with an ellipsis and the exclusive-or cursor frame.

#include <QColor>
#include <QRect>
#include <QString>

#include <cstdint>

class QPainter;

QColor GridColour(uint32_t colour); // from 0x00BBGGRR
QColor GridStockGrey();             // the grey of the empty areas
QColor GridFaceColour();            // the middle of the 3D edges

// An etched edge (a groove) with the middle filled.
void GridDrawEtchedEdge(QPainter& painter, const QRect& rect);
// A sunken edge with the middle filled.
void GridDrawSunkenEdge(QPainter& painter, const QRect& rect);
// The rectangle filled and outlined by a 1-pixel line.
void GridDrawOutlinedCell(QPainter& painter, const QRect& rect, const QColor& fill,
                          const QColor& line);
// Centred, word-wrapped from the top; the last line that fits ends in an
// ellipsis when text is left over (with `ellipsis`).
void GridDrawWrappedText(QPainter& painter, const QRect& rect, const QString& text, bool ellipsis);
// A frame `thickness` pixels wide inside rect, combined with what is there by
// exclusive-or: drawing it twice restores the pixels.
void GridXorFrame(QPainter& painter, const QRect& rect, int thickness, const QColor& colour);
