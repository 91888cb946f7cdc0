// The text editor's cell actions: a double click opens the LCD text window
// on the cell, and the window's result (code GN_TEXTEDITED) goes back into it.

#include "app/cell_actions.h"
#include "app/main_window.h"
#include "editors/grid_widget.h"
#include "editors/lcd_text_window.h"
#include "editors/text_editor.h"

#include <QPointer>

#include <string>

namespace {

constexpr char kEditTitle[] = "     Edit Text      ";

// The cell the window was opened on, and the text it handed back: the
// window's result arrives as a grid report, whose parameter has no room for
// the text.
int g_row = 0, g_column = 0;
std::string g_returnedText;

} // namespace

void TextCellAction(MainWindow& w, GridWidget& grid, int code, quint32 param) {
    if (code == GN_DBLCLICK) {
        const int row = GridLow(param), column = GridHigh(param);
        if (row < 1 || column < 1)
            return; // the header row and the row numbers
        char text[kGridTextSize];
        GridGetText(&grid, row, column, text);
        g_row = row;
        g_column = column;
        QPointer<MainWindow> owner(&w);
        OpenTextWindow(&w, kEditTitle, text, [owner](quint32 command, const std::string& result) {
            if (!owner)
                return;
            g_returnedText = result;
            // Through the main window, which refuses it while a panel job owns
            // the store and when the text editor is no longer the open view.
            owner->OnGridNotification(GridLow(command), GridHigh(command), 0);
        });
    } else if (code == GN_TEXTEDITED) {
        GridCell cell;
        cell.row = g_row;
        cell.column = g_column;
        cell.locked = 1;
        grid.SetCellText(cell, g_returnedText.c_str());
    }
}

void TextEditorCommit(GridWidget& grid) {
    TextEditorWriteBack(grid);
}
