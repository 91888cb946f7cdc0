#include "app/client_area.h"

#include "app/app_resources.h"
#include "app/app_state.h"

#include <QPainter>
#include <QResizeEvent>

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    InitAppResources();
    background_.load(":/app/background.png");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int width = this->width(), height = this->height();
    // Stretched without smoothing, whatever the window's shape.
    p.drawPixmap(QRect(0, 0, width, height), background_);
    if (App().designErrorCount == 0)
        return;
    const QColor red(255, 50, 50);
    QFontMetrics metrics(font());
    const int w = metrics.horizontalAdvance(kBannerText), h = metrics.height();
    const int cx = width / 2, cy = height / 2;
    p.setPen(Qt::black);
    p.setBrush(red);
    // Corner ellipses of 10 x 10.
    p.drawRoundedRect(
        QRect(QPoint(cx - w / 2 - 10, cy - h), QPoint(cx + w / 2 + 10, cy + h) - QPoint(1, 1)), 5,
        5);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(red);
    p.drawText(QRect(cx - w / 2, cy - h / 2, w, h),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, kBannerText);
}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resized();
}
