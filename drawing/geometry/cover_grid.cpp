#include "drawing/geometry/cover_grid.h"

#include <algorithm>
#include <cmath>

namespace {

// Cells enough to tell a path far from a cover from one near it, few enough to cost a few MB.
constexpr int64_t kMostCells = int64_t{1} << 20;
constexpr int64_t kFewestUnits = 4;  // a cell's side
constexpr int32_t kBucketCells = 16;
// A cover over more buckets than this is looked at by every path instead.
constexpr int64_t kMostBuckets = 256;

struct Crossing {
    int32_t row;
    int32_t winding;
    double x;  // in cells
    bool operator<(const Crossing& o) const { return row != o.row ? row < o.row : x < o.x; }
};

}  // namespace

template <class F>
void CoverGrid::ForEachCell(PlotPoint a, PlotPoint b, F&& f) const {
    const double cell = static_cast<double>(_cell);
    const double ax = (a.x - _box.x0) / cell, ay = (a.y - _box.y0) / cell;
    const double bx = (b.x - _box.x0) / cell, by = (b.y - _box.y0) / cell;
    const double lowY = std::min(ay, by), highY = std::max(ay, by);
    const int32_t r0 = std::max(0, static_cast<int32_t>(std::floor(lowY)));
    const int32_t r1 = std::min(_rows - 1, static_cast<int32_t>(std::floor(highY)));
    // Held a hair wide: a cell an edge grazes counts as crossed, never the other way round.
    constexpr double kHair = 1e-7;
    for (int32_t r = r0; r <= r1; ++r) {
        double x0 = std::min(ax, bx), x1 = std::max(ax, bx);
        if (ay != by) {
            const double lo = std::max(lowY, static_cast<double>(r));
            const double hi = std::min(highY, static_cast<double>(r + 1));
            const double xl = ax + (lo - ay) * (bx - ax) / (by - ay);
            const double xh = ax + (hi - ay) * (bx - ax) / (by - ay);
            x0 = std::min(xl, xh);
            x1 = std::max(xl, xh);
        }
        const int32_t c0 = std::max(0, static_cast<int32_t>(std::floor(x0 - kHair)));
        const int32_t c1 = std::min(_columns - 1, static_cast<int32_t>(std::floor(x1 + kHair)));
        for (int32_t c = c0; c <= c1; ++c) f(static_cast<size_t>(r) * _columns + c);
    }
}

CoverGrid::CoverGrid(const CoverStore& covers) : _covers(covers) {
    for (size_t i = 0; i < covers.size(); ++i) {
        const PlotBox& b = covers.cover(i).box;
        _box.add({b.x0, b.y0});
        _box.add({b.x1, b.y1});
    }
    if (_box.empty()) return;
    const int64_t width = int64_t{_box.x1} - _box.x0 + 1, height = int64_t{_box.y1} - _box.y0 + 1;
    _cell = std::max<int64_t>(
        kFewestUnits, static_cast<int64_t>(std::ceil(std::sqrt(double(width) * height / kMostCells))));
    while (((width + _cell - 1) / _cell) * ((height + _cell - 1) / _cell) > kMostCells) ++_cell;
    _columns = static_cast<int32_t>((width + _cell - 1) / _cell);
    _rows = static_cast<int32_t>((height + _cell - 1) / _cell);
    const size_t cells = static_cast<size_t>(_columns) * _rows;
    _reached.assign(cells, 0);
    _held.assign(cells, 0);
    _stamp.assign(cells, 0);
    for (uint32_t i = 0; i < covers.size(); ++i) Mark(i);
    _stamp = {};

    _bucketColumns = (_columns + kBucketCells - 1) / kBucketCells;
    _bucketRows = (_rows + kBucketCells - 1) / kBucketCells;
    const auto bucketsOf = [&](const PlotBox& b, int32_t* c0, int32_t* c1, int32_t* r0,
                               int32_t* r1) {
        *c0 = static_cast<int32_t>((b.x0 - _box.x0) / _cell / kBucketCells);
        *c1 = static_cast<int32_t>((b.x1 - _box.x0) / _cell / kBucketCells);
        *r0 = static_cast<int32_t>((b.y0 - _box.y0) / _cell / kBucketCells);
        *r1 = static_cast<int32_t>((b.y1 - _box.y0) / _cell / kBucketCells);
        return int64_t{*c1 - *c0 + 1} * (*r1 - *r0 + 1);
    };
    _bucketStarts.assign(static_cast<size_t>(_bucketColumns) * _bucketRows + 1, 0);
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<uint32_t> at(_bucketStarts.begin(), _bucketStarts.end() - 1);
        for (uint32_t i = 0; i < covers.size(); ++i) {
            int32_t c0, c1, r0, r1;
            if (bucketsOf(covers.cover(i).box, &c0, &c1, &r0, &r1) > kMostBuckets) {
                if (pass == 0) _wide.push_back(i);
                continue;
            }
            for (int32_t r = r0; r <= r1; ++r)
                for (int32_t c = c0; c <= c1; ++c) {
                    const size_t b = static_cast<size_t>(r) * _bucketColumns + c;
                    if (pass == 0)
                        ++_bucketStarts[b + 1];
                    else
                        _bucketCovers[at[b]++] = i;
                }
        }
        if (pass == 0) {
            for (size_t b = 1; b < _bucketStarts.size(); ++b)
                _bucketStarts[b] += _bucketStarts[b - 1];
            _bucketCovers.resize(_bucketStarts.back());
        }
    }
    _seen.assign(covers.size(), 0);
}

// The cells the cover's edges cross are reached by it; those whose centre lies inside it and
// that no edge crosses are held by it whole.
void CoverGrid::Mark(uint32_t index) {
    const CoverStore::Cover& cover = _covers.cover(index);
    if (cover.position == 0) return;  // painted before anything: it hides nothing
    const uint32_t stamp = index + 1;
    std::vector<Crossing> crossings;
    for (uint32_t r = cover.firstRing; r < cover.firstRing + cover.rings; ++r) {
        const PlotPoint *begin = _covers.ringBegin(r), *end = _covers.ringEnd(r);
        for (const PlotPoint* p = begin; p != end; ++p) {
            const PlotPoint a = *p, b = p + 1 != end ? p[1] : *begin;
            ForEachCell(a, b, [&](size_t cell) {
                _stamp[cell] = stamp;
                _reached[cell] = std::max(_reached[cell], cover.position);
            });
            if (a.y == b.y) continue;
            // Row centres within [low, high) of the edge, so that a vertex is counted once.
            const double ay = (a.y - _box.y0) / double(_cell), by = (b.y - _box.y0) / double(_cell);
            const double lo = std::min(ay, by), hi = std::max(ay, by);
            const double ax = (a.x - _box.x0) / double(_cell), bx = (b.x - _box.x0) / double(_cell);
            for (int32_t row = std::max(0, static_cast<int32_t>(std::ceil(lo - 0.5)));
                 row < _rows && row + 0.5 < hi; ++row) {
                const double y = row + 0.5;
                crossings.push_back({row, b.y > a.y ? 1 : -1, ax + (y - ay) * (bx - ax) / (by - ay)});
            }
        }
    }
    std::sort(crossings.begin(), crossings.end());
    int32_t winding = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
        const Crossing& c = crossings[i];
        winding = (i > 0 && crossings[i - 1].row == c.row) ? winding + c.winding : c.winding;
        const Crossing& next = crossings[i + 1];
        if (winding == 0 || next.row != c.row) continue;
        const int32_t c0 = std::max(0, static_cast<int32_t>(std::ceil(c.x - 0.5)));
        const int32_t c1 = std::min(_columns - 1, static_cast<int32_t>(std::floor(next.x - 0.5)));
        for (int32_t col = c0; col <= c1; ++col) {
            const size_t cell = static_cast<size_t>(c.row) * _columns + col;
            if (_stamp[cell] == stamp) continue;
            _held[cell] = std::max(_held[cell], cover.position);
            _reached[cell] = std::max(_reached[cell], cover.position);
        }
    }
}

CoverGrid::Under CoverGrid::Classify(const PlotPoint* points, size_t n, uint32_t position) const {
    if (n == 0 || _box.empty()) return Under::nothing;
    PlotBox box;
    for (size_t i = 0; i < n; ++i) box.add(points[i]);
    if (!box.meets(_box)) return Under::nothing;
    bool reached = false;
    bool whole = box.x0 >= _box.x0 && box.x1 <= _box.x1 && box.y0 >= _box.y0 && box.y1 <= _box.y1;
    const auto look = [&](size_t cell) {
        reached = reached || _reached[cell] > position;
        whole = whole && _held[cell] > position;
    };
    if (n == 1) ForEachCell(points[0], points[0], look);
    for (size_t i = 0; i + 1 < n && (whole || !reached); ++i)
        ForEachCell(points[i], points[i + 1], look);
    if (whole) return Under::whole;
    return reached ? Under::part : Under::nothing;
}

void CoverGrid::Candidates(const PlotBox& box, uint32_t position,
                           std::vector<uint32_t>* out) const {
    out->clear();
    if (!box.meets(_box)) return;
    if (++_query == 0) {
        std::fill(_seen.begin(), _seen.end(), 0);
        _query = 1;
    }
    const auto consider = [&](const uint32_t* begin, const uint32_t* end) {
        // Listed in paint order: the later ones are a tail.
        const uint32_t* from = std::partition_point(
            begin, end, [&](uint32_t i) { return _covers.cover(i).position <= position; });
        for (const uint32_t* i = from; i != end; ++i) {
            if (_seen[*i] == _query) continue;
            _seen[*i] = _query;
            if (_covers.cover(*i).box.meets(box)) out->push_back(*i);
        }
    };
    const auto bucket = [&](int32_t v, int32_t lo, int64_t units, int32_t count) {
        return std::clamp(static_cast<int32_t>((int64_t{v} - lo) / units), 0, count - 1);
    };
    const int64_t units = _cell * kBucketCells;
    const int32_t c0 = bucket(box.x0, _box.x0, units, _bucketColumns);
    const int32_t c1 = bucket(box.x1, _box.x0, units, _bucketColumns);
    const int32_t r0 = bucket(box.y0, _box.y0, units, _bucketRows);
    const int32_t r1 = bucket(box.y1, _box.y0, units, _bucketRows);
    for (int32_t r = r0; r <= r1; ++r)
        for (int32_t c = c0; c <= c1; ++c) {
            const size_t b = static_cast<size_t>(r) * _bucketColumns + c;
            consider(_bucketCovers.data() + _bucketStarts[b],
                     _bucketCovers.data() + _bucketStarts[b + 1]);
        }
    consider(_wide.data(), _wide.data() + _wide.size());
    std::sort(out->begin(), out->end());
}
