#include "editors/lcd_text_window.h"

#include "editors/grid_types.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <cstring>

namespace {

QPointer<LcdTextWindow> g_window;

// 256 greys with the two entries that are drawn replaced: the display's blue
// background and its white characters.
QList<QRgb> LcdColourTable() {
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(i, i, i);
    table[LcdScreen::kBackground] = qRgb(0, 0, 255);
    table[LcdScreen::kInk] = qRgb(255, 255, 255);
    return table;
}

} // namespace

LcdTextWindow::LcdTextWindow(QWidget* owner, const std::string& title, const std::string& text,
                             ResultHandler onResult)
    // No Qt parent: a disabled parent would disable this window too. The
    // owner is the window manager's transient parent instead.
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      screen_(title, text), frame_(LcdScreen::kWidth, LcdScreen::kHeight, QImage::Format_Indexed8),
      owner_(owner), onResult_(std::move(onResult)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Edit text"));
    setFixedSize(LcdScreen::kWidth, LcdScreen::kHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    frame_.setColorTable(LcdColourTable());
    Refresh();
    blinkTimer_.setInterval(1000);
    connect(&blinkTimer_, &QTimer::timeout, this, [this] {
        screen_.Tick();
        Refresh();
    });
    blinkTimer_.start();
}

LcdTextWindow::~LcdTextWindow() {
    Finish();
}

void LcdTextWindow::Refresh() {
    for (int y = 0; y < LcdScreen::kHeight; ++y)
        std::memcpy(frame_.scanLine(y), screen_.Pixels() + y * LcdScreen::kWidth,
                    LcdScreen::kWidth);
    update();
}

void LcdTextWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, frame_);
}

void LcdTextWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        close();
        return;
    case Qt::Key_Backspace:
        screen_.Backspace();
        Refresh();
        return;
    case Qt::Key_Left:
        screen_.Left();
        Refresh();
        return;
    case Qt::Key_Right:
        screen_.Right();
        Refresh();
        return;
    case Qt::Key_Escape:
        return; // no cancel: only Enter and the close box end the edit
    default:
        break;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && screen_.Type(typed.at(0).unicode())) {
        Refresh();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LcdTextWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    Finish();
}

// Once, however the window goes: the timer stops, the owner hears the text
// and gets its input back.
void LcdTextWindow::Finish() {
    if (finished_)
        return;
    finished_ = true;
    blinkTimer_.stop();
    const std::string text = screen_.Text(); // a copy: the window goes away
    ResultHandler onResult = std::move(onResult_);
    if (g_window == this)
        g_window = nullptr; // another may open while this one is being deleted
    if (onResult)
        onResult(GridPack(kTextEditorControlId, GN_TEXTEDITED), text);
    if (owner_) {
        owner_->setEnabled(true);
        owner_->activateWindow();
    }
}

LcdTextWindow* OpenTextWindow(QWidget* owner, const std::string& title, const std::string& text,
                              LcdTextWindow::ResultHandler onResult) {
    if (g_window)
        return nullptr;
    auto* window = new LcdTextWindow(owner, title, text, std::move(onResult));
    g_window = window;
    if (owner && owner->window()->windowHandle()) {
        window->winId(); // creates the native window so it can name its owner
        window->windowHandle()->setTransientParent(owner->window()->windowHandle());
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->geometry().center() - window->rect().center());
    window->show();
    window->raise();
    window->activateWindow();
    window->setFocus();
    if (owner)
        owner->setEnabled(false);
    return window;
}

LcdTextWindow* CurrentTextWindow() {
    return g_window;
}
