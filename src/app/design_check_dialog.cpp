#include "app/design_check_dialog.h"

#include "app/app_state.h"
#include "check/design_check.h"
#include "editors/latin1_text.h"
#include "model/settings_store.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <memory>

namespace {

QString SettingOrNa(const char* name) {
    const char* value = SettingGet(name);
    return value ? FromStoreText(value) : QString("N/A");
}

} // namespace

DesignCheckDialog::DesignCheckDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("1700");
    setWindowTitle("Design check");

    auto* box = new QGroupBox("Site file check results", this);
    report_ = new QPlainTextEdit(box);
    report_->setObjectName("1701");
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setMinimumSize(560, 300);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(report_);

    quiescent_ = new QLabel(this);
    quiescent_->setObjectName("1702");
    alarm_ = new QLabel(this);
    alarm_->setObjectName("1703");
    auto* currents = new QFormLayout;
    currents->addRow("Quiescent Current", quiescent_);
    currents->addRow("Alarm Current", alarm_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName("1");
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(currents);
    layout->addWidget(buttons);

    auto buffer = std::make_unique<char[]>(kDesignReportSize);
    const int count = CheckDesign(buffer.get());
    App().designErrorCount = uint32_t(count);
    if (count != 0) {
        QString text = FromStoreText(buffer.get());
        text.replace("\r\n", "\n");
        report_->setPlainText(text);
    } else {
        report_->setPlainText("No Site File Errors");
    }
    quiescent_->setText(SettingOrNa("QuiescentCurrent"));
    alarm_->setText(SettingOrNa("AlarmCurrent"));
}

QString DesignCheckDialog::Report() const {
    return report_->toPlainText();
}
QString DesignCheckDialog::QuiescentText() const {
    return quiescent_->text();
}
QString DesignCheckDialog::AlarmText() const {
    return alarm_->text();
}

void DesignCheckDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred over the owner, kept on its screen.
    QWidget* owner = parentWidget();
    QRect area = owner ? owner->frameGeometry() : QRect();
    QScreen* screen = owner ? owner->screen() : this->screen();
    if (!owner && screen)
        area = screen->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    if (screen) {
        const QRect avail = screen->availableGeometry();
        frame.moveLeft(
            std::max(avail.left(), std::min(frame.left(), avail.right() - frame.width() + 1)));
        frame.moveTop(
            std::max(avail.top(), std::min(frame.top(), avail.bottom() - frame.height() + 1)));
    }
    move(frame.topLeft());
}
