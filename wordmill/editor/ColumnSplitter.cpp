#include "ColumnSplitter.h"

#include <QImage>
#include <QPainter>
#include <QSplitterHandle>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

class TSizingArrowHandle : public QSplitterHandle
{
public:
    TSizingArrowHandle(Qt::Orientation orientation, QSplitter *parent)
        : QSplitterHandle(orientation, parent)
    {
        setObjectName(u"Splitter"_s);
        setCursor(Qt::SizeHorCursor);
    }

    const TColSizingArrow &Arrow()
    {
        // Device pixels, so that the sign stays one pixel sharp at any ratio.
        const qreal ratio = devicePixelRatioF();
        const QSize device = size() * ratio;
        const int dpi = qRound(logicalDpiX() * ratio);
        if (device != fDeviceSize || dpi != fArrow.Dpi) {
            fDeviceSize = device;
            fArrow = ComputeSizingArrow(device.width(), device.height(), dpi);
        }
        return fArrow;
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const TColSizingArrow &arrow = Arrow();
        QImage sign(fDeviceSize, QImage::Format_ARGB32_Premultiplied);
        sign.fill(Qt::transparent);
        const QRgb grey = palette().color(QPalette::Disabled, QPalette::WindowText).rgba();
        const QRect bounds = sign.rect();
        for (const QPoint &pixel : SizingArrowPixels(arrow))
            if (bounds.contains(pixel))
                sign.setPixel(pixel, grey);
        sign.setDevicePixelRatio(devicePixelRatioF());
        QPainter painter(this);
        painter.drawImage(0, 0, sign);
    }

private:
    QSize fDeviceSize;
    TColSizingArrow fArrow;
};

} // namespace

TColumnSplitter::TColumnSplitter(int HandleWidth, QWidget *parent)
    : QSplitter(Qt::Horizontal, parent), fSplitPanel(new QWidget(this))
{
    fSplitPanel->setObjectName(u"SplitPanel"_s);
    fSplitPanel->setMinimumWidth(1);
    addWidget(fSplitPanel);
    auto *rest = new QWidget(this);
    rest->setMinimumWidth(0);
    addWidget(rest);
    setHandleWidth(HandleWidth);
    setOpaqueResize(true);
    setChildrenCollapsible(false);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
}

QSplitterHandle *TColumnSplitter::createHandle()
{
    return new TSizingArrowHandle(orientation(), this);
}

void TColumnSplitter::SetSplitPanelWidth(int Width)
{
    const int total = width() - handleWidth();
    const int left = qMax(1, Width);
    setSizes({left, qMax(0, total - left)});
}

int TColumnSplitter::SplitPanelWidth() const
{
    return fSplitPanel->width();
}

const TColSizingArrow &TColumnSplitter::Arrow() const
{
    return static_cast<TSizingArrowHandle *>(handle(1))->Arrow();
}

} // namespace wordmill
