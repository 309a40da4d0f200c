#include <gtest/gtest.h>

#include <ostream>

#include <random>
#include <string>

#include "hpgl/hpgl_reader.h"

namespace {

// Offsets: PU0,0; at 0, PD10,0,20,0; at 6, PD30,0; at 18, PU; at 25, PD40,0; at 28.
const char kPlot[] = "PU0,0;PD10,0,20,0;PD30,0;PU;PD40,0;";

struct TRow {
    const char* name;
    std::uint64_t offset;
    std::size_t segments;
    std::size_t paths;
    std::size_t lastPathPoints;
};

// Rows print as their name in test listings.
void PrintTo(const TRow& row, std::ostream* os) { *os << row.name; }

class HpglProgress : public ::testing::TestWithParam<TRow> {};

TEST_P(HpglProgress, OffsetsMapToSegments) {
    const THpglPlot plot = ReadHpgl(kPlot);
    ASSERT_EQ(plot.paths.size(), 2u);
    const TRow& row = GetParam();
    const THpglProgress p = plot.ProgressAt(row.offset);
    EXPECT_EQ(p.segments, row.segments);
    EXPECT_EQ(p.paths, row.paths);
    EXPECT_EQ(p.lastPathPoints, row.lastPathPoints);
    EXPECT_EQ(plot.SegmentsAtOrBefore(row.offset), row.segments);
    EXPECT_EQ(plot.PathsAtOrBefore(row.offset), row.paths);
}

const TRow kRows[] = {
    {"Start", 0, 0, 0, 0},
    {"BeforeFirstDraw", 5, 0, 0, 0},
    {"FirstDrawInstruction", 6, 2, 1, 3},
    {"InsideIt", 17, 2, 1, 3},
    {"SecondDrawInstruction", 18, 3, 1, 4},
    {"PenUp", 25, 3, 1, 4},
    {"SecondPath", 28, 4, 2, 2},
    {"PastTheEnd", 100000, 4, 2, 2},
};

INSTANTIATE_TEST_SUITE_P(Plot, HpglProgress, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HpglProgressFraming, OffsetsCountTheFrame) {
    const THpglPlot plot = ReadHpgl(std::string("\x1b.(IN;IW;IW0,0,9,9;") + kPlot + "\x1b.)");
    const std::uint64_t body = 3 + 3 + 3 + 10;  // ESC . ( IN; IW; IW0,0,9,9;
    EXPECT_EQ(plot.SegmentsAtOrBefore(body + 5), 0u);
    EXPECT_EQ(plot.SegmentsAtOrBefore(body + 6), 2u);
    EXPECT_EQ(plot.SegmentsAtOrBefore(body + 28), 4u);
}

// On a larger plot the binary searches agree with counting.
TEST(HpglProgressFraming, MatchesLinearCount) {
    std::mt19937 rng(7);
    std::string input = "IN;SP1;";
    for (int i = 0; i < 2000; ++i) {
        input += (rng() % 3 == 0) ? "PU" : "PD";
        const int pairs = 1 + static_cast<int>(rng() % 4);
        for (int j = 0; j < pairs; ++j) {
            input += std::to_string(rng() % 10000) + "," + std::to_string(rng() % 10000);
            input += j + 1 < pairs ? "," : ";";
        }
        if (rng() % 10 == 0) input += "SP" + std::to_string(1 + rng() % 8) + ";";
    }
    const THpglPlot plot = ReadHpgl(input);
    ASSERT_GT(plot.paths.size(), 100u);
    for (int k = 0; k < 300; ++k) {
        const std::uint64_t offset = rng() % (input.size() + 10);
        std::size_t segments = 0;
        for (const std::uint64_t o : plot.segmentOffsets) segments += o <= offset;
        std::size_t paths = 0;
        for (const THpglPath& path : plot.paths) {
            paths += plot.segmentOffsets[path.firstSegment] <= offset;
        }
        const THpglProgress p = plot.ProgressAt(offset);
        ASSERT_EQ(p.segments, segments);
        ASSERT_EQ(p.paths, paths);
        if (paths > 0) {
            const THpglPath& last = plot.paths[paths - 1];
            ASSERT_EQ(p.lastPathPoints, segments - last.firstSegment + 1);
        }
    }
}

}  // namespace
