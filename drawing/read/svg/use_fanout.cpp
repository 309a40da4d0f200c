#include "drawing/read/svg/use_fanout.h"

#include <QSet>
#include <algorithm>

void UseFanout::Open(QStringView id, QStringView useTarget, RefKind kind) {
    const int32_t index = static_cast<int32_t>(_parent.size());
    _parent.push_back(_open.empty() ? -1 : _open.back());
    _kind.push_back(kind);
    if (!useTarget.isEmpty()) _uses.emplace_back(index, useTarget.toString());
    // The first element of an id is the one a reference finds.
    if (!id.isEmpty()) _ids.insert(id.toString(), index);
    if (kind != RefKind::Other) _kindIds.insert(index, id.toString());
    _open.push_back(index);
}

void UseFanout::Close() {
    if (!_open.empty()) _open.pop_back();
}

void UseFanout::Refer(QStringView id) {
    if (!_open.empty() && !id.isEmpty()) _refs.emplace_back(_open.back(), id.toString());
}

void UseFanout::ReferMarker(QStringView id, int64_t times) {
    if (!_open.empty() && !id.isEmpty() && times > 0)
        _markers.push_back({_open.back(), id.toString(), times});
}

void UseFanout::Shape(int64_t vertices) {
    if (!_open.empty() && vertices > 0) _shapes.emplace_back(_open.back(), vertices);
}

void UseFanout::SheetMarker(QStringView id) {
    if (std::find(_sheetMarkers.begin(), _sheetMarkers.end(), id) == _sheetMarkers.end())
        _sheetMarkers.push_back(id.toString());
}

void UseFanout::Children(std::vector<int32_t>* first, std::vector<int32_t>* children) const {
    const size_t n = _parent.size();
    first->assign(n + 1, 0);
    children->assign(n, 0);
    for (size_t i = 0; i < n; ++i)
        if (_parent[i] >= 0) ++(*first)[_parent[i] + 1];
    for (size_t i = 0; i < n; ++i) (*first)[i + 1] += (*first)[i];
    std::vector<int32_t> fill(first->begin(), first->end() - 1);
    for (size_t i = 0; i < n; ++i)
        if (_parent[i] >= 0) (*children)[fill[_parent[i]]++] = static_cast<int32_t>(i);
}

int64_t UseFanout::Instances(int64_t limit, bool markers) const {
    const size_t n = _parent.size();
    if (n == 0) return 0;
    Graph g;
    Children(&g.first, &g.children);
    g.target.assign(n, -1);
    for (const auto& [index, id] : _uses) g.target[index] = _ids.value(id, -1);
    std::vector<int64_t> weight;
    if (!Weights(g, limit, nullptr, &weight)) return -1;
    if (!markers) return weight[0];
    // Per element the markers it draws (the marker's index, how often), sorted by element.
    QSet<int32_t> distinct;
    for (const MarkerRef& m : _markers)
        if (const int32_t to = _ids.value(m.id, -1); to >= 0) {
            g.drawn.push_back({m.index, {to, m.times}});
            distinct.insert(to);
        }
    for (const QString& id : _sheetMarkers)
        if (const int32_t to = _ids.value(id, -1); to >= 0) {
            for (const auto& [index, vertices] : _shapes)
                g.drawn.push_back({index, {to, vertices}});
            distinct.insert(to);
        }
    if (g.drawn.empty()) return weight[0];
    std::sort(g.drawn.begin(), g.drawn.end());
    g.markerFirst.assign(n + 1, 0);
    for (const auto& d : g.drawn) ++g.markerFirst[d.first + 1];
    for (size_t i = 0; i < n; ++i) g.markerFirst[i + 1] += g.markerFirst[i];
    // Each pass draws the markers one level deeper, each as the pass before weighed it. librsvg
    // draws no marker within itself, so markers nest no deeper than there are markers: that
    // many passes, or fewer where the weights settle (markers that don't nest without end).
    const int passes = std::min<int>(distinct.size(), kMaxMarkerDepth);
    std::vector<int64_t> next;
    for (int pass = 0; pass < passes; ++pass) {
        Weights(g, limit, &weight, &next);
        if (next[0] >= limit || next == weight) return next[0];
        std::swap(weight, next);
    }
    return distinct.size() > kMaxMarkerDepth ? limit : weight[0];
}

bool UseFanout::Weights(const Graph& g, int64_t limit, const std::vector<int64_t>* markers,
                        std::vector<int64_t>* weight) const {
    const size_t n = _parent.size();
    const auto add = [limit](int64_t a, int64_t b) { return std::min(limit, a + b); };
    const auto times = [limit](int64_t a, int64_t b) {
        return a > 0 && b > limit / a ? limit : std::min(limit, a * b);
    };
    // weight(e) = 1 + the weights of its children + the weight of what its use names + each
    // marker it draws, as often as it draws it; each computed once, depth first without
    // recursion (chains of uses can be long).
    enum : uint8_t { kNew, kOnPath, kDone };
    std::vector<uint8_t> state(n, kNew);
    weight->assign(n, 0);
    struct Frame {
        int32_t node;
        int32_t next;  // the next child to visit; past the children, the use's target
    };
    std::vector<Frame> stack;
    for (size_t start = 0; start < n; ++start) {
        if (state[start] != kNew) continue;
        stack.push_back({static_cast<int32_t>(start), g.first[start]});
        state[start] = kOnPath;
        while (!stack.empty()) {
            Frame& f = stack.back();
            const int32_t end = g.first[f.node + 1];
            int32_t visit = -1;
            if (f.next < end) {
                visit = g.children[f.next++];
            } else if (f.next == end) {
                ++f.next;
                visit = g.target[f.node];
            }
            if (visit >= 0) {
                if (state[visit] == kOnPath) return false;
                if (state[visit] == kNew) {
                    state[visit] = kOnPath;
                    stack.push_back({visit, g.first[visit]});
                }
                continue;
            }
            if (f.next <= end) continue;
            // All visited: sum up.
            int64_t w = 1;
            for (int32_t c = g.first[f.node]; c < end; ++c) w = add(w, (*weight)[g.children[c]]);
            if (g.target[f.node] >= 0) w = add(w, (*weight)[g.target[f.node]]);
            if (markers)
                for (int32_t m = g.markerFirst[f.node]; m < g.markerFirst[f.node + 1]; ++m)
                    w = add(w,
                            times(g.drawn[m].second.second, (*markers)[g.drawn[m].second.first]));
            (*weight)[f.node] = w;
            state[f.node] = kDone;
            stack.pop_back();
        }
    }
    return true;
}

std::vector<std::pair<RefKind, QString>> UseFanout::SelfReferring() const {
    std::vector<std::pair<RefKind, QString>> found;
    const size_t n = _parent.size();
    if (_kindIds.isEmpty() || n == 0) return found;
    // The ways out of an element: its children, then what its use names and what it refers to.
    std::vector<int32_t> first, children;
    Children(&first, &children);
    std::vector<int32_t> outFirst(n + 1, 0), out;
    std::vector<std::pair<int32_t, int32_t>> edges;
    for (const auto* list : {&_uses, &_refs})
        for (const auto& [index, id] : *list)
            if (const int32_t to = _ids.value(id, -1); to >= 0) edges.emplace_back(index, to);
    std::sort(edges.begin(), edges.end());
    for (const auto& e : edges) ++outFirst[e.first + 1];
    for (size_t i = 0; i < n; ++i) outFirst[i + 1] += outFirst[i];
    for (const auto& e : edges) out.push_back(e.second);

    enum : uint8_t { kNew, kOnPath, kDone };
    std::vector<uint8_t> state(n, kNew);
    std::vector<int32_t> depth(n, 0);  // where on the path an element lies, while it does
    struct Frame {
        int32_t node;
        int32_t next;  // children first, then the other ways out
    };
    std::vector<Frame> stack;
    // Each cycle found is looked along for its kinds: bounded, so that a drawing of many long
    // cycles costs no more than a few passes over itself.
    int64_t budget = 16 * static_cast<int64_t>(n) + 1'000'000;
    const auto note = [&](size_t from) {
        for (size_t k = from; k < stack.size() && budget-- > 0; ++k) {
            const RefKind kind = _kind[stack[k].node];
            if (kind == RefKind::Other) continue;
            if (std::none_of(found.begin(), found.end(),
                             [&](const auto& f) { return f.first == kind; }))
                found.emplace_back(kind, _kindIds.value(stack[k].node));
        }
    };
    for (size_t start = 0; start < n && budget > 0; ++start) {
        if (state[start] != kNew) continue;
        stack.push_back({static_cast<int32_t>(start), 0});
        state[start] = kOnPath;
        while (!stack.empty()) {
            Frame& f = stack.back();
            const int32_t kids = first[f.node + 1] - first[f.node];
            const int32_t ways = kids + outFirst[f.node + 1] - outFirst[f.node];
            if (f.next >= ways) {
                state[f.node] = kDone;
                stack.pop_back();
                continue;
            }
            const int32_t i = f.next++;
            const int32_t visit =
                i < kids ? children[first[f.node] + i] : out[outFirst[f.node] + i - kids];
            if (state[visit] == kOnPath) {
                note(static_cast<size_t>(depth[visit]));
            } else if (state[visit] == kNew) {
                state[visit] = kOnPath;
                depth[visit] = static_cast<int32_t>(stack.size());
                stack.push_back({visit, 0});
            }
        }
    }
    return found;
}
