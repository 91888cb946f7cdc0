#pragma once
// The common body of the seconds, pulse time and time of day dialogs: one
// edit with up and down arrows (the Up and Down keys step too), OK and
// Cancel. What a step or OK makes of the text is the dialog's rule.

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;

// Control numbers of one dialog, used as the widgets' object names.
struct ValueDialogIds {
    const char* ok;
    const char* cancel;
    const char* edit;
    const char* arrows; // the buttons are "<arrows>-up" and "<arrows>-down"
};

class ValueStepDialog : public QDialog {
    Q_OBJECT

  public:
    // direction +1 up, -1 down, 0 OK; the rule gets at most the first six
    // characters of the edit.
    using Rule = std::function<std::string(const std::string& text, int direction)>;

    ValueStepDialog(QWidget* owner, const QString& title, int editLimit, const ValueDialogIds& ids,
                    Rule rule, const char* initial);

    // The text OK settled on.
    const std::string& Result() const { return result_; }
    void Step(int direction);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::string EditText() const;
    void Confirm();

    QLineEdit* edit_ = nullptr;
    Rule rule_;
    std::string result_;
};

// Runs a dialog modally; on OK its result goes into the value field
// (a setting's value, kSettingValueSize bytes) and 1 is returned, else 0.
int RunValueStepDialog(ValueStepDialog& dialog, char* value);
