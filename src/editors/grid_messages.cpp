// The grid's message entry point and the cell operations behind it.

#include "editors/grid_cell_store.h"
#include "editors/grid_geometry.h"
#include "editors/grid_widget.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstring>

namespace {

uint32_t Colour24(uintptr_t value) {
    return uint32_t(value) & 0xFFFFFF;
}

} // namespace

intptr_t GridWidget::Message(uint32_t message, uintptr_t w, intptr_t l) {
    GridState& s = *s_;
    switch (message) {
    case GM_LOCKCELL:
    case GM_SETCELLTEXT:
    case GM_DELETECELL:
    case GM_GETCELLCOLOUR:
    case GM_SETCELLCOLOUR:
    case GM_GETCELL:
        return CellMessage(message, reinterpret_cast<GridCell*>(w), l);
    case GM_CLEAR: {
        // A half-typed text must not land in the cell that the cursor is reset to.
        CancelEditing(false);
        GridState fresh;
        GridCellDeleteAll(&s.store);
        s.rowCount = 0;
        s.cursorRow = fresh.cursorRow;
        s.cursorColumn = fresh.cursorColumn;
        s.firstRow = fresh.firstRow;
        s.firstColumn = fresh.firstColumn;
        ReadCurrentLock();
        Changed();
        return 0;
    }
    case GM_SETSIZE:
        ApplySize(int(std::min<uintptr_t>(w, kGridMaxRow)),
                  int(std::clamp<intptr_t>(l, 0, kGridMaxColumn)));
        return 0;
    case GM_SETCURSOR: {
        const intptr_t row = intptr_t(w), column = l;
        if (row < 1 || row > s.rowCount || column < 1 || column > s.columnCount)
            return 0;
        // An edit belongs to the cell it was typed on: end it there first.
        if (s.editing && !EndEditing())
            return 0;
        s.cursorRow = int(row);
        s.cursorColumn = int(column);
        AfterCursorMove();
        return 0;
    }
    case GM_SETAUTOAPPEND:
        s.autoAppend = w != 0;
        return 0;
    case GM_SETCOLWIDTH:
        if (w > uintptr_t(kGridMaxColumn) || l < 0)
            return 0;
        s.columnWidth[w] = int(std::min<intptr_t>(l, 1 << 20));
        Changed();
        return 0;
    case GM_SETHEADERHEIGHT:
        s.headerHeight = int(std::clamp<intptr_t>(intptr_t(w), 0, 1 << 16));
        Changed();
        return 0;
    case GM_SETCOLGAP:
        s.columnGap = int(std::clamp<intptr_t>(intptr_t(w), 0, 1 << 16));
        Changed();
        return 0;
    case GM_SETROWHEIGHT:
        s.rowHeight = int(std::clamp<intptr_t>(intptr_t(w), 1, 1 << 16));
        BringCursorIntoView();
        Changed();
        return 0;
    case GM_SETCURSORCOLOUR:
        s.cursorColour = Colour24(w);
        Changed();
        return 0;
    case GM_SETLOCKCOLOUR:
        s.lockColour = Colour24(w);
        Changed();
        return 0;
    case GM_SETABSENTCOLOUR:
        s.absentColour = Colour24(w);
        Changed();
        return 0;
    case GM_SETROWHIGHLIGHT:
        s.rowHighlight = w != 0;
        Changed();
        return 0;
    case GM_GETCURSORROW:
        return s.cursorRow;
    case GM_GETCURSORCOL:
        return s.cursorColumn;
    case GM_SETTITLEHEIGHT:
        ApplyTitleHeight(int(std::clamp<intptr_t>(intptr_t(w), 0, 1 << 16)));
        return 0;
    case GM_SETHIGHLIGHTCOLOUR:
        s.highlightColour = Colour24(w);
        Changed();
        return 0;
    case GM_SETHIGHLIGHTTEXTCOLOUR:
        s.highlightTextColour = Colour24(w);
        Changed();
        return 0;
    case GM_SETEDITABLE:
        s.editable = w != 0;
        return 0;
    case GM_SETGRIDLINECOLOUR:
        s.gridLineColour = Colour24(w);
        Changed();
        return 0;
    case GM_SETEXTENDLASTCOL:
        s.extendLastColumn = w != 0;
        Changed();
        return 0;
    case GM_ENDEDIT:
        if (s.editing)
            EndEditing();
        return 0;
    case GM_SETAUTOWIDTH:
        s.autoWidth = w != 0;
        return 0;
    case GM_SETCOLRESIZE:
        s.columnResize = w != 0;
        return 0;
    case GM_SETTITLEFONT:
        if (w) {
            titleFont_ = *reinterpret_cast<const QFont*>(w);
            titleFontSet_ = true;
            Changed();
        }
        return 0;
    case GM_SETHEADINGFONT:
        if (w) {
            headingFont_ = *reinterpret_cast<const QFont*>(w);
            headingFontSet_ = true;
            Changed();
        }
        return 0;
    case GM_SETDBLCLKREPORT:
        s.doubleClickReport = w != 0;
        return 0;
    default:
        return 0;
    }
}

intptr_t GridWidget::CellMessage(uint32_t message, GridCell* cell, intptr_t l) {
    if (!cell || !GridCellInRange(cell->row, cell->column))
        return -1;
    GridState& s = *s_;
    SettingsStore* store = &s.store;
    const int row = cell->row, column = cell->column;
    switch (message) {
    case GM_LOCKCELL:
        GridCellSetLock(store, row, column, l != 0);
        break;
    case GM_SETCELLTEXT:
        StoreCellText(row, column, cell->locked != 0, reinterpret_cast<const char*>(l));
        break;
    case GM_DELETECELL:
        if (GridCellDelete(store, row, column) && !NotifyCursor(GN_EDITEND))
            return 0;
        break;
    case GM_GETCELLCOLOUR:
        return intptr_t(GridCellColour(store, row, column, s.absentColour));
    case GM_SETCELLCOLOUR:
        GridCellSetColour(store, row, column, uint32_t(l));
        break;
    case GM_GETCELL:
        return GridCellRead(store, row, column, cell) ? 0 : -1;
    }
    if (row == s.cursorRow && column == s.cursorColumn)
        ReadCurrentLock();
    return 0;
}

void GridWidget::StoreCellText(int row, int column, bool locked, const char* text) {
    GridState& s = *s_;
    if (!GridCellWrite(&s.store, row, column, locked, text))
        return; // the cell store is full
    UpdateCell(row, column);
    if (s.autoAppend && row > s.rowCount)
        ApplySize(row, s.columnCount);
    if (s.autoWidth || row == 0)
        AutoSize(row, column, text);
}

void GridWidget::AutoSize(int row, int column, const char* text) {
    // An empty text asks for no room: a column of empty cells stays hidden.
    if (!text || !*text)
        return;
    GridState& s = *s_;
    QFontMetrics metrics(row == 0 || column == 0 ? headingFont_ : cellFont_);
    QString line = QString::fromLatin1(text, int(strnlen(text, kGridTextSize - 1)));
    int height = metrics.height() + 5;
    int width = metrics.horizontalAdvance(line) + 10;
    bool changed = false;
    int& rowHeight = row == 0 ? s.headerHeight : s.rowHeight;
    if (height > rowHeight) {
        rowHeight = height;
        changed = true;
    }
    if (width > s.columnWidth[column]) {
        s.columnWidth[column] = width;
        changed = true;
    }
    if (changed)
        Changed();
}

void GridWidget::ApplySize(int rows, int columns) {
    GridState& s = *s_;
    s.rowCount = std::clamp(rows, 0, kGridMaxRow);
    s.columnCount = std::clamp(columns, 1, kGridMaxColumn);
    // A cursor left beyond the new size would walk on past the last row.
    if (s.cursorRow > s.rowCount)
        s.cursorRow = std::max(1, s.rowCount);
    if (s.cursorColumn > s.columnCount)
        s.cursorColumn = s.columnCount;
    if (s.firstColumn > s.columnCount)
        s.firstColumn = 1;
    Changed();
}

void GridWidget::ApplyTitleHeight(int height) {
    s_->titleHeight = height;
    BringCursorIntoView();
    Changed();
}
