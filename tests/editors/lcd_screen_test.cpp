// The LCD frame and its editing rules, without a window.

#include "editors/lcd_font.h"
#include "editors/lcd_screen.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kTitle = "     Edit Text      ";

bool Ink(const LcdScreen& s, int x, int y) {
    return s.Pixel(x, y) == LcdScreen::kInk;
}

// Every pixel of the frame is either background or ink.
void ExpectTwoValues(const LcdScreen& s) {
    for (int y = 0; y < LcdScreen::kHeight; ++y)
        for (int x = 0; x < LcdScreen::kWidth; ++x)
            ASSERT_TRUE(s.Pixel(x, y) == LcdScreen::kBackground || Ink(s, x, y)) << x << "," << y;
}

// The cell of column c, line l shows the glyph rows as 8 pixels plus a ninth
// repeating the eighth, each row two pixel rows high, pixels 9 to 15 blank.
void ExpectCell(const LcdScreen& s, int c, int l, const uint8_t* rows, bool inverted) {
    for (int y = 0; y < kLcdGlyphRows; ++y) {
        const uint8_t bits = inverted ? uint8_t(~rows[y]) : rows[y];
        for (int dy = 0; dy < 2; ++dy) {
            const int py = 30 * l + 2 * y + dy;
            for (int k = 0; k < 8; ++k)
                ASSERT_EQ(Ink(s, 16 * c + k, py), (bits & (0x80 >> k)) != 0) << k << "," << y;
            ASSERT_EQ(Ink(s, 16 * c + 8, py), (bits & 1) != 0);
            for (int x = 9; x < 16; ++x)
                ASSERT_FALSE(Ink(s, 16 * c + x, py));
        }
    }
}

TEST(LcdScreen, GlyphsLandDoubledInTheirCells) {
    LcdScreen s(kTitle, "AB");
    ExpectTwoValues(s);
    ExpectCell(s, 5, 0, LcdGlyph('E'), false);
    ExpectCell(s, 0, 1, LcdGlyph('A'), false);
    ExpectCell(s, 1, 1, LcdGlyph('B'), false);
    // Below the two lines nothing is drawn.
    for (int x = 0; x < LcdScreen::kWidth; ++x)
        EXPECT_FALSE(Ink(s, x, 87));
}

std::string GlyphBytes(int code) {
    return std::string(reinterpret_cast<const char*>(LcdGlyph(code)), kLcdGlyphRows);
}

TEST(LcdScreen, EveryPrintableCharacterHasItsOwnGlyph) {
    // Codes without a glyph share one mark that no printable character uses.
    for (int a = 32; a <= 127; ++a)
        for (int b = a + 1; b <= 127; ++b)
            ASSERT_NE(GlyphBytes(a), GlyphBytes(b)) << a << " " << b;
    for (int code : {0, 9, 31, 128, 233, 255})
        EXPECT_EQ(GlyphBytes(code), GlyphBytes(127));
}

TEST(LcdScreen, ShortAndOddTextsAreTwentyCharacters) {
    EXPECT_EQ(LcdScreen(kTitle, "").Text(), std::string(20, ' '));
    EXPECT_EQ(LcdScreen(kTitle, "Hall").Text(), "Hall" + std::string(16, ' '));
    EXPECT_EQ(LcdScreen(kTitle, std::string("ab\0cd", 5)).Text(), "ab" + std::string(18, ' '));
    EXPECT_EQ(LcdScreen(kTitle, "0123456789012345678901234").Text(), "01234567890123456789");
    // A short title still leaves the text on the second line.
    LcdScreen shortTitle("Hi", "X");
    ExpectCell(shortTitle, 0, 1, LcdGlyph('X'), false);
    // A byte outside 32..126 is kept and shown as the box.
    LcdScreen odd(kTitle, "a\x01\xE9");
    EXPECT_EQ(odd.Text().substr(0, 3), "a\x01\xE9");
    ExpectCell(odd, 2, 1, LcdGlyph(127), false);
}

TEST(LcdScreen, TypingOverwritesAndStopsAtTheLastPosition) {
    LcdScreen s(kTitle, "Old text of twenty..");
    const std::string typed = "abcdefghijklmnopqrstuvwxy"; // 25 characters
    for (char c : typed)
        EXPECT_TRUE(s.Type(c));
    EXPECT_EQ(s.Text(), "abcdefghijklmnopqrsy");
    EXPECT_EQ(s.Cursor(), 19);
    for (int code : {127, 128, 233, 10, 0, -1})
        EXPECT_FALSE(s.Type(code));
    EXPECT_EQ(s.Text(), "abcdefghijklmnopqrsy");
}

TEST(LcdScreen, BackspaceBlanksThenStepsBackNotBelowZero) {
    LcdScreen s(kTitle, "ABCD");
    s.Backspace();
    EXPECT_EQ(s.Text().substr(0, 4), " BCD");
    EXPECT_EQ(s.Cursor(), 0);
    s.Right();
    s.Right();
    s.Backspace();
    EXPECT_EQ(s.Text().substr(0, 4), " B D");
    EXPECT_EQ(s.Cursor(), 1);
    s.Left();
    s.Left();
    EXPECT_EQ(s.Cursor(), 0);
    for (int i = 0; i < 30; ++i)
        s.Right();
    EXPECT_EQ(s.Cursor(), 19);
}

TEST(LcdScreen, CursorBlinksAndEditingKeysForceItOn) {
    LcdScreen s(kTitle, "AB");
    ExpectCell(s, 0, 1, LcdGlyph('A'), false);
    s.Tick();
    EXPECT_TRUE(s.Blink());
    ExpectCell(s, 0, 1, LcdGlyph('A'), true);
    ExpectCell(s, 1, 1, LcdGlyph('B'), false);
    s.Tick();
    ExpectCell(s, 0, 1, LcdGlyph('A'), false);
    // A typed character leaves the blink as it is; Right shows the cursor.
    s.Type('Z');
    EXPECT_FALSE(s.Blink());
    ExpectCell(s, 1, 1, LcdGlyph('B'), false);
    s.Right();
    EXPECT_TRUE(s.Blink());
    ExpectCell(s, 2, 1, LcdGlyph(' '), true);
    ExpectCell(s, 1, 1, LcdGlyph('B'), false);
    s.Tick();
    s.Left();
    EXPECT_TRUE(s.Blink());
    s.Tick();
    s.Backspace();
    EXPECT_TRUE(s.Blink());
    ExpectTwoValues(s);
}

} // namespace
