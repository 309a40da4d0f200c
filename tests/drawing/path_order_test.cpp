#include "drawing/path_order.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

PathSet MakeSet(const std::vector<std::vector<PlotPoint>>& polylines) {
    PathSet set;
    for (const auto& line : polylines) {
        set.starts.push_back(static_cast<uint32_t>(set.points.size()));
        set.points.insert(set.points.end(), line.begin(), line.end());
    }
    return set;
}

double Dist(PlotPoint a, PlotPoint b) { return std::hypot(double(a.x) - b.x, double(a.y) - b.y); }

// The places each path may be entered, found without the library: (point index, reversed).
std::vector<std::pair<uint32_t, bool>> Entries(const PathSet& s, uint32_t i) {
    const uint32_t b = s.begin(i), e = s.end(i);
    if (e - b > 2 && s.points[b] == s.points[e - 1]) {
        std::vector<std::pair<uint32_t, bool>> all;
        for (uint32_t p = b; p + 1 < e; ++p) all.push_back({p, false});
        return all;
    }
    if (e - b == 1) return {{b, false}};
    return {{b, false}, {e - 1, true}};
}

// Greedy without an index: every remaining entry looked at, the lowest point index among equals.
std::vector<PathStep> NaiveGreedy(const PathSet& s, PlotPoint at) {
    std::vector<bool> used(s.size());
    std::vector<PathStep> steps;
    while (steps.size() < s.size()) {
        PathStep best;
        double bestD = std::numeric_limits<double>::infinity();
        for (uint32_t i = 0; i < s.size(); ++i) {
            if (used[i]) continue;
            for (auto [p, rev] : Entries(s, i)) {
                const double d = Dist(s.points[p], at);
                if (d < bestD || (d == bestD && p < best.entry)) bestD = d, best = {i, rev, p};
            }
        }
        used[best.path] = true;
        steps.push_back(best);
        at = StepExit(s, best);
    }
    return steps;
}

// The shortest pen-up travel over every order and every entry of each path.
double BruteForce(const PathSet& s, PlotPoint at, std::vector<bool>& used, size_t left) {
    if (left == 0) return 0;
    double best = std::numeric_limits<double>::infinity();
    for (uint32_t i = 0; i < s.size(); ++i) {
        if (used[i]) continue;
        used[i] = true;
        for (auto [p, rev] : Entries(s, i)) {
            const double d = Dist(s.points[p], at);
            best = std::min(best, d + BruteForce(s, StepExit(s, {i, rev, p}), used, left - 1));
        }
        used[i] = false;
    }
    return best;
}

// Draws the steps point by point and sums the jumps between them; checks each step is a whole
// path, drawn along its own edges, entered at one of its entries.
double DrawnTravel(const PathSet& s, const std::vector<PathStep>& steps, PlotPoint at) {
    double travel = 0;
    std::vector<int> seen(s.size());
    for (const PathStep& step : steps) {
        ++seen.at(step.path);
        const auto entries = Entries(s, step.path);
        EXPECT_NE(std::find(entries.begin(), entries.end(), std::pair{step.entry, step.reversed}),
                  entries.end());
        std::vector<PlotPoint> drawn;
        ForEachPoint(s, step, [&](const PlotPoint& p) { drawn.push_back(p); });
        const uint32_t b = s.begin(step.path), n = s.end(step.path) - b;
        EXPECT_EQ(drawn.size(), n);
        const bool closed = n > 2 && s.points[b] == s.points[b + n - 1];
        for (uint32_t k = 0; k < drawn.size() && k < n; ++k) {
            const uint32_t want = closed ? b + (step.entry - b + k) % (n - 1)
                                         : (step.reversed ? b + n - 1 - k : b + k);
            EXPECT_EQ(drawn[k], s.points[want]) << "step of path " << step.path << " point " << k;
        }
        travel += Dist(drawn.front(), at);
        at = drawn.back();
    }
    for (size_t i = 0; i < s.size(); ++i) EXPECT_EQ(seen[i], 1) << "path " << i;
    return travel;
}

TEST(PathOrder, HandCases) {
    struct Row {
        const char* name;
        std::vector<std::vector<PlotPoint>> paths;
        PlotPoint from;
        std::vector<PathStep> order;  // path, reversed, entry
        int64_t travel;
    };
    const Row rows[] = {
        {"empty", {}, {5, 5}, {}, 0},
        {"single points nearest first",
         {{{10, 0}}, {{3, 4}}},
         {0, 0},
         {{1, false, 1}, {0, false, 0}},
         13},
        {"open path entered at its end is reversed",
         {{{100, 0}, {50, 0}, {0, 0}}},
         {0, 3},
         {{0, true, 2}},
         3},
        {"closed path entered at nearest vertex",
         {{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}},
         {110, 120},
         {{0, false, 2}},
         22},
        {"tie goes to the earlier path",
         {{{7, 0}, {9, 0}}, {{7, 0}}},
         {0, 0},
         {{0, false, 0}, {1, false, 2}},
         9},
        {"two equal points are open, not reversed", {{{4, 3}, {4, 3}}}, {0, 0}, {{0, false, 0}}, 5},
        {"three points back to start are closed",
         {{{0, 0}, {10, 0}, {0, 0}}, {{20, 0}}},
         {10, 1},
         {{0, false, 1}, {1, false, 3}},
         11},
        {"reversed exit is the first point",
         {{{0, 0}, {30, 0}}, {{0, 4}, {-5, 4}}},
         {31, 0},
         {{0, true, 1}, {1, false, 2}},
         5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PathSet set = MakeSet(row.paths);
        const auto got = NearestNextOrder(set, row.from);
        ASSERT_EQ(got.size(), row.order.size());
        for (size_t k = 0; k < got.size(); ++k) {
            EXPECT_EQ(got[k].path, row.order[k].path) << k;
            EXPECT_EQ(got[k].reversed, row.order[k].reversed) << k;
            EXPECT_EQ(got[k].entry, row.order[k].entry) << k;
        }
        EXPECT_EQ(PenUpTravel(set, got, row.from), row.travel);
        EXPECT_EQ(PenUpTravel(set, got, row.from), std::llround(DrawnTravel(set, got, row.from)));
        const auto ordered = OrderPaths(set, row.from);
        EXPECT_LE(std::llround(DrawnTravel(set, ordered, row.from)), row.travel);
    }
}

// Small random sets on a coarse grid (so points coincide and distances tie) against brute force;
// every few rounds a large one, where the index is deep, against the naive greedy alone. The
// improved order must stay valid and never be longer than the greedy one.
TEST(PathOrder, RandomSetsAgainstBruteForceAndNaiveGreedy) {
    std::mt19937 rng(20);
    for (int round = 0; round < 400; ++round) {
        const bool large = round % 50 == 49;
        const int n = large ? 1500 : static_cast<int>(rng() % 7), span = large ? 400 : 16;
        const auto coord = [&] { return static_cast<int32_t>(rng() % span) - span / 4; };
        std::vector<std::vector<PlotPoint>> lines(n);
        for (auto& line : lines) {
            const bool closed = rng() % 3 == 0;
            const int count =
                closed ? 3 + static_cast<int>(rng() % 2) : 1 + static_cast<int>(rng() % 4);
            for (int k = 0; k < count; ++k) line.push_back({coord(), coord()});
            if (closed) line.push_back(line.front());
        }
        const PathSet set = MakeSet(lines);
        const PlotPoint from{coord(), coord()};
        SCOPED_TRACE(::testing::Message() << "round " << round << ", " << n << " paths");

        const auto got = NearestNextOrder(set, from);
        const auto naive = NaiveGreedy(set, from);
        ASSERT_EQ(got.size(), naive.size());
        for (size_t k = 0; k < got.size(); ++k) {
            ASSERT_EQ(got[k].entry, naive[k].entry) << "step " << k;
            ASSERT_EQ(got[k].reversed, naive[k].reversed) << "step " << k;
        }
        const double drawn = DrawnTravel(set, got, from);
        EXPECT_EQ(PenUpTravel(set, got, from), std::llround(drawn));
        const auto ordered = OrderPaths(set, from);
        const double improved = DrawnTravel(set, ordered, from);
        EXPECT_LE(improved, drawn + 1e-6);
        EXPECT_EQ(PenUpTravel(set, ordered, from), std::llround(improved));
        if (large || n == 0) continue;
        std::vector<bool> used(set.size());
        EXPECT_LE(BruteForce(set, from, used, set.size()), improved + 1e-9);
        double nearest = std::numeric_limits<double>::infinity();
        for (uint32_t i = 0; i < set.size(); ++i)
            for (auto [p, rev] : Entries(set, i))
                nearest = std::min(nearest, Dist(set.points[p], from));
        EXPECT_EQ(Dist(set.points[got[0].entry], from), nearest);
    }
}

}  // namespace
