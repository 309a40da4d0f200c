#pragma once
// Extended optimisation of one pen's paths: a stretch drawn twice (abutting shapes' shared
// edge, a shape outlined twice) is drawn once, and paths whose ends meet become one pen-down
// run. Both go through grids of nearby segments and ends, never through every pair.

#include <cstdint>

#include "drawing/path_order.h"

struct MergeTolerance {
    int32_t same = 2;  // plotter units: a stretch within this of one drawn before is dropped
    int32_t meet = 4;  // ends this close are joined
};

// The paths again, with what was drawn before (in document order) taken out and touching ends
// joined. A closed path left whole stays closed and keeps its direction; what remains of a
// closed path is kept in its direction (never reversed) and may be joined on either end;
// open paths are reversed where a join needs it. A run that comes back to its start closes.
PathSet MergeLines(const PathSet& paths, MergeTolerance tolerance = {});

// Pen-down length of every path, in plotter units.
double PenDownLength(const PathSet& paths);
