#pragma once
// Perforation: the lines of one pen cut in pieces of the cut length with skips between, so that
// the shape stays in the sheet until it is pressed out.

#include <optional>
#include <span>
#include <vector>

#include "drawing/geometry/path_runs.h"
#include "drawing/stages/cut_options.h"

struct CutPiece {
    bool cut = true;  // a skip otherwise
    std::vector<RunPoint> points;
};

// The pieces of `line` in order along it, from its start with a cut; consecutive pieces share
// their end points. None when the line would be cut into more than `maxPieces` pieces: such a
// line can't be perforated as set.
std::optional<std::vector<CutPiece>> PerforationPieces(std::span<const RunPoint> line,
                                                       const Perforation& perforation,
                                                       size_t maxPieces);
