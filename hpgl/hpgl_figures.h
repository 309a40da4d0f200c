#pragma once
// The figures HP-GL instructions draw (arcs, circles, rectangles, wedges, label cells) and the
// line type, as plain geometry: the interpreter reads an instruction's parameters and its own
// state, and these give the vertices. Vertices come out in plotter units through the transform;
// centres and radii are in user units, pen positions in plotter units.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

#include "hpgl/hpgl_plot.h"
#include "hpgl/hpgl_transform.h"

// Points of an arc around (cx, cy), from angle `start` (radians) over `sweep` degrees, the
// start point excluded.
template <typename Sink>
void HpglArcPoints(const THpglTransform& t, double cx, double cy, double r, double start,
                   double sweep, double chord, Sink&& sink) {
    sweep = std::clamp(sweep, -360.0, 360.0);
    const int n = HpglArcChords(sweep, chord);
    const double step = sweep / n * std::numbers::pi / 180;
    for (int i = 1; i <= n; ++i) {
        const double a = start + step * i;
        sink(t.X(cx + r * std::cos(a)), t.Y(cy + r * std::sin(a)));
    }
}

// CI: the closed circle of radius r around the pen (px, py), from angle 0.
template <typename Sink>
void HpglCircle(const THpglTransform& t, double px, double py, double r, double chord,
                Sink&& vertex) {
    const double cx = t.UserX(px);
    const double cy = t.UserY(py);
    vertex(t.X(cx + r), t.Y(cy));
    HpglArcPoints(t, cx, cy, r, 0, 360, chord, vertex);
}

// AA / AR: the arc the pen (px, py) draws around (cx, cy) over `sweep` degrees. False, and no
// point, when the pen is on the centre: the arc is a point.
template <typename Sink>
bool HpglArc(const THpglTransform& t, double px, double py, double cx, double cy, double sweep,
             double chord, Sink&& point) {
    const double ux = t.UserX(px);
    const double uy = t.UserY(py);
    const double r = std::hypot(ux - cx, uy - cy);
    if (r == 0) return false;
    HpglArcPoints(t, cx, cy, r, std::atan2(uy - cy, ux - cx), sweep, chord, point);
    return true;
}

// EA / ER: the closed rectangle from the pen (px, py) to the opposite corner (ux, uy).
template <typename Sink>
void HpglRectangle(const THpglTransform& t, double px, double py, double ux, double uy,
                   Sink&& vertex) {
    const double qx = t.X(ux), qy = t.Y(uy);
    vertex(px, py);
    vertex(qx, py);
    vertex(qx, qy);
    vertex(px, qy);
    vertex(px, py);
}

// EW / WG: the closed wedge of radius r around the pen (px, py), from `start` over `sweep`
// degrees.
template <typename Sink>
void HpglWedge(const THpglTransform& t, double px, double py, double r, double startDegrees,
               double sweep, double chord, Sink&& vertex) {
    const double cx = t.UserX(px);
    const double cy = t.UserY(py);
    const double start = startDegrees * std::numbers::pi / 180;
    vertex(px, py);
    vertex(t.X(cx + r * std::cos(start)), t.Y(cy + r * std::sin(start)));
    HpglArcPoints(t, cx, cy, r, start, sweep, chord, vertex);
    vertex(px, py);
}

// The closed outline of a box, from its lower left corner.
template <typename Sink>
void HpglBoxOutline(const THpglBox& box, Sink&& vertex) {
    vertex(box.minX, box.minY);
    vertex(box.maxX, box.minY);
    vertex(box.maxX, box.maxY);
    vertex(box.minX, box.maxY);
    vertex(box.minX, box.minY);
}

// LT with n (1 to 3) of its parameters: type, pattern length, and its mode (1: millimetres,
// else percent of the P1-P2 diagonal).
THpglLineType HpglLineType(const double v[3], int n, double diagonal, double unitsPerCm);

// LB: the cells the label's characters cover (empty for none) when set from (*x, *y) with
// characters charW by charH; *x, *y are moved to where the pen ends.
THpglBox HpglLabelCells(std::string_view text, double charW, double charH, double* x, double* y);
