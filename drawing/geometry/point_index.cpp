#include "drawing/geometry/point_index.h"

#include <algorithm>

namespace {

// Squared distances in unsigned arithmetic: exact within the HP-GL range, and wrapping (not
// undefined) beyond it.
uint64_t Dist2(PlotPoint a, PlotPoint b) {
    const auto dx = static_cast<uint64_t>(int64_t{a.x} - b.x);
    const auto dy = static_cast<uint64_t>(int64_t{a.y} - b.y);
    return dx * dx + dy * dy;
}

}  // namespace

PointIndex::PointIndex(std::vector<Place> places) : _places(std::move(places)) {
    size_t nodes = 1;
    for (size_t n = _places.size(); n > kLeaf; n = (n + 1) / 2) nodes = 2 * nodes + 1;
    _nodes.resize(nodes);
    if (!_places.empty()) Build(0, 0, static_cast<uint32_t>(_places.size()));
}

std::vector<uint32_t> PointIndex::Positions() const {
    std::vector<uint32_t> pos(_places.size());
    for (uint32_t i = 0; i < _places.size(); ++i) pos[_places[i].slot] = i;
    return pos;
}

uint32_t PointIndex::Nearest(PlotPoint q) const {
    _q = q;
    _bestD2 = std::numeric_limits<uint64_t>::max();
    _best = kNone;
    _bestSlot = kNone;
    if (!_places.empty()) Search(0, 0, static_cast<uint32_t>(_places.size()));
    return _best;
}

void PointIndex::Remove(uint32_t pos) {
    uint32_t path[64];
    uint32_t lo = 0, hi = 0;
    const int depth = Descend(pos, path, &lo, &hi);
    const uint32_t slot = _places[pos].slot;
    _places[pos].live = false;
    for (int d = 0; d <= depth; ++d) --_nodes[path[d]].live;
    // Only nodes whose lowest slot it was need theirs again, from the leaf up.
    if (_nodes[path[depth]].minSlot != slot) return;
    _nodes[path[depth]].minSlot = LeafMinSlot(lo, hi);
    for (int d = depth - 1; d >= 0 && _nodes[path[d]].minSlot == slot; --d) {
        const uint32_t c = 2 * path[d] + 1;
        _nodes[path[d]].minSlot = std::min(_nodes[c].minSlot, _nodes[c + 1].minSlot);
    }
}

void PointIndex::Restore(uint32_t pos) {
    uint32_t path[64];
    uint32_t lo = 0, hi = 0;
    const int depth = Descend(pos, path, &lo, &hi);
    _places[pos].live = true;
    for (int d = 0; d <= depth; ++d) {
        ++_nodes[path[d]].live;
        _nodes[path[d]].minSlot = std::min(_nodes[path[d]].minSlot, _places[pos].slot);
    }
}

// The nodes from the root to the leaf holding `pos` into `path`; the depth of the leaf.
int PointIndex::Descend(uint32_t pos, uint32_t* path, uint32_t* lo, uint32_t* hi) const {
    int depth = 0;
    uint32_t k = 0;
    *lo = 0, *hi = static_cast<uint32_t>(_places.size());
    while (*hi - *lo > kLeaf) {
        path[depth++] = k;
        const uint32_t mid = *lo + (*hi - *lo) / 2;
        if (pos < mid) {
            *hi = mid;
            k = 2 * k + 1;
        } else {
            *lo = mid;
            k = 2 * k + 2;
        }
    }
    path[depth] = k;
    return depth;
}

uint32_t PointIndex::LeafMinSlot(uint32_t lo, uint32_t hi) const {
    uint32_t slot = kNone;
    for (uint32_t i = lo; i < hi; ++i)
        if (_places[i].live) slot = std::min(slot, _places[i].slot);
    return slot;
}

void PointIndex::Build(uint32_t k, uint32_t lo, uint32_t hi) {
    Node& node = _nodes[k];
    node.live = hi - lo;
    if (hi - lo <= kLeaf) {
        node.minSlot = LeafMinSlot(lo, hi);
        return;
    }
    int32_t x0 = _places[lo].at.x, x1 = x0, y0 = _places[lo].at.y, y1 = y0;
    for (uint32_t i = lo + 1; i < hi; ++i) {
        x0 = std::min(x0, _places[i].at.x), x1 = std::max(x1, _places[i].at.x);
        y0 = std::min(y0, _places[i].at.y), y1 = std::max(y1, _places[i].at.y);
    }
    const bool alongY = int64_t{y1} - y0 > int64_t{x1} - x0;
    const uint32_t mid = lo + (hi - lo) / 2;
    std::nth_element(_places.begin() + lo, _places.begin() + mid, _places.begin() + hi,
                     [alongY](const Place& a, const Place& b) {
                         return alongY ? a.at.y < b.at.y : a.at.x < b.at.x;
                     });
    node.split = alongY ? _places[mid].at.y : _places[mid].at.x;
    node.alongY = alongY;
    node.onePoint = x0 == x1 && y0 == y1;
    Build(2 * k + 1, lo, mid);
    Build(2 * k + 2, mid, hi);
    node.minSlot = std::min(_nodes[2 * k + 1].minSlot, _nodes[2 * k + 2].minSlot);
}

// Whether node k, no nearer to q than `bound2`, may hold a place better than the best so far:
// nearer, or as near with a lower slot.
bool PointIndex::Worth(uint32_t k, uint64_t bound2) const {
    const Node& node = _nodes[k];
    if (node.live == 0 || bound2 > _bestD2) return false;
    return bound2 < _bestD2 || node.minSlot < _bestSlot;
}

// The far side of a split is at least |q - split| away; equally far is still searched for the
// tie rule.
void PointIndex::Search(uint32_t k, uint32_t lo, uint32_t hi) const {
    const Node& node = _nodes[k];
    if (hi - lo <= kLeaf) {
        for (uint32_t i = lo; i < hi; ++i) {
            const Place& e = _places[i];
            if (!e.live) continue;
            const uint64_t d2 = Dist2(e.at, _q);
            if (d2 < _bestD2 || (d2 == _bestD2 && e.slot < _bestSlot))
                _bestD2 = d2, _best = i, _bestSlot = e.slot;
        }
        return;
    }
    const uint32_t mid = lo + (hi - lo) / 2, left = 2 * k + 1, right = 2 * k + 2;
    if (node.onePoint) {
        // Both sides exactly as far: the one holding the lowest slot settles it.
        const uint64_t d2 = Dist2(_places[lo].at, _q);
        const bool leftFirst = _nodes[left].minSlot < _nodes[right].minSlot;
        if (Worth(leftFirst ? left : right, d2))
            leftFirst ? Search(left, lo, mid) : Search(right, mid, hi);
        if (Worth(leftFirst ? right : left, d2))
            leftFirst ? Search(right, mid, hi) : Search(left, lo, mid);
        return;
    }
    const int64_t diff = int64_t{node.alongY ? _q.y : _q.x} - node.split;
    const auto far2 = static_cast<uint64_t>(diff) * static_cast<uint64_t>(diff);
    if (diff < 0) {
        if (Worth(left, 0)) Search(left, lo, mid);
        if (Worth(right, far2)) Search(right, mid, hi);
    } else {
        if (Worth(right, 0)) Search(right, mid, hi);
        if (Worth(left, far2)) Search(left, lo, mid);
    }
}
