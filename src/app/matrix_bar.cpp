// The matrix editor's bar.

#include "app/matrix_bar.h"

#include "app/app_state.h"
#include "editors/grid_widget.h"
#include "editors/latin1_text.h"
#include "editors/matrix_editor.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

constexpr char kGroupSetting[] = "ConvAlarmOpGroup";

// The bar's size is given in dialog units of the dialog font.
QSize DialogUnits(const QWidget* widget, int x, int y) {
    const QFontMetrics metrics(widget->font());
    return QSize(x * metrics.averageCharWidth() / 4, y * metrics.height() / 8);
}

} // namespace

int NextConvAlarmGroup(const char* shown, int change) {
    const int64_t v = int64_t(int32_t(ParseUnsigned(shown ? shown : ""))) + change;
    return int(std::clamp<int64_t>(v, 1, kGroups));
}

MatrixBar::MatrixBar(QWidget* parent, GridWidget* grid) : QWidget(parent), grid_(grid) {
    setObjectName("1500");
    auto* off = new QPushButton("Matrix OFF", this);
    off->setObjectName("1504");
    auto* cont = new QPushButton("Matrix CONT", this);
    cont->setObjectName("1505");
    auto* label = new QLabel("Conventional alarm O/P Group", this);
    group_ = new QLineEdit(this);
    group_->setObjectName("1506");
    group_->setReadOnly(true);
    group_->setAlignment(Qt::AlignCenter);
    group_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), group_));
    group_->setMaximumWidth(DialogUnits(this, 30, 0).width());
    group_->installEventFilter(this);
    auto* up = new QToolButton(this);
    up->setObjectName("1507-up");
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(this);
    down->setObjectName("1507-down");
    down->setArrowType(Qt::DownArrow);
    for (QPushButton* button : {off, cont})
        button->setAutoDefault(true); // Enter presses it, as in a dialog
    for (QToolButton* arrow : {up, down}) {
        arrow->setFocusPolicy(Qt::NoFocus); // Up and Down on the edit step instead
        arrow->setAutoRepeat(true);
        arrow->setFixedHeight(DialogUnits(this, 0, 12).height() / 2 + 2);
    }

    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(off);
    layout->addWidget(cont);
    layout->addSpacing(12);
    layout->addWidget(label);
    layout->addWidget(group_);
    layout->setSpacing(4);
    layout->addLayout(arrows);
    layout->addStretch();

    connect(off, &QPushButton::clicked, this, [this] { Preset(MatrixPresetOff); });
    connect(cont, &QPushButton::clicked, this, [this] { Preset(MatrixPresetContinuous); });
    connect(up, &QToolButton::clicked, this, [this] { StepGroup(1); });
    connect(down, &QToolButton::clicked, this, [this] { StepGroup(-1); });

    controls_ = {off, cont, group_};
    // The grid hands Tab to its parent; with the bar open it comes here.
    if (grid_)
        grid_->installEventFilter(this);

    // A dialog's face, not the main window's picture behind it.
    setAutoFillBackground(true);
    // The bar's dialog units, or wider where this font needs the room.
    resize(DialogUnits(this, 282, 24).expandedTo(sizeHint()));
    ShowGroup();
}

void MatrixBar::ShowGroup() {
    const char* value = SettingGet(kGroupSetting);
    group_->setText(FromStoreText(value));
}

void MatrixBar::StepGroup(int change) {
    const int v = NextConvAlarmGroup(ToStoreText(group_->text()).c_str(), change);
    if (SettingSet(kGroupSetting, ""))
        SettingPut(kGroupSetting, std::to_string(v).c_str());
    ShowGroup();
}

void MatrixBar::Preset(void (*preset)()) {
    preset();
    if (App().currentKind == EditorKind::kMatrix && App().currentEditor)
        MatrixRefresh(App().currentEditor);
}

bool MatrixBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if (watched == group_ && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        StepGroup(key == Qt::Key_Up ? 1 : -1);
        return true;
    }
    if (watched == grid_ && (key == Qt::Key_Tab || key == Qt::Key_Backtab) &&
        !(keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const bool next = key == Qt::Key_Tab && !(keyEvent->modifiers() & Qt::ShiftModifier);
        if (next)
            controls_.first()->setFocus(Qt::TabFocusReason);
        else
            controls_.last()->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QList<QWidget*> MatrixBar::FocusRing() const {
    QList<QWidget*> ring;
    if (grid_)
        ring.append(grid_.data());
    for (QWidget* control : controls_)
        if (control->isEnabled() && control->isVisible())
            ring.append(control);
    return ring;
}

bool MatrixBar::focusNextPrevChild(bool next) {
    const QList<QWidget*> ring = FocusRing();
    const int at = ring.indexOf(QApplication::focusWidget());
    if (ring.isEmpty() || at < 0)
        return QWidget::focusNextPrevChild(next);
    const int to = (at + (next ? 1 : ring.size() - 1)) % int(ring.size());
    ring.at(to)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
