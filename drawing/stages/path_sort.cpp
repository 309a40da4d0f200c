#include "drawing/stages/path_sort.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

struct Box {
    int32_t x0, y0, x1, y1;
    bool Holds(const Box& b) const { return x0 <= b.x0 && y0 <= b.y0 && b.x1 <= x1 && b.y1 <= y1; }
    double Area() const { return (double(x1) - x0) * (double(y1) - y0); }
};

Box BoxOf(const PathSet& paths, size_t i) {
    Box b{std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(),
          std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()};
    for (uint32_t k = paths.begin(i); k < paths.end(i); ++k) {
        const PlotPoint p = paths.points[k];
        b.x0 = std::min(b.x0, p.x), b.x1 = std::max(b.x1, p.x);
        b.y0 = std::min(b.y0, p.y), b.y1 = std::max(b.y1, p.y);
    }
    return b;
}

// Even-odd crossing test of p against closed path i.
bool Inside(const PathSet& paths, size_t i, PlotPoint p) {
    bool in = false;
    for (uint32_t k = paths.begin(i); k + 1 < paths.end(i); ++k) {
        const PlotPoint a = paths.points[k], b = paths.points[k + 1];
        if ((a.y > p.y) == (b.y > p.y)) continue;
        // x of the edge at p.y against p.x, without division: sign of the cross product.
        const int64_t cross = (int64_t{b.x} - a.x) * (int64_t{p.y} - a.y) -
                              (int64_t{p.x} - a.x) * (int64_t{b.y} - a.y);
        if ((cross > 0) == (b.y > a.y)) in = !in;
    }
    return in;
}

}  // namespace

std::vector<std::pair<uint32_t, uint32_t>> NestedPaths(const PathSet& paths) {
    const uint32_t n = static_cast<uint32_t>(paths.size());
    std::vector<std::pair<uint32_t, uint32_t>> nested;
    std::vector<uint32_t> closed;
    for (uint32_t i = 0; i < n; ++i)
        if (paths.closed(i)) closed.push_back(i);
    if (closed.size() < 2) return nested;
    std::vector<Box> box(n);
    Box all = BoxOf(paths, closed[0]);
    for (uint32_t i : closed) {
        box[i] = BoxOf(paths, i);
        all.x0 = std::min(all.x0, box[i].x0), all.x1 = std::max(all.x1, box[i].x1);
        all.y0 = std::min(all.y0, box[i].y0), all.y1 = std::max(all.y1, box[i].y1);
    }
    // A grid of about one cell per path; each path is listed in every cell its box covers, so
    // fewer cells while big boxes would list themselves too often.
    const double w = double(all.x1) - all.x0 + 1, h = double(all.y1) - all.y0 + 1;
    int cells = std::clamp(static_cast<int>(std::sqrt(double(closed.size()))), 1, 2048);
    const auto cellOf = [&](int32_t v, int32_t lo, double extent) {
        return std::min(cells - 1, static_cast<int>((double(v) - lo) / extent * cells));
    };
    for (;; cells /= 2) {
        double listed = 0;
        for (uint32_t i : closed)
            listed += double(cellOf(box[i].x1, all.x0, w) - cellOf(box[i].x0, all.x0, w) + 1) *
                      (cellOf(box[i].y1, all.y0, h) - cellOf(box[i].y0, all.y0, h) + 1);
        if (cells == 1 || listed <= 16.0 * closed.size()) break;
    }
    // Cell lists in one array (counted, then filled).
    std::vector<uint32_t> first(size_t(cells) * cells + 1, 0);
    const auto forCells = [&](const Box& b, auto&& f) {
        for (int cy = cellOf(b.y0, all.y0, h); cy <= cellOf(b.y1, all.y0, h); ++cy)
            for (int cx = cellOf(b.x0, all.x0, w); cx <= cellOf(b.x1, all.x0, w); ++cx)
                f(size_t(cy) * cells + cx);
    };
    for (uint32_t i : closed) forCells(box[i], [&](size_t c) { ++first[c + 1]; });
    std::partial_sum(first.begin(), first.end(), first.begin());
    std::vector<uint32_t> listed(first.back()), fill(first.begin(), first.end() - 1);
    for (uint32_t i : closed) forCells(box[i], [&](size_t c) { listed[fill[c]++] = i; });

    for (uint32_t i : closed) {
        const PlotPoint p = paths.points[paths.begin(i)];
        const size_t c = size_t(cellOf(p.y, all.y0, h)) * cells + cellOf(p.x, all.x0, w);
        for (uint32_t k = first[c]; k < first[c + 1]; ++k) {
            const uint32_t j = listed[k];
            if (j == i || !box[j].Holds(box[i]) || !(box[j].Area() > box[i].Area())) continue;
            if (Inside(paths, j, p)) nested.push_back({i, j});
        }
    }
    return nested;
}

std::vector<PathStep> InsideFirstOrder(const PathSet& paths, PlotPoint from) {
    return NearestNextOrder(paths, from, NestedPaths(paths));
}

std::vector<PathStep> BandOrder(const PathSet& paths, PlotPoint from, int32_t depth,
                                int32_t height) {
    depth = std::max(depth, 1);
    const int64_t last = std::max<int64_t>(0, (int64_t{height} - 1) / depth);
    std::vector<std::pair<int64_t, uint32_t>> banded(paths.size());
    for (uint32_t i = 0; i < paths.size(); ++i) {
        int32_t low = std::numeric_limits<int32_t>::max();
        for (uint32_t k = paths.begin(i); k < paths.end(i); ++k)
            low = std::min(low, paths.points[k].y);
        banded[i] = {std::clamp<int64_t>(low < 0 ? 0 : low / depth, 0, last), i};
    }
    std::stable_sort(banded.begin(), banded.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<PathStep> steps;
    steps.reserve(paths.size());
    PlotPoint at = from;
    PathSet band;
    std::vector<uint32_t> original;
    for (size_t k = 0; k < banded.size();) {
        band.points.clear(), band.starts.clear(), original.clear();
        const int64_t b = banded[k].first;
        for (; k < banded.size() && banded[k].first == b; ++k) {
            const uint32_t i = banded[k].second;
            original.push_back(i);
            band.starts.push_back(static_cast<uint32_t>(band.points.size()));
            band.points.insert(band.points.end(), paths.points.begin() + paths.begin(i),
                               paths.points.begin() + paths.end(i));
        }
        for (const PathStep& s : OrderPaths(band, at)) {
            const uint32_t i = original[s.path];
            const PathStep step{i, s.reversed, s.entry - band.begin(s.path) + paths.begin(i)};
            steps.push_back(step);
            if (paths.begin(i) < paths.end(i)) at = StepExit(paths, step);
        }
    }
    return steps;
}
