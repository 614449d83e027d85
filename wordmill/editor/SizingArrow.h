#pragma once

#include <QList>
#include <QPoint>

namespace wordmill {

// Metrics of the column-sizing sign painted on the editor's splitter
// ("|<- ->|" turned into two bars with arrows running outwards). All values
// are device pixels of the splitter.
struct TColSizingArrow
{
    int Dpi = 0;
    int Space = 0;             // gap between the two bars, less one
    int LeftStart = 0;         // x of the left bar
    int LeftArrowStart = 0;    // x where the left shaft ends and its head begins
    int LineWidth = 0;         // height of a shaft
    int ArrowWidth = 0;        // rows of a head above (and below) the shaft
    int PanelCenterOffset = 0; // from the panel left of the splitter to the grid's column edge
    friend bool operator==(const TColSizingArrow &, const TColSizingArrow &) = default;
};

/// The sign's metrics for a splitter of Width x Height device pixels on a
/// screen of Dpi dots per inch.
TColSizingArrow ComputeSizingArrow(int Width, int Height, int Dpi);

/// The pixels of the sign, left to right and top to bottom: two bars of
/// 2 x ArrowWidth + LineWidth rows, a shaft outwards from each and at each
/// end a head whose columns shrink by two pixels per column.
QList<QPoint> SizingArrowPixels(const TColSizingArrow &Arrow);

} // namespace wordmill
