#pragma once
// The two orders beside nearest-next that the plotting options offer, for one pen's paths:
// inside first (a cutter frees nothing before its last cut around it) and along the paper in
// bands (the media never travels back more than a band). Steps as path_order.h has them.

#include <cstdint>
#include <vector>

#include "drawing/stages/path_order.h"

// Every closed path that lies inside another closed path goes before it, to any depth; open
// paths wait for nothing. Among the paths free to go, the nearest next. A path is inside
// another when the other's box holds its box and is larger, and its first vertex lies inside
// the other (even-odd): outlines that cross each other are nested by where that vertex lies.
std::vector<PathStep> InsideFirstOrder(const PathSet& paths, PlotPoint from);

// Every pair (inner, outer) of closed paths where inner lies inside outer (as above). Boxes are
// found through a grid, never by trying every pair.
std::vector<std::pair<uint32_t, uint32_t>> NestedPaths(const PathSet& paths);

// Paths in bands `depth` units deep along y, from y = 0 up (a path belongs to the band of its
// lowest point; below 0 counts as the first band, `height` and beyond as the last one that
// `height` reaches), band after band, nearest-next (improved) inside each.
std::vector<PathStep> BandOrder(const PathSet& paths, PlotPoint from, int32_t depth,
                                int32_t height);
