#pragma once
// A SPLINE given by its fit points alone, as drafting programs write the splines they draw
// through points: the cubic B-spline that passes through every fit point, its parameter
// spaced by the chords between them, its ends leaving along the tangents the file gives, or,
// where it gives none, along the directions drafting programs estimate from the three points
// at that end; either way at the length of the chords, as those programs draw it.

#include <QPainterPath>
#include <QPointF>

#include "drawing/read/dxf/dxf_shapes.h"

// `spline.fit` turned into the control points and knots of that cubic (degree 3, no weights).
// Repeated fit points count once. False when fewer than two points are left.
bool InterpolateFitPoints(SplineData& spline);

// The spline of `spline`'s control points when it has them, else the cubic through its fit
// points; sampled within `tolerance` as AddSpline samples.
bool AddDxfSpline(QPainterPath& path, const SplineData& spline, double tolerance);
