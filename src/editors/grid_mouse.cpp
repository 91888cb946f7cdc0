// Mouse: clicks, double clicks, row drags with the scroll timer, column
// resizing and the wheel.

#include "editors/grid_geometry.h"
#include "editors/grid_widget.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace {

// One press at a time happens in the whole program, so the drag start and
// the scroll direction are shared by all grids.
GridHit g_dragStart;
int g_scrollDirection = 0; // 1 down, -1 up, 0 none

constexpr int kBorderReach = 10; // pixels either side of a column border
constexpr int kTopScrollZone = 10;
constexpr int kWheelStep = 120; // one wheel notch

void ForgetDragStart() {
    g_dragStart = GridHit{};
}

} // namespace

int GridWidget::ColumnBorderAt(QPoint point) const {
    const GridState& s = *s_;
    if (!s.columnResize || point.y() <= s.titleHeight || point.y() > s.titleHeight + s.headerHeight)
        return -1;
    int best = -1, bestDistance = kBorderReach;
    for (const GridSpan& span : GridVisibleColumns(s, ClientWidth())) {
        if (s.columnWidth[span.column] <= 0)
            continue;
        int distance = std::abs(point.x() - (span.x + s.columnWidth[span.column]));
        if (distance < bestDistance) {
            best = span.column;
            bestDistance = distance;
        }
    }
    return best;
}

bool GridWidget::PressAt(QPoint point, bool right) {
    GridState& s = *s_;
    if (!right && resizeShape_) {
        int column = ColumnBorderAt(point);
        if (column >= 0) {
            resizing_ = true;
            resizeColumn_ = column;
            resizeStartWidth_ = s.columnWidth[column];
            resizeStartX_ = point.x();
        }
    }
    if (s.editing) {
        if (!EndEditing())
            return false;
    } else {
        setFocus(Qt::MouseFocusReason);
    }
    GridHit hit = GridHitTest(s, point.x(), point.y());
    g_dragStart = hit;
    if (hit.row < 0 || hit.column < 0)
        return true;
    bool rowChanged = hit.row != s.cursorRow;
    bool columnChanged = hit.column != s.cursorColumn;
    UpdateCell(s.cursorRow, s.cursorColumn);
    s.cursorRow = hit.row;
    s.cursorColumn = hit.column;
    frameHidden_ = false;
    if (!NotifyCursor(right ? GN_RCLICK : GN_CLICK))
        return false;
    if (rowChanged && !(NotifyCursor(GN_ROWCHANGE) && NotifyCursor(GN_SELCHANGE)))
        return false;
    if (columnChanged && !(NotifyCursor(GN_COLCHANGE) && NotifyCursor(GN_SELCHANGE)))
        return false;
    ReadCurrentLock();
    if (s.cursorRow >= 1 && s.cursorColumn >= 1)
        BringCursorIntoView();
    Changed();
    return true;
}

void GridWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        PressAt(event->position().toPoint(), event->button() == Qt::RightButton);
}

void GridWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && s_->doubleClickReport)
        NotifyCursor(GN_DBLCLICK);
    else
        mousePressEvent(event);
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    scrollTimer_.stop();
    g_scrollDirection = 0;
    if (resizing_) {
        resizing_ = false;
        resizeShape_ = false;
        unsetCursor();
        ForgetDragStart();
        return;
    }
    GridHit start = g_dragStart;
    ForgetDragStart();
    QPoint p = event->position().toPoint();
    GridHit end = GridHitTest(*s_, p.x(), p.y());
    if (start.row >= 1 && start.column >= 1 && end.row >= 1 && end.column >= 1 &&
        end.row != start.row)
        Notify(GN_ROWDRAG, GridPack(start.row, end.row));
}

void GridWidget::mouseMoveEvent(QMouseEvent* event) {
    QPoint p = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton) {
        if (resizing_) {
            int width = std::max(0, resizeStartWidth_ + p.x() - resizeStartX_);
            Message(GM_SETCOLWIDTH, uintptr_t(resizeColumn_), width);
            return;
        }
        if (p.y() >= ClientHeight())
            g_scrollDirection = 1;
        else if (p.y() < kTopScrollZone)
            g_scrollDirection = -1;
        else
            g_scrollDirection = 0;
        if (g_scrollDirection == 0)
            scrollTimer_.stop();
        else if (!scrollTimer_.isActive())
            scrollTimer_.start();
        return;
    }
    scrollTimer_.stop();
    g_scrollDirection = 0;
    ForgetDragStart();
    if (!s_->columnResize) {
        if (resizeShape_) {
            resizeShape_ = false;
            unsetCursor();
        }
        return;
    }
    bool over = ColumnBorderAt(p) >= 0;
    if (over != resizeShape_) {
        resizeShape_ = over;
        if (over)
            setCursor(Qt::SizeHorCursor);
        else
            unsetCursor();
    }
}

void GridWidget::OnScrollTimer() {
    if (g_scrollDirection != 0)
        ScrollRows(g_scrollDirection);
}

void GridWidget::wheelEvent(QWheelEvent* event) {
    // Fine-grained wheels send parts of a notch; a row goes per whole notch.
    wheelRemainder_ += event->angleDelta().y();
    while (wheelRemainder_ >= kWheelStep) {
        wheelRemainder_ -= kWheelStep;
        ScrollRows(-1);
    }
    while (wheelRemainder_ <= -kWheelStep) {
        wheelRemainder_ += kWheelStep;
        ScrollRows(1);
    }
    event->accept();
}
