#pragma once

#include <QRect>
#include <QSize>

namespace wordmill {

/// Where the editor's side picture goes inside its panel, before it is
/// placed vertically: as large as the picture and centred; a picture
/// narrower than the panel is scaled up to the panel's width (keeping its
/// proportions) and put at the left edge. The rectangle's top is 0.
QRect SideImageRect(const QSize &Picture, int PanelWidth);

/// The top of the side picture in a panel PanelHeight high: the picture sits
/// on the panel's bottom edge and hangs over it by up to 40 pixels in low
/// panels (40 below 300, shrinking to 0 at 600 and above).
int PlaceSideImage(int PanelHeight, int ImageHeight);

} // namespace wordmill
