#include "app/value_dialog_frame.h"

#include "app/typing_limit.h"
#include "app/value_dialog_math.h"
#include "editors/latin1_text.h"
#include "model/settings_store.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

ValueStepDialog::ValueStepDialog(QWidget* owner, const QString& title, int editLimit,
                                 const ValueDialogIds& ids, Rule rule, const char* initial)
    : QDialog(owner), rule_(std::move(rule)) {
    setWindowTitle(title);
    const QString text = FromStoreText(initial);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(ids.edit);
    LimitTyping(edit_, editLimit);
    SetStoredText(edit_, text, editLimit);
    edit_->installEventFilter(this);
    edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);

    auto* arrows = new QWidget(this);
    auto* up = new QToolButton(arrows);
    up->setObjectName(QString::fromLatin1(ids.arrows) + QStringLiteral("-up"));
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(arrows);
    down->setObjectName(QString::fromLatin1(ids.arrows) + QStringLiteral("-down"));
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {up, down}) {
        arrow->setFocusPolicy(Qt::NoFocus); // the keys step from the edit
        arrow->setAutoRepeat(true);
        arrow->setFixedHeight(edit_->sizeHint().height() / 2 + 1);
    }
    auto* arrowLayout = new QVBoxLayout(arrows);
    arrowLayout->setContentsMargins(0, 0, 0, 0);
    arrowLayout->setSpacing(0);
    arrowLayout->addWidget(up);
    arrowLayout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down, &QToolButton::clicked, this, [this] { Step(-1); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(ids.ok);
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(ids.cancel);
    connect(ok, &QPushButton::clicked, this, &ValueStepDialog::Confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(edit_, 1);
    row->addWidget(arrows);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    edit_->setFocus();
    edit_->selectAll();
}

std::string ValueStepDialog::EditText() const {
    return ToStoreText(edit_->text().left(kValueDialogReadLimit));
}

void ValueStepDialog::Step(int direction) {
    edit_->setText(FromStoreText(rule_(EditText(), direction).c_str()));
}

void ValueStepDialog::Confirm() {
    result_ = rule_(EditText(), 0);
    accept();
}

bool ValueStepDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int RunValueStepDialog(ValueStepDialog& dialog, char* value) {
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    if (value)
        std::snprintf(value, kSettingValueSize, "%s", dialog.Result().c_str());
    return 1;
}
