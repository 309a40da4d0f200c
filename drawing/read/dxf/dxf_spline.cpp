#include "drawing/read/dxf/dxf_spline.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double Length(QPointF v) { return std::hypot(v.x(), v.y()); }

// The fit points without repeats: a repeated point makes a chord of no length, two knots at the
// same place and a system with no answer.
std::vector<QPointF> Distinct(const std::vector<QPointF>& fit, bool closed) {
    double size = 0;
    for (const QPointF& p : fit) size = std::max({size, std::abs(p.x()), std::abs(p.y())});
    const double same = std::max(size, 1.0) * 1e-12;
    std::vector<QPointF> out;
    out.reserve(fit.size() + 1);
    for (const QPointF& p : fit)
        if (out.empty() || Length(p - out.back()) > same) out.push_back(p);
    if (!closed) return out;
    // A closed curve comes back to its first point, smoothly, whether or not the file repeats
    // it; an open one that ends where it began comes back along its own end tangents.
    while (out.size() > 1 && Length(out.back() - out.front()) <= same) out.pop_back();
    if (out.size() > 2) out.push_back(out.front());
    return out;
}

QPointF Unit(QPointF v) {
    const double l = Length(v);
    return l > 0 ? v / l : QPointF();
}

// The tangent (per unit of chord length) at the middle of three points: the parabola's through
// them, its parameter the chords' lengths (Bessel's).
QPointF MiddleTangent(QPointF a, QPointF b, QPointF c) {
    const double h1 = Length(b - a), h2 = Length(c - b);
    return ((b - a) / h1 * h2 + (c - b) / h2 * h1) / (h1 + h2);
}

// The direction a drafting program gives an open curve's end when the file gives none: the
// end's own chord extrapolated a step beyond it (as Akima's five-point estimate does there, where
// the two crossings it weighs are always equal), 3 (P1 - P0) - (P2 - P1). Its length is not
// its own: the interpolation takes every end tangent at one length, the curve's chords'.
QPointF EstimatedEnd(QPointF p0, QPointF p1, QPointF p2) {
    const QPointF t = Unit(3 * (p1 - p0) - (p2 - p1));
    return t.isNull() ? Unit(p1 - p0) : t;
}

// The unit end tangents: the file's directions when it gives them, else the estimate above at
// each end (a closed curve: the parabola's through the points on both sides of its joint).
void EndTangents(const std::vector<QPointF>& q, const SplineData& s, bool closed, QPointF* start,
                 QPointF* end) {
    const size_t n = q.size() - 1;
    QPointF a = Unit(q[1] - q[0]), b = Unit(q[n] - q[n - 1]);
    if (closed) {
        a = b = Unit(MiddleTangent(q[n - 1], q[0], q[1]));
    } else if (n >= 2) {
        a = EstimatedEnd(q[0], q[1], q[2]);
        b = EstimatedEnd(q[n], q[n - 1], q[n - 2]) * -1;
    }
    const QPointF givenStart = Unit(s.startTangent), givenEnd = Unit(s.endTangent);
    *start = givenStart.isNull() ? a : givenStart;
    *end = givenEnd.isNull() ? b : givenEnd;
}

// The cubic B-spline basis functions that are not zero at knot `span` (knots[span] itself).
void Basis(const std::vector<double>& knots, size_t span, double out[4]) {
    double left[4], right[4];
    out[0] = 1;
    for (int j = 1; j <= 3; ++j) {
        left[j] = knots[span] - knots[span + 1 - j];
        right[j] = knots[span + j] - knots[span];
        double saved = 0;
        for (int r = 0; r < j; ++r) {
            const double t = out[r] / (right[r + 1] + left[j - r]);
            out[r] = saved + right[r + 1] * t;
            saved = left[j - r] * t;
        }
        out[j] = saved;
    }
}

// Control points 2..n from the interpolation's equations, a tridiagonal system (no pivoting
// is needed for a cubic's: it is diagonally dominant).
void SolveInterior(const std::vector<QPointF>& q, const std::vector<double>& knots,
                   std::vector<QPointF>& control) {
    const size_t n = q.size() - 1;
    if (n < 2) return;
    // Equation k (1..n-1): N_k P_k + N_k+1 P_k+1 + N_k+2 P_k+2 = Q_k, at knot k + 3.
    std::vector<double> diag(n + 1), upper(n + 1);
    std::vector<QPointF> rhs(n + 1);
    for (size_t k = 1; k < n; ++k) {
        double b[4];
        Basis(knots, k + 3, b);
        QPointF r = q[k];
        if (k == 1) r -= b[0] * control[1];
        if (k == n - 1) r -= b[2] * control[n + 1];
        double d = b[1];
        if (k > 1) {
            // Forward elimination of P_k, known in terms of P_k+1 from the row before.
            const double m = b[0] / diag[k - 1];
            d -= m * upper[k - 1];
            r -= m * rhs[k - 1];
        }
        diag[k] = d;
        upper[k] = k + 1 < n ? b[2] : 0;
        rhs[k] = r;
    }
    for (size_t k = n - 1; k >= 1; --k) {
        const QPointF next = k + 1 < n ? control[k + 2] : QPointF();
        control[k + 1] = (rhs[k] - upper[k] * next) / diag[k];
    }
}

}  // namespace

bool InterpolateFitPoints(SplineData& s) {
    const std::vector<QPointF> q = Distinct(s.fit, s.closed);
    if (q.size() < 2) return false;
    const size_t n = q.size() - 1;
    std::vector<double> chord(n + 1, 0);
    for (size_t k = 1; k <= n; ++k) chord[k] = chord[k - 1] + Length(q[k] - q[k - 1]);
    const double total = chord[n];
    if (!(total > 0) || !std::isfinite(total)) return false;
    std::vector<double> knots(4, 0);
    knots.reserve(n + 7);
    for (size_t k = 1; k < n; ++k) knots.push_back(chord[k] / total);
    knots.insert(knots.end(), 4, 1);
    QPointF start, end;
    EndTangents(q, s, s.closed && n >= 3, &start, &end);
    // The tangents per unit of the parameter, which runs from 0 to 1 along the whole length.
    std::vector<QPointF> control(n + 3);
    control[0] = q[0];
    control[1] = q[0] + start * total * knots[4] / 3;
    control[n + 1] = q[n] - end * total * (1 - knots[n + 2]) / 3;
    control[n + 2] = q[n];
    SolveInterior(q, knots, control);
    s.degree = 3;
    s.control = std::move(control);
    s.knots = std::move(knots);
    s.weights.clear();
    return true;
}

bool AddDxfSpline(QPainterPath& path, const SplineData& spline, double tolerance) {
    if (!spline.control.empty()) return AddSpline(path, spline, tolerance);
    SplineData through = spline;
    if (!InterpolateFitPoints(through)) return false;
    // Closed through its fit points, it ends where it began: its last control point is its first.
    through.closed = false;
    return AddSpline(path, through, tolerance);
}
