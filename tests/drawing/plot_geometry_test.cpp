// The geometry under the plotting options: hatching, merging shared and touching lines, and
// the inside-first and banded orders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "drawing/geometry/cover_store.h"
#include "drawing/geometry/path_runs.h"
#include "drawing/geometry/path_store.h"
#include "drawing/paint/hatch.h"
#include "drawing/stages/hidden_lines.h"
#include "drawing/stages/line_merge.h"
#include "drawing/stages/path_sort.h"

namespace {

Ring Square(double x, double y, double side, bool clockwise = true) {
    Ring r{{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
    if (!clockwise) std::reverse(r.begin(), r.end());
    return r;
}

// Under the rule, by the winding number of every ring around p.
bool InArea(const std::vector<Ring>& rings, Qt::FillRule rule, QPointF p) {
    int wind = 0, crossings = 0;
    for (const Ring& r : rings)
        for (size_t i = 0; i < r.size(); ++i) {
            const QPointF a = r[i], b = r[(i + 1) % r.size()];
            if ((a.y() > p.y()) == (b.y() > p.y())) continue;
            const double x = a.x() + (p.y() - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
            if (x > p.x()) ++crossings, wind += b.y() > a.y() ? 1 : -1;
        }
    return rule == Qt::OddEvenFill ? crossings % 2 : wind != 0;
}

double DistToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0;
    const QPointF q = a + d * t - p;
    return std::hypot(q.x(), q.y());
}

struct HatchCase {
    const char* name;
    std::vector<Ring> rings;
    Qt::FillRule rule;
    double width;
    size_t maxRuns;
};

class HatchTable : public testing::TestWithParam<HatchCase> {};

// Every point of every line (joins too) lies in the area; the area a pen width in from its
// boundary is covered by lines that wide; holes stay empty.
TEST_P(HatchTable, CoversTheAreaAndNothingElse) {
    const HatchCase& c = GetParam();
    const HatchResult h = Hatch(c.rings, c.rule, c.width, QRectF(-1e6, -1e6, 2e6, 2e6), 1u << 30);
    ASSERT_FALSE(h.refused);
    ASSERT_FALSE(h.runs.empty());
    EXPECT_LE(h.runs.size(), c.maxRuns);
    for (const auto& run : h.runs)
        for (size_t i = 0; i + 1 < run.size(); ++i)
            for (double t = 0; t <= 1; t += 0.05)
                ASSERT_TRUE(InArea(c.rings, c.rule, run[i] + (run[i + 1] - run[i]) * t))
                    << run[i].x() << "," << run[i].y() << " to " << run[i + 1].x() << ","
                    << run[i + 1].y();
    QRectF box;
    for (const Ring& r : c.rings)
        for (QPointF p : r) box |= QRectF(p, QSizeF(1e-9, 1e-9));
    const double step = c.width / 3;
    for (double y = box.top(); y <= box.bottom(); y += step)
        for (double x = box.left(); x <= box.right(); x += step) {
            const QPointF p(x, y);
            bool deep = InArea(c.rings, c.rule, p);
            for (int k = 0; k < 8 && deep; ++k) {
                const double a = k * M_PI / 4;
                deep = InArea(c.rings, c.rule, p + QPointF(std::cos(a), std::sin(a)) * c.width);
            }
            if (!deep) continue;
            double nearest = 1e9;
            for (const auto& run : h.runs)
                for (size_t i = 0; i + 1 < run.size(); ++i)
                    nearest = std::min(nearest, DistToSegment(p, run[i], run[i + 1]));
            ASSERT_LE(nearest, c.width / 2 + 1e-6) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, HatchTable,
    testing::Values(
        // One zigzag: each line goes on into the next.
        HatchCase{"Square", {Square(0, 0, 800)}, Qt::OddEvenFill, 20, 1},
        HatchCase{
            "HoleEvenOdd", {Square(0, 0, 400), Square(100, 100, 200)}, Qt::OddEvenFill, 12, 4},
        HatchCase{"HoleNonzeroOpposite",
                  {Square(0, 0, 400), Square(100, 100, 200, false)},
                  Qt::WindingFill,
                  12,
                  4},
        // Nonzero fills a hole running the same way round (InArea checks it is filled).
        HatchCase{"HoleNonzeroSameWay",
                  {Square(0, 0, 400), Square(100, 100, 200)},
                  Qt::WindingFill,
                  12,
                  1},
        HatchCase{"Triangle", {{{0, 0}, {600, 300}, {0, 600}}}, Qt::OddEvenFill, 20, 2},
        HatchCase{"CrossingStar",
                  {{{0, 100}, {300, 100}, {50, 300}, {150, 0}, {250, 300}}},
                  Qt::OddEvenFill,
                  8,
                  12}),
    [](const testing::TestParamInfo<HatchCase>& i) { return std::string(i.param.name); });

TEST(Drawing, HatchingPastTheBudgetIsRefusedWhole) {
    const HatchResult h =
        Hatch({Square(0, 0, 4000)}, Qt::OddEvenFill, 2, QRectF(-1e6, -1e6, 2e6, 2e6), 1000);
    EXPECT_TRUE(h.refused);
    EXPECT_TRUE(h.runs.empty());
}

// A background far larger than the paper is hatched where the paper is, a line per pen width:
// counted over its whole height its lines would not fit a count at all.
TEST(Drawing, HugeAreaIsHatchedWithinTheClip) {
    const double far = 1e25;
    const Ring huge = {{-far, -far}, {far, -far}, {far, far}, {-far, far}};
    const HatchResult h = Hatch({huge}, Qt::OddEvenFill, 20, QRectF(0, 0, 400, 400), 1u << 30);
    ASSERT_FALSE(h.refused);
    std::set<long> rows;
    for (const auto& run : h.runs)
        for (QPointF p : run)
            if (p.y() >= 0 && p.y() <= 400) rows.insert(std::lround(p.y()));
    EXPECT_GE(rows.size(), 20u);
}

PathSet Paths(const std::vector<std::vector<PlotPoint>>& polylines) {
    PathSet set;
    for (const auto& p : polylines) {
        set.starts.push_back(static_cast<uint32_t>(set.points.size()));
        set.points.insert(set.points.end(), p.begin(), p.end());
    }
    return set;
}

std::vector<PlotPoint> Closed(int32_t x, int32_t y, int32_t side) {
    return {{x, y}, {x, y + side}, {x + side, y + side}, {x + side, y}, {x, y}};
}

double SignedArea(const PathSet& s, size_t i) {
    double a = 0;
    for (uint32_t k = s.begin(i); k + 1 < s.end(i); ++k)
        a += double(s.points[k].x) * s.points[k + 1].y - double(s.points[k + 1].x) * s.points[k].y;
    return a / 2;
}

bool Drawn(const PathSet& s, PlotPoint p) {
    for (size_t i = 0; i < s.size(); ++i)
        for (uint32_t k = s.begin(i); k + 1 < s.end(i); ++k)
            if (DistToSegment(QPointF(p.x, p.y), QPointF(s.points[k].x, s.points[k].y),
                              QPointF(s.points[k + 1].x, s.points[k + 1].y)) <= 2)
                return true;
    return false;
}

struct MergeCase {
    const char* name;
    PathSet in;
    double length;  // pen-down after merging, plotter units
    size_t runs;    // at most
};

class MergeTable : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeTable, SharedOnceTouchingJoined) {
    const MergeCase& c = GetParam();
    const PathSet out = MergeLines(c.in);
    EXPECT_NEAR(PenDownLength(out), c.length, 0.5);
    EXPECT_LE(out.size(), c.runs);
    // Everything drawn before is still drawn: every point along the input.
    for (size_t i = 0; i < c.in.size(); ++i)
        for (uint32_t k = c.in.begin(i); k + 1 < c.in.end(i); ++k)
            for (int t = 0; t <= 8; ++t) {
                const PlotPoint a = c.in.points[k], b = c.in.points[k + 1];
                const PlotPoint p{a.x + (b.x - a.x) * t / 8, a.y + (b.y - a.y) * t / 8};
                ASSERT_TRUE(Drawn(out, p)) << p.x << "," << p.y;
            }
}

// 20 steps of 20 units along x from (x, y), rising `rise` a step.
std::vector<PlotPoint> Polyline(int32_t x, int32_t y, int32_t rise) {
    std::vector<PlotPoint> points;
    for (int32_t k = 0; k <= 20; ++k) points.push_back({x + 20 * k, y + rise * k});
    return points;
}

PathSet Grid(int n, int32_t side) {
    std::vector<std::vector<PlotPoint>> squares;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) squares.push_back(Closed(x * side, y * side, side));
    return Paths(squares);
}

// Long lines across the sheet, crossing far from their ends: 60 along x, 4000 units, 20 apart,
// and 200 along y, 1200 units; every along-x line and every third along-y one drawn again
// backwards 1 unit off. Each copy goes however many cells the lines pass, and nothing else.
PathSet LongLines() {
    std::vector<std::vector<PlotPoint>> lines, again;
    for (int32_t i = 0; i < 60; ++i) {
        lines.push_back({{0, 20 * i}, {4000, 20 * i}});
        again.push_back({{4000, 20 * i + 1}, {0, 20 * i + 1}});
    }
    for (int32_t j = 0; j < 200; ++j) {
        lines.push_back({{20 * j + 10, -10}, {20 * j + 10, 1190}});
        if (j % 3 == 0) again.push_back({{20 * j + 11, 1190}, {20 * j + 11, -10}});
    }
    lines.insert(lines.end(), again.begin(), again.end());
    return Paths(lines);
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, MergeTable,
    testing::Values(
        // 10 x 10 abutting 5 mm squares: 22 lines of 50 mm, in at most 50 runs.
        MergeCase{"Grid", Grid(10, 200), 22 * 2000, 50},
        MergeCase{"OutlinedTwice", Paths({Closed(0, 0, 100), Closed(0, 0, 100)}), 400, 1},
        // Off by 0.05 mm: still the same line.
        MergeCase{"OutlinedTwiceOffByTwo", Paths({Closed(0, 0, 100), Closed(2, 0, 100)}), 400, 1},
        // The second runs the other way and ends where the first ends, 3 units off.
        MergeCase{"TouchingEnds", Paths({{{0, 0}, {100, 0}}, {{200, 50}, {103, 0}}}), 212.1, 1},
        MergeCase{"Apart", Paths({{{0, 0}, {100, 0}}, {{106, 0}, {200, 0}}}), 194, 2},
        MergeCase{"Crossing", Paths({{{0, 0}, {100, 0}}, {{50, -50}, {50, 50}}}), 200, 2},
        MergeCase{"OverlapPart", Paths({{{0, 0}, {100, 0}}, {{50, 1}, {150, 1}}}), 151, 1},
        // Two flattened curves crossing at a glancing angle run within 0.05 mm for 1 mm: drawn
        // again rather than lifted around (the lift costs more, and the plot grows).
        MergeCase{"GlancingCrossing", Paths({Polyline(0, 0, 0), Polyline(0, -20, 2)}), 802, 2},
        MergeCase{"LongLinesDrawnTwice", LongLines(), 60 * 4000 + 200 * 1200, 260},
        // Out and back along itself, ending 1 unit off: the way back is the way out.
        MergeCase{"TurnsBackOnItself", Paths({{{0, 0}, {400, 0}, {0, 1}}}), 400, 1},
        // Drawn again backwards with a point repeated: where the copy's second half starts
        // (after the repeat) and where the first line ends are the ends that find it.
        MergeCase{"DrawnAgainThroughARepeatedPoint",
                  Paths({{{0, 0}, {200, 0}}, {{200, 1}, {100, 1}, {100, 1}, {0, 1}}}), 200, 1}),
    [](const testing::TestParamInfo<MergeCase>& i) { return std::string(i.param.name); });

// So many short segments that the shared stretches are looked for a band of rows at a time,
// with long lines drawn twice reaching across every band: each band still finds them all.
TEST(Drawing, MergingFindsWhatCrossesBandsOfRows) {
    PathSet in = Grid(360, 16);
    std::vector<std::vector<PlotPoint>> lines;
    for (int32_t i = 0; i < 10; ++i) {
        lines.push_back({{5 + 576 * i, -10}, {5 + 576 * i, 5770}});
        lines.push_back({{6 + 576 * i, 5770}, {6 + 576 * i, -10}});
    }
    const PathSet across = Paths(lines);
    for (size_t i = 0; i < across.size(); ++i) {
        in.starts.push_back(static_cast<uint32_t>(in.points.size()));
        in.points.insert(in.points.end(), across.points.begin() + across.begin(i),
                         across.points.begin() + across.end(i));
    }
    // 361 lines each way of 5760 units, and each long line once.
    EXPECT_NEAR(PenDownLength(MergeLines(std::move(in))), 2.0 * 361 * 5760 + 10 * 5780, 50);
}

TEST(Drawing, MergingKeepsAClosedPathClosedAndItsWay) {
    const PathSet in = Paths({Closed(0, 0, 100), {{300, 0}, {400, 0}}});
    const PathSet out = MergeLines(in);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_TRUE(out.closed(0));
    EXPECT_EQ(std::signbit(SignedArea(out, 0)), std::signbit(SignedArea(in, 0)));
    // The grid's squares all run one way: whatever closes again runs that way too.
    const PathSet grid = MergeLines(Grid(3, 200));
    for (size_t i = 0; i < grid.size(); ++i)
        if (grid.closed(i)) EXPECT_LT(SignedArea(grid, i), 0);
}

struct NestCase {
    const char* name;
    PathSet paths;
};

class NestTable : public testing::TestWithParam<NestCase> {};

// Every closed path goes after all the closed paths inside it.
TEST_P(NestTable, InsideGoesFirst) {
    const PathSet& s = GetParam().paths;
    const std::vector<PathStep> steps = InsideFirstOrder(s, {0, 0});
    ASSERT_EQ(steps.size(), s.size());
    std::vector<size_t> at(s.size());
    for (size_t k = 0; k < steps.size(); ++k) at[steps[k].path] = k;
    const auto inside = [&](size_t i, size_t j) {  // every vertex of i strictly in j's box
        int32_t x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
        for (uint32_t m = s.begin(j); m < s.end(j); ++m)
            x0 = std::min(x0, s.points[m].x), x1 = std::max(x1, s.points[m].x),
            y0 = std::min(y0, s.points[m].y), y1 = std::max(y1, s.points[m].y);
        for (uint32_t k = s.begin(i); k < s.end(i); ++k)
            if (s.points[k].x <= x0 || s.points[k].x >= x1 || s.points[k].y <= y0 ||
                s.points[k].y >= y1)
                return false;
        return true;
    };
    for (size_t i = 0; i < s.size(); ++i)
        for (size_t j = 0; j < s.size(); ++j)
            if (i != j && s.closed(i) && s.closed(j) && inside(i, j))
                EXPECT_LT(at[i], at[j]) << i << " inside " << j;
}

PathSet Rings(int depth) {
    std::vector<std::vector<PlotPoint>> rings;
    for (int d = 0; d < depth; ++d) rings.push_back(Closed(d * 10, d * 10, 1000 - d * 20));
    return Paths(rings);
}

PathSet Scattered(int n) {
    std::mt19937 random(5);
    std::vector<std::vector<PlotPoint>> paths;
    for (int i = 0; i < n; ++i) {
        const int32_t x = random() % 20000, y = random() % 20000, side = 100 + random() % 900;
        paths.push_back(Closed(x, y, side));
        if (i % 3 == 0) paths.push_back(Closed(x + side / 4, y + side / 4, side / 2));
    }
    return Paths(paths);
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, NestTable,
    testing::Values(
        NestCase{"Concentric", Rings(12)},
        // Letters: outlines first in the document, their counters after, an open line between.
        NestCase{"Letters", Paths({Closed(0, 0, 300),
                                   Closed(1000, 0, 300),
                                   {{0, 500}, {900, 500}},
                                   Closed(100, 100, 50),
                                   Closed(1100, 100, 50),
                                   Closed(1200, 100, 50)})},
        NestCase{"Scattered", Scattered(300)}),
    [](const testing::TestParamInfo<NestCase>& i) { return std::string(i.param.name); });

TEST(Drawing, BandsGoOneWayAlongThePaper) {
    std::mt19937 random(9);
    std::vector<std::vector<PlotPoint>> squares;
    for (int i = 0; i < 60; ++i)
        squares.push_back(Closed(random() % 8000, random() % 12000, 200 + random() % 200));
    const PathSet s = Paths(squares);
    const std::vector<PathStep> steps = BandOrder(s, {0, 0}, 1000, 12400);
    ASSERT_EQ(steps.size(), s.size());
    int32_t band = 0, furthest = 0;
    for (const PathStep& step : steps) {
        int32_t low = INT32_MAX;
        ForEachPoint(s, step, [&](const PlotPoint& p) {
            low = std::min(low, p.y);
            // Drawing a square of at most 10 mm goes back at most that.
            EXPECT_LE(furthest - p.y, 1000 + 400);
            furthest = std::max(furthest, p.y);
        });
        EXPECT_GE(low / 1000, band);
        band = low / 1000;
    }
}

struct RunsCase {
    const char* name;
    std::vector<RunPoint> line;
    std::vector<double> pattern;
    double offset;
    size_t onPieces;
    double firstOn, lastOn, onTotal;  // lengths of "on" pieces
    size_t offPieces;
};

class RunsTable : public testing::TestWithParam<RunsCase> {};

double Length(std::span<const RunPoint> pts) {
    double l = 0;
    for (size_t i = 1; i < pts.size(); ++i)
        l += std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
    return l;
}

// Pieces follow the line: the "on" lengths add up, the first and last are cut where the
// pattern says, and every piece starts where the one before it ended.
TEST_P(RunsTable, PiecesFollowThePattern) {
    const RunsCase& c = GetParam();
    std::vector<double> on;
    size_t off = 0;
    RunPoint last = c.line.front();
    const RunRefusal r = ForEachRun(c.line, c.pattern, c.offset, 100000,
                                    [&](bool isOn, std::span<const RunPoint> pts) {
                                        EXPECT_NEAR(pts.front().x, last.x, 1e-9);
                                        EXPECT_NEAR(pts.front().y, last.y, 1e-9);
                                        last = pts.back();
                                        if (isOn)
                                            on.push_back(Length(pts));
                                        else
                                            ++off;
                                    });
    ASSERT_EQ(r, RunRefusal::none);
    ASSERT_EQ(on.size(), c.onPieces);
    EXPECT_EQ(off, c.offPieces);
    EXPECT_NEAR(on.front(), c.firstOn, 1e-9);
    EXPECT_NEAR(on.back(), c.lastOn, 1e-9);
    double sum = 0;
    for (double l : on) sum += l;
    EXPECT_NEAR(sum, c.onTotal, 1e-9);
}

const std::vector<RunPoint> kLine100{{0, 0}, {100, 0}};
const std::vector<RunPoint> kSquare40{{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0}};

INSTANTIATE_TEST_SUITE_P(
    Drawing, RunsTable,
    testing::Values(RunsCase{"dash_5_2", kLine100, {5, 2}, 0, 15, 5, 2, 72, 14},
                    RunsCase{"offset_3", kLine100, {5, 2}, 3, 15, 2, 5, 72, 14},
                    RunsCase{"negative_offset_wraps", kLine100, {5, 2}, -4, 15, 2, 5, 72, 14},
                    RunsCase{"square_round_corners", kSquare40, {10, 10}, 0, 8, 10, 10, 80, 8},
                    RunsCase{"odd_pattern_repeats", kLine100, {30}, 0, 2, 30, 30, 60, 2},
                    RunsCase{"no_gap_is_whole", kLine100, {5, 0}, 0, 1, 100, 100, 100, 0},
                    RunsCase{"dots_touch", {{0, 0}, {10, 0}}, {0, 2}, 0, 6, 0, 0, 0, 5},
                    RunsCase{"gap_first_by_offset", kLine100, {10, 40}, 10, 2, 10, 10, 20, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Drawing, UnusablePatternsAndTooManyPiecesCallNothing) {
    int calls = 0;
    auto count = [&](bool, std::span<const RunPoint>) { ++calls; };
    EXPECT_EQ(ForEachRun(kLine100, std::vector<double>{0, 0}, 0, 1000, count),
              RunRefusal::bad_pattern);
    EXPECT_EQ(ForEachRun(kLine100, std::vector<double>{5, -1}, 0, 1000, count),
              RunRefusal::bad_pattern);
    EXPECT_EQ(ForEachRun(kLine100, std::vector<double>{NAN, 1}, 0, 1000, count),
              RunRefusal::bad_pattern);
    EXPECT_EQ(ForEachRun(kLine100, std::vector<double>{1e-9, 1e-9}, 0, 1000, count),
              RunRefusal::too_many_pieces);
    EXPECT_EQ(calls, 0);
}

}  // namespace

namespace {

using Points = std::vector<PlotPoint>;

// Squares as covers: (x0, y0) to (x1, y1), anticlockwise; a hole runs the other way round.
Points Square(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool hole = false) {
    Points ring{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    if (hole) std::reverse(ring.begin(), ring.end());
    return ring;
}

struct CoverAt {
    uint32_t position;  // painted after that many paths
    std::vector<Points> rings;
    CoverPaint paint = {};
    bool whiteLine = false;  // rings[0] is a white line drawn as a line, not a cover
};

struct HideCase {
    const char* name;
    std::vector<Points> paths;  // in paint order
    std::vector<CoverAt> covers;
    std::vector<Points> kept;
    std::vector<uint8_t> pens = {};  // of the kept paths; none given: all the paths' pen, 3
};

class HiddenLinesTable : public testing::TestWithParam<HideCase> {};

TEST_P(HiddenLinesTable, LaterCoversCutWhatLiesUnderThem) {
    const HideCase& c = GetParam();
    PathSet paths;
    std::vector<uint8_t> pens;
    for (const Points& p : c.paths) {
        paths.starts.push_back(static_cast<uint32_t>(paths.points.size()));
        paths.points.insert(paths.points.end(), p.begin(), p.end());
        pens.push_back(3);
    }
    PathStore store;
    store.Take(paths, pens);
    CoverStore covers;
    for (const CoverAt& cover : c.covers) {
        if (cover.whiteLine)
            covers.AddPaperLine(cover.position, cover.rings.front());
        else
            covers.Add(cover.position, cover.rings, cover.paint);
    }
    HideCovered(store, covers);
    std::vector<Points> kept;
    std::vector<uint8_t> keptPens;
    PathSet one;
    for (size_t i = 0; i < store.size(); ++i) {
        store.Get(i, one);
        kept.push_back(one.points);
        keptPens.push_back(store.pen(i));
    }
    EXPECT_EQ(kept, c.kept);
    EXPECT_EQ(keptPens, c.pens.empty() ? std::vector<uint8_t>(kept.size(), 3) : c.pens);
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, HiddenLinesTable,
    testing::Values(
        HideCase{"CutWhereTheEdgesCross",
                 {{{0, 0}, {1000, 0}}},
                 {{1, {Square(400, -100, 600, 100)}}},
                 {{{0, 0}, {400, 0}}, {{600, 0}, {1000, 0}}}},
        HideCase{"PaintedBeforeHidesNothing",
                 {{{0, 0}, {1000, 0}}},
                 {{0, {Square(400, -100, 600, 100)}}},
                 {{{0, 0}, {1000, 0}}}},
        HideCase{"PiecesKeepTheLinesWay",
                 {{{1000, 0}, {0, 0}}},
                 {{1, {Square(400, -100, 600, 100)}}},
                 {{{1000, 0}, {600, 0}}, {{400, 0}, {0, 0}}}},
        // A shape's outline cut once stays one line, from the cut round to the cut.
        HideCase{"ClosedPathOnePieceRoundItsStart",
                 {{{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}}},
                 {{1, {Square(400, -100, 600, 100)}}},
                 {{{600, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}, {400, 0}}}},
        HideCase{"UnderACoverWhole",
                 {{{450, 0}, {550, 0}}, {{0, 500}, {1000, 500}}},
                 {{2, {Square(400, -100, 600, 100)}}},
                 {{{0, 500}, {1000, 500}}}},
        HideCase{"HoleShowsThrough",
                 {{{0, 0}, {1000, 0}}},
                 {{1, {Square(-100, -500, 1100, 500), Square(400, -100, 600, 100, true)}}},
                 {{{400, 0}, {600, 0}}}},
        HideCase{"OverlappingCoversTogether",
                 {{{0, 0}, {1000, 0}}},
                 {{1, {Square(200, -100, 400, 100)}}, {1, {Square(350, -100, 600, 100)}}},
                 {{{0, 0}, {200, 0}}, {{600, 0}, {1000, 0}}}},
        // Only the paths painted before a cover are under it.
        HideCase{"LaterPathOverTheCover",
                 {{{0, 0}, {1000, 0}}, {{0, 10}, {1000, 10}}},
                 {{1, {Square(400, -100, 600, 100)}}},
                 {{{0, 0}, {400, 0}}, {{600, 0}, {1000, 0}}, {{0, 10}, {1000, 10}}}},
        // A white shape's edge shows where it lies over a colour, in that colour's pen, at its
        // place in paint order; over the paper, or over white, nothing.
        HideCase{"WhiteEdgeOverColourOnly",
                 {{{0, 0}, {1000, 0}}, {{0, 10}, {1000, 10}}},
                 {{0, {Square(0, 0, 500, 500)}, {5}}, {1, {Square(400, 100, 600, 200)}, {0, true}}},
                 {{{0, 0}, {1000, 0}}, {{500, 200}, {400, 200}, {400, 100}, {500, 100}},
                  {{0, 10}, {1000, 10}}},
                 {3, 5, 3}},
        HideCase{"WhiteOverWhiteOverColour",
                 {},
                 {{0, {Square(0, 0, 500, 500)}, {5}},
                  {0, {Square(100, 100, 300, 300)}, {0, true}},
                  {0, {Square(200, 200, 250, 250)}, {0, true}}},
                 {{{100, 100}, {300, 100}, {300, 300}, {100, 300}, {100, 100}}},
                 {5}},
        // Over two colours: each piece in the pen of the topmost colour under it.
        HideCase{"WhiteEdgeTakesThePenUnderIt",
                 {},
                 {{0, {Square(0, 0, 500, 500)}, {5}},
                  {0, {Square(0, 0, 200, 500)}, {2}},
                  {0, {Square(100, 100, 300, 300)}, {0, true}}},
                 {{{200, 300}, {100, 300}, {100, 100}, {200, 100}},
                  {{200, 100}, {300, 100}, {300, 300}, {200, 300}}},
                 {2, 5}},
        // A cover painted after the white one, at the same place in paint order, hides its edge.
        HideCase{"LaterCoverHidesTheWhiteEdge",
                 {},
                 {{0, {Square(0, 0, 500, 500)}, {5}},
                  {0, {Square(100, 100, 300, 300)}, {0, true}},
                  {0, {Square(0, 200, 500, 500)}, {2}}},
                 {{{100, 200}, {100, 100}, {300, 100}, {300, 200}}},
                 {5}},
        // A white line shows over the colour painted before it, up to a cover painted after.
        HideCase{"WhiteLineBetweenCovers",
                 {},
                 {{0, {Square(0, 0, 500, 500)}, {5}},
                  {0, {{{-100, 250}, {1000, 250}}}, {}, true},
                  {0, {Square(300, 200, 400, 300)}, {2}}},
                 {{{0, 250}, {300, 250}}, {{400, 250}, {500, 250}}},
                 {5, 5}}),
    [](const testing::TestParamInfo<HideCase>& i) { return std::string(i.param.name); });

}  // namespace
