#pragma once
// The about window: a picture without caption bar, with a thin border, in
// the middle of the screen; the program's name and version, the maker and a
// link to the maker's web site drawn over it. One at a time; it does not
// block the main window. It closes through the close image in its top-right
// corner (or Esc, for the keyboard).

#include <QColor>
#include <QCursor>
#include <QImage>
#include <QRect>
#include <QWidget>

#include <string>
#include <vector>

// The about text: a byte below 32 (not 0) ends a line and each further one
// in a row adds an empty line; 255 R G B sets the colour of this and the
// following lines; 254 makes the rest of the line a link. Both codes start
// the line again. Text after the last line end is not drawn.
extern const char kAboutText[];
extern const char kMakerWebAddress[];

struct AboutLine {
    std::string text;
    QRgb colour = qRgb(0, 0, 0);
    bool link = false;
    int lineEnds = 1; // the line's height counts this many times
};
std::vector<AboutLine> AboutLines(const char* text);

// Our pictures, drawn here: the background (320 x 193, 256 colours), the
// close image (24 x 24 with alpha) and the link cursor's picture (32 x 32;
// its top-left colour is the transparent one).
QImage AboutBackground();
QImage AboutCloseImage();
QImage AboutCursorImage();

class AboutWindow : public QWidget {
    Q_OBJECT
  public:
    enum Zone { kNoZone = 0, kLinkZone = 1, kCloseZone = 2 };

    // Shows the window owned by owner; does nothing while one is open.
    static void Open(QWidget* owner);
    static AboutWindow* Current();

    // The first hot zone holding the point.
    int ZoneAt(const QPoint& point) const;
    QRect ZoneRect(int zone) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    explicit AboutWindow(QWidget* owner);
    void AddZone(int zone, const QRect& rect);
    void CloseWindow();

    struct HotZone {
        int zone;
        QRect rect;
    };
    QImage background_;
    QImage closeImage_;
    QCursor linkCursor_;
    std::vector<HotZone> zones_;
    bool closing_ = false;
};
