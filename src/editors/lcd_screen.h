#pragma once
// The picture and the editing rules of the LCD text window, without the
// window: a 320 x 88 frame of 8-bit pixels (0 the blue background, 255 the
// white characters) showing a fixed title line and one 20-character text
// line with a blinking block cursor, edited by overwriting.

#include <cstdint>
#include <string>

class LcdScreen {
  public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 88;
    static constexpr int kColumns = 20;
    static constexpr int kLines = 2;
    static constexpr int kCellWidth = 16;
    static constexpr int kCellHeight = 30;
    static constexpr uint8_t kBackground = 0;
    static constexpr uint8_t kInk = 255;

    // The first 20 characters of each. A title or a text shorter than 20
    // characters is filled up with blanks, so the text always starts on the
    // second line and the cursor can go anywhere on it: the line handed back
    // is always 20 characters without a NUL, as the site's texts are.
    LcdScreen(const std::string& title, const std::string& text);

    // A tick of the 1000 ms timer: the cursor blinks.
    void Tick();
    // Backspace blanks the character under the cursor and steps back (not
    // below 0); Left and Right move the cursor within 0..19. All three show
    // the cursor at once.
    void Backspace();
    void Left();
    void Right();
    // A character 32 to 126 overwrites the one under the cursor and steps on
    // (not beyond 19); any other code changes nothing. False when ignored.
    bool Type(int code);

    const std::string& Text() const { return line_; }
    int Cursor() const { return cursor_; }
    bool Blink() const { return blink_; }
    const uint8_t* Pixels() const { return &pixels_[0][0]; }
    uint8_t Pixel(int x, int y) const { return pixels_[y][x]; }

  private:
    void DrawCharacter(unsigned char code);
    void DrawString(const std::string& text);
    void RedrawTextLine();

    std::string title_, line_;
    int cursor_ = 0;
    bool blink_ = false;
    int column_ = 0, row_ = 0; // where the next character is drawn
    uint8_t pixels_[kHeight][kWidth] = {};
};
