// Draws the desktop's pictures (background.png 1280 x 773, icon.png 64 x 64).
// Build and run once by hand:
//   g++ -std=c++20 -fPIC make_app_pictures.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/pics
//   QT_QPA_PLATFORM=offscreen /tmp/pics .

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {

void Background(const QString& path) {
    QImage image(1280, 773, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 773);
    sky.setColorAt(0, QColor(18, 42, 74));
    sky.setColorAt(1, QColor(40, 92, 120));
    p.fillRect(image.rect(), sky);

    // Faint grid, as on a commissioning drawing.
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    for (int x = 0; x < 1280; x += 40)
        p.drawLine(x, 0, x, 773);
    for (int y = 0; y < 773; y += 40)
        p.drawLine(0, y, 1280, y);

    // The loop: a ring of devices around the panel.
    const QPointF centre(640, 400);
    const double rx = 440, ry = 250;
    p.setPen(QPen(QColor(230, 200, 80, 160), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, rx, ry);
    for (int i = 0; i < 24; ++i) {
        const double a = i * 2 * M_PI / 24;
        const QPointF d(centre.x() + rx * std::cos(a), centre.y() + ry * std::sin(a));
        QRadialGradient glow(d, 16);
        glow.setColorAt(0, i % 5 == 0 ? QColor(255, 90, 70) : QColor(250, 250, 240));
        glow.setColorAt(1, QColor(120, 120, 120));
        p.setPen(QPen(QColor(20, 20, 20), 2));
        p.setBrush(glow);
        p.drawEllipse(d, 14, 14);
    }

    // The panel.
    QRectF panel(540, 330, 200, 140);
    p.setPen(QPen(QColor(30, 30, 30), 3));
    p.setBrush(QColor(196, 198, 204));
    p.drawRoundedRect(panel, 10, 10);
    p.setBrush(QColor(40, 60, 200));
    p.drawRect(QRectF(560, 350, 160, 40));
    p.setPen(QColor(255, 255, 255));
    QFont mono("DejaVu Sans Mono", 11);
    p.setFont(mono);
    p.drawText(QRectF(560, 350, 160, 20), Qt::AlignCenter, "  SYSTEM NORMAL");
    p.drawText(QRectF(560, 370, 160, 20), Qt::AlignCenter, "   M720  PANEL");
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i == 0 ? QColor(80, 220, 80) : QColor(250, 210, 60));
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.drawEllipse(QPointF(580 + i * 40, 430), 9, 9);
    }

    QFont title("DejaVu Sans", 30, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(255, 255, 255, 220));
    p.drawText(QRectF(0, 40, 1280, 60), Qt::AlignCenter, "M720 Commissioning software");
    p.end();
    image.save(path);
}

void Icon(const QString& path) {
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 10, 10), 3));
    p.setBrush(QColor(210, 40, 40));
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 10, 10);
    p.setPen(Qt::white);
    QFont font("DejaVu Sans", 26, QFont::Bold);
    p.setFont(font);
    p.drawText(QRectF(4, 4, 56, 56), Qt::AlignCenter, "M");
    p.end();
    image.save(path);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : ".";
    Background(dir + "/background.png");
    Icon(dir + "/icon.png");
    return 0;
}
