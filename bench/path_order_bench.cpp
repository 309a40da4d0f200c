// How long ordering the paths of one pen takes for 10 000 to 1 000 000 short paths, and how much
// pen-up travel it saves against document order, on two kinds of drawing on A1 media: short
// paths scattered evenly, the same in tight clusters (lettering, hatched areas), and one short
// line drawn over and over (a hostile file, or a program that repeats what it draws): every end
// shared by all the others.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "drawing/stages/path_order.h"

namespace {

constexpr int32_t kWidth = 33640, kHeight = 23760;  // A1 landscape in plotter units

enum Kind { kScattered = 0, kClustered = 1, kCoincident = 2 };

// Open strokes of 2 to 6 points and, one in four, closed polygons of 3 to 8 vertices; in the
// clustered kind around 200 paths share each cluster, drawn in document order cluster by
// cluster but shuffled inside it, as a drawing program tends to leave them.
PathSet MakePaths(Kind kind, size_t count) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0, 1);
    std::normal_distribution<double> spread(0, 600);
    PathSet set;
    set.starts.reserve(count);
    set.points.reserve(count * 5);
    double cx = 0, cy = 0;
    const auto clamp = [](double v, int32_t hi) {
        return static_cast<int32_t>(std::clamp(v, 0.0, double(hi)));
    };
    for (size_t i = 0; i < count; ++i) {
        if (kind == kCoincident) {
            set.starts.push_back(static_cast<uint32_t>(set.points.size()));
            set.points.push_back({1000, 1000});
            set.points.push_back({1040, 1000});
            continue;
        }
        if (kind == kScattered) {
            cx = unit(rng) * kWidth, cy = unit(rng) * kHeight;
        } else {
            if (i % 200 == 0) {
                cx = unit(rng) * kWidth, cy = unit(rng) * kHeight;
            }
        }
        const double x = kind == kScattered ? cx : cx + spread(rng);
        const double y = kind == kScattered ? cy : cy + spread(rng);
        set.starts.push_back(static_cast<uint32_t>(set.points.size()));
        if (rng() % 4 == 0) {
            const int n = 3 + static_cast<int>(rng() % 6);
            const double r = 20 + unit(rng) * 300, a0 = unit(rng) * 6.283;
            for (int k = 0; k < n; ++k) {
                const double a = a0 + 6.283 * k / n;
                set.points.push_back(
                    {clamp(x + r * std::cos(a), kWidth), clamp(y + r * std::sin(a), kHeight)});
            }
            set.points.push_back(set.points[set.starts.back()]);
        } else {
            double px = x, py = y;
            for (int k = 0, n = 2 + static_cast<int>(rng() % 5); k < n; ++k) {
                set.points.push_back({clamp(px, kWidth), clamp(py, kHeight)});
                px += unit(rng) * 400 - 200, py += unit(rng) * 400 - 200;
            }
        }
    }
    return set;
}

double MaxRssMb() {
    rusage ru{};
    ::getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_maxrss) / 1024.0;  // KiB on Linux
}

// Times OrderPaths (range 2 == 1) or NearestNextOrder alone (0); both travels are reported
// either way, with document order's.
void BM_OrderPaths(benchmark::State& state) {
    const auto kind = static_cast<Kind>(state.range(0));
    const PathSet set = MakePaths(kind, static_cast<size_t>(state.range(1)));
    const bool improve = state.range(2) != 0;
    const double rssBefore = MaxRssMb();
    std::vector<PathStep> steps;
    for (auto _ : state) {
        steps = improve ? OrderPaths(set, {0, 0}) : NearestNextOrder(set, {0, 0});
        benchmark::DoNotOptimize(steps.data());
    }
    const double peak = MaxRssMb();
    const double doc = double(PenUpTravel(set, DocumentOrder(set), {0, 0}));
    const double nearest = double(PenUpTravel(set, NearestNextOrder(set, {0, 0}), {0, 0}));
    const double ordered = double(PenUpTravel(set, OrderPaths(set, {0, 0}), {0, 0}));
    const auto metres = [](double units) { return units * 0.025 / 1000; };
    state.counters["travel_doc_m"] = metres(doc);
    state.counters["travel_nearest_m"] = metres(nearest);
    state.counters["travel_ordered_m"] = metres(ordered);
    state.counters["ordered_per_doc_pct"] = doc > 0 ? 100 * ordered / doc : 100;
    state.counters["set_MB"] =
        double(set.points.size() * sizeof(PlotPoint) + set.starts.size() * sizeof(uint32_t)) /
        (1 << 20);
    state.counters["rss_before_MB"] = rssBefore;
    state.counters["peak_rss_MB"] = peak;
    static const char* const kKinds[] = {"scattered", "clustered", "coincident"};
    state.SetLabel(std::string(kKinds[kind]) + (improve ? ", OrderPaths" : ", NearestNextOrder"));
}
BENCHMARK(BM_OrderPaths)
    ->ArgsProduct({{kScattered, kClustered}, {10'000, 100'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrderPaths)
    ->ArgsProduct({{kScattered, kClustered}, {1'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(BM_OrderPaths)
    ->ArgsProduct({{kCoincident}, {100'000, 1'000'000}, {1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
