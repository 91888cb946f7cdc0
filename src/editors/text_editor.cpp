#include "editors/text_editor.h"

#include "editors/grid_widget.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kBanners = 2; // the lines the editor shows; 3 and 4 stay as they are

// Each text cell with the setting it shows, in the order of filling and
// writing back.
template <typename Visit> void ForEachText(Visit visit) {
    char name[kSettingNameSize];
    for (int r = 1; r <= kLoopAddresses; ++r) {
        std::snprintf(name, sizeof name, "DeviceText_%d", r);
        visit(r, 1, name);
    }
    for (int z = 1; z <= kZones; ++z) {
        std::snprintf(name, sizeof name, "ZoneText_%d", z);
        visit(z, 2, name);
    }
    for (int b = 1; b <= kBanners; ++b) {
        std::snprintf(name, sizeof name, "BannerText_%d", b);
        visit(b, 3, name);
    }
}

} // namespace

void TextEditorFill(GridWidget& grid) {
    GridSetText(&grid, 0, 0, "");
    GridSetText(&grid, 0, 1, "Device text");
    GridSetText(&grid, 0, 2, "Zone text");
    GridSetText(&grid, 0, 3, "Banner text");
    char number[16];
    ForEachText([&grid, &number](int row, int column, const char* name) {
        if (column == 1) { // each device row starts with its number
            std::snprintf(number, sizeof number, "%d", row);
            GridSetText(&grid, row, 0, number);
        }
        GridSetText(&grid, row, column, SettingGet(name));
    });
}

void TextEditorWriteBack(GridWidget& grid) {
    grid.EndEdit();
    char text[kGridTextSize];
    ForEachText([&grid, &text](int row, int column, const char* name) {
        GridGetText(&grid, row, column, text, sizeof text);
        // A setting that was absent shows the placeholder "NULL"; writing it
        // back would invent a text the site never had.
        if (!SettingGet(name) && std::strcmp(text, "NULL") == 0)
            return;
        SettingPut(name, text);
    });
}
