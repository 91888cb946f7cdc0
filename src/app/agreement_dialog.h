#pragma once
// The user agreement shown before anything else: Accept goes on, Decline,
// Esc or closing the dialog ends the program.

#include <QDialog>

class QPushButton;

class AgreementDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AgreementDialog(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QPushButton* accept_ = nullptr;
};

// The agreement text of the program.
QString AgreementText();
