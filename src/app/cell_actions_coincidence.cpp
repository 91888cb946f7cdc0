// Coincidence editor: a click in a column picks its number of groups.

#include "app/cell_actions.h"
#include "editors/coincidence_editor.h"
#include "editors/grid_widget.h"
#include "model/number_text.h"
#include "model/settings_store.h"

#include <string>

void CoincidenceCellAction(MainWindow&, GridWidget& grid, int code, quint32 param) {
    const int column = GridHigh(param);
    if (code != GN_CLICK || column < 1 || column > kCoincidenceColumns)
        return;
    const uint32_t old = ParseUnsigned(SettingGet("CoincidenceInputGroups"));
    // A stored number beyond 12 has no column to whiten.
    if (old <= uint32_t(kCoincidenceMaxGroups))
        CoincidenceClearHighlight(&grid, int(old));
    const int n = kCoincidenceColumns - column;
    SettingPut("CoincidenceInputGroups", std::to_string(n).c_str());
    CoincidenceHighlight(&grid, n);
}
