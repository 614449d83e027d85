// The editor window's geometry rules: the column-sizing sign of the splitter,
// the side picture's place and the fitting of flag pictures.

#include "TestPrinters.h"

#include <wordmill/ctrls/FlagImage.h>
#include <wordmill/editor/SideImage.h>
#include <wordmill/editor/SizingArrow.h>

#include <QImage>

#include <gtest/gtest.h>

using namespace wordmill;

namespace {

struct ArrowCase
{
    const char *name;
    int width, height, dpi;
    TColSizingArrow expected;
    friend void PrintTo(const ArrowCase &c, std::ostream *os) { *os << c.name; }
};

class SizingArrowMetrics : public testing::TestWithParam<ArrowCase>
{
};

TEST_P(SizingArrowMetrics, FollowTheSplitterSize)
{
    const ArrowCase &c = GetParam();
    const TColSizingArrow a = ComputeSizingArrow(c.width, c.height, c.dpi);
    EXPECT_EQ(a.Dpi, c.expected.Dpi);
    EXPECT_EQ(a.Space, c.expected.Space);
    EXPECT_EQ(a.LeftStart, c.expected.LeftStart);
    EXPECT_EQ(a.LeftArrowStart, c.expected.LeftArrowStart);
    EXPECT_EQ(a.LineWidth, c.expected.LineWidth);
    EXPECT_EQ(a.ArrowWidth, c.expected.ArrowWidth);
    EXPECT_EQ(a.PanelCenterOffset, c.expected.PanelCenterOffset);
}

// Fields: Dpi, Space, LeftStart, LeftArrowStart, LineWidth, ArrowWidth,
// PanelCenterOffset.
INSTANTIATE_TEST_SUITE_P(
    Editor, SizingArrowMetrics,
    testing::Values(ArrowCase{"Design96", 14, 6, 96, {96, 2, 5, 3, 2, 2, 4}},
                    // 120 dpi: odd width after the gap; the offset's 3.75 rounds to 4.
                    ArrowCase{"Scaled120", 18, 8, 120, {120, 3, 7, 5, 2, 3, 5}},
                    // 144 dpi: the offset's 4.5 and the line's 2.25 round to even.
                    ArrowCase{"Scaled144TiesToEven", 21, 9, 144, {144, 3, 8, 4, 2, 3, 7}},
                    ArrowCase{"Scaled192", 28, 12, 192, {192, 4, 11, 6, 3, 4, 8}},
                    // A line width of 2.5 rounds to 2, not 3; the heads meet the bars.
                    ArrowCase{"TallSplitterNoShaft", 14, 10, 96, {96, 2, 5, 5, 2, 4, 4}}),
    [](const testing::TestParamInfo<ArrowCase> &info) { return info.param.name; });

// The sign as rows of '#' (painted) and '.'.
QStringList Picture(const TColSizingArrow &Arrow, int Width, int Height)
{
    QStringList rows(Height, QString(Width, u'.'));
    for (const QPoint &p : SizingArrowPixels(Arrow)) {
        EXPECT_TRUE(p.x() >= 0 && p.x() < Width && p.y() >= 0 && p.y() < Height)
            << "pixel outside the splitter: " << p.x() << "," << p.y();
        if (p.x() >= 0 && p.x() < Width && p.y() >= 0 && p.y() < Height)
            rows[p.y()][p.x()] = u'#';
    }
    return rows;
}

TEST(SizingArrowSign, DesignSizeFillsTheSplitter)
{
    const QStringList expected = {
        QStringLiteral("..#..#..#..#.."), QStringLiteral(".##..#..#..##."),
        QStringLiteral("######..######"), QStringLiteral("######..######"),
        QStringLiteral(".##..#..#..##."), QStringLiteral("..#..#..#..#.."),
    };
    EXPECT_EQ(Picture(ComputeSizingArrow(14, 6, 96), 14, 6), expected);
}

TEST(SizingArrowSign, ScaledSignStaysInsideAndSymmetric)
{
    for (const auto &[w, h, dpi] : {std::tuple{18, 8, 120}, {21, 9, 144}, {28, 12, 192}}) {
        const TColSizingArrow a = ComputeSizingArrow(w, h, dpi);
        const QStringList rows = Picture(a, w, h);
        const int mirror = 2 * a.LeftStart + a.Space + 1;
        for (const QPoint &p : SizingArrowPixels(a))
            EXPECT_EQ(rows[p.y()][mirror - p.x()], u'#') << w << "x" << h;
        // The middle row runs from the tip of the head to the bar without a
        // gap, and the sign sits in the middle of the splitter.
        const QString middle = rows[(2 * a.ArrowWidth + a.LineWidth) / 2];
        const qsizetype tip = middle.indexOf(u'#');
        EXPECT_FALSE(middle.mid(tip, a.LeftStart - tip + 1).contains(u'.')) << w << "x" << h;
        EXPECT_LE(std::abs(int(tip) - int(w - 1 - middle.lastIndexOf(u'#'))), 1) << w << "x" << h;
    }
}

struct SideCase
{
    const char *name;
    int panelHeight;
    int expectedTop;
    friend void PrintTo(const SideCase &c, std::ostream *os) { *os << c.name; }
};

class SideImagePlace : public testing::TestWithParam<SideCase>
{
};

TEST_P(SideImagePlace, SitsOnTheBottomEdge)
{
    EXPECT_EQ(PlaceSideImage(GetParam().panelHeight, 600), GetParam().expectedTop);
}

INSTANTIATE_TEST_SUITE_P(
    Editor, SideImagePlace,
    testing::Values(SideCase{"LowPanelHangsOver40", 200, -360}, SideCase{"JustBelow300", 299, -261},
                    SideCase{"At300", 300, -260}, SideCase{"DesignHeight", 329, -235},
                    SideCase{"HalfWayHangsOver20", 450, -130},
                    SideCase{"JustBelow600RoundsToNone", 599, -1}, SideCase{"At600", 600, 0},
                    SideCase{"TallPanelLeavesRoomAbove", 800, 200}),
    [](const testing::TestParamInfo<SideCase> &info) { return info.param.name; });

struct RectCase
{
    const char *name;
    QSize picture;
    QRect expected;
    friend void PrintTo(const RectCase &c, std::ostream *os) { *os << c.name; }
};

class SideImageSize : public testing::TestWithParam<RectCase>
{
};

TEST_P(SideImageSize, CentredOrPanelWide)
{
    EXPECT_EQ(SideImageRect(GetParam().picture, 200), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Editor, SideImageSize,
    testing::Values(RectCase{"WiderIsCentred", {350, 600}, {-75, 0, 350, 600}},
                    RectCase{"OddOverhangTruncates", {351, 600}, {-75, 0, 351, 600}},
                    RectCase{"AsWideStays", {200, 300}, {0, 0, 200, 300}},
                    RectCase{"NarrowerScalesUp", {100, 200}, {0, 0, 200, 400}},
                    RectCase{"NarrowerRoundsHeight", {150, 100}, {0, 0, 200, 133}},
                    RectCase{"EmptyPicture", {0, 0}, {0, 0, 0, 0}}),
    [](const testing::TestParamInfo<RectCase> &info) { return info.param.name; });

struct FlagCase
{
    const char *name;
    QSize picture;
    QRect expected; // where the picture lands on the 16 x 16 flag
    friend void PrintTo(const FlagCase &c, std::ostream *os) { *os << c.name; }
};

class FlagFitting : public testing::TestWithParam<FlagCase>
{
};

// The rectangle of the flag's pixels that are not white.
QRect PaintedRect(const QImage &Flag)
{
    QRect painted;
    for (int y = 0; y < Flag.height(); ++y)
        for (int x = 0; x < Flag.width(); ++x)
            if ((Flag.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                painted |= QRect(x, y, 1, 1);
    return painted;
}

TEST_P(FlagFitting, KeepsProportionsInSixteenPixels)
{
    const FlagCase &c = GetParam();
    QImage picture;
    if (!c.picture.isEmpty()) {
        picture = QImage(c.picture, QImage::Format_RGB32);
        picture.fill(QColor(200, 20, 20));
    }
    const QImage flag = FitFlagImage(picture);
    EXPECT_EQ(flag.size(), QSize(16, 16));
    EXPECT_EQ(PaintedRect(flag), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Editor, FlagFitting,
                         testing::Values(FlagCase{"ExactSizeFills", {16, 16}, {0, 0, 16, 16}},
                                         FlagCase{"SmallStaysOneLower", {10, 6}, {3, 6, 10, 6}},
                                         FlagCase{"FullWidthLowerHalf", {16, 10}, {0, 4, 16, 10}},
                                         FlagCase{"WideShrinks", {32, 16}, {0, 5, 16, 8}},
                                         FlagCase{"TallShrinks", {16, 32}, {4, 0, 8, 16}},
                                         FlagCase{"LargeSquare", {20, 20}, {0, 0, 16, 16}},
                                         FlagCase{"JustTooWide", {17, 16}, {0, 1, 16, 15}},
                                         // 16 x 5 / 32 = 2.5 rounds to even.
                                         FlagCase{"HeightTieRoundsToEven", {32, 5}, {0, 8, 16, 2}},
                                         FlagCase{"NoPictureIsWhite", {0, 0}, {}}),
                         [](const testing::TestParamInfo<FlagCase> &info) {
                             return info.param.name;
                         });

} // namespace
