#pragma once
// Extended optimisation of one pen's paths: a stretch drawn twice (abutting shapes' shared
// edge, a shape outlined twice) is drawn once, and paths whose ends meet become one pen-down
// run. Both go through grids of nearby segments and ends, never through every pair.

#include <cstdint>

#include "drawing/stages/path_order.h"

struct MergeTolerance {
    int32_t same = 2;  // plotter units: a stretch within this of one drawn before is dropped
    int32_t meet = 4;  // ends this close are joined
    // A stretch drawn before that lies inside a path (where taking it out would cost a pen
    // lift) is only taken out when at least this long: two lines crossing at a glancing angle
    // run within `same` of each other for a millimetre or so, and lifting the pen around that
    // costs more plotting time (and plot bytes) than drawing it again.
    int32_t lift = 80;
};

// The paths again, with what was drawn before (in document order) taken out and touching ends
// joined. A closed path left whole stays closed and keeps its direction; what remains of a
// closed path is kept in its direction (never reversed) and may be joined on either end;
// open paths are reversed where a join needs it. A run that comes back to its start closes.
// Taken by value so that a caller done with its paths can hand them over (std::move) and the
// memory they take is given back before the result is built.
PathSet MergeLines(PathSet paths, MergeTolerance tolerance = {});

// Pen-down length of every path, in plotter units.
double PenDownLength(const PathSet& paths);
