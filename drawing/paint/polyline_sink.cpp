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
      _maxY(-_minX) {}

QRectF PolylineSink::extent() const {
    if (_minX > _maxX) return {};
    return QRectF(QPointF(_minX, _minY), QPointF(_maxX, _maxY));
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
    if (Finite(p)) Extend(p);
    MoveTo(p);
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
    const size_t begin = _paths.starts.back();
    // A polyline that rounds to one point draws nothing.
    if (_paths.points.size() - begin < 2) {
        _paths.points.resize(begin);
        _paths.starts.pop_back();
        _pens.pop_back();
    }
    if (_paths.points.size() >= _maxPoints) _full = true;
}
