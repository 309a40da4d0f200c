#pragma once
// DXF geometry as QPainterPath outlines in the drawing's own units (y up): arcs as cubics of at
// most 45 degrees (off the true arc by 4.2e-6 of the radius), polylines with bulges,
// ellipses, B-splines cut at their knots and sampled within a tolerance, and the words of TEXT
// and MTEXT (dxf_lettering.h draws them).

#include <QPainterPath>
#include <QPointF>
#include <string>
#include <vector>

// An arc of the circle around `centre` from `start` to `end` (radians, counter-clockwise),
// joined to the current point of `path` when `join`, else begun with a move.
void AddArc(QPainterPath& path, QPointF centre, double radius, double start, double end,
            bool join);

// An elliptical arc: `major` is the end of the major axis from the centre, `ratio` the minor
// axis's share of it, `start`/`end` the parameters (radians, counter-clockwise).
void AddEllipseArc(QPainterPath& path, QPointF centre, QPointF major, double ratio, double start,
                   double end, bool join);

// A polyline vertex and the bulge of the segment that leaves it (tan of a quarter of the arc's
// angle; positive turns counter-clockwise).
struct BulgeVertex {
    double x = 0, y = 0, bulge = 0;
};
void AddBulgePolyline(QPainterPath& path, const std::vector<BulgeVertex>& vertices, bool closed);

// A B-spline of `degree` with its control points, knots and weights (empty: all 1), sampled so
// that chords stay within `tolerance` drawing units of it. False when the numbers don't make a
// spline (without control points none does: see AddDxfSpline for fit points).
struct SplineData {
    int degree = 3;
    std::vector<QPointF> control;
    std::vector<double> knots;
    std::vector<double> weights;
    std::vector<QPointF> fit;
    QPointF startTangent, endTangent;  // of the fit points' curve; (0, 0): not given
    bool closed = false;
};
bool AddSpline(QPainterPath& path, const SplineData& spline, double tolerance);

// A TEXT's words with its "\U+XXXX" characters read.
std::string DxfTextOf(const std::string& text);

// A piece of an MTEXT's line in one font: its style's (font empty), or the one a \f (family)
// or \F (font file) code names, within the braces it stands in.
struct MTextRun {
    std::string text;
    std::string font;
};
using MTextLine = std::vector<MTextRun>;

// An MTEXT's words without its formatting codes, its runs line by line.
std::vector<MTextLine> MTextLines(const std::string& text);
