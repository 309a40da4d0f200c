#include "drawing/stages/path_order.h"

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
    std::vector<std::pair<uint32_t, bool>> all{{b, false}};
    if (e - b > 2 && s.points[b] == s.points[e - 1])
        for (uint32_t p = b + 1; p + 1 < e; ++p) all.push_back({p, false});
    else if (e - b > 1)
        all.push_back({e - 1, true});
    return all;
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

// The shortest pen-up travel over every order and every entry of the paths not in `used`.
double BruteForce(const PathSet& s, PlotPoint at, uint32_t used = 0) {
    double best = used + 1 == 1u << s.size() ? 0 : std::numeric_limits<double>::infinity();
    for (uint32_t i = 0; i < s.size(); ++i) {
        if (used >> i & 1) continue;
        for (auto [p, rev] : Entries(s, i)) {
            const double rest = BruteForce(s, StepExit(s, {i, rev, p}), used | 1u << i);
            best = std::min(best, Dist(s.points[p], at) + rest);
        }
    }
    return best;
}

// Draws the steps, checks each is a whole path drawn along its edges from an entry; sums jumps.
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
        const bool closed = entries.size() > 1 && !entries[1].second;
        std::vector<PlotPoint> want;
        for (uint32_t k = 0; k < n; ++k)
            want.push_back(s.points[closed ? b + (step.entry - b + k) % (n - 1)
                                           : (step.reversed ? b + n - 1 - k : b + k)]);
        EXPECT_EQ(drawn, want) << "path " << step.path;
        travel += Dist(drawn.front(), at);
        at = drawn.back();
    }
    for (size_t i = 0; i < s.size(); ++i) EXPECT_EQ(seen[i], 1) << "path " << i;
    return travel;
}

// An entry point alone fixes path and direction; DrawnTravel holds each step to them.
TEST(PathOrder, HandCases) {
    struct Row {
        const char* name;
        std::vector<std::vector<PlotPoint>> paths;
        PlotPoint from;
        std::vector<uint32_t> entries;
        int64_t travel;
    };
    // clang-format off
    const Row rows[] = {
        {"empty", {}, {5, 5}, {}, 0},
        {"single points nearest first", {{{10, 0}}, {{3, 4}}}, {0, 0}, {1, 0}, 13},
        {"open path entered at its end is reversed", {{{100, 0}, {50, 0}, {0, 0}}}, {0, 3}, {2}, 3},
        {"closed path entered at nearest vertex",
         {{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}}, {110, 120}, {2}, 22},
        {"tie goes to the earlier path", {{{7, 0}, {9, 0}}, {{7, 0}}}, {0, 0}, {0, 2}, 9},
        {"two equal points are open, not reversed", {{{4, 3}, {4, 3}}}, {0, 0}, {0}, 5},
        {"three points back to start are closed",
         {{{0, 0}, {10, 0}, {0, 0}}, {{20, 0}}}, {10, 1}, {1, 3}, 11},
        {"reversed exit is the first point",
         {{{0, 0}, {30, 0}}, {{0, 4}, {-5, 4}}}, {31, 0}, {1, 2}, 5},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PathSet set = MakeSet(row.paths);
        const auto got = NearestNextOrder(set, row.from);
        std::vector<uint32_t> entries;
        for (const PathStep& step : got) entries.push_back(step.entry);
        EXPECT_EQ(entries, row.entries);
        EXPECT_EQ(PenUpTravel(set, got, row.from), row.travel);
        EXPECT_LE(std::llround(DrawnTravel(set, OrderPaths(set, row.from), row.from)), row.travel);
    }
}

// Random sets on a coarse grid (shared points, tied distances): small ones against brute force,
// now and then a large one (a deep index) or one piled on nine points (whole branches of the
// index at one point); all against the naive greedy, improved never longer.
TEST(PathOrder, RandomSetsAgainstBruteForceAndNaiveGreedy) {
    std::mt19937 rng(20);
    for (int round = 0; round < 400; ++round) {
        const bool large = round % 50 == 49, piled = round % 50 == 24;
        const int n = large || piled ? 1500 : int(rng() % 7), span = large ? 200 : piled ? 3 : 16;
        const auto coord = [&] { return static_cast<int32_t>(rng() % span) - span / 4; };
        std::vector<std::vector<PlotPoint>> lines(n);
        for (auto& line : lines) {
            const int count = 1 + int(rng() % 4);
            for (int k = 0; k < count; ++k) line.push_back({coord(), coord()});
            if (count > 2 && rng() % 2) line.push_back(line.front());
        }
        const PathSet set = MakeSet(lines);
        const PlotPoint from{coord(), coord()};
        SCOPED_TRACE(::testing::Message() << "round " << round << ", " << n << " paths");
        const auto got = NearestNextOrder(set, from);
        const auto naive = NaiveGreedy(set, from);
        ASSERT_EQ(got.size(), naive.size());
        for (size_t k = 0; k < got.size(); ++k) ASSERT_EQ(got[k].entry, naive[k].entry) << k;
        const double drawn = DrawnTravel(set, got, from);
        EXPECT_EQ(PenUpTravel(set, got, from), std::llround(drawn));
        const double improved = DrawnTravel(set, OrderPaths(set, from), from);
        EXPECT_LE(improved, drawn + 1e-6);
        if (large || piled || n == 0) continue;
        EXPECT_LE(BruteForce(set, from), improved + 1e-9);
    }
}

}  // namespace
