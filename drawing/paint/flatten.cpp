#include "drawing/paint/flatten.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

namespace {

// More steps than this on one curve: halve it first, so a curve reaching far beyond the page
// only costs vertices where it is on it.
constexpr int kMaxUniformSteps = 64;
constexpr int kMaxSplitDepth = 48;

double Length(QPointF p) { return std::hypot(p.x(), p.y()); }

bool Finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

QRectF ControlBox(QPointF p0, QPointF p1, QPointF p2, QPointF p3) {
    const double x0 = std::min({p0.x(), p1.x(), p2.x(), p3.x()});
    const double x1 = std::max({p0.x(), p1.x(), p2.x(), p3.x()});
    const double y0 = std::min({p0.y(), p1.y(), p2.y(), p3.y()});
    const double y1 = std::max({p0.y(), p1.y(), p2.y(), p3.y()});
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

bool Meets(const QRectF& a, const QRectF& b) {
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() &&
           b.top() <= a.bottom();
}

// `Out` is a PolylineSink, or anything with its LineTo, Skip and reach.
template <class Out>
void Cubic(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double tolerance, Out& sink, int depth) {
    if (!Finite(p0) || !Finite(p1) || !Finite(p2) || !Finite(p3)) {
        sink.LineTo(p3);
        return;
    }
    // The curve lies in its control polygon's box: outside the reach nothing of it is drawn.
    if (!Meets(ControlBox(p0, p1, p2, p3), sink.reach())) {
        sink.Skip(p3);
        return;
    }
    const int steps = CubicSteps(p0, p1, p2, p3, tolerance);
    if (steps > kMaxUniformSteps && depth < kMaxSplitDepth) {
        const QPointF a = (p0 + p1) / 2, b = (p1 + p2) / 2, c = (p2 + p3) / 2;
        const QPointF ab = (a + b) / 2, bc = (b + c) / 2, mid = (ab + bc) / 2;
        Cubic(p0, a, ab, mid, tolerance, sink, depth + 1);
        Cubic(mid, bc, c, p3, tolerance, sink, depth + 1);
        return;
    }
    const int n = std::min(steps, kMaxUniformSteps);
    for (int i = 1; i < n; ++i) {
        const double t = static_cast<double>(i) / n, u = 1 - t;
        sink.LineTo(p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) +
                    p3 * (t * t * t));
    }
    sink.LineTo(p3);
}

// Closed boundaries for hatching. A curve wholly outside the reach becomes its chord: the
// area between them lies in the curve's control box, so nothing of the area inside the reach
// changes.
class RingCollector {
public:
    explicit RingCollector(const QRectF& reach) : _reach(reach) {}
    const QRectF& reach() const { return _reach; }
    void MoveTo(QPointF p) {
        Close();
        _rings.push_back({p});
    }
    void LineTo(QPointF p) {
        if (_rings.empty()) _rings.push_back({});
        if (_rings.back().empty() || _rings.back().back() != p) _rings.back().push_back(p);
    }
    void Skip(QPointF p) { LineTo(p); }
    void Close() {
        if (_rings.empty()) return;
        Ring& r = _rings.back();
        if (r.size() > 1 && r.front() == r.back()) r.pop_back();
        if (r.size() < 3) _rings.pop_back();
    }
    std::vector<Ring> Take() {
        Close();
        return std::move(_rings);
    }

private:
    QRectF _reach;
    std::vector<Ring> _rings;
};

// Open polylines, each subpath one (a closed shape's ended where it began). A curve wholly
// outside the reach becomes its chord, as for the sink.
class LineCollector {
public:
    LineCollector(const QRectF& reach, bool closed) : _reach(reach), _closed(closed) {}
    const QRectF& reach() const { return _reach; }
    void MoveTo(QPointF p) {
        Close();
        _lines.push_back({p});
    }
    void LineTo(QPointF p) {
        if (_lines.empty()) _lines.push_back({});
        if (_lines.back().empty() || _lines.back().back() != p) _lines.back().push_back(p);
    }
    void Skip(QPointF p) { LineTo(p); }
    void Finish() {}
    void Close() {
        if (_lines.empty()) return;
        std::vector<QPointF>& l = _lines.back();
        if (_closed && l.size() > 1 && l.front() != l.back()) l.push_back(l.front());
        if (l.size() < 2) _lines.pop_back();
    }
    std::vector<std::vector<QPointF>> Take() {
        Close();
        return std::move(_lines);
    }

private:
    QRectF _reach;
    bool _closed;
    std::vector<std::vector<QPointF>> _lines;
};

// Every element of `path`, mapped, into `out` (a sink's MoveTo, LineTo, Skip and reach): curves
// flattened within `tolerance`. False for a curve cut short at the path's end.
template <class Out>
bool WalkPath(const QPainterPath& path, const QTransform& transform, double tolerance, Out& out) {
    QPointF last;
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        const QPointF p = transform.map(QPointF(e.x, e.y));
        switch (e.type) {
            case QPainterPath::MoveToElement:
                out.MoveTo(p);
                last = p;
                break;
            case QPainterPath::LineToElement:
                out.LineTo(p);
                last = p;
                break;
            case QPainterPath::CurveToElement: {
                if (i + 2 >= count) return false;
                const QPainterPath::Element& c2 = path.elementAt(i + 1);
                const QPainterPath::Element& end = path.elementAt(i + 2);
                const QPointF q3 = transform.map(QPointF(end.x, end.y));
                Cubic(last, p, transform.map(QPointF(c2.x, c2.y)), q3, tolerance, out, 0);
                last = q3;
                i += 2;
                break;
            }
            case QPainterPath::CurveToDataElement:
                break;  // consumed with its curve
        }
    }
    return true;
}

// The sink, with each subpath of a closed shape ended where it began.
class ClosingSink {
public:
    ClosingSink(PolylineSink& sink, bool closed) : _sink(sink), _closed(closed) {}
    const QRectF& reach() const { return _sink.reach(); }
    void MoveTo(QPointF p) {
        Close();
        _sink.MoveTo(p);
        _start = _last = p;
        _open = true;
    }
    void LineTo(QPointF p) {
        _sink.LineTo(p);
        _last = p;
    }
    void Skip(QPointF p) {
        _sink.Skip(p);
        _last = p;
    }
    void Close() {
        if (_closed && _open && _last != _start) _sink.LineTo(_start);
        _open = false;
    }

private:
    PolylineSink& _sink;
    bool _closed;
    QPointF _start, _last;
    bool _open = false;
};

}  // namespace

std::vector<Ring> FlattenRings(const QPainterPath& path, const QTransform& transform,
                               const QRectF& reach, double tolerance) {
    RingCollector rings(reach);
    WalkPath(path, transform, tolerance, rings);
    return rings.Take();
}

namespace {

// `Out`: a PolylineSink or a LineCollector.
template <class Out>
void EllipseInto(const QRectF& box, const QTransform& transform, Out& sink, double tolerance) {
    const QPointF c = transform.map(box.center());
    // The mapped ellipse is c + u cos t + v sin t; its largest radius bounds every chord's
    // distance from it: r (1 - cos(step / 2)).
    const QPointF u = transform.map(box.center() + QPointF(box.width() / 2, 0)) - c;
    const QPointF v = transform.map(box.center() + QPointF(0, box.height() / 2)) - c;
    const double uu = QPointF::dotProduct(u, u), vv = QPointF::dotProduct(v, v);
    const double uv = QPointF::dotProduct(u, v);
    const double r = std::sqrt((uu + vv) / 2 + std::sqrt((uu - vv) * (uu - vv) / 4 + uv * uv));
    if (!std::isfinite(r) || !Finite(c)) {
        sink.LineTo(QPointF(r, r) * std::numeric_limits<double>::infinity());
        return;
    }
    // Far from the page, or huge around it: QPainterPath's cubics go through the reach
    // test and split only where they are on the page.
    const QRectF bound(c - QPointF(r, r), c + QPointF(r, r));
    if (!Meets(bound, sink.reach()) || r > 1e7) {
        QPainterPath path;
        path.addEllipse(box);
        if constexpr (std::is_same_v<Out, PolylineSink>) {
            FlattenPath(path, transform, true, sink, tolerance);
        } else {
            WalkPath(path, transform, tolerance, sink);
            sink.Close();
        }
        return;
    }
    const double step = r > tolerance ? 2 * std::acos(1 - tolerance / r) : M_PI / 2;
    const int n = std::max(4, static_cast<int>(std::ceil(2 * M_PI / step)));
    sink.MoveTo(c + u);
    for (int i = 1; i < n; ++i) {
        const double t = 2 * M_PI * i / n;
        sink.LineTo(c + u * std::cos(t) + v * std::sin(t));
    }
    sink.LineTo(c + u);
    sink.Finish();
}

}  // namespace

void FlattenEllipse(const QRectF& box, const QTransform& transform, PolylineSink& sink,
                    double tolerance) {
    EllipseInto(box, transform, sink, tolerance);
}

std::vector<std::vector<QPointF>> FlattenLines(const QPainterPath* path, const QRectF& ellipse,
                                               const QTransform& transform, bool closed,
                                               const QRectF& reach, double tolerance) {
    LineCollector lines(reach, closed || !path);
    if (path)
        WalkPath(*path, transform, tolerance, lines);
    else
        EllipseInto(ellipse, transform, lines, tolerance);
    return lines.Take();
}

int CubicSteps(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double tolerance) {
    const double m = std::max(Length(p0 - 2 * p1 + p2), Length(p1 - 2 * p2 + p3));
    const double n = std::ceil(std::sqrt(0.75 * m / tolerance));
    if (!(n >= 1)) return 1;
    return n > 1e6 ? 1000000 : static_cast<int>(n);
}

void FlattenPath(const QPainterPath& path, const QTransform& transform, bool closed,
                 PolylineSink& sink, double tolerance) {
    ClosingSink lines(sink, closed);
    if (!WalkPath(path, transform, tolerance, lines)) return;
    lines.Close();
    sink.Finish();
}
