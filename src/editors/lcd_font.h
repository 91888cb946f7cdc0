#pragma once
// The LCD text window's bitmap font: 8 x 15 pixels a character, one byte a
// glyph row from the top, the most significant bit the leftmost pixel.

#include <cstdint>

constexpr int kLcdGlyphRows = 15;
constexpr int kLcdFirstPrintable = 32;
constexpr int kLcdLastPrintable = 126;

// The 15 row bytes of a character. A code outside 32 to 126 (a control code,
// DEL or a byte above 127 from a file) has no glyph of its own on the panel's
// display: it shows as a hollow box, so the engineer sees that the text holds
// something that will not read as typed.
const uint8_t* LcdGlyph(unsigned char code);
