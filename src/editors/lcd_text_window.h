#pragma once
// The "Edit text" window: one display text edited as the panel's two-line,
// 20-character display will show it. Its owner is disabled while it is open;
// however it closes (Enter or the close box; there is no cancel) it hands the
// text back once, as the text editor's code GN_TEXTEDITED, then enables and
// activates the owner again.

#include "editors/lcd_screen.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

constexpr int kTextEditorControlId = 601;
constexpr int GN_TEXTEDITED = 29;

class LcdTextWindow : public QWidget {
    Q_OBJECT

  public:
    // The result: command packs the control ID (low 16 bits) and the code
    // (high 16 bits); text is the edited 20-character line.
    using ResultHandler = std::function<void(quint32 command, const std::string& text)>;

    ~LcdTextWindow() override;

    const LcdScreen& Screen() const { return screen_; }
    QImage Frame() const { return frame_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    friend LcdTextWindow* OpenTextWindow(QWidget*, const std::string&, const std::string&,
                                         ResultHandler);
    LcdTextWindow(QWidget* owner, const std::string& title, const std::string& text,
                  ResultHandler onResult);
    void Refresh();
    void Finish();

    LcdScreen screen_;
    QImage frame_;
    QTimer blinkTimer_;
    QPointer<QWidget> owner_;
    ResultHandler onResult_;
    bool finished_ = false;
};

// Opens the window, centred on the screen, and disables the owner. Only one
// exists at a time: nullptr while another is open.
LcdTextWindow* OpenTextWindow(QWidget* owner, const std::string& title, const std::string& text,
                              LcdTextWindow::ResultHandler onResult);

// The open window, or nullptr.
LcdTextWindow* CurrentTextWindow();
