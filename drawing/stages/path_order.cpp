#include "drawing/stages/path_order.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

// Squared distances in unsigned arithmetic: exact within the HP-GL range, and wrapping (not
// undefined) beyond it.
uint64_t Dist2(PlotPoint a, PlotPoint b) {
    const auto dx = static_cast<uint64_t>(int64_t{a.x} - b.x);
    const auto dy = static_cast<uint64_t>(int64_t{a.y} - b.y);
    return dx * dx + dy * dy;
}

constexpr uint32_t kDead = std::numeric_limits<uint32_t>::max();

// One place the pen may go down. Slots number the entries path by path, each path's in the order
// of their points, so the lowest slot is also the lowest point index.
struct Entry {
    PlotPoint at;
    uint32_t slot;
    uint32_t path;
    bool live = true;  // false once its path is drawn, or while it must wait
};

// A k-d tree over the entries of every path, laid out in one array: a node is a range of that
// array split at its middle along its wider side, children of node k are 2k+1 and 2k+2, ranges
// of kLeaf entries or fewer are scanned. Each node counts its live entries so that whole drawn
// regions are skipped; that keeps the search quick late in the run, when most of the drawing is
// done and what is left lies scattered, and inside dense clusters, where a uniform grid would not.
// Entries that share one point (a line drawn a hundred thousand times over, the centre of a star
// of lines) are all equally near: so that the tie rule does not look at every one of them at
// every step, each node also keeps its lowest live slot and knows whether all its entries lie
// on one point, whose distance is then exact and whose lowest slot is the only one that counts.
class EntryTree {
public:
    explicit EntryTree(std::vector<Entry> entries) : _entries(std::move(entries)) {
        size_t nodes = 1;
        for (size_t n = _entries.size(); n > kLeaf; n = (n + 1) / 2) nodes = 2 * nodes + 1;
        _nodes.resize(nodes);
        if (!_entries.empty()) Build(0, 0, static_cast<uint32_t>(_entries.size()));
    }

    // Where building put each entry, by its slot.
    std::vector<uint32_t> Positions() const {
        std::vector<uint32_t> pos(_entries.size());
        for (uint32_t i = 0; i < _entries.size(); ++i) pos[_entries[i].slot] = i;
        return pos;
    }

    // The position of the live entry nearest to q (the lowest slot among equals), or kDead.
    uint32_t Nearest(PlotPoint q) const {
        _q = q;
        _bestD2 = std::numeric_limits<uint64_t>::max();
        _best = kDead;
        _bestSlot = kDead;
        if (!_entries.empty()) Search(0, 0, static_cast<uint32_t>(_entries.size()));
        return _best;
    }

    const Entry& operator[](uint32_t pos) const { return _entries[pos]; }

    void Remove(uint32_t pos) {
        uint32_t path[64];
        uint32_t lo = 0, hi = 0;
        const int depth = Descend(pos, path, &lo, &hi);
        const uint32_t slot = _entries[pos].slot;
        _entries[pos].live = false;
        for (int d = 0; d <= depth; ++d) --_nodes[path[d]].live;
        // Only nodes whose lowest slot it was need theirs again, from the leaf up.
        if (_nodes[path[depth]].minSlot != slot) return;
        _nodes[path[depth]].minSlot = LeafMinSlot(lo, hi);
        for (int d = depth - 1; d >= 0 && _nodes[path[d]].minSlot == slot; --d) {
            const uint32_t c = 2 * path[d] + 1;
            _nodes[path[d]].minSlot = std::min(_nodes[c].minSlot, _nodes[c + 1].minSlot);
        }
    }

    // Makes a removed entry a candidate again.
    void Restore(uint32_t pos) {
        uint32_t path[64];
        uint32_t lo = 0, hi = 0;
        const int depth = Descend(pos, path, &lo, &hi);
        _entries[pos].live = true;
        for (int d = 0; d <= depth; ++d) {
            ++_nodes[path[d]].live;
            _nodes[path[d]].minSlot = std::min(_nodes[path[d]].minSlot, _entries[pos].slot);
        }
    }

private:
    static constexpr uint32_t kLeaf = 16;

    struct Node {
        int32_t split = 0;
        uint32_t live = 0;
        uint32_t minSlot = kDead;  // the lowest slot of a live entry
        bool alongY = false;
        bool onePoint = false;  // every entry, live or not, at the same point
    };

    // The nodes from the root to the leaf holding `pos` into `path`; the depth of the leaf.
    int Descend(uint32_t pos, uint32_t* path, uint32_t* lo, uint32_t* hi) const {
        int depth = 0;
        uint32_t k = 0;
        *lo = 0, *hi = static_cast<uint32_t>(_entries.size());
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

    uint32_t LeafMinSlot(uint32_t lo, uint32_t hi) const {
        uint32_t slot = kDead;
        for (uint32_t i = lo; i < hi; ++i)
            if (_entries[i].live) slot = std::min(slot, _entries[i].slot);
        return slot;
    }

    void Build(uint32_t k, uint32_t lo, uint32_t hi) {
        Node& node = _nodes[k];
        node.live = hi - lo;
        if (hi - lo <= kLeaf) {
            node.minSlot = LeafMinSlot(lo, hi);
            return;
        }
        int32_t x0 = _entries[lo].at.x, x1 = x0, y0 = _entries[lo].at.y, y1 = y0;
        for (uint32_t i = lo + 1; i < hi; ++i) {
            x0 = std::min(x0, _entries[i].at.x), x1 = std::max(x1, _entries[i].at.x);
            y0 = std::min(y0, _entries[i].at.y), y1 = std::max(y1, _entries[i].at.y);
        }
        const bool alongY = int64_t{y1} - y0 > int64_t{x1} - x0;
        const uint32_t mid = lo + (hi - lo) / 2;
        std::nth_element(_entries.begin() + lo, _entries.begin() + mid, _entries.begin() + hi,
                         [alongY](const Entry& a, const Entry& b) {
                             return alongY ? a.at.y < b.at.y : a.at.x < b.at.x;
                         });
        node.split = alongY ? _entries[mid].at.y : _entries[mid].at.x;
        node.alongY = alongY;
        node.onePoint = x0 == x1 && y0 == y1;
        Build(2 * k + 1, lo, mid);
        Build(2 * k + 2, mid, hi);
        node.minSlot = std::min(_nodes[2 * k + 1].minSlot, _nodes[2 * k + 2].minSlot);
    }

    // Whether node k, no nearer to q than `bound2`, may hold an entry better than the best so
    // far: nearer, or as near with a lower slot.
    bool Worth(uint32_t k, uint64_t bound2) const {
        const Node& node = _nodes[k];
        if (node.live == 0 || bound2 > _bestD2) return false;
        return bound2 < _bestD2 || node.minSlot < _bestSlot;
    }

    // Entries left of the middle lie at or below the split, those from it on at or above, so
    // the far side is at least |q - split| away; equally far is still searched for the tie rule.
    void Search(uint32_t k, uint32_t lo, uint32_t hi) const {
        const Node& node = _nodes[k];
        if (hi - lo <= kLeaf) {
            for (uint32_t i = lo; i < hi; ++i) {
                const Entry& e = _entries[i];
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
            const uint64_t d2 = Dist2(_entries[lo].at, _q);
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

    std::vector<Entry> _entries;
    std::vector<Node> _nodes;
    mutable PlotPoint _q;
    mutable uint64_t _bestD2 = 0;
    mutable uint32_t _best = kDead;
    mutable uint32_t _bestSlot = kDead;
};

// The entries of path i: both ends of an open path (one if it is a single point), every vertex
// but the repeated last of a closed one. Entries of one path are consecutive point indices
// except for an open path's two ends.
uint32_t EntryCount(const PathSet& paths, size_t i) {
    const uint32_t n = paths.end(i) - paths.begin(i);
    if (paths.closed(i)) return n - 1;
    return std::min<uint32_t>(n, 2);
}

uint32_t EntryPoint(const PathSet& paths, size_t i, uint32_t j) {
    if (!paths.closed(i) && j == 1) return paths.end(i) - 1;
    return paths.begin(i) + j;
}

}  // namespace

std::vector<PathStep> DocumentOrder(const PathSet& paths) {
    std::vector<PathStep> steps(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        steps[i] = {static_cast<uint32_t>(i), false, paths.begin(i)};
    return steps;
}

std::vector<PathStep> NearestNextOrder(const PathSet& paths, PlotPoint from) {
    return NearestNextOrder(paths, from, {});
}

std::vector<PathStep> NearestNextOrder(const PathSet& paths, PlotPoint from,
                                       const std::vector<std::pair<uint32_t, uint32_t>>& before) {
    const size_t n = paths.size();
    std::vector<uint32_t> firstSlot(n + 1, 0);
    for (size_t i = 0; i < n; ++i) firstSlot[i + 1] = firstSlot[i] + EntryCount(paths, i);
    std::vector<Entry> entries;
    entries.reserve(firstSlot[n]);
    for (uint32_t i = 0; i < n; ++i) {
        for (uint32_t s = firstSlot[i]; s < firstSlot[i + 1]; ++s)
            entries.push_back({paths.points[EntryPoint(paths, i, s - firstSlot[i])], s, i});
    }
    EntryTree tree(std::move(entries));
    const std::vector<uint32_t> slotPos = tree.Positions();

    // How many paths each one still waits for, and whom each frees; a waiting path's entries
    // are out of the tree.
    std::vector<uint32_t> waiting(n, 0), firstFreed(n + 1, 0), freed;
    for (const auto& [i, j] : before)
        if (i < n && j < n && i != j) ++waiting[j], ++firstFreed[i + 1];
    for (size_t i = 0; i < n; ++i) firstFreed[i + 1] += firstFreed[i];
    freed.resize(firstFreed[n]);
    {
        std::vector<uint32_t> fill(firstFreed.begin(), firstFreed.end() - 1);
        for (const auto& [i, j] : before)
            if (i < n && j < n && i != j) freed[fill[i]++] = j;
    }
    for (uint32_t i = 0; i < n; ++i)
        if (waiting[i])
            for (uint32_t s = firstSlot[i]; s < firstSlot[i + 1]; ++s) tree.Remove(slotPos[s]);
    std::vector<bool> done(n, false);
    std::vector<PathStep> steps;
    steps.reserve(n);
    PlotPoint at = from;
    const auto finish = [&](uint32_t i) {
        done[i] = true;
        for (uint32_t k = firstFreed[i]; k < firstFreed[i + 1]; ++k) {
            const uint32_t next = freed[k];
            if (--waiting[next] == 0)
                for (uint32_t s = firstSlot[next]; s < firstSlot[next + 1]; ++s)
                    tree.Restore(slotPos[s]);
        }
    };
    for (;;) {
        const uint32_t pos = tree.Nearest(at);
        if (pos == kDead) {
            // A path without points waits for nothing it could be reached by: it goes as soon
            // as it is free, and frees what waits for it.
            bool freed = false;
            for (uint32_t i = 0; i < n; ++i) {
                if (done[i] || paths.begin(i) != paths.end(i)) continue;
                if (waiting[i]) continue;
                finish(i);
                freed = true;
            }
            if (!freed) break;
            continue;
        }
        const uint32_t i = tree[pos].path;
        const uint32_t point = EntryPoint(paths, i, tree[pos].slot - firstSlot[i]);
        const PathStep step{i, !paths.closed(i) && point != paths.begin(i), point};
        steps.push_back(step);
        for (uint32_t s = firstSlot[i]; s < firstSlot[i + 1]; ++s) tree.Remove(slotPos[s]);
        at = StepExit(paths, step);
        finish(i);
    }
    // What is left waits in a loop (against the contract of `after`): in document order.
    for (uint32_t i = 0; i < n; ++i)
        if (paths.begin(i) == paths.end(i) || !done[i]) steps.push_back({i, false, paths.begin(i)});
    return steps;
}

std::vector<PathStep> OrderPaths(const PathSet& paths, PlotPoint from) {
    std::vector<PathStep> steps = NearestNextOrder(paths, from);
    ImproveOrder(paths, steps, from);
    return steps;
}

PlotPoint StepExit(const PathSet& paths, const PathStep& step) {
    if (paths.closed(step.path)) return paths.points[step.entry];
    return paths.points[step.reversed ? paths.begin(step.path) : paths.end(step.path) - 1];
}

int64_t PenUpTravel(const PathSet& paths, const std::vector<PathStep>& steps, PlotPoint from) {
    double travel = 0;
    PlotPoint at = from;
    for (const PathStep& step : steps) {
        if (paths.begin(step.path) == paths.end(step.path)) continue;
        const PlotPoint& entry = paths.points[step.entry];
        travel += std::hypot(double(entry.x) - at.x, double(entry.y) - at.y);
        at = StepExit(paths, step);
    }
    return std::llround(travel);
}

void ImproveOrder(const PathSet& paths, std::vector<PathStep>& steps, PlotPoint from, size_t window,
                  int passes) {
    size_t n = 0;
    while (n < steps.size() && paths.begin(steps[n].path) < paths.end(steps[n].path)) ++n;
    // Where each step goes down and comes up, kept beside the steps: the moves below read them
    // far more often than they change.
    std::vector<PlotPoint> in(n), out(n);
    for (size_t k = 0; k < n; ++k)
        in[k] = paths.points[steps[k].entry], out[k] = StepExit(paths, steps[k]);
    const auto d = [](PlotPoint a, PlotPoint b) {
        const double dx = double(a.x) - b.x, dy = double(a.y) - b.y;
        return std::sqrt(dx * dx + dy * dy);
    };
    for (int pass = 0; pass < passes; ++pass) {
        bool improved = false;
        for (size_t i = 0; i < n; ++i) {
            const PlotPoint prev = i ? out[i - 1] : from;
            PathStep& s = steps[i];
            if (paths.closed(s.path) && i + 1 < n) {
                double best = d(prev, in[i]) + d(in[i], in[i + 1]);
                for (uint32_t v = paths.begin(s.path); v + 1 < paths.end(s.path); ++v) {
                    const double c = d(prev, paths.points[v]) + d(paths.points[v], in[i + 1]);
                    if (c < best - 1e-6) best = c, s.entry = v, improved = true;
                }
                in[i] = out[i] = paths.points[s.entry];
            }
            // Drawing steps i..j backwards changes only the moves into i and out of j.
            for (size_t j = i; j < n && j <= i + window; ++j) {
                const bool last = j + 1 == n;
                const double before = d(prev, in[i]) + (last ? 0 : d(out[j], in[j + 1]));
                const double after = d(prev, out[j]) + (last ? 0 : d(in[i], in[j + 1]));
                if (after >= before - 1e-6) continue;
                std::reverse(steps.begin() + i, steps.begin() + j + 1);
                std::reverse(in.begin() + i, in.begin() + j + 1);
                std::reverse(out.begin() + i, out.begin() + j + 1);
                for (size_t k = i; k <= j; ++k) {
                    PathStep& t = steps[k];
                    if (paths.closed(t.path)) continue;
                    t.reversed = !t.reversed && paths.end(t.path) - paths.begin(t.path) > 1;
                    t.entry = t.reversed ? paths.end(t.path) - 1 : paths.begin(t.path);
                    std::swap(in[k], out[k]);
                }
                improved = true;
            }
        }
        if (!improved) break;
    }
}
