#include <gtest/gtest.h>

#include <ostream>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "hpgl/hpgl_reader.h"
#include "preview/plot_render.h"

namespace {

TPrConfig NoPens() {
    TPrConfig config{};
    return config;
}

struct PenEntryCase {
    const char* name;
    std::function<void(TPrConfig&)> edit;
    int pen;
    int entry;
};
void PrintTo(const PenEntryCase& row, std::ostream* os) { *os << row.name; }


class PenEntries : public testing::TestWithParam<PenEntryCase> {};

TEST_P(PenEntries, PenNumberFindsItsEntry) {
    TPrConfig config = NoPens();
    if (GetParam().edit) GetParam().edit(config);
    EXPECT_EQ(PenEntryFor(config, GetParam().pen), GetParam().entry);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PenEntries,
    testing::Values(
        PenEntryCase{"NumberedEntryWins", [](TPrConfig& c) { c.toollist[6].tpenid = 2; }, 2, 6},
        PenEntryCase{"FirstOfSharedNumber",
                     [](TPrConfig& c) { c.toollist[4].tpenid = c.toollist[8].tpenid = 5; }, 5, 4},
        PenEntryCase{"UnsetNumbersFallBackToPosition", {}, 4, 3},
        PenEntryCase{"PositionWhenNoEntryHasTheNumber",
                     [](TPrConfig& c) { c.toollist[3].tpenid = 7; }, 4, 3},
        PenEntryCase{"NumberBeyondTenMatched", [](TPrConfig& c) { c.toollist[0].tpenid = 12; },
                     12, 0},
        PenEntryCase{"NumberBeyondTenUnmatched", {}, 11, -1},
        PenEntryCase{"PenPutAway", [](TPrConfig& c) { c.toollist[2].tpenid = 0; }, 0, -1}),
    [](const testing::TestParamInfo<PenEntryCase>& i) { return i.param.name; });

struct ColourCase {
    const char* name;
    TPenEntry entry;
    QRgb colour;
};
void PrintTo(const ColourCase& row, std::ostream* os) { *os << row.name; }


class PenColours : public testing::TestWithParam<ColourCase> {};

TEST_P(PenColours, SharesBecomeColours) {
    EXPECT_EQ(PenEntryColour(GetParam().entry).rgb(), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PenColours,
    testing::Values(ColourCase{"Red", {1, 30, 10000, 0, 0, 1}, qRgb(255, 0, 0)},
                    ColourCase{"HalfShares", {1, 30, 5000, 0, 2500, 1}, qRgb(128, 0, 64)},
                    ColourCase{"Black", {1, 30, 0, 0, 0, 1}, qRgb(0, 0, 0)},
                    ColourCase{"NoColourFlag", {1, 30, 10000, 0, 0, 0}, kPenWithoutColour},
                    ColourCase{"OtherFlagValue", {1, 30, 10000, 0, 0, 2}, kPenWithoutColour},
                    ColourCase{"WhiteStaysVisible", {1, 30, 10000, 10000, 10000, 1},
                               qRgb(0xb4, 0xb4, 0xb4)},
                    ColourCase{"SharesOutOfRange", {1, 30, 20000, -5, 0, 1}, qRgb(255, 0, 0)}),
    [](const testing::TestParamInfo<ColourCase>& i) { return i.param.name; });

TEST(PlotPalette, PensWithoutEntryAreBlack) {
    TPrConfig config = NoPens();
    config.toollist[1] = {2, 30, 0, 10000, 0, 1};
    const TPlotPalette palette(config);
    EXPECT_EQ(palette.Colour(2).rgb(), qRgb(0, 255, 0));
    EXPECT_EQ(palette.Colour(3).rgb(), kPenWithoutColour);
    EXPECT_EQ(palette.Colour(0).rgb(), kUnknownPen);
    EXPECT_EQ(palette.Colour(40).rgb(), kUnknownPen);
    EXPECT_EQ(palette.Colour(100000).rgb(), kUnknownPen);
    EXPECT_EQ(palette.Colour(-3).rgb(), kUnknownPen);
}

struct FitCase {
    const char* name;
    THpglBox bounds;
    double width, height;
};
void PrintTo(const FitCase& row, std::ostream* os) { *os << row.name; }


class Fit : public testing::TestWithParam<FitCase> {};

// Aspect kept, the plot inside the target, y upwards; degenerate bounds still give a usable
// frame (no infinite or NaN coordinates).
TEST_P(Fit, PlotLiesInsideTargetWithYUpwards) {
    const FitCase& c = GetParam();
    const QRectF target(10, 20, c.width, c.height);
    const TPlotFrame frame = FitPlot(c.bounds, target, 0.05);
    ASSERT_TRUE(std::isfinite(frame.scale));
    ASSERT_GT(frame.scale, 0);
    const QPointF low = frame.Map(c.bounds.minX, c.bounds.minY);
    const QPointF high = frame.Map(c.bounds.maxX, c.bounds.maxY);
    for (const QPointF& p : {low, high}) {
        EXPECT_TRUE(target.adjusted(-0.01, -0.01, 0.01, 0.01).contains(p)) << c.name;
    }
    EXPECT_LE(high.y(), low.y());
    if (c.bounds.Width() > 0 && c.bounds.Height() > 0) {
        EXPECT_NEAR((high.x() - low.x()) / (low.y() - high.y()),
                    c.bounds.Width() / c.bounds.Height(), 1e-9);
        // One side fills the target less the margins.
        const double m = 0.05 * std::min(c.width, c.height);
        EXPECT_TRUE(std::fabs(high.x() - low.x() - (c.width - 2 * m)) < 1e-6 ||
                    std::fabs(low.y() - high.y() - (c.height - 2 * m)) < 1e-6);
    }
}

THpglBox Box(double x0, double y0, double x1, double y1) {
    THpglBox b;
    b.Add(x0, y0);
    b.Add(x1, y1);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Fit,
    testing::Values(FitCase{"Landscape", Box(0, 0, 16000, 11000), 400, 400},
                    FitCase{"Portrait", Box(-500, 200, 1500, 9000), 500, 300},
                    FitCase{"HorizontalLine", Box(0, 300, 1000, 300), 300, 200},
                    FitCase{"VerticalLine", Box(50, 0, 50, 1000), 300, 200},
                    FitCase{"OnePoint", Box(7, 7, 7, 7), 300, 200},
                    FitCase{"Empty", THpglBox{}, 300, 200}),
    [](const testing::TestParamInfo<FitCase>& i) { return i.param.name; });

struct HeightCase {
    const char* name;
    THpglBox bounds;
    int width;
    int height;
};
void PrintTo(const HeightCase& row, std::ostream* os) { *os << row.name; }


class Heights : public testing::TestWithParam<HeightCase> {};

TEST_P(Heights, FollowTheAspectWithinLimits) {
    EXPECT_EQ(RenderHeightFor(GetParam().bounds, GetParam().width), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Heights,
    testing::Values(HeightCase{"Landscape", Box(0, 0, 2000, 1000), 800, 400},
                    HeightCase{"TallIsCapped", Box(0, 0, 100, 10000), 800, 3200},
                    HeightCase{"FlatIsCapped", Box(0, 0, 10000, 0), 800, 100},
                    HeightCase{"NoBounds", THpglBox{}, 800, 600}),
    [](const testing::TestParamInfo<HeightCase>& i) { return i.param.name; });

// Three horizontal lines in three pens, each its own instruction.
const std::string kThreeLines =
    "SP1;PU0,0;PD1000,0;SP2;PU0,500;PD1000,500;SP3;PU0,1000;PD1000,1000;";

TPrConfig RedGreenBlue() {
    TPrConfig config = NoPens();
    config.toollist[0] = {1, 30, 10000, 0, 0, 1};
    config.toollist[1] = {2, 30, 0, 10000, 0, 1};
    config.toollist[2] = {3, 30, 0, 0, 10000, 1};
    return config;
}

// The darkest channel near where a line crosses x = 500: a line drawn in full colour has one
// channel near 0; a pale one keeps every channel light.
int DarkestChannelNear(const QImage& image, QPointF at) {
    int darkest = 255;
    for (int dy = -2; dy <= 2; ++dy) {
        const int x = static_cast<int>(at.x()), y = static_cast<int>(std::lround(at.y())) + dy;
        if (y < 0 || y >= image.height()) continue;
        const QRgb p = image.pixel(x, y);
        darkest = std::min({darkest, qRed(p), qGreen(p), qBlue(p)});
    }
    return darkest;
}

// For every byte count of the file, the picture shows in full colour exactly the segments the
// reader counts as begun (ProgressAt the last byte sent) and the rest pale.
TEST(SentSplit, PictureMatchesReaderProgressAtEveryOffset) {
    const THpglPlot plot = ReadHpgl(kThreeLines);
    ASSERT_EQ(plot.SegmentCount(), 3u);
    const TPlotPalette palette(RedGreenBlue());
    const QSize size(300, 300);
    const TPlotFrame frame = FitPlot(plot.bounds, QRectF(0, 0, 300, 300));
    const double ys[3] = {0, 500, 1000};
    size_t lastSent = 0;
    for (int64_t sent = 0; sent <= static_cast<int64_t>(kThreeLines.size()); ++sent) {
        const size_t expected = sent == 0 ? 0 : plot.ProgressAt(sent - 1).segments;
        const size_t split = SentSegments(plot, sent);
        ASSERT_EQ(split, expected) << sent;
        ASSERT_GE(split, lastSent);
        lastSent = split;
        const QImage image = RenderPlotImage(plot, palette, size, split);
        for (size_t line = 0; line < 3; ++line) {
            const int darkest = DarkestChannelNear(image, frame.Map(500, ys[line]));
            if (line < split) EXPECT_LT(darkest, 110) << "sent " << sent << ", line " << line;
            else EXPECT_GT(darkest, 170) << "sent " << sent << ", line " << line;
        }
    }
    EXPECT_EQ(lastSent, 3u);
    EXPECT_EQ(SentSegments(plot, -5), 0u);
}

TEST(PenPosition, IsTheEndOfTheLastSentSegment) {
    const THpglPlot plot = ReadHpgl("SP1;PU0,0;PD100,0,100,100;PU500,500;PD600,500;");
    const TPlotPalette palette;
    const TPlotRenderer renderer(plot, palette);
    THpglPoint at;
    EXPECT_FALSE(renderer.PenPosition(0, at));
    ASSERT_TRUE(renderer.PenPosition(2, at));
    EXPECT_EQ(at.x, 100);
    EXPECT_EQ(at.y, 100);
    ASSERT_TRUE(renderer.PenPosition(3, at));
    EXPECT_EQ(at.x, 600);
    EXPECT_FALSE(renderer.PenPosition(4, at));
}

}  // namespace
