// Painting: title band, columns with their header cells and data cells, the
// grey areas, the edit box and the cursor frame.

#include "editors/grid_cell_store.h"
#include "editors/grid_geometry.h"
#include "editors/grid_paint_tools.h"
#include "editors/grid_widget.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kTextInset = 2;
constexpr int kEditInset = 2;
constexpr int kEditMargin = 5;
constexpr int kCaretWidth = 3;
constexpr int kFrameWidth = 3;

QRect ToQRect(const GridRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

} // namespace

void GridWidget::paintEvent(QPaintEvent* event) {
    const GridState& s = *s_;
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    QPainter painter(this);
    const QRect dirty = event->rect() & QRect(0, 0, clientWidth, clientHeight);
    if (vShown_ && hShown_)
        painter.fillRect(QRect(clientWidth, clientHeight, width(), height()), GridStockGrey());
    if (dirty.isEmpty())
        return;
    painter.setClipRect(dirty);

    if (s.titleHeight > 0) {
        QRect band(0, 0, clientWidth, s.titleHeight);
        if (band.intersects(dirty)) {
            GridDrawEtchedEdge(painter, band);
            painter.setFont(titleFont_);
            painter.setPen(GridColour(s.textColour));
            GridDrawWrappedText(painter, band, QString::fromLatin1(s.title.c_str()), true);
        }
    }

    std::vector<GridSpan> spans = GridVisibleColumns(s, clientWidth);
    const int lastRow = GridLastVisibleRow(s, clientHeight);
    int rightEnd = 0;
    for (const GridSpan& span : spans) {
        if (span.width > 0)
            PaintColumn(painter, span, lastRow, dirty);
        rightEnd = std::max(rightEnd, span.x + span.width);
        if (span.column > 0 && s.columnGap > 0)
            painter.fillRect(QRect(span.x + span.width, s.titleHeight, s.columnGap,
                                   clientHeight - s.titleHeight),
                             GridStockGrey());
    }
    // Right of the last column down to the bottom.
    if (rightEnd < clientWidth)
        painter.fillRect(
            QRect(rightEnd, s.titleHeight, clientWidth - rightEnd, clientHeight - s.titleHeight),
            GridStockGrey());

    if (s.editing)
        PaintEditBox(painter);
    if (s.hasFocus && !frameHidden_ && !s.editing)
        PaintCursorFrame(painter);
}

void GridWidget::PaintColumn(QPainter& painter, const GridSpan& span, int lastRow,
                             const QRect& dirty) {
    const GridState& s = *s_;
    const int clientHeight = ClientHeight();
    if (span.x > dirty.right() || span.x + span.width <= dirty.left())
        return;
    SettingsStore* store = &s_->store;
    GridCell cell;

    // Header cell.
    QRect header(span.x, s.titleHeight, span.width, s.headerHeight);
    GridCellRead(store, 0, span.column, &cell);
    const bool greyColumn = span.column > 0 && std::strcmp(cell.text, "X") == 0;
    if (header.intersects(dirty) && s.headerHeight > 0) {
        if (cell.colour != kGridWhite)
            GridDrawSunkenEdge(painter, header);
        else
            GridDrawEtchedEdge(painter, header);
        if (cell.text[0]) {
            painter.setFont(headingFont_);
            painter.setPen(GridColour(s.textColour));
            GridDrawWrappedText(painter, header, QString::fromLatin1(cell.text), true);
        }
    }

    // Data rows.
    const int top = s.titleHeight + s.headerHeight;
    const int firstDirty = std::max(s.firstRow, s.firstRow + (dirty.top() - top) / s.rowHeight);
    const int lastDirty =
        std::min(lastRow, s.firstRow + std::max(0, dirty.bottom() - top) / s.rowHeight);
    painter.setFont(span.column == 0 ? headingFont_ : cellFont_);
    for (int row = firstDirty; row <= lastDirty; ++row) {
        QRect r(span.x, top + (row - s.firstRow) * s.rowHeight, span.width, s.rowHeight);
        GridCellRead(store, row, span.column, &cell);
        // Only the header row greys with a disabled grid; cell texts stay black.
        QColor textColour = GridColour(GridRgb(0, 0, 0));
        if (span.column == 0) {
            GridDrawEtchedEdge(painter, r);
        } else {
            const bool cursorRow = row == s.cursorRow;
            uint32_t fill;
            if (!s.rowHighlight)
                fill = cell.locked  ? s.lockColour
                       : greyColumn ? GridRgb(128, 128, 128)
                                    : cell.colour;
            else if (cursorRow)
                fill = s.hasFocus ? s.highlightColour : cell.colour;
            else
                fill = cell.locked ? s.lockColour : cell.colour;
            GridDrawOutlinedCell(painter, r, GridColour(fill), GridColour(s.gridLineColour));
            if (s.rowHighlight && cursorRow && s.hasFocus)
                textColour = GridColour(s.highlightTextColour);
        }
        if (cell.text[0]) {
            painter.setPen(textColour);
            painter.drawText(r.adjusted(kTextInset, 0, -kTextInset, 0),
                             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                             QString::fromLatin1(cell.text));
        }
    }

    // Below the last row.
    const int below = top + (lastRow - s.firstRow + 1) * s.rowHeight;
    if (below < clientHeight)
        painter.fillRect(QRect(span.x, below, span.width, clientHeight - below), GridStockGrey());
}

void GridWidget::PaintEditBox(QPainter& painter) {
    const GridState& s = *s_;
    GridRect cellRect;
    if (!GridCellRect(s, ClientWidth(), s.cursorRow, s.cursorColumn, &cellRect))
        return;
    QRect box = ToQRect(cellRect).adjusted(kEditInset, kEditInset, -kEditInset, -kEditInset);
    if (box.width() <= 0 || box.height() <= 0)
        return;
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    QRect textRect = box.adjusted(kEditInset, kEditInset, -kEditInset - kEditMargin, -kEditInset);
    painter.save();
    painter.setClipRect(box.adjusted(1, 1, -1, -1), Qt::IntersectClip);
    painter.setFont(cellFont_);
    painter.drawText(textRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromLatin1(s.editText.c_str()));
    if (s.hasFocus) {
        // The caret stands at the right end of the text.
        int height = QFontMetrics(cellFont_).height();
        painter.fillRect(
            QRect(textRect.right() + 1, textRect.center().y() - height / 2, kCaretWidth, height),
            Qt::black);
    }
    painter.restore();
}

void GridWidget::PaintCursorFrame(QPainter& painter) {
    const GridState& s = *s_;
    if (s.rowCount == 0 || s.cursorRow < s.firstRow || s.cursorColumn < s.firstColumn ||
        s.cursorRow > s.rowCount)
        return;
    GridRect r;
    if (!GridCellRect(s, ClientWidth(), s.cursorRow, s.cursorColumn, &r) || r.width <= 0)
        return;
    GridXorFrame(painter, ToQRect(r), kFrameWidth, GridColour(s.cursorColour));
}
