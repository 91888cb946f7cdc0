#include "app/typing_limit.h"

#include <QLineEdit>
#include <QString>

#include <algorithm>

void LimitTyping(QLineEdit* edit, int limit) {
    edit->setMaxLength(limit);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, limit] {
        edit->setMaxLength(std::max(limit, static_cast<int>(edit->text().size())));
    });
}

void SetStoredText(QLineEdit* edit, const QString& text, int limit) {
    edit->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    edit->setText(text);
}
