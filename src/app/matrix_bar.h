#pragma once
// The matrix editor's bar under its grid: the two whole-matrix presets and
// the conventional alarm output group (1 to 32) with its arrows. A plain
// child widget, so that Esc cannot hide it; it goes with the editor.
// Tab and Shift+Tab walk round the grid and the bar's controls.

#include <QPointer>
#include <QWidget>

class GridWidget;
class QLineEdit;

class MatrixBar : public QWidget {
    Q_OBJECT

  public:
    MatrixBar(QWidget* parent, GridWidget* grid);

    // One arrow press: +1 up, -1 down.
    void StepGroup(int change);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void ShowGroup();
    void Preset(void (*preset)());

    // The focus ring: the grid, then the bar's controls in order.
    QList<QWidget*> FocusRing() const;

    QPointer<GridWidget> grid_;
    QList<QWidget*> controls_;
    QLineEdit* group_ = nullptr;
};

// The conventional alarm output group after an arrow press on the shown text.
int NextConvAlarmGroup(const char* shown, int change);
