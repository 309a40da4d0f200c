#pragma once
// One spatial index over places on the plot, for every stage that asks what lies near a point:
// the line ordering (the nearest place the pen may go down next) and the merging (the ends
// within a few units of a run's end).
//
// A k-d tree laid out in one array: a node is a range of that array split at its middle along
// its wider side, children of node k are 2k+1 and 2k+2, ranges of kLeaf places or fewer are
// scanned. Each node counts its live places so that whole removed regions are skipped; that
// keeps the search quick late in an ordering, when most of the drawing is done and what is left
// lies scattered, and inside dense clusters, where a uniform grid would not. Places that share
// one point (a line drawn a hundred thousand times over, the centre of a star of lines) are all
// equally near: so that the tie rule does not look at every one of them at every step, each
// node also keeps its lowest live slot and knows whether all its places lie on one point, whose
// distance is then exact and whose lowest slot is the only one that counts.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "drawing/geometry/plot_path.h"

class PointIndex {
public:
    static constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();

    // A place: where it is, its slot (distinct, the lower winning a tie; Positions() wants them
    // 0 up to the count) and what it belongs to.
    struct Place {
        PlotPoint at;
        uint32_t slot;
        uint32_t item;
        bool live = true;  // false while removed
    };

    explicit PointIndex(std::vector<Place> places);

    // Where building put each place, by its slot.
    std::vector<uint32_t> Positions() const;

    // The position of the live place nearest to q (the lowest slot among equals), or kNone.
    uint32_t Nearest(PlotPoint q) const;

    // Calls f(place) for every place, live or not, within `r` of q on both axes, in no
    // particular order.
    template <class F>
    void ForEachNear(PlotPoint q, int32_t r, F&& f) const {
        if (!_places.empty()) Near(0, 0, static_cast<uint32_t>(_places.size()), q, r, f);
    }

    const Place& operator[](uint32_t pos) const { return _places[pos]; }

    void Remove(uint32_t pos);
    // Makes a removed place a candidate again.
    void Restore(uint32_t pos);

private:
    static constexpr uint32_t kLeaf = 16;

    struct Node {
        int32_t split = 0;
        uint32_t live = 0;
        uint32_t minSlot = kNone;  // the lowest slot of a live place
        bool alongY = false;
        bool onePoint = false;  // every place, live or not, at the same point
    };

    int Descend(uint32_t pos, uint32_t* path, uint32_t* lo, uint32_t* hi) const;
    uint32_t LeafMinSlot(uint32_t lo, uint32_t hi) const;
    void Build(uint32_t k, uint32_t lo, uint32_t hi);
    bool Worth(uint32_t k, uint64_t bound2) const;
    void Search(uint32_t k, uint32_t lo, uint32_t hi) const;

    // Places left of the middle lie at or below the split, those from it on at or above.
    template <class F>
    void Near(uint32_t k, uint32_t lo, uint32_t hi, PlotPoint q, int32_t r, F& f) const {
        if (hi - lo <= kLeaf) {
            for (uint32_t i = lo; i < hi; ++i) {
                const Place& p = _places[i];
                if (int64_t{p.at.x} - q.x <= r && int64_t{q.x} - p.at.x <= r &&
                    int64_t{p.at.y} - q.y <= r && int64_t{q.y} - p.at.y <= r)
                    f(p);
            }
            return;
        }
        const Node& node = _nodes[k];
        const int64_t v = node.alongY ? q.y : q.x;
        const uint32_t mid = lo + (hi - lo) / 2;
        if (v - r <= node.split) Near(2 * k + 1, lo, mid, q, r, f);
        if (v + r >= node.split) Near(2 * k + 2, mid, hi, q, r, f);
    }

    std::vector<Place> _places;
    std::vector<Node> _nodes;
    mutable PlotPoint _q;
    mutable uint64_t _bestD2 = 0;
    mutable uint32_t _best = kNone;
    mutable uint32_t _bestSlot = kNone;
};
