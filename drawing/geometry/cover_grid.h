#pragma once
// Where the covers lie, cell by cell of a grid over their box: per cell the latest place in
// paint order of a cover that reaches into it and of one that holds it whole, and per coarser
// bucket the covers whose box meets it. A path is then hidden by nothing when no cell it
// crosses is reached by a later cover, and hidden whole when every cell it crosses is held by
// one; only the rest need cutting, against the few covers the buckets name.

#include <cstdint>
#include <vector>

#include "drawing/geometry/cover_store.h"

class CoverGrid {
public:
    explicit CoverGrid(const CoverStore& covers);

    enum class Under { nothing, whole, part };
    // How the polyline `points` (n of them), painted at `position`, lies under later covers.
    Under Classify(const PlotPoint* points, size_t n, uint32_t position) const;

    // The covers painted after `position` whose box meets `box`, in paint order.
    void Candidates(const PlotBox& box, uint32_t position, std::vector<uint32_t>* out) const;

private:
    // Calls f(cell) for every cell the segment a-b passes through (and a few it only grazes).
    template <class F>
    void ForEachCell(PlotPoint a, PlotPoint b, F&& f) const;
    void Mark(uint32_t index);

    const CoverStore& _covers;
    PlotBox _box;
    int64_t _cell = 1;  // plotter units a side
    int32_t _columns = 0, _rows = 0;
    std::vector<uint32_t> _reached;  // per cell: the latest position of a cover reaching it
    std::vector<uint32_t> _held;     // per cell: the latest position of a cover holding it
    std::vector<uint32_t> _stamp;    // per cell: the last cover whose edge crossed it, plus 1
    // Buckets of 16 x 16 cells: cover indices, bucket by bucket (CSR).
    int32_t _bucketColumns = 0, _bucketRows = 0;
    std::vector<uint32_t> _bucketStarts;
    std::vector<uint32_t> _bucketCovers;
    std::vector<uint32_t> _wide;  // covers over too many buckets to list in each
    mutable std::vector<uint32_t> _seen;
    mutable uint32_t _query = 0;
};
