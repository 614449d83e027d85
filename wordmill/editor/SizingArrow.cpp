#include "SizingArrow.h"

#include <algorithm>
#include <cmath>

namespace wordmill {

TColSizingArrow ComputeSizingArrow(int Width, int Height, int Dpi)
{
    TColSizingArrow a;
    a.Dpi = Dpi;
    // Every rounding of the window's metrics goes to the nearest integer,
    // ties to even (std::lrint in the default rounding mode).
    const int designOffset = Dpi == 96 ? 3 : int(std::lrint(Dpi * 3.0 / 96.0));
    a.PanelCenterOffset = (Width + 1) / 2 - designOffset;
    a.Space = int(std::lrint(Width * 0.16));
    const int w = Width - a.Space;
    a.LeftStart = w / 2 + w % 2 - 1;
    a.LineWidth = int(std::lrint(Height * 0.25));
    a.ArrowWidth = (Height - a.LineWidth) / 2;
    a.LeftArrowStart = w % 2 + a.ArrowWidth + (a.LineWidth + 1) / 2;
    return a;
}

QList<QPoint> SizingArrowPixels(const TColSizingArrow &a)
{
    QList<QPoint> pixels;
    const int barHeight = 2 * a.ArrowWidth + a.LineWidth;
    if (barHeight <= 0 || a.LeftStart < 0)
        return pixels;
    // The right half mirrors the left one around the middle of the gap.
    const int mirror = 2 * a.LeftStart + a.Space + 1;
    const auto put = [&](int x, int y) {
        pixels.append(QPoint(x, y));
        pixels.append(QPoint(mirror - x, y));
    };
    for (int y = 0; y < barHeight; ++y)
        put(a.LeftStart, y);
    for (int x = std::max(0, a.LeftArrowStart); x < a.LeftStart; ++x)
        for (int y = a.ArrowWidth; y < a.ArrowWidth + a.LineWidth; ++y)
            put(x, y);
    int column = barHeight;
    for (int x = a.LeftArrowStart - 1; x >= 0 && column > 0; --x, column -= 2) {
        const int top = (barHeight - column) / 2;
        for (int y = top; y < top + column; ++y)
            put(x, y);
    }
    std::sort(pixels.begin(), pixels.end(), [](const QPoint &l, const QPoint &r) {
        return l.y() != r.y() ? l.y() < r.y() : l.x() < r.x();
    });
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    return pixels;
}

} // namespace wordmill
