#pragma once
// Ordering the paths of one pen to cut the travel with the pen up: from where the pen is, the
// nearest path next, drawn forwards or reversed, a closed path entered at its nearest vertex.

// (How a step is drawn: geometry/plot_path.h; StepExit() says where the pen comes up.)
//
// Coordinates are expected within the HP-GL range (magnitudes below 2^30); beyond it distances
// are still computed without undefined behaviour, but the order may no longer be the nearest.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "drawing/geometry/plot_path.h"

// Every path once, in document order.
std::vector<PathStep> DocumentOrder(const PathSet& paths);

// Every path once, ordered to shorten the pen-up travel from `from`: NearestNextOrder, then
// ImproveOrder with its defaults.
std::vector<PathStep> OrderPaths(const PathSet& paths, PlotPoint from);

// Every path once, each next the one with an entry (either end of an open path, any vertex of a
// closed one) nearest to where the pen came up. Of entries equally near, the one earliest in
// `points` wins, so the order depends only on the geometry. A path without points (against the
// contract) comes last, drawing nothing.
std::vector<PathStep> NearestNextOrder(const PathSet& paths, PlotPoint from);

// The same where a path may have to wait: for each pair (i, j) of `before`, path i goes before
// path j. Among the paths free to go, the nearest next. `before` must hold no loop; paths
// caught in one come last, in document order.
std::vector<PathStep> NearestNextOrder(const PathSet& paths, PlotPoint from,
                                       const std::vector<std::pair<uint32_t, uint32_t>>& before);

// Shortens the travel of `steps` (never lengthens it): draws a run of up to `window` + 1
// consecutive steps backwards where that shortens the moves into and out of it, and moves the
// entry of a closed path to the vertex nearest to both its neighbours; up to `passes` times over.
// Works on the steps before the first path without points. On random short paths the defaults
// take the travel of NearestNextOrder down by about 4 % in half its time (bench/).
void ImproveOrder(const PathSet& paths, std::vector<PathStep>& steps, PlotPoint from,
                  size_t window = 32, int passes = 2);

// The pen-up travel of drawing `steps` starting at `from`, in plotter units (Euclidean, rounded).
int64_t PenUpTravel(const PathSet& paths, const std::vector<PathStep>& steps, PlotPoint from);

// Where the pen comes up after `step`: the entry vertex of a closed path, the other end of an
// open one.
PlotPoint StepExit(const PathSet& paths, const PathStep& step);
