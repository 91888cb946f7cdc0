#include "app/site_info_dialog.h"

#include "app/typing_limit.h"
#include "app/ui_service.h"
#include "editors/latin1_text.h"
#include "link/link_ui.h"
#include "model/number_text.h"
#include "model/settings_store.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <cmath>
#include <iterator>

namespace {

struct Field {
    int id;
    const char* label;
    const char* setting;
    // What the panel keeps: its field size less the terminating NUL, so a
    // Get brings back exactly what was typed.
    int limit;
    bool digitsOnly;
    bool multiLine; // Enter starts a new line
};

// In the order OK writes them.
constexpr Field kFields[] = {
    {1117, "Site number", "SiteNumber", 6, true, false},
    {1101, "Site name", "SiteName", 31, false, false},
    {1102, "Site contact", "SiteContact", 31, false, false},
    {1103, "Site address", "SiteAddress", 63, false, true},
    {1104, "Post code", "SitePostcode", 7, false, false},
    {1105, "Telephone number", "SitePhone", 15, true, false},
    {1106, "Comments", "SiteComments", 255, false, true},
    {1109, "Engineers name", "SiteEngineer", 15, false, false},
    {1110, "Commissioning date DD/MM/YY", "SiteCommission", 15, false, false},
    {1111, "Loop resistance (Ohms)", "SiteResistance", 7, false, false},
    {1112, "Loop quiescent current (Amps)", "SiteQuiescent", 7, false, false},
    {1113, "Loop alarm current (Amps)", "SiteAlarm", 7, false, false},
    {1114, "Battery manufacturer", "SiteBattery", 7, false, false},
    {1115, "Battery type and Ah capacity", "SiteBatteryType", 7, false, false},
    {1116, "Battery installation date DD/MM/YY", "SiteBatteryInstallation", 15, false, false},
};

constexpr double kMaxLoopResistance = 16.0;
// The smallest double above 0.6, so that "0.6" itself passes.
const double kMaxAlarmCurrent = std::nextafter(0.6, 1.0);

QString IdName(int id) {
    return QString::number(id);
}

QString FromStoredLines(const char* text) {
    return FromStoreText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string ToStoredLines(const QString& text) {
    return ToStoreText(QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}

// A multi-line field refuses an edit that makes it longer than the limit;
// a longer text from a file is shown whole and may only get shorter.
void LimitLines(QPlainTextEdit* edit, int limit) {
    auto accepted = std::make_shared<QString>(edit->toPlainText());
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, limit, accepted] {
        const QString text = edit->toPlainText();
        if (StoredLength(text) <= limit || StoredLength(text) <= StoredLength(*accepted)) {
            *accepted = text;
            return;
        }
        const int position = edit->textCursor().position();
        const QSignalBlocker quiet(edit);
        edit->setPlainText(*accepted);
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(std::min<int>(position, static_cast<int>(accepted->size())));
        edit->setTextCursor(cursor);
    });
}

} // namespace

int StoredLength(const QString& text) {
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')));
}

SiteInfoDialog::SiteInfoDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Site information"));
    auto* form = new QFormLayout;
    for (const Field& f : kFields) {
        const char* value = SettingGet(f.setting);
        QWidget* widget;
        if (f.multiLine) {
            auto* edit = new QPlainTextEdit(FromStoredLines(value), this);
            edit->setTabChangesFocus(true);
            edit->setFixedHeight(edit->fontMetrics().lineSpacing() * (f.limit > 100 ? 5 : 3) + 12);
            LimitLines(edit, f.limit);
            widget = edit;
        } else {
            auto* edit = new QLineEdit(this);
            // A longer value from a file is shown and kept; typing never
            // makes a text longer than the panel keeps.
            LimitTyping(edit, f.limit);
            SetStoredText(edit, FromStoreText(value), f.limit);
            if (f.digitsOnly)
                edit->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(QStringLiteral("[0-9]*")), edit));
            widget = edit;
        }
        widget->setObjectName(IdName(f.id));
        widget->setMinimumWidth(fontMetrics().averageCharWidth() * std::min(f.limit + 2, 34));
        form->addRow(QString::fromLatin1(f.label), widget);
    }
    auto* version = new QLabel(FromStoreText(SettingGet("FirmwareVersion")), this);
    version->setObjectName(IdName(1118));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Panel software version"), version);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(IdName(1107));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(IdName(1108));
    connect(ok, &QPushButton::clicked, this, &SiteInfoDialog::Confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// Each value is written as it is read, before the checks after it: a refused
// measurement leaves what came before it in the store.
void SiteInfoDialog::Confirm() {
    for (const Field& f : kFields) {
        QWidget* widget = findChild<QWidget*>(IdName(f.id));
        std::string text;
        if (auto* lines = qobject_cast<QPlainTextEdit*>(widget))
            text = ToStoredLines(lines->toPlainText());
        else
            text = ToStoreText(static_cast<QLineEdit*>(widget)->text());
        const char* stored = SettingPut(f.setting, text.c_str());
        const double measured = ParseDecimalFraction(stored ? stored : text.c_str());
        if (f.id == 1111 && measured > kMaxLoopResistance) {
            Ui().Message(this, "Loop resistance must be 16 Ohms or less", kErrorCaption,
                         MessageIcon::kStop);
            widget->setFocus();
            return;
        }
        if (f.id == 1113 && measured > kMaxAlarmCurrent) {
            Ui().Message(this, "Loop alarm current must be 0.6A or less", kErrorCaption,
                         MessageIcon::kStop);
            widget->setFocus();
            return;
        }
    }
    accept();
}

void RunSiteInfoDialog(QWidget* owner) {
    SiteInfoDialog dialog(owner);
    dialog.exec();
}
