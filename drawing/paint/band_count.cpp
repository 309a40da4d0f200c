#include "drawing/paint/band_count.h"

#include <QPointF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A point of the boundary is said to be kept only when nothing else of the band crosses its
// row this near (device units): a boundary whose points all round to one plotter unit (which
// the plot drops) is narrower than this, so its other side is always that near.
constexpr double kApart = 1.5;
// Closer than this to a row, an edge's end is taken to touch it.
constexpr double kTouch = 1e-6;
// The sweep's work, in edge visits per vertex, beyond which the rest goes uncounted (a band of
// many thin pieces side by side, such as a dashed line's).
constexpr uint64_t kVisitsPerVertex = 256;

struct Vertex {
    QPointF p;
    uint32_t before = 0, after = 0;  // the neighbours along its ring
    int edge = -1;                   // the edge to the next one, -1 when level
    bool sure = true;                // where the simplifier puts a vertex too
};

struct Pieces {
    int count;  // chords
    bool sure;  // the simplifier's count for certain
};

// Whether the simplifier takes the curve p0..p3 for its chord: two of its control points on
// one place (`near`: relatively so).
bool Straight(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double near) {
    const auto same = [near](QPointF a, QPointF b) {
        return std::abs(a.x() - b.x()) <= near * std::max(1.0, std::abs(a.x())) &&
               std::abs(a.y() - b.y()) <= near * std::max(1.0, std::abs(a.y()));
    };
    const bool s12 = same(p0, p1), s23 = same(p1, p2), s34 = same(p2, p3);
    if ((s12 && s23) || (s12 && s34) || (s23 && s34)) return true;
    return same(p0, p3) && (s12 || s34);
}

// The chords the simplifier cuts a curve into: equal steps in t, as many as the larger side of
// its control box is long (times 2 pi / 6, within 3 and 64, less one); one for a straight one.
// Not sure where that length is too near a whole number, or the curve too near straight, to
// tell.
Pieces PiecesOf(QPointF p0, QPointF p1, QPointF p2, QPointF p3) {
    if (Straight(p0, p1, p2, p3, 1e-12)) return {1, true};
    const double w =
        std::max({p0.x(), p1.x(), p2.x(), p3.x()}) - std::min({p0.x(), p1.x(), p2.x(), p3.x()});
    const double h =
        std::max({p0.y(), p1.y(), p2.y(), p3.y()}) - std::min({p0.y(), p1.y(), p2.y(), p3.y()});
    const double steps = std::max(w, h) * (2 * 3.14 / 6);
    const int threshold = std::max(3, static_cast<int>(std::min(64.0, steps)));
    const bool whole = steps < 64 && std::abs(steps - std::round(steps)) < 1e-3;
    return {threshold - 1, !whole && !Straight(p0, p1, p2, p3, 1e-9)};
}

QPointF PointAt(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double t) {
    const double u = 1 - t;
    const QPointF a = p0 * u + p1 * t, b = p1 * u + p2 * t, c = p2 * u + p3 * t;
    const QPointF ab = a * u + b * t, bc = b * u + c * t;
    return ab * u + bc * t;
}

// An edge of a ring from its upper end (y0 < y1); `wind` +1 where the ring runs down; `from`
// the vertex it starts on its ring.
struct Edge {
    Edge(QPointF top, QPointF bottom, int wind, uint32_t from)
        : x0(top.x()),
          y0(top.y()),
          y1(bottom.y()),
          slope((bottom.x() - top.x()) / (bottom.y() - top.y())),
          wind(wind),
          from(from) {}
    double x0, y0, y1, slope;
    int wind;
    uint32_t from;
    double XAt(double y) const { return x0 + (std::clamp(y, y0, y1) - y0) * slope; }
};

// Whether the turn at b is more than the simplifier's joining of lines in one direction.
bool Turns(QPointF a, QPointF b, QPointF c) {
    const QPointF u = b - a, v = c - b;
    const double cross = u.x() * v.y() - u.y() * v.x();
    return cross * cross > 1e-12 * QPointF::dotProduct(u, u) * QPointF::dotProduct(v, v);
}

// Whether `v` rounds to one whole number for sure, however the last bits fall.
bool Definite(double v) { return std::abs(v - std::floor(v) - 0.5) > 1e-6; }

// One band counted at a time, in vectors kept from band to band: a band's are past malloc's
// mapping threshold, and fresh pages for each band cost more than the counting.
class Counter {
public:
    uint64_t Count(const QPainterPath& band) {
        _v.clear(), _edges.clear(), _byRow.clear();
        RingsOf(band);
        Edges();
        Sweep();
        return _found;
    }

private:
    // The band's subpaths as the simplifier sees them: each closed, its curves cut into chords.
    void RingsOf(const QPainterPath& band) {
        size_t start = 0;
        QPointF last;
        for (int i = 0; i < band.elementCount(); ++i) {
            const QPainterPath::Element& e = band.elementAt(i);
            const QPointF p(e.x, e.y);
            if (e.isMoveTo() && i > 0) start = Close(start);
            if (e.type == QPainterPath::CurveToElement && i + 2 < band.elementCount()) {
                const QPointF c2 = band.elementAt(i + 1), end = band.elementAt(i + 2);
                const Pieces n = PiecesOf(last, p, c2, end);
                for (int k = 1; k < n.count; ++k)
                    Add(start, PointAt(last, p, c2, end, static_cast<double>(k) / n.count), n.sure);
                Add(start, end, true);
                last = end;
                i += 2;
                continue;
            }
            Add(start, p, true);
            last = p;
        }
        Close(start);
    }

    void Add(size_t start, QPointF p, bool sure) {
        if (_v.size() > start && _v.back().p == p) return;
        _v.push_back({p, 0, 0, -1, sure});
    }

    // Ends the ring from `start` where it began; where the next one starts.
    size_t Close(size_t start) {
        if (_v.size() > start + 1 && _v.back().p == _v[start].p) _v.pop_back();
        const auto n = static_cast<uint32_t>(_v.size() - start);
        if (n < 3) {
            _v.resize(start);
            return start;
        }
        const auto base = static_cast<uint32_t>(start);
        for (uint32_t i = 0; i < n; ++i) {
            _v[base + i].before = base + (i + n - 1) % n;
            _v[base + i].after = base + (i + 1) % n;
        }
        return _v.size();
    }

    // The edges the vertices start, and the vertices in row order.
    void Edges() {
        for (uint32_t i = 0; i < _v.size(); ++i) {
            const QPointF v = _v[i].p, b = _v[_v[i].after].p;
            _byRow.emplace_back(v.y(), i);
            if (v.y() == b.y()) continue;
            _v[i].edge = static_cast<int>(_edges.size());
            _edges.push_back(v.y() < b.y() ? Edge(v, b, 1, i) : Edge(b, v, -1, i));
        }
        SortByRow();
    }

    // The vertices come along their rings in long runs up or down a band's side: merging the
    // runs costs far less than sorting the rows afresh.
    void SortByRow() {
        auto& rows = _byRow;
        _ends.clear();
        for (size_t i = 0; i < rows.size();) {
            size_t j = i + 1;
            const bool falling = j < rows.size() && rows[j] < rows[i];
            while (j < rows.size() && (rows[j] < rows[j - 1]) == falling) ++j;
            if (falling) std::reverse(rows.begin() + i, rows.begin() + j);
            _ends.push_back(j);
            i = j;
        }
        while (_ends.size() > 1) {
            _merged.resize(rows.size());
            size_t begin = 0, kept = 0;
            for (size_t r = 0; r < _ends.size(); r += 2) {
                const size_t mid = _ends[r], end = r + 1 < _ends.size() ? _ends[r + 1] : mid;
                std::merge(rows.begin() + begin, rows.begin() + mid, rows.begin() + mid,
                           rows.begin() + end, _merged.begin() + begin);
                _ends[kept++] = begin = end;
            }
            _ends.resize(kept);
            rows.swap(_merged);
        }
    }

    // The edge leaving vertex v downwards along its ring on side `ahead` (-1 when none).
    int Down(uint32_t v, bool ahead) const {
        const uint32_t w = ahead ? _v[v].after : _v[v].before;
        if (!(_v[w].p.y() > _v[v].p.y())) return -1;
        return _v[ahead ? v : w].edge;
    }

    // The vertices in row order, each against the edges across its row; a vertex is kept
    // where its ring runs through the row there.
    void Sweep() {
        _active.clear();
        _found = 0;
        _row.clear();
        int64_t rowY = INT64_MIN;
        size_t next = 0;
        uint64_t visits = 0;
        for (const auto& entry : _byRow) {
            // Named, not bound: a lambda below needs `y`, and older clang can't capture a binding.
            const double y = entry.first;
            const uint32_t v = entry.second;
            for (; next < _byRow.size() && _byRow[next].first <= y + kTouch; ++next)
                for (const bool ahead : {true, false})
                    if (const int e = Down(_byRow[next].second, ahead); e >= 0)
                        _active.push_back(e);
            std::erase_if(_active, [&](int e) { return _edges[e].y1 < y - kTouch; });
            visits += _active.size();
            if (visits > kVisitsPerVertex * _v.size()) break;
            const QPointF p = _v[v].p, a = _v[_v[v].before].p, b = _v[_v[v].after].p;
            const bool down = (a.y() < y) && (y < b.y());
            const bool up = (a.y() > y) && (y > b.y());
            if (!_v[v].sure || !(down || up) || !Turns(a, p, b)) continue;
            if (!OnBoundary(v, Down(v, down)) || !Definite(p.x()) || !Definite(y)) continue;
            // Every whole-unit point a kept vertex rounds to is in the plot at least once;
            // the rows come in order, so points alike meet within one row.
            if (std::llround(y) != rowY) Distinct(), rowY = std::llround(y);
            _row.push_back(std::llround(p.x()));
        }
        Distinct();
    }

    void Distinct() {
        std::sort(_row.begin(), _row.end());
        _found += static_cast<uint64_t>(std::unique(_row.begin(), _row.end()) - _row.begin());
        _row.clear();
    }

    // Whether, just past v's row, the band lies on one side of v's `own` edge only, with
    // nothing else of it crossing near.
    bool OnBoundary(uint32_t v, int own) const {
        const double y = _v[v].p.y(), x = _v[v].p.x();
        int left = 0;
        for (const int i : _active) {
            const Edge& e = _edges[i];
            if (e.from == v || e.from == _v[v].before) continue;
            const double at = e.XAt(y);
            if (std::abs(at - x) < kApart) return false;
            if (at < x && e.y0 <= y && y < e.y1) left += e.wind;
        }
        const int right = left + _edges[own].wind;
        return (left == 0) != (right == 0);
    }

    std::vector<Vertex> _v;  // the rings' vertices, ring after ring
    std::vector<Edge> _edges;
    std::vector<std::pair<double, uint32_t>> _byRow, _merged;
    std::vector<size_t> _ends;  // of the runs in row order
    std::vector<int> _active;
    std::vector<int64_t> _row;  // the kept points' x of one row
    uint64_t _found = 0;
};

}  // namespace

uint64_t BandPointsAtLeast(const QPainterPath& band) {
    thread_local Counter counter;
    return counter.Count(band);
}
