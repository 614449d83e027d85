#include "ColorWidgets.h"

#include <QPainter>

namespace wordmill {

TFixedColorPanel::TFixedColorPanel(const QColor &Colour, QWidget *parent)
    : QWidget(parent), fColour(Colour)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TFixedColorPanel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(rect(), fColour);
    Q_UNUSED(event);
}

TColorDot::TColorDot(QWidget *parent) : QWidget(parent) {}

void TColorDot::SetFillColor(const QColor &Colour)
{
    fFill = Colour;
    update();
}

void TColorDot::paintEvent(QPaintEvent *event)
{
    // A circle as wide as the shape, in its middle.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height()) - PenWidth();
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    painter.setPen(QPen(palette().color(QPalette::WindowText), PenWidth()));
    painter.setBrush(fFill);
    painter.drawEllipse(circle);
    Q_UNUSED(event);
}

} // namespace wordmill
