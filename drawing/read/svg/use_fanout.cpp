#include "drawing/read/svg/use_fanout.h"

#include <algorithm>

void UseFanout::Open(QStringView id, QStringView useTarget) {
    const int32_t index = static_cast<int32_t>(_parent.size());
    _parent.push_back(_open.empty() ? -1 : _open.back());
    if (!useTarget.isEmpty()) _uses.emplace_back(index, useTarget.toString());
    // The first element of an id is the one a reference finds.
    if (!id.isEmpty()) _ids.insert(id.toString(), index);
    _open.push_back(index);
}

void UseFanout::Close() {
    if (!_open.empty()) _open.pop_back();
}

int64_t UseFanout::Instances(int64_t limit) const {
    const size_t n = _parent.size();
    if (n == 0) return 0;
    // Children lists from the parents (document order keeps them in order).
    std::vector<int32_t> first(n + 1, 0), children(n);
    for (size_t i = 0; i < n; ++i)
        if (_parent[i] >= 0) ++first[_parent[i] + 1];
    for (size_t i = 0; i < n; ++i) first[i + 1] += first[i];
    std::vector<int32_t> fill(first.begin(), first.end() - 1);
    for (size_t i = 0; i < n; ++i)
        if (_parent[i] >= 0) children[fill[_parent[i]]++] = static_cast<int32_t>(i);
    std::vector<int32_t> target(n, -1);
    for (const auto& [index, id] : _uses) target[index] = _ids.value(id, -1);

    // weight(e) = 1 + the weights of its children + the weight of what its use names; each
    // computed once, depth first without recursion (chains of uses can be long).
    enum : uint8_t { kNew, kOnPath, kDone };
    std::vector<uint8_t> state(n, kNew);
    std::vector<int64_t> weight(n, 0);
    const auto add = [limit](int64_t a, int64_t b) { return std::min(limit, a + b); };
    struct Frame {
        int32_t node;
        int32_t next;  // the next child to visit; past the children, the use's target
    };
    std::vector<Frame> stack;
    for (size_t start = 0; start < n; ++start) {
        if (state[start] != kNew) continue;
        stack.push_back({static_cast<int32_t>(start), first[start]});
        state[start] = kOnPath;
        while (!stack.empty()) {
            Frame& f = stack.back();
            const int32_t end = first[f.node + 1];
            int32_t visit = -1;
            if (f.next < end)
                visit = children[f.next++];
            else if (f.next == end) {
                ++f.next;
                visit = target[f.node];
            }
            if (visit >= 0) {
                if (state[visit] == kOnPath) return -1;
                if (state[visit] == kNew) {
                    state[visit] = kOnPath;
                    stack.push_back({visit, first[visit]});
                }
                continue;
            }
            if (f.next <= end) continue;
            // All visited: sum up.
            int64_t w = 1;
            for (int32_t c = first[f.node]; c < end; ++c) w = add(w, weight[children[c]]);
            if (target[f.node] >= 0) w = add(w, weight[target[f.node]]);
            weight[f.node] = w;
            state[f.node] = kDone;
            stack.pop_back();
        }
    }
    return weight[0];
}
