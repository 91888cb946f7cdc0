#include "app/about_window.h"

#include "app/ui_service.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QRadialGradient>
#include <QScreen>

const char kMakerWebAddress[] = "https://www.m720.example/";

// An empty line, then white text; a blank line before "Visit".
const char kAboutText[] = "\n"
                          "\xFF\xFF\xFF\xFF"
                          "M720 Commissioning software\n"
                          "V2.014\n"
                          "(c) 2026 M720 Fire Systems\n\n"
                          "Visit\n"
                          "\xFE"
                          "www.m720.example\n"
                          "For more information\n";

namespace {

QPointer<AboutWindow> g_open;

constexpr unsigned char kColourCode = 255;
constexpr unsigned char kLinkCode = 254;

QFont AboutFont(bool link) {
    QFont font; // the system's default height
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif, QFont::PreferQuality);
    font.setFixedPitch(false);
    font.setUnderline(link);
    return font;
}

} // namespace

std::vector<AboutLine> AboutLines(const char* text) {
    std::vector<AboutLine> lines;
    AboutLine line;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        if (*p == kColourCode) {
            // The three colour bytes must be there; a cut code ends the text.
            if (!p[1] || !p[2] || !p[3])
                break;
            line.colour = qRgb(p[1], p[2], p[3]);
            line.text.clear();
            line.link = false;
            p += 4;
        } else if (*p == kLinkCode) {
            line.text.clear();
            line.link = true;
            ++p;
        } else if (*p < 32) {
            line.lineEnds = 0;
            while (*p && *p < 32) {
                ++line.lineEnds;
                ++p;
            }
            lines.push_back(line);
            line.text.clear();
            line.link = false;
        } else {
            line.text += static_cast<char>(*p++);
        }
    }
    return lines;
}

QImage AboutBackground() {
    QImage image(320, 193, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 193);
    sky.setColorAt(0, QColor(120, 10, 16));
    sky.setColorAt(1, QColor(24, 4, 8));
    p.fillRect(image.rect(), sky);
    // A glow behind the lines of text, and the rings of a sounder low left.
    QRadialGradient glow(160, 70, 150);
    glow.setColorAt(0, QColor(200, 40, 30, 120));
    glow.setColorAt(1, QColor(200, 40, 30, 0));
    p.fillRect(image.rect(), glow);
    p.setBrush(Qt::NoBrush);
    for (int r = 1; r <= 4; ++r) {
        p.setPen(QPen(QColor(255, 170, 60, 150 - 30 * r), 2));
        p.drawArc(QRectF(-20 - 14 * r, 150 - 14 * r, 40 + 28 * r, 40 + 28 * r), 0, 90 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 170, 60));
    p.drawEllipse(QPointF(0, 170), 14, 14);
    // A loop of devices along the bottom edge.
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawLine(QPointF(40, 182), QPointF(310, 182));
    p.setBrush(QColor(255, 255, 255, 140));
    for (int x = 60; x <= 300; x += 30)
        p.drawEllipse(QPointF(x, 182), 3, 3);
    p.end();
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}

QImage AboutCloseImage() {
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    p.setBrush(QColor(200, 20, 20, 220));
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(16, 16));
    p.drawLine(QPointF(16, 8), QPointF(8, 16));
    p.end();
    return image;
}

QImage AboutCursorImage() {
    // A pointing arrow on a magenta ground; the ground is the transparent colour.
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter p(&image);
    const QPointF arrow[] = {{0, 0}, {0, 17}, {4, 13}, {7, 20}, {10, 19}, {7, 12}, {12, 12}};
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow, 7);
    p.end();
    return image;
}

// A dialog-type window so that it is transient for (kept above) the main
// window that owns it: as a plain window it would drop behind the main window
// at the first click there, out of sight, and About would then do nothing.
AboutWindow::AboutWindow(QWidget* owner) : QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName("ABOUTWND");
    setWindowTitle("Splash");
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    background_ = AboutBackground();
    closeImage_ = AboutCloseImage();
    QPixmap cursor = QPixmap::fromImage(AboutCursorImage());
    cursor.setMask(QBitmap::fromImage(
        AboutCursorImage().createMaskFromColor(AboutCursorImage().pixel(0, 0), Qt::MaskInColor)));
    linkCursor_ = QCursor(cursor, 0, 0);
    setFixedSize(background_.size());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + area.width() / 2 - width() / 2,
             area.top() + area.height() / 2 - height() / 2);
    }
    AddZone(kCloseZone,
            QRect(QPoint(width() - closeImage_.width(), 0), QPoint(width(), closeImage_.height())));
}

void AboutWindow::Open(QWidget* owner) {
    if (g_open)
        return;
    g_open = new AboutWindow(owner);
    g_open->show();
    g_open->raise();
    g_open->activateWindow();
}

AboutWindow* AboutWindow::Current() {
    return g_open.data();
}

void AboutWindow::AddZone(int zone, const QRect& rect) {
    for (const HotZone& z : zones_)
        if (z.zone == zone)
            return;
    zones_.push_back({zone, rect});
}

int AboutWindow::ZoneAt(const QPoint& point) const {
    for (const HotZone& z : zones_)
        if (z.rect.contains(point))
            return z.zone;
    return kNoZone;
}

QRect AboutWindow::ZoneRect(int zone) const {
    for (const HotZone& z : zones_)
        if (z.zone == zone)
            return z.rect;
    return QRect();
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, background_);
    p.drawImage(width() - closeImage_.width(), 0, closeImage_); // source-over, per-pixel alpha
    const QFont normal = AboutFont(false);
    const QFont link = AboutFont(true);
    int y = 0;
    for (const AboutLine& line : AboutLines(kAboutText)) {
        p.setFont(line.link ? link : normal);
        const QFontMetrics fm(p.font());
        const QString text = QString::fromLatin1(line.text.c_str());
        const int w = fm.horizontalAdvance(text);
        const int h = fm.height();
        const int x = width() / 2 - w / 2;
        p.setPen(line.link ? QColor(0, 0, 255) : QColor(line.colour));
        p.drawText(QRect(x, y, w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        if (line.link)
            AddZone(kLinkZone, QRect(QPoint(x, y), QPoint(x + w, y + h)));
        y += h * line.lineEnds;
    }
    // The thin border of a window without a caption bar.
    p.setPen(QColor(0, 0, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void AboutWindow::mouseMoveEvent(QMouseEvent* event) {
    if (ZoneAt(event->position().toPoint()) == kLinkZone)
        setCursor(linkCursor_);
    else
        setCursor(Qt::ArrowCursor);
}

void AboutWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    switch (ZoneAt(event->position().toPoint())) {
    case kCloseZone:
        CloseWindow();
        break;
    case kLinkZone:
        Ui().OpenUrl(kMakerWebAddress);
        break;
    default:
        break;
    }
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    // The keyboard's way to the close image.
    if (event->key() == Qt::Key_Escape)
        CloseWindow();
    else
        QWidget::keyPressEvent(event);
}

void AboutWindow::CloseWindow() {
    closing_ = true;
    close();
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    if (closing_)
        event->accept();
    else
        event->ignore();
}
