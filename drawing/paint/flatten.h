#pragma once
// Outlines to straight segments: curves are cut into as few chords as keep them within
// kFlattenTolerance of the true curve (device units), so that after rounding to whole plotter
// units no vertex or chord is more than one unit away from it.

#include <QPainterPath>
#include <QTransform>
#include <vector>

#include "drawing/paint/hatch.h"
#include "drawing/paint/polyline_sink.h"

// Half a unit's diagonal (0.71) is lost to rounding; this keeps the sum under 1.
inline constexpr double kFlattenTolerance = 0.25;

// Feeds `path`, mapped by `transform`, to `sink`. `closed`: a filled shape, whose every subpath
// is a boundary and ends where it started.
void FlattenPath(const QPainterPath& path, const QTransform& transform, bool closed,
                 PolylineSink& sink, double tolerance = kFlattenTolerance);

// The ellipse inscribed in `box`, mapped by `transform`, as one closed polyline whose chords
// stay within `tolerance` of it.
void FlattenEllipse(const QRectF& box, const QTransform& transform, PolylineSink& sink,
                    double tolerance = kFlattenTolerance);

// `path` (or, when null, the ellipse inscribed in `ellipse`), mapped by `transform`, as
// polylines within `tolerance` of it, one a subpath; `closed`: each ends where it began. Curves
// wholly outside `reach` become their chords.
std::vector<std::vector<QPointF>> FlattenLines(const QPainterPath* path, const QRectF& ellipse,
                                               const QTransform& transform, bool closed,
                                               const QRectF& reach,
                                               double tolerance = kFlattenTolerance);

// The number of equal steps in t that keep the cubic p0..p3 within `tolerance` of its chords
// (Wang's bound).
int CubicSteps(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double tolerance);

// The subpaths of `path`, mapped by `transform`, as closed boundaries within `tolerance` of it
// wherever they can bound the area inside `reach` (for hatching; rings of fewer than three
// points are left out).
std::vector<Ring> FlattenRings(const QPainterPath& path, const QTransform& transform,
                               const QRectF& reach, double tolerance = 0.5);
