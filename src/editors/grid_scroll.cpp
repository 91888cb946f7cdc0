// Scroll bars, scroll position and repaint requests.

#include "editors/grid_geometry.h"
#include "editors/grid_widget.h"

#include <QScrollBar>

#include <algorithm>

void GridWidget::Changed() {
    UpdateScrollBars();
    update();
}

void GridWidget::UpdateCell(int row, int column) {
    GridRect r;
    if (GridCellRect(*s_, ClientWidth(), row, column, &r))
        update(QRect(r.x, r.y, r.width, r.height));
}

void GridWidget::BringCursorIntoView() {
    GridBringCursorIntoView(*s_, ClientWidth(), ClientHeight());
}

void GridWidget::UpdateScrollBars() {
    if (syncingBars_)
        return;
    syncingBars_ = true;
    GridState& s = *s_;
    const int barWidth = vbar_->sizeHint().width();
    const int barHeight = hbar_->sizeHint().height();
    const int contentWidth = GridContentWidth(s);
    const int contentHeight = GridContentHeight(s);
    // Each bar takes room from the other direction: settle both together.
    bool v = false, h = false;
    for (int i = 0; i < 3; ++i) {
        bool nv = contentHeight > height() - (h ? barHeight : 0);
        bool nh = contentWidth > width() - (v ? barWidth : 0);
        if (nv == v && nh == h)
            break;
        v = nv;
        h = nh;
    }
    vShown_ = v;
    hShown_ = h;

    const int maxFirstRow = GridMaxFirstRow(s, ClientHeight());
    s.firstRow = std::clamp(s.firstRow, 1, maxFirstRow);
    if (!h || s.firstColumn > std::max(1, s.columnCount))
        s.firstColumn = 1;

    vbar_->setRange(1, maxFirstRow);
    vbar_->setSingleStep(1);
    vbar_->setPageStep(std::max(1, GridRowsPerPage(s, ClientHeight())));
    vbar_->setValue(s.firstRow);
    hbar_->setRange(1, std::max(1, GridShownColumnCount(s)));
    hbar_->setSingleStep(1);
    hbar_->setPageStep(1);
    hbar_->setValue(GridColumnPosition(s));
    LayoutScrollBars();
    syncingBars_ = false;
}

void GridWidget::LayoutScrollBars() {
    if (vShown_)
        vbar_->setGeometry(ClientWidth(), 0, width() - ClientWidth(), ClientHeight());
    if (hShown_)
        hbar_->setGeometry(0, ClientHeight(), ClientWidth(), height() - ClientHeight());
    vbar_->setVisible(vShown_);
    hbar_->setVisible(hShown_);
}

void GridWidget::OnVerticalScroll(int value) {
    if (syncingBars_)
        return;
    s_->firstRow = std::clamp(value, 1, GridMaxFirstRow(*s_, ClientHeight()));
    Changed();
}

void GridWidget::OnHorizontalScroll(int value) {
    if (syncingBars_)
        return;
    s_->firstColumn = GridColumnAtPosition(*s_, value);
    Changed();
}

void GridWidget::ScrollRows(int delta) {
    int first = std::clamp(s_->firstRow + delta, 1, GridMaxFirstRow(*s_, ClientHeight()));
    if (first == s_->firstRow)
        return;
    s_->firstRow = first;
    Changed();
}
