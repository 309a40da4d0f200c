#pragma once
// Ordering the paths of one pen to cut the travel with the pen up: from where the pen is, the
// nearest path next, drawn forwards or reversed, a closed path entered at its nearest vertex.

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
    bool closed(size_t i) const { return end(i) - begin(i) > 2 && points[begin(i)] == points[end(i) - 1]; }
};

// How one path is drawn: which, in which direction, and for a closed path the vertex (an index
// into points) the pen goes down at; for an open path `entry` is its first point drawn.
struct PathStep {
    uint32_t path = 0;
    bool reversed = false;
    uint32_t entry = 0;
};

// Every path once, in document order.
std::vector<PathStep> DocumentOrder(const PathSet& paths);

// Every path once, ordered to shorten the pen-up travel from `from`.
std::vector<PathStep> OrderPaths(const PathSet& paths, PlotPoint from);

// The pen-up travel of drawing `steps` starting at `from`, in plotter units (Euclidean, rounded).
int64_t PenUpTravel(const PathSet& paths, const std::vector<PathStep>& steps, PlotPoint from);
