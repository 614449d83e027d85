#include "FlagImage.h"

#include <QBuffer>
#include <QPainter>

#include <cmath>

namespace wordmill {

QImage FitFlagImage(const QImage &Picture)
{
    QImage flag(FlagImageSize, FlagImageSize, QImage::Format_RGB32);
    flag.fill(Qt::white);
    const int w = Picture.width();
    const int h = Picture.height();
    if (w <= 0 || h <= 0)
        return flag;
    int width = w;
    int height = h;
    if (w > FlagImageSize || h > FlagImageSize) {
        // The longer side becomes the flag's size, the other keeps the ratio
        // (rounded to the nearest pixel, ties to even).
        if (w >= h) {
            width = FlagImageSize;
            height = int(std::lrint(double(FlagImageSize) * h / w));
        } else {
            height = FlagImageSize;
            width = int(std::lrint(double(FlagImageSize) * w / h));
        }
        if (height > FlagImageSize) {
            height = FlagImageSize;
            width = int(std::lrint(double(FlagImageSize) * w / h));
        }
        width = qMax(1, width);
        height = qMax(1, height);
    }
    const int left = (FlagImageSize - width) / 2;
    const int top = (FlagImageSize - height) / 2 + (height < FlagImageSize ? 1 : 0);
    // Scaled first and then copied, so that no pixel outside the fitted
    // rectangle takes a share of the picture.
    const QImage fitted =
        width == w && height == h
            ? Picture
            : Picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&flag);
    painter.drawImage(QPoint(left, top), fitted);
    return flag;
}

QImage DecodeFlagImage(const QByteArray &Bytes)
{
    QImage image;
    const bool bitmap = Bytes.startsWith("BM");
    if (!image.loadFromData(Bytes, bitmap ? "BMP" : "ICO") || image.isNull())
        return QImage();
    if (bitmap) {
        if (image.size() != QSize(FlagImageSize, FlagImageSize))
            image = FitFlagImage(image);
        // White is the transparent colour of a flag bitmap.
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb white = qRgb(255, 255, 255);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] | 0xFF000000u) == white)
                    line[x] = 0;
        }
    }
    return image;
}

QByteArray EncodeFlagBitmap(const QImage &Image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return bytes;
}

} // namespace wordmill
