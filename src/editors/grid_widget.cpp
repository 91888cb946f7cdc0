// Creation, destruction, the title, fonts, focus and the window-level events
// of the grid.

#include "editors/grid_widget.h"

#include "editors/grid_cell_store.h"
#include "editors/grid_fonts.h"
#include "editors/grid_geometry.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>

GridWidget* GridWidget::Create(QWidget* parent, int controlId, const char* name) {
    GridState* state = GridSlotAcquire(controlId);
    if (!state)
        return nullptr;
    auto* grid = new GridWidget(parent, state);
    grid->SetTitle(name ? name : "");
    return grid;
}

GridWidget::GridWidget(QWidget* parent, GridState* state) : QWidget(parent), s_(state) {
    s_->window = this;
    const GridSharedFonts& fonts = GridFontsAcquire();
    cellFont_ = fonts.cell;
    headingFont_ = fonts.heading;
    titleFont_ = fonts.title;

    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    vbar_ = new QScrollBar(Qt::Vertical, this);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar* bar : {vbar_, hbar_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
    }
    connect(vbar_, &QScrollBar::valueChanged, this, &GridWidget::OnVerticalScroll);
    connect(hbar_, &QScrollBar::valueChanged, this, &GridWidget::OnHorizontalScroll);
    scrollTimer_.setInterval(100);
    connect(&scrollTimer_, &QTimer::timeout, this, &GridWidget::OnScrollTimer);
}

GridWidget::~GridWidget() {
    scrollTimer_.stop();
    GridSlotRelease(s_);
    GridFontsRelease();
}

void RegisterGridClass() {
    GridSlotsReset();
}

GridWidget* FindGrid(int controlId) {
    GridState* state = GridSlotFind(controlId);
    return state ? static_cast<GridWidget*>(state->window) : nullptr;
}

int GridWidget::ClientWidth() const {
    return std::max(0, width() - (vShown_ ? vbar_->sizeHint().width() : 0));
}

int GridWidget::ClientHeight() const {
    return std::max(0, height() - (hShown_ ? hbar_->sizeHint().height() : 0));
}

void GridWidget::SetTitle(const char* title) {
    std::string text = title ? title : "";
    if (text.size() > size_t(kGridTitleMax))
        text = "Title too long (300 chars max)";
    s_->title = text;
    if (text.empty()) {
        s_->titleHeight = 0;
    } else {
        int lines = 1 + int(std::count(text.begin(), text.end(), '\n'));
        s_->titleHeight = int(lines * QFontMetrics(titleFont_).height() * 1.2);
    }
    // The first title sets the grid's one own size: the parent's width, and the
    // height of its rows and a horizontal scroll bar within the parent.
    if (!sized_) {
        sized_ = true;
        if (QWidget* parent = parentWidget()) {
            int wanted = GridContentHeight(*s_) + hbar_->sizeHint().height();
            resize(parent->width(), std::min(wanted, parent->height()));
        }
    }
    BringCursorIntoView();
    Changed();
}

void GridWidget::SetCellFont(const QFont& font) {
    cellFont_ = font;
    if (!headingFontSet_)
        headingFont_ = font;
    if (!titleFontSet_)
        titleFont_ = font;
    Changed();
}

bool GridWidget::Notify(int code, uint32_t param) {
    QPointer<GridWidget> self(this);
    emit Notification(s_->controlId, code, param);
    return !self.isNull();
}

bool GridWidget::event(QEvent* event) {
    // Tab hands the focus to the parent instead of walking the focus chain.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (QWidget* parent = parentWidget())
                parent->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::event(event);
}

void GridWidget::resizeEvent(QResizeEvent*) {
    UpdateScrollBars();
    update();
}

void GridWidget::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
        s_->textColour = isEnabled() ? GridRgb(0, 0, 0) : GridRgb(120, 120, 120);
        update();
        break;
    case QEvent::WindowTitleChange:
        SetTitle(windowTitle().toLatin1().constData());
        break;
    case QEvent::FontChange:
        // Only a font set on the grid itself, not one inherited from its parent.
        if (testAttribute(Qt::WA_SetFont))
            SetCellFont(font());
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void GridWidget::focusInEvent(QFocusEvent*) {
    s_->hasFocus = true;
    ReadCurrentLock();
    BringCursorIntoView();
    if (!Notify(GN_GOTFOCUS, 0))
        return;
    frameHidden_ = false;
    Changed();
}

void GridWidget::focusOutEvent(QFocusEvent*) {
    s_->hasFocus = false;
    if (!Notify(GN_LOSTFOCUS, 0))
        return;
    Changed();
}

void GridWidget::ReadCurrentLock() {
    s_->currentLocked = GridCellLocked(&s_->store, s_->cursorRow, s_->cursorColumn);
}
