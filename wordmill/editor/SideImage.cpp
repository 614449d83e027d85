#include "SideImage.h"

#include <cmath>

namespace wordmill {

QRect SideImageRect(const QSize &Picture, int PanelWidth)
{
    if (Picture.width() <= 0 || Picture.height() <= 0)
        return QRect(0, 0, 0, 0);
    if (Picture.width() < PanelWidth) {
        const int height = int(std::lrint(double(Picture.height()) * PanelWidth / Picture.width()));
        return QRect(0, 0, PanelWidth, height);
    }
    return QRect((PanelWidth - Picture.width()) / 2, 0, Picture.width(), Picture.height());
}

int PlaceSideImage(int PanelHeight, int ImageHeight)
{
    int overhang = 0;
    if (PanelHeight < 300)
        overhang = 40;
    else if (PanelHeight < 600)
        overhang = int(std::lrint((1.0 - (PanelHeight - 300) / 300.0) * 40.0));
    return PanelHeight + overhang - ImageHeight;
}

} // namespace wordmill
