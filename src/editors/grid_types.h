#pragma once
// The grid control's message interface: message and notification numbers,
// the cell request record and the colour layout. Qt-free so that code which
// only prepares cells can use it.

#include <cstdint>

// Messages from the parent, numbered from the first private window message
// (0x400). GM_VALIDATEEDIT goes the other way: the grid asks its parent.
enum GridMessage : uint32_t {
    GM_LOCKCELL = 0x401,
    GM_SETCELLTEXT = 0x403,
    GM_CLEAR = 0x405,
    GM_SETSIZE = 0x406,
    GM_DELETECELL = 0x407,
    GM_SETCURSOR = 0x408,
    GM_SETAUTOAPPEND = 0x409,
    GM_SETCOLWIDTH = 0x40B,
    GM_SETHEADERHEIGHT = 0x40C,
    GM_SETCOLGAP = 0x40D,
    GM_SETROWHEIGHT = 0x410,
    GM_SETCURSORCOLOUR = 0x411,
    GM_SETLOCKCOLOUR = 0x412,
    GM_SETABSENTCOLOUR = 0x413,
    GM_SETROWHIGHLIGHT = 0x416,
    GM_GETCURSORROW = 0x41B,
    GM_GETCURSORCOL = 0x41C,
    GM_SETTITLEHEIGHT = 0x421,
    GM_SETHIGHLIGHTCOLOUR = 0x422,
    GM_SETHIGHLIGHTTEXTCOLOUR = 0x423,
    GM_SETEDITABLE = 0x424,
    GM_SETGRIDLINECOLOUR = 0x425,
    GM_SETEXTENDLASTCOL = 0x426,
    GM_ENDEDIT = 0x428,
    GM_SETAUTOWIDTH = 0x429,
    GM_SETCOLRESIZE = 0x42A,
    GM_SETTITLEFONT = 0x42B,
    GM_SETHEADINGFONT = 0x42C,
    GM_GETCELLCOLOUR = 0x42D,
    GM_SETCELLCOLOUR = 0x42E,
    GM_SETDBLCLKREPORT = 0x42F,
    GM_GETCELL = 0x430,
    GM_VALIDATEEDIT = 0x431,
};

// Notification codes reported to the parent.
enum GridNotification : int {
    GN_SELCHANGE = 5,
    GN_ROWCHANGE = 6,
    GN_COLCHANGE = 7,
    GN_EDITBEGIN = 8,
    GN_DELETEKEY = 9,
    GN_EDITEND = 10,
    GN_F1 = 11,
    GN_GOTFOCUS = 23,
    GN_LOSTFOCUS = 24,
    GN_CLICK = 25,
    GN_DBLCLICK = 26,
    GN_RCLICK = 27,
    GN_ROWDRAG = 28,
};

constexpr int kGridMaxRow = 1000;
constexpr int kGridMaxColumn = 100;
constexpr int kGridMaxGrids = 5;
constexpr int kGridTextSize = 1004; // longest cell text (1003) and its NUL
constexpr int kGridEditMax = 301;   // characters an in-place edit may hold
constexpr int kGridTitleMax = 300;  // characters of a title
constexpr int kGridTextOffset = 20; // where the text starts in a cell value

// The cell request record passed by reference with the cell messages.
struct GridCell {
    int32_t row = 0;
    int32_t column = 0;
    int32_t locked = 0;  // non-zero: locked
    uint32_t colour = 0; // 0x00BBGGRR
    char text[kGridTextSize] = {};
};

// Colours are one value with red in the lowest byte and blue in the highest.
constexpr uint32_t GridRgb(int red, int green, int blue) {
    return (static_cast<uint32_t>(red) & 0xFF) | (static_cast<uint32_t>(green) & 0xFF) << 8 |
           (static_cast<uint32_t>(blue) & 0xFF) << 16;
}
constexpr int GridRed(uint32_t colour) {
    return colour & 0xFF;
}
constexpr int GridGreen(uint32_t colour) {
    return colour >> 8 & 0xFF;
}
constexpr int GridBlue(uint32_t colour) {
    return colour >> 16 & 0xFF;
}

constexpr uint32_t kGridWhite = GridRgb(255, 255, 255);

// Notification parameters pack two 16-bit values: low and high.
constexpr uint32_t GridPack(int low, int high) {
    return (static_cast<uint32_t>(low) & 0xFFFF) | (static_cast<uint32_t>(high) & 0xFFFF) << 16;
}
constexpr int GridLow(uint32_t packed) {
    return packed & 0xFFFF;
}
constexpr int GridHigh(uint32_t packed) {
    return packed >> 16 & 0xFFFF;
}
