#include "drawing/stages/path_order.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "drawing/geometry/point_index.h"

namespace {

using Entry = PointIndex::Place;
constexpr uint32_t kDead = PointIndex::kNone;

// The entries of path i: both ends of an open path (one if it is a single point), every vertex
// but the repeated last of a closed one. Entries of one path are consecutive point indices
// except for an open path's two ends.
uint32_t EntryCount(const PathSet& paths, size_t i) {
    const uint32_t n = paths.end(i) - paths.begin(i);
    if (paths.closed(i)) return n - 1;
    return std::min<uint32_t>(n, 2);
}

uint32_t EntryPoint(const PathSet& paths, size_t i, uint32_t j) {
    if (!paths.closed(i) && j == 1) return paths.end(i) - 1;
    return paths.begin(i) + j;
}

}  // namespace

std::vector<PathStep> DocumentOrder(const PathSet& paths) {
    std::vector<PathStep> steps(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        steps[i] = {static_cast<uint32_t>(i), false, paths.begin(i)};
    return steps;
}

std::vector<PathStep> NearestNextOrder(const PathSet& paths, PlotPoint from) {
    return NearestNextOrder(paths, from, {});
}

std::vector<PathStep> NearestNextOrder(const PathSet& paths, PlotPoint from,
                                       const std::vector<std::pair<uint32_t, uint32_t>>& before) {
    const size_t n = paths.size();
    std::vector<uint32_t> firstSlot(n + 1, 0);
    for (size_t i = 0; i < n; ++i) firstSlot[i + 1] = firstSlot[i] + EntryCount(paths, i);
    std::vector<Entry> entries;
    entries.reserve(firstSlot[n]);
    for (uint32_t i = 0; i < n; ++i) {
        for (uint32_t s = firstSlot[i]; s < firstSlot[i + 1]; ++s)
            entries.push_back({paths.points[EntryPoint(paths, i, s - firstSlot[i])], s, i});
    }
    PointIndex tree(std::move(entries));
    const std::vector<uint32_t> slotPos = tree.Positions();

    // How many paths each one still waits for, and whom each frees; a waiting path's entries
    // are out of the tree.
    std::vector<uint32_t> waiting(n, 0), firstFreed(n + 1, 0), freed;
    for (const auto& [i, j] : before)
        if (i < n && j < n && i != j) ++waiting[j], ++firstFreed[i + 1];
    for (size_t i = 0; i < n; ++i) firstFreed[i + 1] += firstFreed[i];
    freed.resize(firstFreed[n]);
    {
        std::vector<uint32_t> fill(firstFreed.begin(), firstFreed.end() - 1);
        for (const auto& [i, j] : before)
            if (i < n && j < n && i != j) freed[fill[i]++] = j;
    }
    for (uint32_t i = 0; i < n; ++i)
        if (waiting[i])
            for (uint32_t s = firstSlot[i]; s < firstSlot[i + 1]; ++s) tree.Remove(slotPos[s]);
    std::vector<bool> done(n, false);
    std::vector<PathStep> steps;
    steps.reserve(n);
    PlotPoint at = from;
    const auto finish = [&](uint32_t i) {
        done[i] = true;
        for (uint32_t k = firstFreed[i]; k < firstFreed[i + 1]; ++k) {
            const uint32_t next = freed[k];
            if (--waiting[next] == 0)
                for (uint32_t s = firstSlot[next]; s < firstSlot[next + 1]; ++s)
                    tree.Restore(slotPos[s]);
        }
    };
    for (;;) {
        const uint32_t pos = tree.Nearest(at);
        if (pos == kDead) {
            // A path without points waits for nothing it could be reached by: it goes as soon
            // as it is free, and frees what waits for it.
            bool freed = false;
            for (uint32_t i = 0; i < n; ++i) {
                if (done[i] || paths.begin(i) != paths.end(i)) continue;
                if (waiting[i]) continue;
                finish(i);
                freed = true;
            }
            if (!freed) break;
            continue;
        }
        const uint32_t i = tree[pos].item;
        const uint32_t point = EntryPoint(paths, i, tree[pos].slot - firstSlot[i]);
        const PathStep step{i, !paths.closed(i) && point != paths.begin(i), point};
        steps.push_back(step);
        for (uint32_t s = firstSlot[i]; s < firstSlot[i + 1]; ++s) tree.Remove(slotPos[s]);
        at = StepExit(paths, step);
        finish(i);
    }
    // What is left waits in a loop (against the contract of `after`): in document order.
    for (uint32_t i = 0; i < n; ++i)
        if (paths.begin(i) == paths.end(i) || !done[i]) steps.push_back({i, false, paths.begin(i)});
    return steps;
}

std::vector<PathStep> OrderPaths(const PathSet& paths, PlotPoint from) {
    std::vector<PathStep> steps = NearestNextOrder(paths, from);
    ImproveOrder(paths, steps, from);
    return steps;
}

PlotPoint StepExit(const PathSet& paths, const PathStep& step) {
    if (paths.closed(step.path)) return paths.points[step.entry];
    return paths.points[step.reversed ? paths.begin(step.path) : paths.end(step.path) - 1];
}

int64_t PenUpTravel(const PathSet& paths, const std::vector<PathStep>& steps, PlotPoint from) {
    double travel = 0;
    PlotPoint at = from;
    for (const PathStep& step : steps) {
        if (paths.begin(step.path) == paths.end(step.path)) continue;
        const PlotPoint& entry = paths.points[step.entry];
        travel += std::hypot(double(entry.x) - at.x, double(entry.y) - at.y);
        at = StepExit(paths, step);
    }
    return std::llround(travel);
}

void ImproveOrder(const PathSet& paths, std::vector<PathStep>& steps, PlotPoint from, size_t window,
                  int passes) {
    size_t n = 0;
    while (n < steps.size() && paths.begin(steps[n].path) < paths.end(steps[n].path)) ++n;
    // Where each step goes down and comes up, kept beside the steps: the moves below read them
    // far more often than they change.
    std::vector<PlotPoint> in(n), out(n);
    for (size_t k = 0; k < n; ++k)
        in[k] = paths.points[steps[k].entry], out[k] = StepExit(paths, steps[k]);
    const auto d = [](PlotPoint a, PlotPoint b) {
        const double dx = double(a.x) - b.x, dy = double(a.y) - b.y;
        return std::sqrt(dx * dx + dy * dy);
    };
    for (int pass = 0; pass < passes; ++pass) {
        bool improved = false;
        for (size_t i = 0; i < n; ++i) {
            const PlotPoint prev = i ? out[i - 1] : from;
            PathStep& s = steps[i];
            if (paths.closed(s.path) && i + 1 < n) {
                double best = d(prev, in[i]) + d(in[i], in[i + 1]);
                for (uint32_t v = paths.begin(s.path); v + 1 < paths.end(s.path); ++v) {
                    const double c = d(prev, paths.points[v]) + d(paths.points[v], in[i + 1]);
                    if (c < best - 1e-6) best = c, s.entry = v, improved = true;
                }
                in[i] = out[i] = paths.points[s.entry];
            }
            // Drawing steps i..j backwards changes only the moves into i and out of j.
            for (size_t j = i; j < n && j <= i + window; ++j) {
                const bool last = j + 1 == n;
                const double before = d(prev, in[i]) + (last ? 0 : d(out[j], in[j + 1]));
                const double after = d(prev, out[j]) + (last ? 0 : d(in[i], in[j + 1]));
                if (after >= before - 1e-6) continue;
                std::reverse(steps.begin() + i, steps.begin() + j + 1);
                std::reverse(in.begin() + i, in.begin() + j + 1);
                std::reverse(out.begin() + i, out.begin() + j + 1);
                for (size_t k = i; k <= j; ++k) {
                    PathStep& t = steps[k];
                    if (paths.closed(t.path)) continue;
                    t.reversed = !t.reversed && paths.end(t.path) - paths.begin(t.path) > 1;
                    t.entry = t.reversed ? paths.end(t.path) - 1 : paths.begin(t.path);
                    std::swap(in[k], out[k]);
                }
                improved = true;
            }
        }
        if (!improved) break;
    }
}
