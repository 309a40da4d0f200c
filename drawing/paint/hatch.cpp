#include "drawing/paint/hatch.h"

#include <algorithm>
#include <cmath>

namespace {

// An edge of the boundary with y0 < y1; `wind` +1 where the boundary runs down (y growing).
struct Edge {
    double x0, y0, x1, y1;
    int wind;
    double XAt(double y) const { return x0 + (y - y0) * (x1 - x0) / (y1 - y0); }
};

struct Crossing {
    double x;
    int wind;
    bool operator<(const Crossing& o) const { return x < o.x; }
};

// The lines' places: the area's band [top + w/2, bottom - w/2] (the outline covers the rest)
// split into as few lines as cover it, evenly spread, the first one pen width in.
struct Lines {
    double first = 0, step = 0;
    int64_t count = 0;
    double At(int64_t k) const { return first + step * static_cast<double>(k); }
};

Lines LinesFor(double top, double bottom, double w) {
    Lines lines;
    const double band = bottom - top - w;
    if (!(band > 0)) return lines;
    lines.count = std::max<int64_t>(1, static_cast<int64_t>(std::ceil(band / w - 1e-9)));
    if (lines.count == 1) {
        lines.first = (top + bottom) / 2;
        return lines;
    }
    lines.first = top + w;
    lines.step = (band - w) / static_cast<double>(lines.count - 1);
    return lines;
}

// Whether a and b cross or touch: the segments' orientations, exact enough for a move of a
// few pen widths against the boundary.
bool Meets(QPointF a, QPointF b, const Edge& e) {
    const QPointF c(e.x0, e.y0), d(e.x1, e.y1);
    const auto cross = [](QPointF o, QPointF p, QPointF q) {
        return (p.x() - o.x()) * (q.y() - o.y()) - (p.y() - o.y()) * (q.x() - o.x());
    };
    const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
    return (d1 <= 0) != (d2 <= 0) ? (d3 <= 0) != (d4 <= 0) || d3 == 0 || d4 == 0
                                  : d1 == 0 || d2 == 0;
}

class Sweep {
public:
    Sweep(const std::vector<Ring>& rings, Qt::FillRule rule) : _evenOdd(rule == Qt::OddEvenFill) {
        for (const Ring& ring : rings) {
            for (size_t i = 0; i < ring.size(); ++i) {
                const QPointF a = ring[i], b = ring[(i + 1) % ring.size()];
                if (a.y() == b.y() || !std::isfinite(a.x() + a.y() + b.x() + b.y())) continue;
                if (a.y() < b.y())
                    _edges.push_back({a.x(), a.y(), b.x(), b.y(), 1});
                else
                    _edges.push_back({b.x(), b.y(), a.x(), a.y(), -1});
            }
        }
        std::sort(_edges.begin(), _edges.end(),
                  [](const Edge& p, const Edge& q) { return p.y0 < q.y0; });
    }

    bool empty() const { return _edges.empty(); }
    double top() const { return _edges.front().y0; }
    double bottom() const {
        double b = _edges.front().y1;
        for (const Edge& e : _edges) b = std::max(b, e.y1);
        return b;
    }

    // Moves down to y (never back up): the edges across y, and those that ended since `since`.
    void To(double y, double since) {
        for (; _next < _edges.size() && _edges[_next].y0 <= y; ++_next) _active.push_back(_next);
        std::erase_if(_active, [&](size_t i) { return _edges[i].y1 < since; });
    }

    // The inside stretches along y, left to right.
    void Inside(double y, std::vector<std::pair<double, double>>& out) {
        out.clear();
        _crossings.clear();
        for (size_t i : _active) {
            const Edge& e = _edges[i];
            if (e.y0 <= y && y < e.y1) _crossings.push_back({e.XAt(y), e.wind});
        }
        std::sort(_crossings.begin(), _crossings.end());
        int wind = 0;
        for (size_t i = 0; i + 1 < _crossings.size(); ++i) {
            wind += _crossings[i].wind;
            const bool in = _evenOdd ? (i % 2 == 0) : wind != 0;
            if (in && _crossings[i + 1].x > _crossings[i].x)
                out.push_back({_crossings[i].x, _crossings[i + 1].x});
        }
        // Stretches that meet (a boundary inside the area under nonzero) are one.
        size_t k = 0;
        for (size_t i = 0; i < out.size(); ++i) {
            if (k && out[k - 1].second >= out[i].first)
                out[k - 1].second = std::max(out[k - 1].second, out[i].second);
            else
                out[k++] = out[i];
        }
        out.resize(k);
    }

    size_t Crossings(double y) const {
        size_t n = 0;
        for (size_t i : _active) n += _edges[i].y0 <= y && y < _edges[i].y1;
        return n;
    }

    // Whether the move a -> b crosses or touches the boundary (edges active since the line
    // before).
    bool Blocked(QPointF a, QPointF b) const {
        const double x0 = std::min(a.x(), b.x()), x1 = std::max(a.x(), b.x());
        for (size_t i : _active) {
            const Edge& e = _edges[i];
            if (std::max(e.x0, e.x1) < x0 || std::min(e.x0, e.x1) > x1) continue;
            if (Meets(a, b, e)) return true;
        }
        return false;
    }

private:
    bool _evenOdd;
    std::vector<Edge> _edges;
    std::vector<size_t> _active;
    size_t _next = 0;
    std::vector<Crossing> _crossings;
};

struct Run {
    std::vector<QPointF> points;
    double a, b;  // the last line's ends
    bool rightwards;
};

// The lines of an area whose rows run from top to bottom, laid over the part of it within a pen
// width of the clip: what lies further out is never drawn, and a huge area (a drawing's
// background far beyond the paper) would otherwise need more lines than a count holds.
Lines LinesWithin(double top, double bottom, double w, const QRectF& clip) {
    return LinesFor(std::max(top, clip.top() - w), std::min(bottom, clip.bottom() + w), w);
}

// The lines across the clip, as indices into `lines`: k0 > k1 when none.
std::pair<int64_t, int64_t> LinesAcross(const Lines& lines, const QRectF& clip) {
    int64_t k0 = 0, k1 = lines.count - 1;
    if (lines.step > 0) {
        k0 = std::max<int64_t>(
            0, static_cast<int64_t>(std::ceil((clip.top() - lines.first) / lines.step)));
        k1 = std::min<int64_t>(
            k1, static_cast<int64_t>(std::floor((clip.bottom() - lines.first) / lines.step)));
    } else if (lines.first < clip.top() || lines.first > clip.bottom()) {
        return {1, 0};
    }
    return {k0, k1};
}

// Counted: a stretch per two crossings is the most a line can have.
uint64_t CountLines(Sweep& count, const Lines& lines, int64_t k0, int64_t k1, uint64_t budget) {
    uint64_t most = 0;
    for (int64_t k = k0; k <= k1 && most <= budget; ++k) {
        count.To(lines.At(k), lines.At(k));
        most += count.Crossings(lines.At(k)) / 2;
    }
    return most;
}

}  // namespace

uint64_t HatchLines(const std::vector<Ring>& rings, Qt::FillRule rule, double width,
                    const QRectF& clip, uint64_t budget) {
    if (!(width > 0)) return 0;
    Sweep count(rings, rule);
    if (count.empty()) return 0;
    const Lines lines = LinesWithin(count.top(), count.bottom(), width, clip);
    const auto [k0, k1] = LinesAcross(lines, clip);
    return CountLines(count, lines, k0, k1, budget);
}

HatchResult Hatch(const std::vector<Ring>& rings, Qt::FillRule rule, double width,
                  const QRectF& clip, uint64_t budget) {
    HatchResult result;
    if (!(width > 0)) return result;
    Sweep count(rings, rule);
    if (count.empty()) return result;
    const Lines lines = LinesWithin(count.top(), count.bottom(), width, clip);
    if (lines.count == 0) return result;
    const auto [k0, k1] = LinesAcross(lines, clip);
    if (k0 > k1) return result;
    if (CountLines(count, lines, k0, k1, budget) > budget) {
        result.refused = true;
        return result;
    }

    const double half = width / 2, farthest = 8 * width;
    Sweep sweep(rings, rule);
    std::vector<std::pair<double, double>> stretches;
    std::vector<Run> open, next;
    const auto finish = [&](Run& run) {
        if (!run.points.empty()) result.runs.push_back(std::move(run.points));
        run.points.clear();
    };
    for (int64_t k = k0; k <= k1; ++k) {
        const double y = lines.At(k), before = k > k0 ? lines.At(k - 1) : y;
        sweep.To(y, before);
        sweep.Inside(y, stretches);
        next.clear();
        size_t r = 0;
        for (const auto& [left, right] : stretches) {
            const double a = std::max(left + half, clip.left()),
                         b = std::min(right - half, clip.right());
            if (a > b) continue;
            ++result.segments;
            // The first run of the line before that this stretch overlaps and can reach.
            while (r < open.size() && open[r].b < a) finish(open[r++]);
            bool joined = false;
            for (size_t j = r; j < open.size() && open[j].a <= b && !joined; ++j) {
                Run& run = open[j];
                if (run.points.empty()) continue;
                const QPointF from = run.points.back();
                const QPointF to(run.rightwards ? b : a, y);
                if (std::abs(to.x() - from.x()) > farthest || sweep.Blocked(from, to)) continue;
                run.points.push_back(to);
                run.points.push_back(QPointF(run.rightwards ? a : b, y));
                next.push_back({std::move(run.points), a, b, !run.rightwards});
                run.points.clear();
                joined = true;
            }
            if (!joined) next.push_back({{QPointF(a, y), QPointF(b, y)}, a, b, true});
        }
        for (Run& run : open) finish(run);
        open.swap(next);
    }
    for (Run& run : open) finish(run);
    return result;
}
