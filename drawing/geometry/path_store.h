#pragma once
// Every polyline of a drawing kept until the plot is written: the points as zigzag varint
// deltas (a flattened curve moves a few dozen units a step, so most points take two to four
// bytes instead of eight), in blocks of their own so that growing never copies what is kept,
// and per path only where it lies and its pen entry.

#include <cstdint>
#include <memory>
#include <vector>

#include "drawing/geometry/plot_path.h"

class PathStore {
public:
    // Appends the paths and their pen entries, and empties both.
    void Take(PathSet& paths, std::vector<uint8_t>& pens);

    size_t size() const { return _where.size(); }
    uint64_t points() const { return _points; }
    uint8_t pen(size_t i) const { return _pens[i]; }

    // Path i as the only path of `one`.
    void Get(size_t i, PathSet& one) const;

private:
    struct Where {
        uint32_t block;
        uint32_t offset;
    };
    struct Block {
        std::unique_ptr<uint8_t[]> bytes;
        size_t size = 0;
        size_t used = 0;
    };

    std::vector<Block> _blocks;
    std::vector<Where> _where;
    std::vector<uint8_t> _pens;
    uint64_t _points = 0;
};
