#pragma once
// The progress window of a panel job (dialog 1200): caption "Progress...",
// a bar from 0 to 100 and a "Cancel" button that does nothing. A running
// transfer cannot be stopped half-way, so nothing but the job closes it: not
// the button, Esc, Enter or the window manager's close.
//
// One is open at a time; the process remembers it from its creation (before
// the job's thread starts) until the job closes it, so a job that ends before
// the window has appeared still leaves no window open.

#include <QDialog>

#include <string>

class QProgressBar;

class ProgressWindow : public QDialog {
    Q_OBJECT
  public:
    // Owned (and centred over) the window that started the job.
    explicit ProgressWindow(QWidget* owner);
    ~ProgressWindow() override;

    // Shows the window modally until the job closes it; returns at once when
    // the job has closed it already.
    void Run();
    bool Closed() const { return closed_; }

    // The window a job's progress goes to, or nullptr.
    static ProgressWindow* Current();

    void SetPosition(int percent);
    void CloseForJob();

  protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QProgressBar* bar_ = nullptr;
    bool closed_ = false;
};

// What a job does to the current progress window (GUI thread only; the
// desktop's JobUi brings the job's calls here). No window: nothing.
// percent < 0 closes it; 0..100 moves the bar; above 100 does nothing.
void SetProgress(int percent);
void SetProgressTitle(const std::string& title);

// Centres the window over its owner (or the screen when it has none), kept
// inside the screen.
void CentreOverOwner(QWidget* window);

// A dialog-unit rectangle in pixels, from the widget's font as dialog
// templates measure it (x: average character width / 4, y: height / 8).
QRect DialogUnitRect(const QWidget* widget, int x, int y, int width, int height);
