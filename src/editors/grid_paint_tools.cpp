#include "editors/grid_paint_tools.h"

#include "editors/grid_types.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace {

const QColor kShadow(160, 160, 160);
const QColor kHighlight(255, 255, 255);
const QColor kDarkShadow(105, 105, 105);
const QColor kLight(227, 227, 227);

// Top-left and bottom-right lines of one ring of an edge.
void Ring(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

void Edge(QPainter& painter, const QRect& rect, const QColor& outerTopLeft,
          const QColor& outerBottomRight, const QColor& innerTopLeft,
          const QColor& innerBottomRight) {
    painter.fillRect(rect.adjusted(2, 2, -2, -2), GridFaceColour());
    Ring(painter, rect, outerTopLeft, outerBottomRight);
    Ring(painter, rect.adjusted(1, 1, -1, -1), innerTopLeft, innerBottomRight);
}

} // namespace

QColor GridColour(uint32_t colour) {
    return QColor(GridRed(colour), GridGreen(colour), GridBlue(colour));
}

QColor GridStockGrey() {
    return QColor(192, 192, 192);
}
QColor GridFaceColour() {
    return QColor(240, 240, 240);
}

void GridDrawEtchedEdge(QPainter& painter, const QRect& rect) {
    Edge(painter, rect, kShadow, kHighlight, kHighlight, kShadow);
}

void GridDrawSunkenEdge(QPainter& painter, const QRect& rect) {
    Edge(painter, rect, kShadow, kHighlight, kDarkShadow, kLight);
}

void GridDrawOutlinedCell(QPainter& painter, const QRect& rect, const QColor& fill,
                          const QColor& line) {
    painter.fillRect(rect, fill);
    Ring(painter, rect, line, line);
}

void GridDrawWrappedText(QPainter& painter, const QRect& rect, const QString& text, bool ellipsis) {
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    QFontMetrics metrics(painter.font());
    if (!ellipsis || metrics.boundingRect(rect, flags, text).height() <= rect.height()) {
        painter.drawText(rect, flags, text);
        return;
    }
    // Lay the lines out and end the last one that fits with an ellipsis.
    QString laid = text;
    laid.remove(QLatin1Char('\r'));
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laid, painter.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const int lineHeight = metrics.lineSpacing();
    const int fitting = std::max(1, rect.height() / std::max(1, lineHeight));
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        if (int(lines.size()) + 1 == fitting) {
            QString rest = laid.mid(line.textStart()).replace(QChar::LineSeparator, ' ');
            lines << metrics.elidedText(rest.simplified(), Qt::ElideRight, rect.width());
            break;
        }
        lines << laid.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator);
    }
    layout.endLayout();
    int y = rect.top();
    for (const QString& line : lines) {
        painter.drawText(QRect(rect.left(), y, rect.width(), lineHeight),
                         Qt::AlignHCenter | Qt::AlignTop, line.trimmed());
        y += lineHeight;
    }
}

void GridXorFrame(QPainter& painter, const QRect& rect, int thickness, const QColor& colour) {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const int t = std::min({thickness, rect.width() / 2, rect.height() / 2});
    if (t <= 0) {
        painter.fillRect(rect, colour);
    } else {
        // Four bands that do not overlap, so every pixel is combined once.
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), t), colour);
        painter.fillRect(QRect(rect.left(), rect.bottom() - t + 1, rect.width(), t), colour);
        painter.fillRect(QRect(rect.left(), rect.top() + t, t, rect.height() - 2 * t), colour);
        painter.fillRect(QRect(rect.right() - t + 1, rect.top() + t, t, rect.height() - 2 * t),
                         colour);
    }
    painter.restore();
}
