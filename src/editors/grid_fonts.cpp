#include "editors/grid_fonts.h"

#include <QFontMetrics>

namespace {

GridSharedFonts* g_fonts = nullptr;
int g_users = 0;

// A font whose line height is at most `height` pixels, the nearest the
// platform's fonts come to a cell height given in pixels.
QFont MakeFont(int height, QFont::Weight weight, QFont::StyleHint hint) {
    QFont font;
    font.setStyleHint(hint, QFont::PreferQuality);
    font.setWeight(weight);
    font.setFixedPitch(false);
    int size = height;
    for (; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= height)
            break;
    }
    font.setPixelSize(size);
    return font;
}

} // namespace

const GridSharedFonts& GridFontsAcquire() {
    if (!g_fonts) {
        g_fonts = new GridSharedFonts{MakeFont(16, QFont::Thin, QFont::SansSerif),
                                      MakeFont(18, QFont::Black, QFont::Serif),
                                      MakeFont(20, QFont::Black, QFont::Serif)};
    }
    ++g_users;
    return *g_fonts;
}

void GridFontsRelease() {
    if (g_users > 0 && --g_users == 0) {
        delete g_fonts;
        g_fonts = nullptr;
    }
}

bool GridFontsLive() {
    return g_fonts != nullptr;
}
