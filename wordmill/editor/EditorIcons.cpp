#include "EditorIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace wordmill {

namespace {

using Painter = std::function<void(QPainter &)>;

// An icon of Size design pixels drawn at the common device pixel ratios. The
// painter works in design pixels.
QIcon PaintedIcon(QSize Size, const Painter &paint)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        QPixmap pixmap(Size * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

const QColor Ink(40, 64, 96);

// A sheet of paper with a folded corner and three lines of text.
void PaintPage(QPainter &p, const QRectF &r)
{
    QPainterPath page;
    const qreal fold = r.width() * 0.3;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(250, 252, 255));
    p.drawPath(page);
    p.setPen(QPen(QColor(120, 150, 190), 1));
    for (int i = 0; i < 3; ++i) {
        const qreal y = r.top() + r.height() * (0.4 + 0.18 * i);
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
    }
}

// A thick arrow from From to To.
void PaintArrow(QPainter &p, QPointF From, QPointF To, const QColor &Colour)
{
    p.setPen(QPen(Colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(From, To);
    const QPointF d = (To - From) / std::hypot(To.x() - From.x(), To.y() - From.y());
    const QPointF n(-d.y(), d.x());
    QPolygonF head;
    head << To + d * 1.5 << To - d * 3.0 + n * 3.2 << To - d * 3.0 - n * 3.2;
    p.setPen(Qt::NoPen);
    p.setBrush(Colour);
    p.drawPolygon(head);
}

// The round navigation button with a chevron pointing left or right.
void PaintNavigation(QPainter &p, bool Right)
{
    QLinearGradient shade(0, 2, 0, 23);
    shade.setColorAt(0, QColor(96, 160, 222));
    shade.setColorAt(1, QColor(22, 86, 160));
    p.setPen(QPen(QColor(14, 52, 100), 1));
    p.setBrush(shade);
    p.drawEllipse(QRectF(1.5, 1.5, 22, 22));
    QPolygonF chevron;
    if (Right)
        chevron << QPointF(10, 7) << QPointF(17, 12.5) << QPointF(10, 18);
    else
        chevron << QPointF(15, 7) << QPointF(8, 12.5) << QPointF(15, 18);
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(chevron);
}

} // namespace

QImage DefaultFlagImage()
{
    QImage flag(16, 16, QImage::Format_ARGB32);
    flag.fill(Qt::transparent);
    QPainter p(&flag);
    // A pole and a plain light banner with a frame: no country's flag, and
    // easy to see on light and dark panels alike.
    p.fillRect(QRect(1, 1, 2, 15), QColor(70, 70, 70));
    p.fillRect(QRect(3, 2, 12, 9), QColor(96, 104, 116));
    p.fillRect(QRect(4, 3, 10, 7), QColor(226, 230, 236));
    p.fillRect(QRect(4, 6, 10, 1), QColor(150, 160, 176));
    p.end();
    return flag;
}

QIcon FindIcon()
{
    return PaintedIcon(QSize(16, 16), [](QPainter &p) {
        p.setPen(QPen(Ink, 1.8));
        p.setBrush(QColor(214, 232, 250));
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.setPen(QPen(Ink, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.8, 9.8), QPointF(14, 14));
    });
}

QIcon AddLanguageIcon()
{
    return PaintedIcon(QSize(16, 16), [](QPainter &p) {
        p.setPen(QPen(QColor(24, 110, 40), 1));
        p.setBrush(QColor(60, 170, 80));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(8, 4.5), QPointF(8, 11.5));
        p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
    });
}

QIcon ImportIcon()
{
    return PaintedIcon(QSize(18, 18), [](QPainter &p) {
        PaintPage(p, QRectF(6.5, 2.5, 10, 13));
        PaintArrow(p, QPointF(1, 5), QPointF(8.5, 9.5), QColor(24, 120, 48));
    });
}

QIcon ExportIcon()
{
    return PaintedIcon(QSize(18, 18), [](QPainter &p) {
        PaintPage(p, QRectF(1.5, 2.5, 10, 13));
        PaintArrow(p, QPointF(8, 9.5), QPointF(15.5, 5), QColor(196, 96, 20));
    });
}

QIcon GlobalStringsIcon()
{
    return PaintedIcon(QSize(16, 16), [](QPainter &p) {
        const QRectF globe(1.5, 1.5, 13, 13);
        p.setPen(QPen(QColor(20, 70, 130), 1));
        p.setBrush(QColor(110, 180, 240));
        p.drawEllipse(globe);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        p.drawLine(QPointF(3, 4.5), QPointF(13, 4.5));
        p.drawLine(QPointF(3, 11.5), QPointF(13, 11.5));
    });
}

QIcon PreviousIcon()
{
    return PaintedIcon(QSize(25, 25), [](QPainter &p) { PaintNavigation(p, false); });
}

QIcon NextIcon()
{
    return PaintedIcon(QSize(25, 25), [](QPainter &p) { PaintNavigation(p, true); });
}

} // namespace wordmill
