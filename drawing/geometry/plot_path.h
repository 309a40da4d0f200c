#pragma once
// The one geometry every stage passes on: polylines in plotter units, and how one of them is
// drawn. Includes nothing of the drawing, so every stage can include it.
//
// How a step is drawn (ForEachPoint walks it; a writer should use that rather than redo it):
// - an open path not reversed: points begin .. end-1, pen down at `entry` == begin, up at end-1;
// - an open path reversed: points end-1 down to begin, pen down at `entry` == end-1, up at begin;
// - a closed path: pen down at vertex `entry` (begin <= entry < end-1; the last point repeats the
//   first and is never an entry), forwards to end-2, on from begin, and back to `entry`, so every
//   edge is drawn once, in the path's own direction, and the pen comes up where it went down.
//   Closed paths are never reversed: a drag knife cuts a shape the way it was drawn.
// So points[entry] is always where the pen goes down.

#include <cstddef>
#include <cstdint>
#include <vector>

// A point in plotter units (0.025 mm).
struct PlotPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PlotPoint&) const = default;
};

// Polylines in one flat list: path i is points[starts[i]] up to (not including)
// points[starts[i + 1]], the last one up to points.size(). A path whose last point equals its
// first is closed. Every path has at least one point.
struct PathSet {
    std::vector<PlotPoint> points;
    std::vector<uint32_t> starts;

    size_t size() const { return starts.size(); }
    uint32_t begin(size_t i) const { return starts[i]; }
    uint32_t end(size_t i) const {
        return i + 1 < starts.size() ? starts[i + 1] : static_cast<uint32_t>(points.size());
    }
    bool closed(size_t i) const {
        return end(i) - begin(i) > 2 && points[begin(i)] == points[end(i) - 1];
    }
};

// How one path is drawn: which, in which direction, and for a closed path the vertex (an index
// into points) the pen goes down at; for an open path `entry` is its first point drawn.
struct PathStep {
    uint32_t path = 0;
    bool reversed = false;
    uint32_t entry = 0;
};

// Calls f(const PlotPoint&) for each point of `step` in drawing order: the first is where the
// pen goes down, the last where it comes up (a closed path with n distinct vertices gives n + 1).
template <class F>
void ForEachPoint(const PathSet& paths, const PathStep& step, F&& f) {
    const uint32_t b = paths.begin(step.path), e = paths.end(step.path);
    if (b == e) return;
    if (paths.closed(step.path)) {
        for (uint32_t i = step.entry; i < e - 1; ++i) f(paths.points[i]);
        for (uint32_t i = b; i <= step.entry; ++i) f(paths.points[i]);
    } else if (step.reversed) {
        for (uint32_t i = e; i-- > b;) f(paths.points[i]);
    } else {
        for (uint32_t i = b; i < e; ++i) f(paths.points[i]);
    }
}
