#pragma once
// Where extended optimisation finds what is drawn twice: the stretches of segments that a
// segment before them runs along within a distance, found through a grid of the segments near
// each end, never through every pair.

#include <cstdint>
#include <vector>

#include "drawing/geometry/plot_path.h"

// A stretch of segment `segment` (the index of its first point) that a segment before it
// covers.
struct Cover {
    uint32_t segment;
    float lo, hi;
    // Whole, so that the order covers are found in never shows.
    bool operator<(const Cover& o) const {
        if (segment != o.segment) return segment < o.segment;
        return lo != o.lo ? lo < o.lo : hi < o.hi;
    }
};

// Every stretch of a segment that a segment before it (in `points` order) runs along within
// `same` plotter units, sorted.
std::vector<Cover> FindCovers(const PathSet& paths, int32_t same);
