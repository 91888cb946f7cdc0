#include "app/progress_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {

QPointer<ProgressWindow> g_current;

} // namespace

QRect DialogUnitRect(const QWidget* widget, int x, int y, int width, int height) {
    // The average width of the letters, rounded as dialog templates do.
    const QFontMetrics fm(widget->font());
    const int baseX =
        (fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
    const int baseY = fm.height();
    return QRect(x * baseX / 4, y * baseY / 8, width * baseX / 4, height * baseY / 8);
}

ProgressWindow::ProgressWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("1200");
    setWindowTitle("Progress...");
    setModal(true);
    bar_ = new QProgressBar(this);
    bar_->setObjectName("1201");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setGeometry(DialogUnitRect(this, 6, 6, 363, 33));
    // Shown as the panel's own window shows it, connected to nothing.
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("1202");
    cancel->setAutoDefault(false);
    cancel->setGeometry(DialogUnitRect(this, 162, 42, 45, 15));
    setFixedSize(DialogUnitRect(this, 0, 0, 375, 60).size());
    CentreOverOwner(this);
    g_current = this;
}

ProgressWindow::~ProgressWindow() {
    if (g_current == this)
        g_current = nullptr;
}

ProgressWindow* ProgressWindow::Current() {
    return g_current.data();
}

void ProgressWindow::Run() {
    if (!closed_)
        exec();
}

void ProgressWindow::SetPosition(int percent) {
    bar_->setValue(percent);
}

void ProgressWindow::CloseForJob() {
    if (g_current == this)
        g_current = nullptr;
    closed_ = true;
    // Before Run this only marks it: Run then returns at once.
    if (isVisible())
        done(0);
}

void ProgressWindow::reject() {
    // Esc and every other way of cancelling: the transfer goes on.
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (closed_)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    // No key does anything here (QDialog would take Enter and Esc).
    event->accept();
}

void SetProgress(int percent) {
    ProgressWindow* window = ProgressWindow::Current();
    if (!window)
        return;
    if (percent < 0)
        window->CloseForJob();
    else if (percent <= 100)
        window->SetPosition(percent);
}

void SetProgressTitle(const std::string& title) {
    if (ProgressWindow* window = ProgressWindow::Current())
        window->setWindowTitle(QString::fromLatin1(title.c_str()));
}

void CentreOverOwner(QWidget* window) {
    QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    QScreen* screen = owner ? owner->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect();
    const QRect reference = owner ? owner->frameGeometry() : area;
    const QSize size = window->frameGeometry().size();
    int x = reference.left() + (reference.width() - size.width()) / 2;
    int y = reference.top() + (reference.height() - size.height()) / 2;
    if (x + size.width() > area.right() + 1)
        x = area.right() + 1 - size.width();
    if (y + size.height() > area.bottom() + 1)
        y = area.bottom() + 1 - size.height();
    x = std::max(x, area.left());
    y = std::max(y, area.top());
    window->move(x, y);
}
