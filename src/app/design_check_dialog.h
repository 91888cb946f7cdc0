#pragma once
// The "Design check" dialog: the checker's report and the two loop currents.
// The check runs when the dialog is made.

#include <QDialog>

class QLabel;
class QPlainTextEdit;

class DesignCheckDialog : public QDialog {
    Q_OBJECT

  public:
    explicit DesignCheckDialog(QWidget* owner);

    QString Report() const;
    QString QuiescentText() const;
    QString AlarmText() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QPlainTextEdit* report_ = nullptr;
    QLabel* quiescent_ = nullptr;
    QLabel* alarm_ = nullptr;
};
