#include "drawing/stages/line_merge.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

namespace {

struct Vec {
    double x, y;
};

Vec Sub(PlotPoint a, PlotPoint b) { return {double(a.x) - b.x, double(a.y) - b.y}; }

double Dist(PlotPoint a, PlotPoint b) {
    const Vec d = Sub(a, b);
    return std::sqrt(d.x * d.x + d.y * d.y);
}

// The stretch of segment s (as parameters along it, 0..1) that segment t runs along within
// `same`: t cut to the slab across s's ends, both ends of that cut within `same` of s's line.
// Empty (lo >= hi) when t crosses s or runs apart from it. `witness` is an end within `same`
// of the other segment, found where the stretch starts: 0 s's first point, 1 t's first, 2 t's
// last. So a stretch always has an end of one segment near the other, and one end owns it.
struct Coverage {
    double lo, hi;
    int witness;
};

Coverage Covered(PlotPoint sa, PlotPoint sb, PlotPoint ta, PlotPoint tb, double same) {
    const Vec d = Sub(sb, sa);
    const double len2 = d.x * d.x + d.y * d.y;
    const Vec pa = Sub(ta, sa), pb = Sub(tb, sa);
    double ua = (pa.x * d.x + pa.y * d.y) / len2, ub = (pb.x * d.x + pb.y * d.y) / len2;
    const double len = std::sqrt(len2);
    double va = (d.x * pa.y - d.y * pa.x) / len, vb = (d.x * pb.y - d.y * pb.x) / len;
    int first = 1;
    if (ua > ub) std::swap(ua, ub), std::swap(va, vb), first = 2;
    if (ub <= 0 || ua >= 1 || ub - ua <= 0) return {1, 0, 0};
    const double lo = std::max(ua, 0.0), hi = std::min(ub, 1.0);
    const auto at = [&](double u) { return va + (vb - va) * (u - ua) / (ub - ua); };
    if (std::abs(at(lo)) > same || std::abs(at(hi)) > same) return {1, 0, 0};
    return {lo, hi, ua >= 0 ? first : 0};
}

// A stretch of segment `segment` (the index of its first point) that a segment before it
// covers.
struct Cover {
    uint32_t segment;
    float lo, hi;
    bool operator<(const Cover& o) const {
        return segment != o.segment ? segment < o.segment : lo < o.lo;
    }
};

struct Box {
    int64_t x0, y0, x1, y1;
};

// Listings of segments in grid cells kept at once: the grid is built a tile (a band of rows,
// or part of a row) at a time.
constexpr uint64_t kListingsPerTile = 16u << 20;

// Every stretch of a segment that a segment before it (in `points` order) covers. Segments are
// listed in the grid cells along them (within `same` and a little), so that a long segment adds
// to the cells it passes and not to every cell of its box. A cover has an end of one segment
// within `same` of the other (Covered's witness), so only the segments listed in the cell of
// an end are paired with it: long lines crossing far from their ends are never looked at, and
// each cover is found once, from its witness.
std::vector<Cover> FindCovers(const PathSet& paths, int32_t same) {
    const std::vector<PlotPoint>& p = paths.points;
    std::vector<bool> last(p.size(), false);
    for (size_t i = 0; i < paths.size(); ++i)
        if (paths.end(i) > paths.begin(i)) last[paths.end(i) - 1] = true;
    const auto segment = [&](size_t k) { return !last[k] && p[k] != p[k + 1]; };
    const int64_t pad = same;
    const auto boxOf = [&](size_t k) {
        return Box{std::min(p[k].x, p[k + 1].x) - pad, std::min(p[k].y, p[k + 1].y) - pad,
                   std::max(p[k].x, p[k + 1].x) + pad, std::max(p[k].y, p[k + 1].y) + pad};
    };

    Box all{std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::max(),
            std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::min()};
    double total = 0;
    uint64_t count = 0;
    for (size_t k = 0; k + 1 < p.size(); ++k) {
        if (!segment(k)) continue;
        const Box b = boxOf(k);
        all = {std::min(all.x0, b.x0), std::min(all.y0, b.y0), std::max(all.x1, b.x1),
               std::max(all.y1, b.y1)};
        total += Dist(p[k], p[k + 1]);
        ++count;
    }
    if (count < 2) return {};
    // Cells (a power of two, for cheap cell numbers) about one segment's share of the area, and
    // no longer than a segment on average: a cell then holds a few segments whatever their
    // length. At most 16384 columns and rows.
    const double share = std::sqrt(double(all.x1 - all.x0 + 1) * double(all.y1 - all.y0 + 1) /
                                   double(count));
    const int64_t want = std::max<int64_t>({std::llround(std::min(total / double(count), share)),
                                            2 * pad + 1, (all.x1 - all.x0) / 16384 + 1,
                                            (all.y1 - all.y0) / 16384 + 1});
    int shift = 0;
    while ((int64_t{1} << shift) < want) ++shift;
    const double cell = double(int64_t{1} << shift);
    const int64_t cols = ((all.x1 - all.x0) >> shift) + 1, rows = ((all.y1 - all.y0) >> shift) + 1;
    const auto cellOf = [&](double v, int64_t n) {
        return std::clamp<int64_t>(static_cast<int64_t>(std::floor(v / cell)), 0, n - 1);
    };
    // Listings reach a little further than `same`: a segment found within `same` of an end in
    // doubles is then always listed in that end's cell, whatever the rounding.
    const double margin = double(pad) + 2;
    // Calls f(row, first column, last column) for every row of cells that segment k passes
    // within `margin` of.
    const auto eachRow = [&](size_t k, auto&& f) {
        const double ax = double(p[k].x) - all.x0, ay = double(p[k].y) - all.y0;
        const double bx = double(p[k + 1].x) - all.x0, by = double(p[k + 1].y) - all.y0;
        const int64_t r0 = cellOf(std::min(ay, by) - margin, rows);
        const int64_t r1 = cellOf(std::max(ay, by) + margin, rows);
        for (int64_t r = r0; r <= r1; ++r) {
            double u0 = 0, u1 = 1;
            if (ay != by) {
                u0 = (double(r) * cell - margin - ay) / (by - ay);
                u1 = (double(r + 1) * cell + margin - ay) / (by - ay);
                if (u0 > u1) std::swap(u0, u1);
                u0 = std::clamp(u0, 0.0, 1.0), u1 = std::clamp(u1, 0.0, 1.0);
            }
            const double x0 = ax + (bx - ax) * u0, x1 = ax + (bx - ax) * u1;
            f(r, cellOf(std::min(x0, x1) - margin, cols), cellOf(std::max(x0, x1) + margin, cols));
        }
    };
    std::vector<uint64_t> perRow(static_cast<size_t>(rows), 0);
    for (size_t k = 0; k + 1 < p.size(); ++k)
        if (segment(k))
            eachRow(k, [&](int64_t r, int64_t c0, int64_t c1) {
                perRow[r] += static_cast<uint64_t>(c1 - c0 + 1);
            });

    std::vector<Cover> covers;
    std::vector<uint32_t> first, listed;
    std::vector<Box> boxes;
    std::vector<std::pair<uint32_t, uint32_t>> ends;  // segment, and which of its ends
    std::vector<uint64_t> perCol;
    // The cells of rows r0..r1 - 1 and columns q0..q1 - 1, listed and looked through.
    const auto tile = [&](int64_t r0, int64_t r1, int64_t q0, int64_t q1) {
        const int64_t width = q1 - q0;
        // Counted, then placed from the last segment back, so that each cell lists its
        // segments in document order.
        const size_t cells = static_cast<size_t>((r1 - r0) * width);
        first.assign(cells + 1, 0);
        const auto eachCell = [&](size_t k, auto&& f) {
            eachRow(k, [&](int64_t r, int64_t c0, int64_t c1) {
                if (r < r0 || r >= r1) return;
                for (int64_t x = std::max(c0, q0); x <= std::min(c1, q1 - 1); ++x)
                    f(static_cast<size_t>((r - r0) * width + (x - q0)));
            });
        };
        for (size_t k = 0; k + 1 < p.size(); ++k)
            if (segment(k)) eachCell(k, [&](size_t c) { ++first[c]; });
        for (size_t c = 1; c < cells; ++c) first[c] += first[c - 1];
        first[cells] = first[cells - 1];
        listed.resize(first[cells]);
        for (size_t k = p.size() - 1; k-- > 0;)
            if (segment(k))
                eachCell(k, [&](size_t c) { listed[--first[c]] = static_cast<uint32_t>(k); });

        for (size_t c = 0; c < cells; ++c) {
            const uint32_t b = first[c], e = first[c + 1];
            if (e - b < 2) continue;
            const int64_t cx = static_cast<int64_t>(c) % width + q0;
            const int64_t cy = static_cast<int64_t>(c) / width + r0;
            ends.clear();
            boxes.clear();
            for (uint32_t m = b; m < e; ++m) {
                const uint32_t k = listed[m];
                boxes.push_back(boxOf(k));
                for (uint32_t end = 0; end < 2; ++end)
                    if (((p[k + end].x - all.x0) >> shift) == cx &&
                        ((p[k + end].y - all.y0) >> shift) == cy)
                        ends.push_back({k, end});
            }
            for (const auto& [a, end] : ends) {
                const PlotPoint w = p[a + end];
                for (uint32_t m = b; m < e; ++m) {
                    const uint32_t o = listed[m];
                    const Box& bo = boxes[m - b];
                    if (o == a || w.x < bo.x0 || w.x > bo.x1 || w.y < bo.y0 || w.y > bo.y1)
                        continue;
                    const uint32_t s = std::max(a, o), t = std::min(a, o);
                    const Vec d = Sub(p[s + 1], p[s]);
                    const double reach = double(same) * same * (d.x * d.x + d.y * d.y);
                    // Both ends of t well off s's line on one side: t runs apart (most pairs).
                    const Vec pa = Sub(p[t], p[s]), pb = Sub(p[t + 1], p[s]);
                    const double ca = d.x * pa.y - d.y * pa.x, cb = d.x * pb.y - d.y * pb.x;
                    if ((ca > 0) == (cb > 0) && std::min(ca * ca, cb * cb) > reach) continue;
                    const Coverage cover = Covered(p[s], p[s + 1], p[t], p[t + 1], same);
                    if (cover.lo >= cover.hi) continue;
                    const bool mine = cover.witness == 0 ? a == s && end == 0
                                                         : a == t && end == uint32_t(cover.witness - 1);
                    if (mine)
                        covers.push_back(
                            {s, static_cast<float>(cover.lo), static_cast<float>(cover.hi)});
                }
            }
        }
    };
    for (int64_t r0 = 0; r0 < rows;) {
        if (perRow[r0] > kListingsPerTile) {
            // One row over the budget: its columns a few at a time.
            perCol.assign(static_cast<size_t>(cols), 0);
            for (size_t k = 0; k + 1 < p.size(); ++k)
                if (segment(k))
                    eachRow(k, [&](int64_t r, int64_t c0, int64_t c1) {
                        if (r == r0)
                            for (int64_t x = c0; x <= c1; ++x) ++perCol[x];
                    });
            for (int64_t q0 = 0; q0 < cols;) {
                uint64_t listings = perCol[q0];
                int64_t q1 = q0 + 1;
                while (q1 < cols && listings + perCol[q1] <= kListingsPerTile)
                    listings += perCol[q1++];
                tile(r0, r0 + 1, q0, q1);
                q0 = q1;
            }
            ++r0;
            continue;
        }
        uint64_t listings = perRow[r0];
        int64_t r1 = r0 + 1;
        while (r1 < rows && listings + perRow[r1] <= kListingsPerTile &&
               (r1 - r0 + 1) * cols <= int64_t{kListingsPerTile})
            listings += perRow[r1++];
        tile(r0, r1, 0, cols);
        r0 = r1;
    }
    std::sort(covers.begin(), covers.end());
    return covers;
}

enum class Kind : uint8_t { open, directed, closed };

struct Pieces {
    PathSet set;
    std::vector<Kind> kind;

    // Starts a piece; Add then appends its points, leaving out repeats.
    void Start(Kind k) {
        set.starts.push_back(static_cast<uint32_t>(set.points.size()));
        kind.push_back(k);
    }
    void Add(PlotPoint q) {
        if (set.points.size() == set.starts.back() || set.points.back() != q)
            set.points.push_back(q);
    }
    // Drops the piece just made when it rounds to a point.
    void End() {
        if (set.points.size() - set.starts.back() >= 2) return;
        set.points.resize(set.starts.back());
        set.starts.pop_back();
        kind.pop_back();
    }
};

// Step one: what each path adds to the paths before it. Covered stretches are measured along
// the whole path, so that one running on over several segments counts as one.
Pieces Remainders(const PathSet& paths, const MergeTolerance& tolerance) {
    const std::vector<Cover> covers = FindCovers(paths, tolerance.same);
    const std::vector<PlotPoint>& p = paths.points;
    // Left between two covered stretches, or at an end, anything this short is a sliver.
    const double sliver = tolerance.same + 0.5;
    Pieces out;
    std::vector<double> at;  // arc length at each point of the path
    std::vector<std::pair<double, double>> covered, kept;
    size_t next = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        const uint32_t b = paths.begin(i), e = paths.end(i);
        const bool closed = paths.closed(i);
        at.assign(1, 0.0);
        covered.clear();
        for (uint32_t k = b; k + 1 < e; ++k) {
            const double len = Dist(p[k], p[k + 1]), from = at.back();
            at.push_back(from + len);
            for (; next < covers.size() && covers[next].segment <= k; ++next) {
                if (covers[next].segment < k) continue;
                const double lo = from + covers[next].lo * len, hi = from + covers[next].hi * len;
                if (!covered.empty() && lo <= covered.back().second + sliver)
                    covered.back().second = std::max(covered.back().second, hi);
                else
                    covered.push_back({lo, hi});
            }
        }
        const double length = at.back();
        const auto whole = [&](Kind kind) {
            out.Start(kind);
            for (uint32_t k = b; k < e; ++k) out.Add(p[k]);
            out.End();
        };
        if (covered.empty()) {
            whole(closed ? Kind::closed : Kind::open);
            continue;
        }
        if (covered.front().first <= sliver) covered.front().first = 0;
        if (covered.back().second >= length - sliver) covered.back().second = length;
        // A closed path's covered stretches at its start and its end are one, through its
        // closing point (it then starts before 0).
        if (closed && covered.size() > 1 && covered.front().first == 0 &&
            covered.back().second == length) {
            covered.front().first = covered.back().first - length;
            covered.pop_back();
        }
        // Which covered stretches go: those whose going costs no pen lift (at an end of an
        // open path; the longest of a closed path, which then opens there), and any long
        // enough.
        size_t free = covered.size();
        if (closed)
            for (size_t j = 0; j < covered.size(); ++j)
                if (free == covered.size() || covered[j].second - covered[j].first >
                                                  covered[free].second - covered[free].first)
                    free = j;
        kept.clear();
        double from = 0, to = length;
        for (size_t j = 0; j < covered.size(); ++j) {
            const auto [lo, hi] = covered[j];
            const bool atEnd = !closed && (lo == 0 || hi == length);
            if (!(atEnd || j == free || hi - lo >= tolerance.lift)) continue;
            if (lo < 0) to = length + lo;  // through the closing point
            if (lo > from) kept.push_back({from, lo});
            from = hi;
        }
        if (from < to) kept.push_back({from, to});
        if (kept.size() == 1 && kept[0].first == 0 && kept[0].second == length) {
            whole(closed ? Kind::closed : Kind::open);
            continue;
        }
        // The points between two places along the path.
        const auto stretch = [&](double s0, double s1) {
            const auto point = [&](double s) {
                size_t k = static_cast<size_t>(std::upper_bound(at.begin(), at.end(), s) -
                                               at.begin());
                k = std::clamp<size_t>(k, 1, at.size() - 1) - 1;
                const double len = at[k + 1] - at[k];
                const double u = len > 0 ? std::clamp((s - at[k]) / len, 0.0, 1.0) : 0;
                const PlotPoint a = p[b + k], c = p[b + k + 1];
                if (u <= 0) return a;
                if (u >= 1) return c;
                return PlotPoint{static_cast<int32_t>(std::lround(a.x + (c.x - a.x) * u)),
                                 static_cast<int32_t>(std::lround(a.y + (c.y - a.y) * u))};
            };
            out.Add(point(s0));
            for (size_t k = static_cast<size_t>(
                     std::upper_bound(at.begin(), at.end(), s0) - at.begin());
                 k < at.size() && at[k] < s1; ++k)
                out.Add(p[b + k]);
            out.Add(point(s1));
        };
        const Kind kind = closed ? Kind::directed : Kind::open;
        size_t j0 = 0, j1 = kept.size();
        // A closed path's stretch through its closing point is one: its last part, then its
        // first.
        if (closed && kept.size() > 1 && kept.front().first == 0 && kept.back().second == length) {
            out.Start(kind);
            stretch(kept.back().first, length);
            stretch(0, kept.front().second);
            out.End();
            ++j0, --j1;
        }
        for (size_t j = j0; j < j1; ++j) {
            out.Start(kind);
            stretch(kept[j].first, kept[j].second);
            out.End();
        }
    }
    return out;
}

// Where each end of the pieces lies, for finding the ends near a point.
class EndGrid {
public:
    EndGrid(const Pieces& pieces, int32_t meet) : _cell(std::max(meet, 1)) {
        const PathSet& s = pieces.set;
        for (uint32_t i = 0; i < s.size(); ++i) {
            if (pieces.kind[i] == Kind::closed) continue;
            _ends.push_back({Key(s.points[s.begin(i)]), 2 * i});
            _ends.push_back({Key(s.points[s.end(i) - 1]), 2 * i + 1});
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

PathSet MergeLines(PathSet paths, MergeTolerance tolerance) {
    const Pieces pieces = Remainders(paths, tolerance);
    paths = PathSet{};  // given back before the runs are built
    const PathSet& s = pieces.set;
    const auto front = [&](uint32_t i) { return s.points[s.begin(i)]; };
    const auto back = [&](uint32_t i) { return s.points[s.end(i) - 1]; };
    const EndGrid ends(pieces, tolerance.meet);
    std::vector<bool> used(s.size(), false);
    const double meet = tolerance.meet;
    constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();

    // The nearest free end within `meet` of p that may be where a run goes on: a directed
    // piece only from its first point (`tail`: from p onwards) or into its last (at the head).
    const auto find = [&](PlotPoint p, bool tail) {
        uint32_t best = kNone;
        double bestD = meet;
        ends.Near(p, [&](uint32_t e) {
            if (used[e / 2]) return;
            const bool first = e % 2 == 0;
            if (pieces.kind[e / 2] == Kind::directed && first != tail) return;
            const double d = Dist(p, first ? front(e / 2) : back(e / 2));
            if (d < bestD || (d == bestD && e < best)) bestD = d, best = e;
        });
        return best;
    };

    PathSet out;
    // A run as the pieces it is made of, each 2 * piece + (1 if reversed), first to last.
    std::deque<uint32_t> chain;
    for (uint32_t i = 0; i < s.size(); ++i) {
        if (used[i]) continue;
        used[i] = true;
        chain.assign(1, 2 * i);
        if (pieces.kind[i] != Kind::closed) {
            PlotPoint head = front(i), tail = back(i);
            for (uint32_t e; (e = find(tail, true)) != kNone;) {
                used[e / 2] = true;
                chain.push_back(e);  // entered at its last point: reversed
                tail = e % 2 ? front(e / 2) : back(e / 2);
            }
            for (uint32_t e; (e = find(head, false)) != kNone;) {
                used[e / 2] = true;
                chain.push_front(e ^ 1u);  // ends at its first point: reversed
                head = e % 2 ? front(e / 2) : back(e / 2);
            }
        }
        const uint32_t start = static_cast<uint32_t>(out.points.size());
        const auto add = [&](PlotPoint q) {
            if (out.points.size() == start || out.points.back() != q) out.points.push_back(q);
        };
        for (uint32_t c : chain) {
            const uint32_t piece = c / 2, b = s.begin(piece), e = s.end(piece);
            if (c % 2)
                for (uint32_t k = e; k-- > b;) add(s.points[k]);
            else
                for (uint32_t k = b; k < e; ++k) add(s.points[k]);
        }
        const size_t n = out.points.size() - start;
        if (n < 2) {  // a remnant that rounds to a point
            out.points.resize(start);
            continue;
        }
        if (pieces.kind[i] != Kind::closed && n > 2 && out.points[start] != out.points.back() &&
            Dist(out.points[start], out.points.back()) <= meet)
            out.points.push_back(out.points[start]);
        out.starts.push_back(start);
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
