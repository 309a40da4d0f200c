#include "drawing/paint/polyline_sink.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool Finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// Liang-Barsky: the part of a->b inside `box` as parameters [t0, t1]; false when none.
bool ClipSegment(QPointF a, QPointF b, const QRectF& box, double* t0, double* t1) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                         box.bottom() - a.y()};
    double lo = 0, hi = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            lo = std::max(lo, r);
        else
            hi = std::min(hi, r);
        if (lo > hi) return false;
    }
    *t0 = lo;
    *t1 = hi;
    return true;
}

}  // namespace

PolylineSink::PolylineSink(const PlotArea& area, const QRectF& reach, size_t maxPoints)
    : _area(area),
      _reach(reach),
      _maxPoints(maxPoints),
      _minX(std::numeric_limits<double>::infinity()),
      _minY(_minX),
      _maxX(-_minX),
      _maxY(-_minX),
      _drawnMinX(_minX),
      _drawnMinY(_minX),
      _drawnMaxX(-_minX),
      _drawnMaxY(-_minX) {}

QRectF PolylineSink::extent() const {
    if (_minX > _maxX) return {};
    return QRectF(QPointF(_minX, _minY), QPointF(_maxX, _maxY));
}

QRectF PolylineSink::drawnExtent() const {
    if (_drawnMinX > _drawnMaxX) return {};
    return QRectF(QPointF(_drawnMinX, _drawnMinY), QPointF(_drawnMaxX, _drawnMaxY));
}

void PolylineSink::Extend(QPointF p) {
    _minX = std::min(_minX, p.x());
    _maxX = std::max(_maxX, p.x());
    _minY = std::min(_minY, p.y());
    _maxY = std::max(_maxY, p.y());
}

void PolylineSink::MoveTo(QPointF p) {
    Finish();
    _hasPrev = Finite(p);
    if (!_hasPrev) ++_nonFinite;
    _prev = p;
}

void PolylineSink::Skip(QPointF p) {
    if (Finite(p)) {
        Extend(p);
        ExtendDrawn(p);
    }
    MoveTo(p);
}

void PolylineSink::Hidden(QPointF p) {
    if (Finite(p)) Extend(p);
    MoveTo(p);
}

void PolylineSink::ExtendDrawn(QPointF p) {
    _drawnMinX = std::min(_drawnMinX, p.x());
    _drawnMaxX = std::max(_drawnMaxX, p.x());
    _drawnMinY = std::min(_drawnMinY, p.y());
    _drawnMaxY = std::max(_drawnMaxY, p.y());
}

void PolylineSink::LineTo(QPointF p) {
    if (!Finite(p)) {
        ++_nonFinite;
        Finish();
        _hasPrev = false;
        return;
    }
    if (!_hasPrev) {
        MoveTo(p);
        return;
    }
    const QPointF a = _prev;
    _prev = p;
    Extend(a);
    Extend(p);
    ExtendDrawn(a);
    ExtendDrawn(p);
    double t0 = 0, t1 = 1;
    if (!ClipSegment(a, p, _reach, &t0, &t1)) {
        Finish();
        return;
    }
    const QPointF d = p - a;
    if (t0 > 0 || !_open) {
        Finish();
        if (_full) return;
        _paths.starts.push_back(static_cast<uint32_t>(_paths.points.size()));
        _pens.push_back(_pen);
        _open = true;
        Append(a + d * t0);
    }
    Append(t1 < 1 ? a + d * t1 : p);
    if (t1 < 1) Finish();
}

void PolylineSink::Append(QPointF p) {
    // Inside the reach by construction; the clamp only guards rounding at its edges.
    const QPointF on = ToPaper(_area, QPointF(std::clamp(p.x(), _reach.left(), _reach.right()),
                                              std::clamp(p.y(), _reach.top(), _reach.bottom())));
    const PlotPoint q{static_cast<int32_t>(std::lround(on.x())),
                      static_cast<int32_t>(std::lround(on.y()))};
    const size_t begin = _paths.starts.back();
    if (_paths.points.size() > begin && _paths.points.back() == q) return;
    _paths.points.push_back(q);
}

void PolylineSink::Finish() {
    if (!_open) return;
    _open = false;
    if (_fillBoundary) DropSpurs();
    const size_t begin = _paths.starts.back();
    // A polyline that rounds to one point draws nothing.
    if (_paths.points.size() - begin < 2) {
        _paths.points.resize(begin);
        _paths.starts.pop_back();
        _pens.pop_back();
    }
    if (_paths.points.size() >= _maxPoints) _full = true;
}

void PolylineSink::DropSpurs() {
    std::vector<PlotPoint>& points = _paths.points;
    const size_t begin = _paths.starts.back();
    if (points.size() - begin < 4 || points[begin] != points.back()) return;
    // b is a spur's tip when a-b-c turns straight back along itself.
    const auto tip = [](PlotPoint a, PlotPoint b, PlotPoint c) {
        const int64_t ux = int64_t{b.x} - a.x, uy = int64_t{b.y} - a.y;
        const int64_t vx = int64_t{c.x} - b.x, vy = int64_t{c.y} - b.y;
        return ux * vy == uy * vx && ux * vx + uy * vy < 0;
    };
    std::vector<PlotPoint> ring;
    for (size_t i = begin; i + 1 < points.size(); ++i) {
        const PlotPoint p = points[i];
        while (ring.size() >= 2 && tip(ring[ring.size() - 2], ring.back(), p)) ring.pop_back();
        if (ring.empty() || ring.back() != p) ring.push_back(p);
    }
    // Round the ring's seam: a spur may start or end at its first point.
    size_t first = 0;
    for (bool again = true; again && ring.size() - first >= 3;) {
        again = false;
        if (ring.back() == ring[first]) {
            ring.pop_back();
            again = true;
        } else if (tip(ring[ring.size() - 2], ring.back(), ring[first])) {
            ring.pop_back();
            again = true;
        } else if (tip(ring.back(), ring[first], ring[first + 1])) {
            ++first;
            again = true;
        }
    }
    if (ring.size() - first + 1 == points.size() - begin) return;  // no spur
    points.resize(begin);
    if (ring.size() - first < 3) return;  // nothing but spurs: no area, no line
    points.insert(points.end(), ring.begin() + static_cast<std::ptrdiff_t>(first), ring.end());
    points.push_back(ring[first]);
}
