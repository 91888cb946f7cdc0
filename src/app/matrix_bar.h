#pragma once
// The matrix editor's bar under its grid: the two whole-matrix presets and
// the conventional alarm output group (1 to 32) with its arrows. A plain
// child widget, so that Esc cannot hide it; it goes with the editor.

#include <QWidget>

class QLineEdit;

class MatrixBar : public QWidget {
    Q_OBJECT

  public:
    explicit MatrixBar(QWidget* parent);

    // One arrow press: +1 up, -1 down.
    void StepGroup(int change);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowGroup();
    void Preset(void (*preset)());

    QLineEdit* group_ = nullptr;
};

// The conventional alarm output group after an arrow press on the shown text.
int NextConvAlarmGroup(const char* shown, int change);
