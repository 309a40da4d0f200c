#include "drawing/stages/line_merge.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

#include "drawing/geometry/point_index.h"
#include "drawing/stages/shared_stretches.h"

namespace {

double Dist(PlotPoint a, PlotPoint b) {
    const double dx = double(a.x) - b.x, dy = double(a.y) - b.y;
    return std::sqrt(dx * dx + dy * dy);
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

using Stretches = std::vector<std::pair<double, double>>;  // from, to: lengths along a path

// The stretches of path i that the covers (sorted, from `next` on) cover, as lengths along it
// (`at`: the length at each of its points), those less than `sliver` apart as one.
void CoveredAlong(const PathSet& paths, size_t i, const std::vector<Cover>& covers, size_t& next,
                  double sliver, std::vector<double>& at, Stretches& covered) {
    const std::vector<PlotPoint>& p = paths.points;
    at.assign(1, 0.0);
    covered.clear();
    for (uint32_t k = paths.begin(i); k + 1 < paths.end(i); ++k) {
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
}

// What is kept of a path `length` long with `covered` stretches (not empty): the covered
// stretches whose going costs no pen lift go (at an end of an open path; the longest of a
// closed path, which then opens there), and any at least `lift` long.
void KeptAlong(Stretches& covered, double length, bool closed, double sliver, double lift,
               Stretches& kept) {
    if (covered.front().first <= sliver) covered.front().first = 0;
    if (covered.back().second >= length - sliver) covered.back().second = length;
    // A closed path's covered stretches at its start and its end are one, through its
    // closing point (it then starts before 0).
    if (closed && covered.size() > 1 && covered.front().first == 0 &&
        covered.back().second == length) {
        covered.front().first = covered.back().first - length;
        covered.pop_back();
    }
    size_t free = covered.size();
    if (closed)
        for (size_t j = 0; j < covered.size(); ++j)
            if (free == covered.size() ||
                covered[j].second - covered[j].first > covered[free].second - covered[free].first)
                free = j;
    kept.clear();
    double from = 0, to = length;
    for (size_t j = 0; j < covered.size(); ++j) {
        const auto [lo, hi] = covered[j];
        const bool atEnd = !closed && (lo == 0 || hi == length);
        if (!(atEnd || j == free || hi - lo >= lift)) continue;
        if (lo < 0) to = length + lo;  // through the closing point
        if (lo > from) kept.push_back({from, lo});
        from = hi;
    }
    if (from < to) kept.push_back({from, to});
}

// Adds the points of the path starting at points[b] (`at`: the length at each) between the
// lengths s0 and s1 to the piece being made.
void AddStretch(Pieces& out, const std::vector<PlotPoint>& p, uint32_t b,
                const std::vector<double>& at, double s0, double s1) {
    const auto point = [&](double s) {
        size_t k = static_cast<size_t>(std::upper_bound(at.begin(), at.end(), s) - at.begin());
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
    for (size_t k = static_cast<size_t>(std::upper_bound(at.begin(), at.end(), s0) - at.begin());
         k < at.size() && at[k] < s1; ++k)
        out.Add(p[b + k]);
    out.Add(point(s1));
}

// Step one: what each path adds to the paths before it. Covered stretches are measured along
// the whole path, so that one running on over several segments counts as one.
Pieces Remainders(const PathSet& paths, const MergeTolerance& tolerance) {
    const std::vector<Cover> covers = FindCovers(paths, tolerance.same);
    const std::vector<PlotPoint>& p = paths.points;
    // Left between two covered stretches, or at an end, anything this short is a sliver.
    const double sliver = tolerance.same + 0.5;
    Pieces out;
    // About as many points as the paths had (a cut adds a point at each end of a stretch
    // kept): grown once at most, not doubled over and over.
    out.set.points.reserve(p.size() + p.size() / 16);
    out.set.starts.reserve(paths.size());
    out.kind.reserve(paths.size());
    std::vector<double> at;  // arc length at each point of the path
    Stretches covered, kept;
    size_t next = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        const uint32_t b = paths.begin(i), e = paths.end(i);
        const bool closed = paths.closed(i);
        CoveredAlong(paths, i, covers, next, sliver, at, covered);
        const double length = at.back();
        if (!covered.empty()) KeptAlong(covered, length, closed, sliver, tolerance.lift, kept);
        if (covered.empty() ||
            (kept.size() == 1 && kept[0].first == 0 && kept[0].second == length)) {
            out.Start(closed ? Kind::closed : Kind::open);
            for (uint32_t k = b; k < e; ++k) out.Add(p[k]);
            out.End();
            continue;
        }
        const Kind kind = closed ? Kind::directed : Kind::open;
        size_t j0 = 0, j1 = kept.size();
        // A closed path's stretch through its closing point is one: its last part, then its
        // first.
        if (closed && kept.size() > 1 && kept.front().first == 0 && kept.back().second == length) {
            out.Start(kind);
            AddStretch(out, p, b, at, kept.back().first, length);
            AddStretch(out, p, b, at, 0, kept.front().second);
            out.End();
            ++j0, --j1;
        }
        for (size_t j = j0; j < j1; ++j) {
            out.Start(kind);
            AddStretch(out, p, b, at, kept[j].first, kept[j].second);
            out.End();
        }
    }
    return out;
}

// Where each end of the pieces lies, for finding the ends near a point: end 2i is piece i's
// first point, 2i + 1 its last (its slot); a closed piece has none.
PointIndex EndsOf(const Pieces& pieces) {
    const PathSet& s = pieces.set;
    std::vector<PointIndex::Place> ends;
    for (uint32_t i = 0; i < s.size(); ++i) {
        if (pieces.kind[i] == Kind::closed) continue;
        ends.push_back({s.points[s.begin(i)], 2 * i, i});
        ends.push_back({s.points[s.end(i) - 1], 2 * i + 1, i});
    }
    return PointIndex(std::move(ends));
}

}  // namespace

PathSet MergeLines(PathSet paths, MergeTolerance tolerance) {
    const Pieces pieces = Remainders(paths, tolerance);
    const PathSet& s = pieces.set;
    // The paths are done with. Where their points' memory (already the process's) holds every
    // run, the runs take it; else it is given back before the runs are built.
    const size_t most = s.points.size() + s.size();  // a run that comes back adds its start
    std::vector<PlotPoint> room;
    if (paths.points.capacity() >= most) room = std::move(paths.points);
    room.clear();
    paths = PathSet{};
    const auto front = [&](uint32_t i) { return s.points[s.begin(i)]; };
    const auto back = [&](uint32_t i) { return s.points[s.end(i) - 1]; };
    const PointIndex ends = EndsOf(pieces);
    std::vector<bool> used(s.size(), false);
    const double meet = tolerance.meet;
    constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();

    // The nearest free end within `meet` of p that may be where a run goes on: a directed
    // piece only from its first point (`tail`: from p onwards) or into its last (at the head).
    const auto find = [&](PlotPoint p, bool tail) {
        uint32_t best = kNone;
        double bestD = meet;
        ends.ForEachNear(p, tolerance.meet, [&](const PointIndex::Place& place) {
            const uint32_t e = place.slot;
            if (used[e / 2]) return;
            const bool first = e % 2 == 0;
            if (pieces.kind[e / 2] == Kind::directed && first != tail) return;
            const double d = Dist(p, first ? front(e / 2) : back(e / 2));
            if (d < bestD || (d == bestD && e < best)) bestD = d, best = e;
        });
        return best;
    };

    PathSet out;
    out.points = std::move(room);
    out.points.reserve(most);
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
