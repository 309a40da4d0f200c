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
// Empty (lo >= hi) when t crosses s or runs apart from it. The witness is an end within `same`
// of the other segment, found where the stretch starts: 0 s's first point, 1 t's first, 2 t's
// last. So a stretch always has an end of one segment near the other, and one end owns it: a
// stretch whose witness is not `witness` is left empty, before the distances are measured.
struct Coverage {
    double lo, hi;
};

Coverage Covered(PlotPoint sa, PlotPoint sb, PlotPoint ta, PlotPoint tb, double same, int witness) {
    const Vec d = Sub(sb, sa);
    const double len2 = d.x * d.x + d.y * d.y;
    const Vec pa = Sub(ta, sa), pb = Sub(tb, sa);
    double ua = (pa.x * d.x + pa.y * d.y) / len2, ub = (pb.x * d.x + pb.y * d.y) / len2;
    const bool swapped = ua > ub;
    if (swapped) std::swap(ua, ub);
    if (ub <= 0 || ua >= 1 || ub - ua <= 0) return {1, 0};
    if (witness != (ua < 0 ? 0 : swapped ? 2 : 1)) return {1, 0};
    const double len = std::sqrt(len2);
    double va = (d.x * pa.y - d.y * pa.x) / len, vb = (d.x * pb.y - d.y * pb.x) / len;
    if (swapped) std::swap(va, vb);
    const double lo = std::max(ua, 0.0), hi = std::min(ub, 1.0);
    const auto at = [&](double u) { return va + (vb - va) * (u - ua) / (ub - ua); };
    if (std::abs(at(lo)) > same || std::abs(at(hi)) > same) return {1, 0};
    return {lo, hi};
}

struct Box {
    int64_t x0, y0, x1, y1;
};

// Listings of segments in grid cells kept at once: the grid is taken a tile (a band of rows,
// or part of a row) at a time.
constexpr uint64_t kListingsPerTile = 1u << 20;
// Bands are thinner than that where they can be: the ends of a band's cells, which every
// segment passing them reads, then stay in the core's own cache (8 bytes each, at most one
// for each listing).
constexpr uint64_t kListingsPerBand = 1u << 16;

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
        _perCell = 1 / _cell;
        _cols = ((_all.x1 - _all.x0) >> _shift) + 1;
        _rows = ((_all.y1 - _all.y0) >> _shift) + 1;
    }

    // Fewer than two segments: nothing to cover.
    bool empty() const { return _count < 2; }
    bool segment(size_t k) const { return !_last[k] && _p[k] != _p[k + 1]; }
    // Whether a segment starts at point k (which may be past the last).
    bool starts(size_t k) const { return k + 1 < _p.size() && segment(k); }
    PlotPoint point(size_t k) const { return _p[k]; }
    size_t points() const { return _p.size(); }
    Listed listed(size_t k) const { return {static_cast<uint32_t>(k), _p[k], _p[k + 1]}; }
    int64_t rows() const { return _rows; }
    int64_t cols() const { return _cols; }
    Box boxOf(PlotPoint a, PlotPoint b) const {
        return Box{std::min(a.x, b.x) - _pad, std::min(a.y, b.y) - _pad, std::max(a.x, b.x) + _pad,
                   std::max(a.y, b.y) + _pad};
    }
    Box boxOf(size_t k) const { return boxOf(_p[k], _p[k + 1]); }
    // The column and the row of the cell point q (of a segment) lies in.
    std::pair<int64_t, int64_t> CellAt(PlotPoint q) const {
        return {(q.x - _all.x0) >> _shift, (q.y - _all.y0) >> _shift};
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
        EachRow(a, b, 0, _rows, f);
    }
    // Only the rows from `from` up to `to` - 1.
    template <class F>
    void EachRow(PlotPoint a, PlotPoint b, int64_t from, int64_t to, F&& f) const {
        const double margin = double(_pad) + 2;
        const auto cellOf = [&](double v, int64_t n) { return CellOf(v, n); };
        const double ax = double(a.x) - _all.x0, ay = double(a.y) - _all.y0;
        const double bx = double(b.x) - _all.x0, by = double(b.y) - _all.y0;
        const auto [r0, r1] = RowsOf(a, b);
        // Multiplied rather than divided: the margin's spare unit takes the rounding.
        const double across = ay != by ? 1 / (by - ay) : 0;
        for (int64_t r = std::max(r0, from); r <= std::min(r1, to - 1); ++r) {
            double u0 = 0, u1 = 1;
            if (ay != by) {
                u0 = (double(r) * _cell - margin - ay) * across;
                u1 = (double(r + 1) * _cell + margin - ay) * across;
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
        // floor, without a call into the maths library
        const double q = v * _perCell;  // a power of two: exactly v / _cell
        const int64_t whole = static_cast<int64_t>(q);
        return std::clamp<int64_t>(q < double(whole) ? whole - 1 : whole, 0, n - 1);
    }

    const std::vector<PlotPoint>& _p;
    std::vector<bool> _last;  // the last point of a path, where no segment starts
    int64_t _pad;
    Box _all{std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::max(),
             std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::min()};
    uint64_t _count = 0;
    int _shift = 0;
    double _cell = 1, _perCell = 1;
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
        while (r1 < rows && listings + perRow[r1] <= kListingsPerBand &&
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

// The ends of a tile's segments by cell: a point once, with both segments that meet there, so
// that the tests it shares with both are made once. Cell c (row-major within the tile) holds
// ends first[c] up to first[c + 1], so the cells a segment passes in one row are one run of
// ends. Where the ends lie is kept apart from the rest, for the test most of them fail.
struct EndPoint {
    PlotPoint prev, next;  // its neighbours along the path
    uint32_t k;            // its index
    uint8_t ends;          // kLast: segment k - 1 ends here; kFirst: segment k starts here
};
constexpr uint8_t kLast = 1, kFirst = 2;

class TileEnds {
public:
    void List(const SegmentGrid& grid, const std::vector<Listed>& band, int64_t r0, int64_t r1,
              int64_t q0, int64_t q1) {
        _r0 = r0, _q0 = q0, _width = q1 - q0;
        const size_t cells = static_cast<size_t>((r1 - r0) * _width);
        _first.assign(cells + 2, 0);
        _cell.clear();
        _foundAt.clear();
        _found.clear();
        // Each point once: from the segment it starts, else from the one it ends.
        const auto take = [&](uint32_t k, uint8_t ends, PlotPoint prev, PlotPoint w,
                              PlotPoint next) {
            const auto [cx, cy] = grid.CellAt(w);
            if (cy < r0 || cy >= r1 || cx < q0 || cx >= q1) return;
            const uint32_t c = static_cast<uint32_t>((cy - r0) * _width + (cx - q0));
            ++_first[c + 2];
            _cell.push_back(c);
            _foundAt.push_back(w);
            _found.push_back({prev, next, k, ends});
        };
        for (const Listed& l : band) {
            const bool after = l.k > 0 && grid.segment(l.k - 1);
            take(l.k, after ? kLast | kFirst : kFirst, after ? grid.point(l.k - 1) : l.a, l.a, l.b);
            if (!grid.starts(l.k + 1)) take(l.k + 1, kLast, l.a, l.b, l.b);
        }
        // Placed by cell: _first[c + 1] counts on as cell c fills, and ends at cell c + 1's start.
        for (size_t c = 2; c < _first.size(); ++c) _first[c] += _first[c - 1];
        _at.resize(_found.size());
        _rest.resize(_found.size());
        for (size_t m = 0; m < _found.size(); ++m) {
            const uint32_t to = _first[_cell[m] + 1]++;
            _at[to] = _foundAt[m];
            _rest[to] = _found[m];
        }
    }

    // The ends of the cells of row r from column c0 to c1, clipped to the tile's columns: their
    // places from `from` up to `to`.
    std::pair<uint32_t, uint32_t> Run(int64_t r, int64_t c0, int64_t c1) const {
        c0 = std::max(c0, _q0), c1 = std::min(c1, _q0 + _width - 1);
        if (c0 > c1) return {0, 0};
        const size_t at = static_cast<size_t>((r - _r0) * _width);
        return {_first[at + static_cast<size_t>(c0 - _q0)],
                _first[at + static_cast<size_t>(c1 - _q0) + 1]};
    }
    const PlotPoint* at() const { return _at.data(); }
    const EndPoint* rest() const { return _rest.data(); }

private:
    std::vector<uint32_t> _first;
    std::vector<PlotPoint> _at;  // by cell
    std::vector<EndPoint> _rest;
    // As found, before they are placed by cell.
    std::vector<uint32_t> _cell;
    std::vector<PlotPoint> _foundAt;
    std::vector<EndPoint> _found;
    int64_t _r0 = 0, _q0 = 0, _width = 0;
};

// The cover test of one segment against the ends of the cells it passes: an end only ever
// witnesses a cover when it lies within `same` of the other segment's line (Covered measures
// that distance, or one at least as long, at the witness), so ends further off, most of them
// where lines cross, are passed over before the pairing's divisions (with a unit to spare for
// rounding). A cover is kept only when found from its witness, so each is found once.
class SegmentCovers {
public:
    SegmentCovers(int32_t same, std::vector<Cover>& covers) : _same(same), _covers(covers) {}

    void Against(const Listed& o, const Box& bo, const TileEnds& ends, uint32_t from, uint32_t to) {
        const double near = double(_same) + 1;
        const Vec d = Sub(o.b, o.a);
        const double far = near * near * (d.x * d.x + d.y * d.y);
        const PlotPoint* at = ends.at();
        for (uint32_t m = from; m < to; ++m) {
            const PlotPoint w = at[m];
            // One branch for the whole test: most ends fail it, unpredictably.
            if ((w.x < bo.x0) | (w.x > bo.x1) | (w.y < bo.y0) | (w.y > bo.y1)) continue;
            const Vec q = Sub(w, o.a);
            const double cross = d.x * q.y - d.y * q.x;
            if (cross * cross > far) continue;
            const EndPoint& e = ends.rest()[m];
            if (e.ends & kFirst) Try(Listed{e.k, w, e.next}, 0, o);
            if (e.ends & kLast) Try(Listed{e.k - 1, e.prev, w}, 1, o);
        }
    }

private:
    // End `end` of segment a, within `same` and a unit of segment o's line.
    void Try(const Listed& a, uint32_t end, const Listed& o) {
        if (a.k == o.k) return;
        // Consecutive segments of a path meet at their shared point: one covers the other
        // only where the path turns back on itself.
        if (a.k + 1 == o.k   ? Dot(Sub(a.a, o.a), Sub(o.b, o.a)) <= 0
            : o.k + 1 == a.k ? Dot(Sub(o.a, a.a), Sub(a.b, a.a)) <= 0
                             : false)
            return;
        Pair(a, end, o);
    }

    // Only the stretches end `end` of a witnesses are kept: the later segment's witness can only
    // be its first point.
    void Pair(const Listed& a, uint32_t end, const Listed& o) {
        const bool later = a.k > o.k;
        if (later && end == 1) return;
        const Listed& s = later ? a : o;
        const Listed& t = later ? o : a;
        const Vec d = Sub(s.b, s.a);
        const double reach = double(_same) * _same * (d.x * d.x + d.y * d.y);
        // Both ends of t well off s's line on one side: t runs apart (most pairs).
        const Vec pa = Sub(t.a, s.a), pb = Sub(t.b, s.a);
        const double ca = d.x * pa.y - d.y * pa.x, cb = d.x * pb.y - d.y * pb.x;
        if ((ca > 0) == (cb > 0) && std::min(ca * ca, cb * cb) > reach) return;
        // Where t's ends lie along s, before Covered divides them by the same positive length
        // (which keeps their signs and their order): the later segment's first point is the
        // witness only where t starts before it; t's end is only where it comes first, within
        // s's slab.
        const double na = pa.x * d.x + pa.y * d.y, nb = pb.x * d.x + pb.y * d.y;
        const double nw = end ? nb : na, other = end ? na : nb;
        if (later ? std::min(na, nb) >= 0 : nw < 0 || nw >= other) return;
        const Coverage cover = Covered(s.a, s.b, t.a, t.b, _same, later ? 0 : int(end) + 1);
        if (cover.lo < cover.hi)
            _covers.push_back({s.k, static_cast<float>(cover.lo), static_cast<float>(cover.hi)});
    }

    const int32_t _same;
    std::vector<Cover>& _covers;
};

}  // namespace

// Every stretch of a segment that a segment before it (in `points` order) covers. A cover has
// an end of one segment within `same` of the other (Covered's witness), so each segment is
// paired only with the ends lying in the cells it passes: long lines crossing far from their
// ends are never looked at, and each cover is found once, from its witness. The grid is taken
// a tile at a time, so that what it holds stays within kListingsPerTile.
std::vector<Cover> FindCovers(const PathSet& paths, int32_t same) {
    const SegmentGrid grid(paths, same);
    if (grid.empty()) return {};
    std::vector<Cover> covers;
    BandSegments bands(grid);
    TileEnds ends;
    SegmentCovers pairing(same, covers);
    EachTile(grid, [&](int64_t r0, int64_t r1, int64_t q0, int64_t q1) {
        const std::vector<Listed>& band = bands.Band(r0, r1);
        ends.List(grid, band, r0, r1, q0, q1);
        for (const Listed& o : band) {
            const Box bo = grid.boxOf(o.a, o.b);
            grid.EachRow(o.a, o.b, r0, r1, [&](int64_t r, int64_t c0, int64_t c1) {
                const auto [from, to] = ends.Run(r, c0, c1);
                pairing.Against(o, bo, ends, from, to);
            });
        }
    });
    std::sort(covers.begin(), covers.end());
    return covers;
}
