#pragma once
// A stroke as the pen-down lines it is plotted with: its dashes (the stroke's dash array and
// offset, in the drawing's own units, laid along the line before the transform maps it, afresh
// at each subpath) and what its clip lets show.

#include <QPen>
#include <QTransform>
#include <cstddef>
#include <functional>
#include <span>
#include <vector>

#include "drawing/geometry/path_runs.h"
#include "drawing/paint/clip_region.h"

// The dash pattern of a pen in the units of the shape it strokes. Qt keeps a pen's pattern and
// offset in pen widths (a pen of width 0 counts as 1); both readers hand it over that way.
struct StrokeDashes {
    bool dashed = false;
    std::vector<double> pattern;
    double offset = 0;
};
StrokeDashes DashesOf(const QPen& pen);

// Dashes whose pieces, mapped by `transform` onto the plot, average less than a plotter unit:
// a pen can't draw them apart, so they are drawn as the solid line they look like. Every kind
// of drawing holds to this one figure (a DXF's linetypes too).
bool FinerThanPlotter(const StrokeDashes& dashes, const QTransform& transform);

// `user`: the stroke's subpaths flattened in its own units; each dash goes to `take` mapped by
// `transform`, as it is cut. Stops with a refusal (having given some dashes) when the stroke
// would be cut into more than `maxPieces` pieces. `starts`, when given: how far along its
// subpath each of `user` begins (a piece of a line a clip cut), so that its dashes fall where
// the whole line's do.
RunRefusal DashLines(const std::vector<Polyline>& user, const StrokeDashes& dashes,
                     const QTransform& transform, size_t maxPieces,
                     const std::function<void(const Polyline&)>& take,
                     std::span<const double> starts = {});

// How many pieces dashing `user` whole would make, at most: a bound known before any is cut.
double DashPieces(const std::vector<Polyline>& user, const StrokeDashes& dashes);

// The pieces of the stroke's subpaths (`user`, in its own units) that `clip` lets show, each
// in its own units again (`transform` maps them onto the device), with how far along its
// subpath it starts: the stroke cut once, for its dashes to be laid along the pieces.
struct ShownPieces {
    std::vector<Polyline> user;
    std::vector<double> starts;
};
ShownPieces ClipInOwnUnits(const std::vector<Polyline>& user, const QTransform& transform,
                           const ClipRegion& clip);

// The largest factor by which `transform` stretches a length: a tolerance in device units
// divided by it holds in the shape's own units.
double LargestStretch(const QTransform& transform);
