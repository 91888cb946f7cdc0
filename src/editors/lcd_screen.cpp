#include "editors/lcd_screen.h"

#include "editors/lcd_font.h"

namespace {

std::string TwentyCharacters(const std::string& text) {
    std::string line = text.substr(0, text.find('\0')).substr(0, LcdScreen::kColumns);
    line.resize(LcdScreen::kColumns, ' ');
    return line;
}

} // namespace

LcdScreen::LcdScreen(const std::string& title, const std::string& text)
    : title_(TwentyCharacters(title)), line_(TwentyCharacters(text)) {
    // The frame starts as background; the title fills line 0 and the text
    // continues on line 1.
    DrawString(title_);
    DrawString(line_);
}

void LcdScreen::DrawCharacter(unsigned char code) {
    if (column_ >= kColumns || row_ >= kLines)
        return;
    const uint8_t* glyph = LcdGlyph(code);
    const bool inverted = row_ == 1 && column_ == cursor_ && blink_;
    const int left = kCellWidth * column_, top = kCellHeight * row_;
    for (int y = 0; y < kLcdGlyphRows; ++y) {
        const uint8_t bits = inverted ? uint8_t(glyph[y] ^ 0xFF) : glyph[y];
        // Each bit writes two pixels and the next bit overwrites the right
        // one: 8 pixels a row and a ninth repeating the last, two rows high.
        for (int k = 0; k < 8; ++k) {
            const uint8_t value = bits & (0x80 >> k) ? kInk : kBackground;
            for (int dy = 0; dy < 2; ++dy) {
                pixels_[top + 2 * y + dy][left + k] = value;
                pixels_[top + 2 * y + dy][left + k + 1] = value;
            }
        }
    }
    if (++column_ == kColumns) {
        column_ = 0;
        ++row_;
    }
}

void LcdScreen::DrawString(const std::string& text) {
    for (char c : text)
        DrawCharacter(static_cast<unsigned char>(c));
}

void LcdScreen::RedrawTextLine() {
    column_ = 0;
    row_ = 1;
    DrawString(line_);
}

void LcdScreen::Tick() {
    blink_ = !blink_;
    RedrawTextLine();
}

void LcdScreen::Backspace() {
    line_[cursor_] = ' ';
    if (cursor_ > 0)
        --cursor_;
    blink_ = true;
    RedrawTextLine();
}

void LcdScreen::Left() {
    if (cursor_ > 0)
        --cursor_;
    blink_ = true;
    RedrawTextLine();
}

void LcdScreen::Right() {
    if (cursor_ < kColumns - 1)
        ++cursor_;
    blink_ = true;
    RedrawTextLine();
}

bool LcdScreen::Type(int code) {
    if (code < 32 || code > 126)
        return false;
    line_[cursor_] = static_cast<char>(code);
    if (cursor_ < kColumns - 1)
        ++cursor_;
    RedrawTextLine();
    return true;
}
