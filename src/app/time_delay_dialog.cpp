// The time delay dialog and its arithmetic.

#include "app/time_delay_dialog.h"

#include "app/typing_limit.h"
#include "app/value_dialog_math.h"
#include "editors/latin1_text.h"
#include "model/number_text.h"
#include "model/settings_store.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kEditLimit = 5;

// Seconds of "m:ss"; false for a text without a colon. Minutes and seconds
// are read as the settings' numbers are, so "-1:00" is -60.
bool ParseDelay(const std::string& text, int64_t* seconds) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos)
        return false;
    const int32_t minutes = int32_t(ParseUnsigned(text.substr(0, colon).c_str()));
    const int32_t rest = int32_t(ParseUnsigned(text.c_str() + colon + 1));
    *seconds = int64_t(minutes) * 60 + rest;
    return true;
}

std::string FormatDelay(int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", int(seconds / 60), int(seconds % 60));
    return text;
}

int64_t RoundDown(int64_t seconds, int step) {
    return step > 0 ? seconds - seconds % step : seconds; // seconds >= 0 here
}

class TimeDelayDialog : public QDialog {
  public:
    TimeDelayDialog(QWidget* owner, const ValueDialogParams& params)
        : QDialog(owner), maximum_(params.maximum), step_(params.step) {
        setObjectName("1005");
        setWindowTitle(FromStoreText(params.title.c_str()));
        edit_ = new QLineEdit(this);
        edit_->setObjectName("1008");
        // A longer stored value is shown whole and read as far as the dialog
        // reads, not cut to the limit first.
        LimitTyping(edit_, kEditLimit);
        SetStoredText(edit_, FromStoreText(params.value), kEditLimit);
        edit_->installEventFilter(this);
        auto* up = new QToolButton(this);
        up->setObjectName("1009-up");
        up->setArrowType(Qt::UpArrow);
        up->setAutoRepeat(true);
        auto* down = new QToolButton(this);
        down->setObjectName("1009-down");
        down->setArrowType(Qt::DownArrow);
        down->setAutoRepeat(true);
        auto* none = new QPushButton("No delay", this);
        none->setObjectName("1010");
        none->setAutoDefault(false);
        auto* ok = new QPushButton("OK", this);
        ok->setObjectName("1006");
        ok->setDefault(true);
        auto* cancel = new QPushButton("Cancel", this);
        cancel->setObjectName("1007");
        cancel->setAutoDefault(false);

        auto* arrows = new QVBoxLayout;
        arrows->setSpacing(0);
        arrows->addWidget(up);
        arrows->addWidget(down);
        auto* value = new QHBoxLayout;
        value->addWidget(edit_);
        value->addLayout(arrows);
        value->addWidget(none);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(value);
        layout->addLayout(buttons);

        connect(up, &QToolButton::clicked, this, [this] { Step(1); });
        connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
        connect(none, &QPushButton::clicked, this, [this] { edit_->setText("0:00"); });
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }

    std::string Text() const { return ToStoreText(edit_->text().left(kValueDialogReadLimit)); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit_ && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                Step(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
        return QDialog::eventFilter(watched, event);
    }

  private:
    void Step(int direction) {
        edit_->setText(FromStoreText(TimeDelayStep(Text(), direction, maximum_, step_).c_str()));
    }

    QLineEdit* edit_;
    int maximum_, step_;
};

} // namespace

std::string TimeDelayStep(const std::string& text, int direction, int maximum, int step) {
    int64_t t;
    if (!ParseDelay(text, &t))
        return text;
    if (direction > 0 && t < maximum)
        t += step;
    else if (direction < 0)
        t -= step;
    return FormatDelay(RoundDown(std::max<int64_t>(t, 0), step));
}

std::string TimeDelayAccept(const std::string& text, int maximum, int step) {
    int64_t t;
    if (!ParseDelay(text, &t))
        return text;
    return FormatDelay(RoundDown(std::clamp<int64_t>(t, 0, std::max(maximum, 0)), step));
}

int RunTimeDelayDialog(QWidget* owner, ValueDialogParams& params) {
    TimeDelayDialog dialog(owner, params);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    const std::string result = TimeDelayAccept(dialog.Text(), params.maximum, params.step);
    if (params.value)
        std::snprintf(params.value, kSettingValueSize, "%s", result.c_str());
    return 1;
}
