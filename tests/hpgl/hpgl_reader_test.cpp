#include <gtest/gtest.h>

#include <ostream>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "hpgl/hpgl_reader.h"
#include "hpgl/hpgl_transform.h"
#include "tests/hpgl/plot_text.h"
#include "tests/support/temp_home.h"

namespace {

struct TCase {
    const char* name;
    std::string input;
    std::string expected;
    double stepsPerInch = kHpglStepsPerInch;  // of the plotter the plot is read for
};

// Rows print as their name in test listings.
void PrintTo(const TCase& row, std::ostream* os) { *os << row.name; }

class HpglInstructions : public ::testing::TestWithParam<TCase> {};

// The same bytes read through the streamed reader, pieces of `piece` bytes at a time: every
// batch's paths in order, and the segment offsets.
std::string StreamedText(const std::string& input, std::size_t piece, double stepsPerInch,
                         std::vector<std::uint64_t>& offsets) {
    char name[] = "/tmp/trzn-hpgl-stream-XXXXXX";
    const int fd = ::mkstemp(name);
    ::unlink(name);
    if (fd < 0 || ::write(fd, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        return "unwritable";
    THpglOptions options;
    options.streamPiece = piece;
    options.stepsPerInch = stepsPerInch;
    std::string text;
    ReadHpglStream(fd, options, [&](const THpglPlot& batch) {
        const std::string part = PlotText(batch);
        if (!part.empty()) text += (text.empty() ? "" : " | ") + part;
        offsets.insert(offsets.end(), batch.segmentOffsets.begin(), batch.segmentOffsets.end());
    });
    ::close(fd);
    return text;
}

TEST_P(HpglInstructions, DrawsExpectedPaths) {
    THpglOptions options;
    options.stepsPerInch = GetParam().stepsPerInch;
    const THpglPlot whole = ReadHpgl(GetParam().input, options);
    EXPECT_EQ(PlotText(whole), GetParam().expected) << GetParam().input;
    // Piece boundaries inside numbers, mnemonics and escapes change nothing.
    for (const std::size_t piece : {1, 3}) {
        std::vector<std::uint64_t> offsets;
        EXPECT_EQ(StreamedText(GetParam().input, piece, GetParam().stepsPerInch, offsets),
                  GetParam().expected)
            << piece;
        EXPECT_EQ(offsets, whole.segmentOffsets) << piece;
    }
}

const TCase kCases[] = {
    // Pen movement
    {"PdListAbsolute", "IN;SP1;PU0,0;PD100,0,100,100;", "P1 0,0 100,0 100,100"},
    {"PrChain", "PU10,10;PR;PD10,0,0,10,-10,0;", "P1 10,10 20,10 20,20 10,20"},
    {"PaAfterPr", "PU0,0;PD;PR50,0;PA0,0;", "P1 0,0 50,0 0,0"},
    {"PrStaysRelativeAcrossPdPu", "PR;PU5,5;PD5,0;PU;PD0,5;", "P1 5,5 10,5 | P1 10,5 10,10"},
    {"BlanksAndNoTerminators", "PU 0 0 PD 10 0 PD10,10PU", "P1 0,0 10,0 10,10"},
    {"LowerCase", "pu0,0;pd5,5;", "P1 0,0 5,5"},
    {"SignsAndDecimals", "PU+1.5,-2.5;PD-.5,+3;", "P1 1.5,-2.5 -0.5,3"},
    {"OddCountDropsLast", "PU0,0;PD10,0,20;PU;", "P1 0,0 10,0"},
    {"PenUpMoveBreaksPath", "PU0,0;PD1,0;PU2,0;PD3,0;", "P1 0,0 1,0 | P1 2,0 3,0"},
    {"DotWhenPenDownWithoutMove", "PU5,5;PD;PU;", "P1 5,5 5,5"},
    {"DotAtEndOfInput", "PU5,5;PD", "P1 5,5 5,5"},
    // Pens
    {"PenChangeSplitsPath", "SP2;PU0,0;PD1,0;SP3;PD2,0;", "P2 0,0 1,0 | P3 1,0 2,0"},
    {"PenZeroDrawsNothing", "SP0;PU0,0;PD10,0;SP1;PD20,0;", "P1 10,0 20,0"},
    {"PenWithoutNumberStows", "SP;PU0,0;PD10,0;", ""},
    {"LineTypeChangeSplitsPath", "PU0,0;PD1,0;LT2;PD2,0;", "P1 0,0 1,0 | P1 1,0 2,0"},
    // Escapes, junk, unknown instructions
    {"FramedPlot", "\x1b.(IN;IW;IW0,0,100,100;PU0,0;PD10,0;\x1b.)", "P1 0,0 10,0"},
    {"DeviceControlWithParameters", "\x1b.I81;;17:\x1b.N;19:PU0,0;PD10,0;", "P1 0,0 10,0"},
    {"ModeSwitchEscapes", "\x1b%-12345X\x1b" "EIN;PU0,0;PD1,1;\x1b%0B", "P1 0,0 1,1"},
    {"UnknownWithTerminator", "PU0,0;ZZ1,2,3;PD10,0;", "P1 0,0 10,0"},
    {"UnknownWithoutTerminator", "PU0,0ZZ1,2PD10,0", "P1 0,0 10,0"},
    {"CommentHidingMnemonics", "CO PD99,99 CI5;PU0,0;PD1,0;", "P1 0,0 1,0"},
    {"QuotedComment", "CO\"PD99;PD98\";PU0,0;PD1,0;", "P1 0,0 1,0"},
    {"JunkBytes", "PU0,0;\x01\xff#!@PD10,0;", "P1 0,0 10,0"},
    {"LoneSignIsNoNumber", "PU0,0;PD+,5;PD10,0;", "P1 0,0 10,0"},
    {"HugeNumberClamped", "PU0,0;PD99999999999999999999999999,0;", "P1 0,0 1e+09,0"},
    {"TruncatedPair", "PU0,0;PD10,", "P1 0,0 0,0"},
    // Scaling
    {"ScAnisotropic", "IP0,0,1000,2000;SC0,10,0,10;PU0,0;PD10,10;", "P1 0,0 1000,2000"},
    {"ScRelativeMoves", "IP0,0,1000,2000;SC0,10,0,10;PU1,1;PD;PR1,1;", "P1 100,200 200,400"},
    {"ScIsotropicCentred", "IP0,0,1000,2000;SC0,10,0,10,1;PU0,0;PD10,10;", "P1 0,500 1000,1500"},
    {"ScIsotropicBottom", "IP0,0,1000,2000;SC0,10,0,10,1,0,0;PU0,0;PD10,10;", "P1 0,0 1000,1000"},
    {"ScPointFactor", "IP100,100,200,200;SC0,2,0,3,2;PU0,0;PD10,10;", "P1 100,100 120,130"},
    {"ScReversedAxis", "IP0,0,100,100;SC10,0,0,10;PU0,0;PD10,10;", "P1 100,0 0,100"},
    {"ScOff", "IP0,0,1000,1000;SC0,10,0,10;SC;PU0,0;PD10,10;", "P1 0,0 10,10"},
    {"ScEmptyRangeIgnored", "SC0,0,0,10;PU0,0;PD10,10;", "P1 0,0 10,10"},
    // A plotter of 0.01 mm steps: its default scaling points lie on the same A4 millimetres.
    {"ScDefaultPointsAtAFinerStep", "SC0,10,0,10;PU0,0;PD10,10;", "P1 0,0 29700,21000", 2540},
    {"IpAfterScRescales", "SC0,10,0,10;IP0,0,100,100;PU0,0;PD10,10;", "P1 0,0 100,100"},
    {"IpTwoParametersMovesP2", "IP0,0,100,100;IP50,50;SC0,10,0,10;PU0,0;PD10,10;",
     "P1 50,50 150,150"},
    {"InResetsScaling", "IP0,0,100,100;SC0,10,0,10;IN;PU0,0;PD10,10;", "P1 0,0 10,10"},
    {"DfResetsRelative", "PU0,0;PR;DF;PD10,10;", "P1 0,0 10,10"},
    {"PsSetsP2", "PS1000,500;SC0,10,0,10;PU0,0;PD10,10;", "P1 0,0 1000,500"},
    // Arcs and circles
    {"CircleChords", "PU0,0;CI10,90;", "P1 10,0 0,10 -10,0 0,-10 10,0"},
    {"CircleKeepsPenUp", "PU0,0;CI10,90;PU5,0;", "P1 10,0 0,10 -10,0 0,-10 10,0"},
    {"CircleScaledIsEllipse", "IP0,0,200,100;SC0,10,0,10;PU5,5;CI5,90;",
     "P1 200,50 100,100 0,50 100,0 200,50"},
    {"CircleZeroRadiusSkipped", "PU0,0;CI0;", ""},
    {"AaCounterClockwise", "PU10,0;PD;AA0,0,90,45;", "P1 10,0 7.071,7.071 0,10"},
    {"ArClockwise", "PU10,0;PD;AR-10,0,-90,90;", "P1 10,0 0,-10"},
    {"ArcContinuesLine", "PU20,0;PD10,0;AA0,0,180,90;", "P1 20,0 10,0 0,10 -10,0"},
    {"ArcPenUpOnlyMoves", "PU10,0;AA0,0,90;PD0,0;", "P1 0,10 0,0"},
    {"ArcSweepBeyondTurnBounded", "PU10,0;PD;AA0,0,100000,180;", "P1 10,0 -10,0 10,0"},
    // Rectangles and wedges
    {"EaOutline", "PU10,10;EA20,30;", "P1 10,10 20,10 20,30 10,30 10,10"},
    {"ErOutline", "PU10,10;ER5,-5;", "P1 10,10 15,10 15,5 10,5 10,10"},
    {"RaRrOutline", "PU0,0;RA1,1;RR2,2;", "P1 0,0 1,0 1,1 0,1 0,0 | P1 0,0 2,0 2,2 0,2 0,0"},
    {"RectangleKeepsPosition", "PU10,10;EA20,30;PD10,0;", "P1 10,10 20,10 20,30 10,30 10,10 | "
                                                          "P1 10,10 10,0"},
    {"WedgeOutline", "PU0,0;EW10,0,90,90;", "P1 0,0 10,0 0,10 0,0"},
    // Labels: SI 1 cm = 400 units wide and high, characters 600 apart.
    {"LabelBoxAndAdvance", "SI1,1;PU100,200;LBAB\x03PD;PR10,0;",
     "L1 100,200 1100,200 1100,600 100,600 100,200 | P1 1300,200 1310,200"},
    {"LabelCarriageReturnLineFeed", "SI1,1;PU0,0;LBAB\r\nC\x03",
     "L1 0,-800 1000,-800 1000,400 0,400 0,-800"},
    {"LabelTerminatorFromDt", "DT#;SI1,1;PU0,0;LBA;PD#PU;PD0,0;",
     "L1 0,0 2200,0 2200,400 0,400 0,0 | P1 2400,0 0,0"},
    {"LabelUnterminated", "SI1,1;PU0,0;LBA", "L1 0,0 400,0 400,400 0,400 0,0"},
    {"LabelRelativeSize", "IP0,0,1000,2000;SR10,10;PU0,0;LBA\x03", "L1 0,0 100,0 100,200 0,200 0,0"},
    {"LabelEmptyDrawsNothing", "PU0,0;LB\x03", ""},
    {"LabelAtAFinerStep", "SI1,1;PU0,0;LBA", "L1 0,0 1000,0 1000,1000 0,1000 0,0", 2540},
    {"LabelDefaultSizeAtACoarserStep", "PU0,0;LBA", "L1 0,0 37.4,0 37.4,53.8 0,53.8 0,0", 508},
};

INSTANTIATE_TEST_SUITE_P(Reader, HpglInstructions, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HpglReader, DefaultChordAngleIsFiveDegrees) {
    const THpglPlot circle = ReadHpgl("PU0,0;CI100;");
    ASSERT_EQ(circle.paths.size(), 1u);
    EXPECT_EQ(circle.SegmentCount(), 72u);
    const THpglPlot arc = ReadHpgl("PU100,0;PD;AA0,0,90;");
    EXPECT_EQ(arc.SegmentCount(), 18u);
    EXPECT_NEAR(arc.points.back().x, 0, 1e-3);
    EXPECT_NEAR(arc.points.back().y, 100, 1e-3);
}

TEST(HpglReader, ArcChordsAreBounded) {
    EXPECT_EQ(HpglArcChords(360, 5), 72);
    EXPECT_EQ(HpglArcChords(360, 0), 1000);         // below 0.36 degrees
    EXPECT_EQ(HpglArcChords(1e9, 0.36), 1000);      // more than a turn
    EXPECT_EQ(HpglArcChords(10, 1000), 1);          // beyond 180 degrees
    EXPECT_EQ(HpglArcChords(0, 5), 1);
    EXPECT_EQ(HpglArcChords(90, std::nan("")), 18);  // unusable chord: the default
}

TEST(HpglReader, BoundsAndLengthCountPenDownOnly) {
    const THpglPlot plot = ReadHpgl("PU-500,-500;PU0,0;PD30,0,30,40;PU9000,9000;SI1,1;LBX\x03");
    EXPECT_DOUBLE_EQ(plot.penDownLength, 70);  // the label box is not pen travel
    EXPECT_EQ(plot.bounds.minX, 0);
    EXPECT_EQ(plot.bounds.minY, 0);
    EXPECT_EQ(plot.bounds.maxX, 9400);  // but it is part of the drawing
    EXPECT_EQ(plot.bounds.maxY, 9400);
}

TEST(HpglReader, EmptyAndPenUpOnlyInput) {
    for (const char* input : {"", ";;;", "PU100,100;PA5,5;", "\x1b.(\x1b.)"}) {
        const THpglPlot plot = ReadHpgl(input);
        EXPECT_TRUE(plot.paths.empty()) << input;
        EXPECT_TRUE(plot.bounds.empty) << input;
        EXPECT_EQ(plot.penDownLength, 0) << input;
    }
}

TEST(HpglReader, LineTypeRecordedPerPath) {
    // Default P1/P2 diagonal is 14550 units (11880 x 8400): 4 % of it, and 2 mm = 80 units.
    const THpglPlot plot =
        ReadHpgl("PU0,0;PD1,0;LT3;PD2,0;LT-2,10;PD3,0;LT4,2,1;PD4,0;LT;PD5,0;");
    ASSERT_EQ(plot.paths.size(), 5u);
    EXPECT_TRUE(plot.paths[0].lineType.solid);
    EXPECT_FALSE(plot.paths[1].lineType.solid);
    EXPECT_EQ(plot.paths[1].lineType.type, 3);
    const double diagonal = std::hypot(11880.0, 8400.0);
    EXPECT_NEAR(plot.paths[1].lineType.patternLength, diagonal * 0.04, 0.01);
    EXPECT_EQ(plot.paths[2].lineType.type, -2);
    EXPECT_NEAR(plot.paths[2].lineType.patternLength, diagonal * 0.10, 0.01);
    EXPECT_NEAR(plot.paths[3].lineType.patternLength, 80, 1e-3);
    EXPECT_TRUE(plot.paths[4].lineType.solid);
    // A preview dashes with the table; each pattern adds up to 100 %.
    for (int type = -8; type <= 8; ++type) {
        float sum = 0;
        for (float part : HpglDashPattern(type)) sum += part;
        EXPECT_FLOAT_EQ(sum, 100) << type;
    }
    EXPECT_TRUE(HpglDashPattern(9).empty());
}

TEST(HpglReader, SegmentLimitStopsHostileInput) {
    std::string input;
    for (int i = 0; i < 100; ++i) input += "CI1,0.01;";  // 1000 chords each
    THpglOptions options;
    options.maxSegments = 5000;
    const THpglPlot plot = ReadHpgl(input, options);
    EXPECT_TRUE(plot.truncated);
    EXPECT_EQ(plot.SegmentCount(), 5000u);
    EXPECT_EQ(plot.points.size(), plot.SegmentCount() + plot.paths.size());
    EXPECT_FALSE(ReadHpgl("CI1,0.01;", options).truncated);
}

// Random bytes and mangled plots: no crash, no runaway memory, and the layout invariants hold.
TEST(HpglReader, SurvivesRandomInput) {
    std::mt19937 rng(20240611);
    const std::string alphabet = "PUDARCIWSEKLBTNGHXYZ0123456789+-.,;: \x1b\x03\r\n%()\"";
    for (int round = 0; round < 200; ++round) {
        std::string input(4096, '\0');
        for (char& c : input) {
            c = (rng() % 4 == 0) ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
        }
        THpglOptions options;
        options.maxSegments = 100'000;
        const THpglPlot plot = ReadHpgl(input, options);
        ASSERT_LE(plot.SegmentCount(), options.maxSegments);
        std::size_t points = 0;
        for (const THpglPath& path : plot.paths) {
            ASSERT_GE(path.pointCount, 2u);
            ASSERT_EQ(path.firstPoint, points);
            points += path.pointCount;
        }
        ASSERT_EQ(points, plot.points.size());
        ASSERT_TRUE(std::isfinite(plot.penDownLength));
        for (std::size_t i = 1; i < plot.segmentOffsets.size(); ++i) {
            ASSERT_LE(plot.segmentOffsets[i - 1], plot.segmentOffsets[i]);
        }
        for (const std::uint64_t offset : plot.segmentOffsets) ASSERT_LT(offset, input.size());
    }
}

// A pen that stays down for the whole file is handed over batch by batch, not carried (and
// copied) whole: the stream keeps every segment, in order, in time that follows the file.
TEST(HpglReader, StreamsOnePenDownLineLongerThanABatch) {
    std::string input = "PU0,0;PD";
    for (int i = 1; i <= 4 * static_cast<int>(kStreamBatchPoints); ++i)
        input += std::to_string(i % 977) + "," + std::to_string(i % 631) + ";PD";
    std::vector<std::uint64_t> offsets;
    StreamedText(input, 0, kHpglStepsPerInch, offsets);
    EXPECT_EQ(offsets, ReadHpgl(input).segmentOffsets);
}

// One PD whose coordinate list runs for the whole file is cut into batches too: what a batch
// holds stays bounded however long the instruction, and every segment still comes, in order.
TEST(HpglReader, StreamsOneCoordinateListLongerThanABatch) {
    std::string input = "IN;SP1;PU0,0;PD";
    for (int i = 0; i < 5 * static_cast<int>(kStreamBatchPoints); ++i) input += "1,1,2,2,";
    char name[] = "/tmp/trzn-hpgl-list-XXXXXX";
    const int fd = ::mkstemp(name);
    ::unlink(name);
    ASSERT_EQ(::write(fd, input.data(), input.size()), static_cast<ssize_t>(input.size()));
    std::size_t segments = 0, largest = 0;
    ReadHpglStream(fd, {}, [&](const THpglPlot& batch) {
        segments += batch.SegmentCount();
        largest = std::max(largest, batch.points.size());
    });
    ::close(fd);
    EXPECT_LE(largest, kStreamBatchPoints);
    EXPECT_EQ(segments, ReadHpgl(input).SegmentCount());
}

TEST(HpglReader, ReadsFiles) {
    TempHome home;
    const std::string path = home.scratch("plots") + "/Trazen.tmp";
    WriteFileBytes(path, "\x1b.(IN;IW;PU0,0;PD10,0;\x1b.)");
    const auto plot = ReadHpglFile(path);
    ASSERT_TRUE(plot);
    EXPECT_EQ(PlotText(*plot), "P1 0,0 10,0");
    EXPECT_EQ(plot->segmentOffsets.front(), 15u);

    WriteFileBytes(path, "");
    const auto empty = ReadHpglFile(path);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->paths.empty());

    EXPECT_FALSE(ReadHpglFile(home.scratch("plots") + "/missing.plt"));
    EXPECT_FALSE(ReadHpglFile(home.scratch("plots")));  // a folder
}

}  // namespace
