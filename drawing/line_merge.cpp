#include "drawing/line_merge.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

struct Segment {
    PlotPoint a, b;
};

struct Vec {
    double x, y;
};

Vec Sub(PlotPoint a, PlotPoint b) { return {double(a.x) - b.x, double(a.y) - b.y}; }

double Dist(PlotPoint a, PlotPoint b) {
    const Vec d = Sub(a, b);
    return std::hypot(d.x, d.y);
}

uint64_t HashCell(int64_t cx, int64_t cy) {
    uint64_t h = static_cast<uint64_t>(cx) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<uint64_t>(cy) + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2);
    return h ^ (h >> 29);
}

// Segments listed under every cell their capsule (the segment widened by `pad`) meets, in one
// array; cells are hashed into buckets, so a collision only adds candidates.
class SegmentGrid {
public:
    SegmentGrid(const std::vector<Segment>& segments, double cell, double pad)
        : _cell(cell), _pad(pad) {
        size_t buckets = 1;
        while (buckets < 2 * segments.size() + 1) buckets *= 2;
        _mask = buckets - 1;
        _first.assign(buckets + 1, 0);
        for (const Segment& s : segments) Cells(s, [&](uint64_t b) { ++_first[b + 1]; });
        std::partial_sum(_first.begin(), _first.end(), _first.begin());
        _listed.resize(_first.back());
        std::vector<uint32_t> fill(_first.begin(), _first.end() - 1);
        for (uint32_t i = 0; i < segments.size(); ++i)
            Cells(segments[i], [&](uint64_t b) { _listed[fill[b]++] = i; });
    }

    // Calls f(bucket) for each bucket of a cell the capsule of s meets (a bucket may repeat).
    template <class F>
    void Cells(const Segment& s, F&& f) const {
        const double ax = s.a.x, ay = s.a.y, bx = s.b.x, by = s.b.y;
        const int64_t c0 = Floor(std::min(ax, bx) - _pad), c1 = Floor(std::max(ax, bx) + _pad);
        for (int64_t cx = c0; cx <= c1; ++cx) {
            // The part of the segment over this column (widened by pad), and its y span.
            const double x0 = cx * _cell - _pad, x1 = (cx + 1) * _cell + _pad;
            double y0 = std::numeric_limits<double>::infinity(), y1 = -y0;
            if (ax == bx) {
                y0 = std::min(ay, by), y1 = std::max(ay, by);
            } else {
                const double t0 = std::clamp((x0 - ax) / (bx - ax), 0.0, 1.0);
                const double t1 = std::clamp((x1 - ax) / (bx - ax), 0.0, 1.0);
                const double ya = ay + (by - ay) * t0, yb = ay + (by - ay) * t1;
                y0 = std::min(ya, yb), y1 = std::max(ya, yb);
            }
            for (int64_t cy = Floor(y0 - _pad); cy <= Floor(y1 + _pad); ++cy)
                f(HashCell(cx, cy) & _mask);
        }
    }

    template <class F>
    void Near(const Segment& s, F&& f) const {
        Cells(s, [&](uint64_t b) {
            for (uint32_t k = _first[b]; k < _first[b + 1]; ++k) f(_listed[k]);
        });
    }

private:
    int64_t Floor(double v) const { return static_cast<int64_t>(std::floor(v / _cell)); }

    double _cell, _pad;
    uint64_t _mask = 0;
    std::vector<uint32_t> _first, _listed;
};

// The stretch of s (as parameters along it, 0..1) that t runs along within `same`: t cut to
// the slab across s's ends, both ends of that cut within `same` of s's line. Empty (lo >= hi)
// when t crosses s or runs apart from it.
std::pair<double, double> Covered(const Segment& s, const Segment& t, double same) {
    const Vec d = Sub(s.b, s.a);
    const double len2 = d.x * d.x + d.y * d.y;
    const Vec ta = Sub(t.a, s.a), tb = Sub(t.b, s.a);
    double ua = (ta.x * d.x + ta.y * d.y) / len2, ub = (tb.x * d.x + tb.y * d.y) / len2;
    const double len = std::sqrt(len2);
    double va = (d.x * ta.y - d.y * ta.x) / len, vb = (d.x * tb.y - d.y * tb.x) / len;
    if (ua > ub) std::swap(ua, ub), std::swap(va, vb);
    if (ub <= 0 || ua >= 1 || ub - ua <= 0) return {1, 0};
    const double lo = std::max(ua, 0.0), hi = std::min(ub, 1.0);
    const auto at = [&](double u) { return va + (vb - va) * (u - ua) / (ub - ua); };
    if (std::abs(at(lo)) > same || std::abs(at(hi)) > same) return {1, 0};
    return {lo, hi};
}

struct Piece {
    std::vector<PlotPoint> points;
    bool directed = false;  // what is left of a closed path: never reversed
    bool closed = false;    // a closed path left whole
};

// Step one: what each path adds to the paths before it.
std::vector<Piece> Remainders(const PathSet& paths, double same) {
    std::vector<Segment> segments;
    std::vector<uint32_t> firstSegment(paths.size() + 1, 0);
    double total = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        firstSegment[i] = static_cast<uint32_t>(segments.size());
        for (uint32_t k = paths.begin(i); k + 1 < paths.end(i); ++k) {
            segments.push_back({paths.points[k], paths.points[k + 1]});
            total += Dist(paths.points[k], paths.points[k + 1]);
        }
    }
    firstSegment[paths.size()] = static_cast<uint32_t>(segments.size());
    const double mean = segments.empty() ? 1 : total / segments.size();
    const SegmentGrid grid(segments, std::clamp(2 * mean, 16.0, 4096.0), same);

    std::vector<Piece> pieces;
    std::vector<uint32_t> seen(segments.size(), std::numeric_limits<uint32_t>::max());
    std::vector<std::pair<double, double>> cover;
    for (size_t i = 0; i < paths.size(); ++i) {
        const bool closed = paths.closed(i);
        const size_t firstPiece = pieces.size();
        bool open = false, cut = false, startsAtBegin = false;
        const auto extend = [&](PlotPoint p) {
            if (!open) {
                pieces.push_back({{p}, closed, false});
                open = true;
            } else if (pieces.back().points.back() != p) {
                pieces.back().points.push_back(p);
            }
        };
        for (uint32_t k = firstSegment[i]; k < firstSegment[i + 1]; ++k) {
            const Segment& s = segments[k];
            if (s.a == s.b) continue;
            cover.clear();
            grid.Near(s, [&](uint32_t j) {
                if (j >= k || seen[j] == k) return;
                seen[j] = k;
                const auto c = Covered(s, segments[j], same);
                if (c.first < c.second) cover.push_back(c);
            });
            std::sort(cover.begin(), cover.end());
            // The stretches of s nothing before covers, clearly longer than `same` when s is cut.
            const double len = Dist(s.a, s.b), minimum = cover.empty() ? 0 : (same + 0.5) / len;
            double from = 0;
            std::vector<std::pair<double, double>> keep;
            for (const auto& c : cover) {
                if (c.first - from > minimum) keep.push_back({from, c.first});
                from = std::max(from, c.second);
            }
            if (1 - from > minimum || (cover.empty() && from == 0)) keep.push_back({from, 1});
            if (keep.size() != 1 || keep[0].first > 0 || keep[0].second < 1) cut = true;
            const auto point = [&](double u) {
                if (u <= 0) return s.a;
                if (u >= 1) return s.b;
                return PlotPoint{static_cast<int32_t>(std::lround(s.a.x + (s.b.x - s.a.x) * u)),
                                 static_cast<int32_t>(std::lround(s.a.y + (s.b.y - s.a.y) * u))};
            };
            for (const auto& [lo, hi] : keep) {
                if (lo > 0) open = false;
                if (!open && k == firstSegment[i] && lo <= 0) startsAtBegin = true;
                extend(point(lo));
                extend(point(hi));
                if (hi < 1) open = false;
            }
            if (keep.empty()) open = false;
        }
        if (!closed) continue;
        if (!cut) {
            pieces.back().closed = pieces.size() > firstPiece;
            if (pieces.size() > firstPiece) pieces.back().directed = false;
            continue;
        }
        // The piece that runs through the closing vertex is one: the last then the first.
        if (open && startsAtBegin && pieces.size() - firstPiece > 1) {
            Piece& last = pieces.back();
            Piece& head = pieces[firstPiece];
            last.points.insert(last.points.end(), head.points.begin() + 1, head.points.end());
            std::swap(head, last);
            pieces.pop_back();
        }
    }
    return pieces;
}

// Where each end of the pieces lies, for finding the ends near a point.
class EndGrid {
public:
    EndGrid(const std::vector<Piece>& pieces, int32_t meet) : _cell(std::max(meet, 1)) {
        for (uint32_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].closed) continue;
            _ends.push_back({Key(pieces[i].points.front()), 2 * i});
            _ends.push_back({Key(pieces[i].points.back()), 2 * i + 1});
        }
        std::sort(_ends.begin(), _ends.end());
    }

    // Calls f(end) for the ends in the 3 x 3 cells around p: end 2i is piece i's first point,
    // 2i + 1 its last.
    template <class F>
    void Near(PlotPoint p, F&& f) const {
        const int64_t cx = Floor(p.x), cy = Floor(p.y);
        for (int64_t dy = -1; dy <= 1; ++dy)
            for (int64_t dx = -1; dx <= 1; ++dx) {
                const uint64_t key = KeyOf(cx + dx, cy + dy);
                auto it = std::lower_bound(_ends.begin(), _ends.end(),
                                           std::pair<uint64_t, uint32_t>{key, 0});
                for (; it != _ends.end() && it->first == key; ++it) f(it->second);
            }
    }

private:
    int64_t Floor(int32_t v) const { return static_cast<int64_t>(std::floor(double(v) / _cell)); }
    static uint64_t KeyOf(int64_t cx, int64_t cy) {
        return (static_cast<uint64_t>(cx) << 32) ^ static_cast<uint32_t>(cy);
    }
    uint64_t Key(PlotPoint p) const { return KeyOf(Floor(p.x), Floor(p.y)); }

    int32_t _cell;
    std::vector<std::pair<uint64_t, uint32_t>> _ends;
};

}  // namespace

PathSet MergeLines(const PathSet& paths, MergeTolerance tolerance) {
    std::vector<Piece> pieces = Remainders(paths, tolerance.same);
    const EndGrid ends(pieces, tolerance.meet);
    std::vector<bool> used(pieces.size(), false);
    const double meet = tolerance.meet;

    // The nearest free end within `meet` of p that may be where a run goes on: a directed
    // piece only from its first point (`tail`: from p onwards) or into its last (at the head).
    const auto find = [&](PlotPoint p, bool tail) {
        uint32_t best = std::numeric_limits<uint32_t>::max();
        double bestD = meet;
        ends.Near(p, [&](uint32_t e) {
            const Piece& q = pieces[e / 2];
            if (used[e / 2]) return;
            const bool first = e % 2 == 0;
            if (q.directed && first != tail) return;
            const double d = Dist(p, first ? q.points.front() : q.points.back());
            if (d < bestD || (d == bestD && e < best)) bestD = d, best = e;
        });
        return best;
    };

    PathSet out;
    std::vector<PlotPoint> run;
    const auto append = [&](const std::vector<PlotPoint>& points, bool reversed, bool atHead) {
        std::vector<PlotPoint> add(points);
        if (reversed) std::reverse(add.begin(), add.end());
        if (atHead) {
            if (add.back() == run.front()) add.pop_back();
            run.insert(run.begin(), add.begin(), add.end());
        } else {
            run.insert(run.end(), add.begin() + (add.front() == run.back() ? 1 : 0), add.end());
        }
    };
    for (uint32_t i = 0; i < pieces.size(); ++i) {
        if (used[i]) continue;
        used[i] = true;
        run = pieces[i].points;
        if (!pieces[i].closed && run.size() >= 2) {
            for (uint32_t e;
                 (e = find(run.back(), true)) != std::numeric_limits<uint32_t>::max();) {
                used[e / 2] = true;
                append(pieces[e / 2].points, e % 2 == 1, false);
            }
            for (uint32_t e;
                 (e = find(run.front(), false)) != std::numeric_limits<uint32_t>::max();) {
                used[e / 2] = true;
                append(pieces[e / 2].points, e % 2 == 0, true);
            }
            if (run.size() > 2 && run.front() != run.back() &&
                Dist(run.front(), run.back()) <= meet)
                run.push_back(run.front());
        }
        if (run.size() < 2) continue;  // a remnant that rounds to a point
        out.starts.push_back(static_cast<uint32_t>(out.points.size()));
        out.points.insert(out.points.end(), run.begin(), run.end());
    }
    return out;
}

double PenDownLength(const PathSet& paths) {
    double length = 0;
    for (size_t i = 0; i < paths.size(); ++i)
        for (uint32_t k = paths.begin(i); k + 1 < paths.end(i); ++k)
            length += Dist(paths.points[k], paths.points[k + 1]);
    return length;
}
