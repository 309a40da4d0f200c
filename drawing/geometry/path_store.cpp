#include "drawing/geometry/path_store.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kBlockBytes = 1 << 20;

// At most 10 bytes a value.
uint8_t* PutVarint(uint8_t* out, uint64_t v) {
    while (v >= 0x80) {
        *out++ = static_cast<uint8_t>(v | 0x80);
        v >>= 7;
    }
    *out++ = static_cast<uint8_t>(v);
    return out;
}

uint64_t GetVarint(const uint8_t*& p) {
    if (*p < 0x80) return *p++;
    uint64_t v = 0;
    for (int shift = 0;; shift += 7) {
        const uint8_t b = *p++;
        v |= uint64_t{b & 0x7fu} << shift;
        if (b < 0x80) return v;
    }
}

// Differences of int32 in int64, so that no subtraction overflows.
uint64_t Zigzag(int64_t v) {
    return (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63);
}
int64_t Unzigzag(uint64_t v) { return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1); }

}  // namespace

void PathStore::Take(PathSet& paths, std::vector<uint8_t>& pens) {
    for (size_t i = 0; i < paths.size(); ++i) {
        const uint32_t b = paths.begin(i), e = paths.end(i);
        // Written straight into the block, which has room for the longest encoding; a block
        // is only touched (resident) where written.
        const size_t most = 10 + 20 * size_t{e - b};
        if (_blocks.empty() || _blocks.back().size - _blocks.back().used < most) {
            Block block;
            block.size = std::max(kBlockBytes, most);
            block.bytes.reset(new uint8_t[block.size]);
            _blocks.push_back(std::move(block));
        }
        Block& block = _blocks.back();
        uint8_t* const first = block.bytes.get() + block.used;
        uint8_t* out = PutVarint(first, e - b);
        PlotPoint at{0, 0};
        for (uint32_t k = b; k < e; ++k) {
            const PlotPoint p = paths.points[k];
            out = PutVarint(out, Zigzag(int64_t{p.x} - at.x));
            out = PutVarint(out, Zigzag(int64_t{p.y} - at.y));
            at = p;
        }
        _where.push_back(
            {static_cast<uint32_t>(_blocks.size() - 1), static_cast<uint32_t>(block.used)});
        block.used += static_cast<size_t>(out - first);
        _pens.push_back(pens[i]);
        _points += e - b;
    }
    paths.points.clear();
    paths.starts.clear();
    pens.clear();
}

void PathStore::Get(size_t i, PathSet& one) const {
    const uint8_t* p = _blocks[_where[i].block].bytes.get() + _where[i].offset;
    const auto n = static_cast<uint32_t>(GetVarint(p));
    one.starts.assign(1, 0);
    one.points.resize(n);
    int64_t x = 0, y = 0;
    for (uint32_t k = 0; k < n; ++k) {
        x += Unzigzag(GetVarint(p));
        y += Unzigzag(GetVarint(p));
        one.points[k] = {static_cast<int32_t>(x), static_cast<int32_t>(y)};
    }
}
