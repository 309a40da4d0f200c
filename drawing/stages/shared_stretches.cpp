#include "drawing/stages/shared_stretches.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

struct Vec {
    double x, y;
};

Vec Sub(PlotPoint a, PlotPoint b) { return {double(a.x) - b.x, double(a.y) - b.y}; }

double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }

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

struct Box {
    int64_t x0, y0, x1, y1;
};

// Listings of segments in grid cells kept at once: the grid is built a tile (a band of rows,
// or part of a row) at a time. A listing carries its segment's points (20 bytes): a tile this
// size stays within reach of the caches while its cells are paired.
constexpr uint64_t kListingsPerTile = 1u << 20;

// A segment as a cell lists it: with its points, so that pairing reads the tile's own memory
// rather than points scattered over the whole drawing.
struct Listed {
    uint32_t k;  // the index of its first point
    PlotPoint a, b;
};

// The grid the cover search lists segments in: cells (a power of two, for cheap cell numbers)
// about one segment's share of the area, and no longer than a segment on average, so that a cell
// holds a few segments whatever their length; at most 16384 columns and rows. A segment is listed
// in the cells it passes within `same` and a little, not in every cell of its box.
class SegmentGrid {
public:
    SegmentGrid(const PathSet& paths, int32_t same)
        : _p(paths.points), _last(paths.points.size(), false), _pad(same) {
        for (size_t i = 0; i < paths.size(); ++i)
            if (paths.end(i) > paths.begin(i)) _last[paths.end(i) - 1] = true;
        double total = 0;
        for (size_t k = 0; k + 1 < _p.size(); ++k) {
            if (!segment(k)) continue;
            const Box b = boxOf(k);
            _all = {std::min(_all.x0, b.x0), std::min(_all.y0, b.y0), std::max(_all.x1, b.x1),
                    std::max(_all.y1, b.y1)};
            total += Dist(_p[k], _p[k + 1]);
            ++_count;
        }
        if (_count < 2) return;
        const double share = std::sqrt(double(_all.x1 - _all.x0 + 1) *
                                       double(_all.y1 - _all.y0 + 1) / double(_count));
        const int64_t want =
            std::max<int64_t>({std::llround(std::min(total / double(_count), share)), 2 * _pad + 1,
                               (_all.x1 - _all.x0) / 16384 + 1, (_all.y1 - _all.y0) / 16384 + 1});
        while ((int64_t{1} << _shift) < want) ++_shift;
        _cell = double(int64_t{1} << _shift);
        _cols = ((_all.x1 - _all.x0) >> _shift) + 1;
        _rows = ((_all.y1 - _all.y0) >> _shift) + 1;
    }

    // Fewer than two segments: nothing to cover.
    bool empty() const { return _count < 2; }
    bool segment(size_t k) const { return !_last[k] && _p[k] != _p[k + 1]; }
    size_t points() const { return _p.size(); }
    Listed listed(size_t k) const { return {static_cast<uint32_t>(k), _p[k], _p[k + 1]}; }
    int64_t rows() const { return _rows; }
    int64_t cols() const { return _cols; }
    Box boxOf(PlotPoint a, PlotPoint b) const {
        return Box{std::min(a.x, b.x) - _pad, std::min(a.y, b.y) - _pad, std::max(a.x, b.x) + _pad,
                   std::max(a.y, b.y) + _pad};
    }
    Box boxOf(size_t k) const { return boxOf(_p[k], _p[k + 1]); }
    bool InCell(PlotPoint q, int64_t cx, int64_t cy) const {
        return ((q.x - _all.x0) >> _shift) == cx && ((q.y - _all.y0) >> _shift) == cy;
    }

    // Calls f(row, first column, last column) for every row of cells that segment k passes
    // within the margin of. Listings reach a little further than `same`: a segment found within
    // `same` of an end in doubles is then always listed in that end's cell, whatever the
    // rounding.
    template <class F>
    void EachRow(size_t k, F&& f) const {
        EachRow(_p[k], _p[k + 1], f);
    }
    template <class F>
    void EachRow(PlotPoint a, PlotPoint b, F&& f) const {
        const double margin = double(_pad) + 2;
        const auto cellOf = [&](double v, int64_t n) { return CellOf(v, n); };
        const double ax = double(a.x) - _all.x0, ay = double(a.y) - _all.y0;
        const double bx = double(b.x) - _all.x0, by = double(b.y) - _all.y0;
        const auto [r0, r1] = RowsOf(a, b);
        for (int64_t r = r0; r <= r1; ++r) {
            double u0 = 0, u1 = 1;
            if (ay != by) {
                u0 = (double(r) * _cell - margin - ay) / (by - ay);
                u1 = (double(r + 1) * _cell + margin - ay) / (by - ay);
                if (u0 > u1) std::swap(u0, u1);
                u0 = std::clamp(u0, 0.0, 1.0), u1 = std::clamp(u1, 0.0, 1.0);
            }
            const double x0 = ax + (bx - ax) * u0, x1 = ax + (bx - ax) * u1;
            f(r, cellOf(std::min(x0, x1) - margin, _cols),
              cellOf(std::max(x0, x1) + margin, _cols));
        }
    }

    // The first and the last row of cells EachRow gives segment k.
    std::pair<int64_t, int64_t> RowsOf(size_t k) const { return RowsOf(_p[k], _p[k + 1]); }
    std::pair<int64_t, int64_t> RowsOf(PlotPoint a, PlotPoint b) const {
        const double margin = double(_pad) + 2;
        const double ay = double(a.y) - _all.y0, by = double(b.y) - _all.y0;
        return {CellOf(std::min(ay, by) - margin, _rows), CellOf(std::max(ay, by) + margin, _rows)};
    }

private:
    int64_t CellOf(double v, int64_t n) const {
        return std::clamp<int64_t>(static_cast<int64_t>(std::floor(v / _cell)), 0, n - 1);
    }

    const std::vector<PlotPoint>& _p;
    std::vector<bool> _last;  // the last point of a path, where no segment starts
    int64_t _pad;
    Box _all{std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::max(),
             std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::min()};
    uint64_t _count = 0;
    int _shift = 0;
    double _cell = 1;
    int64_t _cols = 0, _rows = 0;
};

// Calls tile(r0, r1, q0, q1) for tiles of the grid's cells (rows r0..r1 - 1, columns q0..q1 - 1)
// that each list at most kListingsPerTile segments: bands of rows, and a row over the budget a
// few columns at a time.
template <class F>
void EachTile(const SegmentGrid& grid, F&& tile) {
    const int64_t rows = grid.rows(), cols = grid.cols();
    std::vector<uint64_t> perRow(static_cast<size_t>(rows), 0), perCol;
    for (size_t k = 0; k + 1 < grid.points(); ++k)
        if (grid.segment(k))
            grid.EachRow(k, [&](int64_t r, int64_t c0, int64_t c1) {
                perRow[r] += static_cast<uint64_t>(c1 - c0 + 1);
            });
    for (int64_t r0 = 0; r0 < rows;) {
        if (perRow[r0] > kListingsPerTile) {
            perCol.assign(static_cast<size_t>(cols), 0);
            for (size_t k = 0; k + 1 < grid.points(); ++k)
                if (grid.segment(k))
                    grid.EachRow(k, [&](int64_t r, int64_t c0, int64_t c1) {
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
}

// The segments a band of rows lists, found without passing over the whole drawing: the
// segments by the first row they are listed in, and those of earlier rows that reach on into
// the band. Bands come in order, each starting where the one before ended.
class BandSegments {
public:
    explicit BandSegments(const SegmentGrid& grid)
        : _grid(grid), _first(static_cast<size_t>(grid.rows()) + 1, 0) {
        for (size_t k = 0; k + 1 < grid.points(); ++k)
            if (grid.segment(k)) ++_first[grid.RowsOf(k).first + 1];
        for (size_t r = 1; r < _first.size(); ++r) _first[r] += _first[r - 1];
        _byRow.resize(_first.back());
        std::vector<uint32_t> fill(_first.begin(), _first.end() - 1);
        for (size_t k = 0; k + 1 < grid.points(); ++k)
            if (grid.segment(k)) _byRow[fill[grid.RowsOf(k).first]++] = static_cast<uint32_t>(k);
    }

    // The segments listed in rows r0 up to r1 - 1, in no particular order.
    // Each read from the drawing's points once, as the band takes it up.
    const std::vector<Listed>& Band(int64_t r0, int64_t r1) {
        if (r0 == _r0) return _band;
        size_t kept = 0;
        for (const Listed& l : _band)
            if (_grid.RowsOf(l.a, l.b).second >= r0) _band[kept++] = l;
        _band.resize(kept);
        for (uint32_t m = _first[r0]; m < _first[r1]; ++m) _band.push_back(_grid.listed(_byRow[m]));
        _r0 = r0;
        return _band;
    }

private:
    const SegmentGrid& _grid;
    std::vector<uint32_t> _first, _byRow;  // _byRow[_first[r]..]: first listed in row r
    std::vector<Listed> _band;
    int64_t _r0 = -1;
};

// The segments listed in each cell of a tile: cell c (row-major within the tile) lists
// listed[first[c]] up to listed[first[c + 1]].
struct TileListing {
    std::vector<uint32_t> first;
    std::vector<Listed> listed;

    void List(const SegmentGrid& grid, const std::vector<Listed>& band, int64_t r0, int64_t r1,
              int64_t q0, int64_t q1) {
        const int64_t width = q1 - q0;
        const size_t cells = static_cast<size_t>((r1 - r0) * width);
        first.assign(cells + 1, 0);
        const auto eachCell = [&](const Listed& l, auto&& f) {
            grid.EachRow(l.a, l.b, [&](int64_t r, int64_t c0, int64_t c1) {
                if (r < r0 || r >= r1) return;
                for (int64_t x = std::max(c0, q0); x <= std::min(c1, q1 - 1); ++x)
                    f(static_cast<size_t>((r - r0) * width + (x - q0)));
            });
        };
        // Counted, then placed from the last segment back, so that each cell lists its
        // segments in the band's order.
        for (const Listed& l : band) eachCell(l, [&](size_t c) { ++first[c]; });
        for (size_t c = 1; c < cells; ++c) first[c] += first[c - 1];
        first[cells] = first[cells - 1];
        listed.resize(first[cells]);
        for (size_t m = band.size(); m-- > 0;)
            eachCell(band[m], [&](size_t c) { listed[--first[c]] = band[m]; });
    }
};

// The cover test of one cell (column cx, row cy) listing `listed[b..e)`: each end lying in the
// cell against every other segment listed there whose box holds it. A cover is kept only when
// found from its witness, so each is found once.
class CellCovers {
public:
    CellCovers(const SegmentGrid& grid, int32_t same, std::vector<Cover>& covers)
        : _grid(grid), _same(same), _covers(covers) {}

    void Test(const Listed* listed, uint32_t count, int64_t cx, int64_t cy) {
        if (count < 2) return;
        _ends.clear();
        for (uint32_t m = 0; m < count; ++m) {
            if (_grid.InCell(listed[m].a, cx, cy)) _ends.push_back({m, 0});
            if (_grid.InCell(listed[m].b, cx, cy)) _ends.push_back({m, 1});
        }
        // Most cells of a crowded sheet are only passed through: no end to pair there.
        if (_ends.empty()) return;
        _boxes.clear();
        for (uint32_t m = 0; m < count; ++m) _boxes.push_back(_grid.boxOf(listed[m].a, listed[m].b));
        // An end only ever witnesses a cover when it lies within `same` of the other segment's
        // line (Covered measures that distance, or one at least as long, at the witness): ends
        // further off, most of them where lines cross, are passed over before the pairing's
        // divisions (with a unit to spare for rounding).
        const double near = double(_same) + 1;
        for (const auto& [ma, end] : _ends) {
            const Listed& a = listed[ma];
            const PlotPoint w = end ? a.b : a.a;
            for (uint32_t m = 0; m < count; ++m) {
                const Box& bo = _boxes[m];
                // One branch for the whole test: most listed segments fail it, unpredictably.
                if ((m == ma) | (w.x < bo.x0) | (w.x > bo.x1) | (w.y < bo.y0) | (w.y > bo.y1)) continue;
                const Listed& o = listed[m];
                const Vec d = Sub(o.b, o.a), q = Sub(w, o.a);
                const double cross = d.x * q.y - d.y * q.x;
                if (cross * cross > near * near * (d.x * d.x + d.y * d.y)) continue;
                // Consecutive segments of a path meet at their shared point: one covers the
                // other only where the path turns back on itself.
                if (a.k + 1 == o.k ? Dot(Sub(a.a, o.a), d) <= 0
                    : o.k + 1 == a.k ? Dot(Sub(o.a, a.a), Sub(a.b, a.a)) <= 0 : false)
                    continue;
                Pair(a, end, o);
            }
        }
    }

private:
    // End `end` of segment a, within segment o's box.
    void Pair(const Listed& a, uint32_t end, const Listed& o) {
        const Listed& s = a.k > o.k ? a : o;
        const Listed& t = a.k > o.k ? o : a;
        const Vec d = Sub(s.b, s.a);
        const double reach = double(_same) * _same * (d.x * d.x + d.y * d.y);
        // Both ends of t well off s's line on one side: t runs apart (most pairs).
        const Vec pa = Sub(t.a, s.a), pb = Sub(t.b, s.a);
        const double ca = d.x * pa.y - d.y * pa.x, cb = d.x * pb.y - d.y * pb.x;
        if ((ca > 0) == (cb > 0) && std::min(ca * ca, cb * cb) > reach) return;
        const Coverage cover = Covered(s.a, s.b, t.a, t.b, _same);
        if (cover.lo >= cover.hi) return;
        const bool mine = cover.witness == 0 ? a.k == s.k && end == 0
                                             : a.k == t.k && end == uint32_t(cover.witness - 1);
        if (mine)
            _covers.push_back({s.k, static_cast<float>(cover.lo), static_cast<float>(cover.hi)});
    }

    const SegmentGrid& _grid;
    const int32_t _same;
    std::vector<Cover>& _covers;
    std::vector<Box> _boxes;
    std::vector<std::pair<uint32_t, uint32_t>> _ends;  // place in the cell, and which end
};

}  // namespace

// Every stretch of a segment that a segment before it (in `points` order) covers. A cover has
// an end of one segment within `same` of the other (Covered's witness), so only the segments
// listed in the cell of an end are paired with it: long lines crossing far from their ends are
// never looked at, and each cover is found once, from its witness. The grid is listed a tile at
// a time, so that its listings stay within kListingsPerTile.
std::vector<Cover> FindCovers(const PathSet& paths, int32_t same) {
    const SegmentGrid grid(paths, same);
    if (grid.empty()) return {};
    std::vector<Cover> covers;
    BandSegments bands(grid);
    TileListing tile;
    CellCovers cells(grid, same, covers);
    EachTile(grid, [&](int64_t r0, int64_t r1, int64_t q0, int64_t q1) {
        tile.List(grid, bands.Band(r0, r1), r0, r1, q0, q1);
        const int64_t width = q1 - q0;
        for (size_t c = 0; c + 1 < tile.first.size(); ++c)
            cells.Test(tile.listed.data() + tile.first[c], tile.first[c + 1] - tile.first[c],
                       static_cast<int64_t>(c) % width + q0, static_cast<int64_t>(c) / width + r0);
    });
    std::sort(covers.begin(), covers.end());
    return covers;
}
