#pragma once
// The shapes that hide what was painted before them, in plotter units on the paper (rounded as
// the plot's own points are), each with the place in paint order it was painted at. Each is
// kept as non-overlapping boundaries, holes running the other way round, so that any number of
// them together cover their union under the non-zero rule.

#include <cstdint>
#include <vector>

#include "drawing/geometry/plot_path.h"

struct PlotBox {
    int32_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // inclusive; empty when x1 < x0
    bool empty() const { return x1 < x0 || y1 < y0; }
    bool meets(const PlotBox& o) const {
        return !empty() && !o.empty() && x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1;
    }
    void add(PlotPoint p);
};

// What a cover shows: the pen of its colour, or the paper's white, whose edge is seen only
// where it lies over a colour painted before it.
struct CoverPaint {
    uint8_t pen = 0;
    bool paper = false;
};

class CoverStore {
public:
    struct Cover {
        uint32_t position;  // the paths painted before it: the store's path count then
        uint32_t firstRing, rings;
        PlotBox box;
        CoverPaint paint;
    };

    // Rings of one cover, already normalised (see above); each ring closed implicitly. Empty
    // covers are not kept.
    void Add(uint32_t position, const std::vector<std::vector<PlotPoint>>& rings,
             CoverPaint paint = {});

    // Beyond this many points (16 MB), or covers, the covers are given up (full() says so): a
    // drawing of a hundred thousand overlapping fills would take longer to work out than to
    // read many times over.
    static constexpr uint64_t kMostPoints = uint64_t{2} << 20;
    static constexpr size_t kMostCovers = 16384;
    bool full() const { return _full; }
    // Gives the covers up: nothing is hidden.
    void GiveUp();

    // A shape too intricate to hide anything: what lies under it is plotted.
    void AddIntricate() { ++_intricate; }
    uint64_t intricate() const { return _intricate; }

    size_t size() const { return _covers.size(); }
    const Cover& cover(size_t i) const { return _covers[i]; }
    uint64_t points() const { return _points.size() + _linePoints.size(); }
    // Covers in the paper's white kept so far.
    size_t paperCovers() const { return _paper; }

    // A line in the paper's white (a white stroke drawn as its line, no wider than the pen):
    // shown, as a white cover's edge is, where it lies over a colour painted before it.
    struct PaperLine {
        uint32_t position;  // the paths painted before it
        uint32_t covers;    // the covers painted before it
        PlotBox box;
    };
    void AddPaperLine(uint32_t position, const std::vector<PlotPoint>& line);
    size_t paperLines() const { return _lines.size(); }
    const PaperLine& paperLine(size_t i) const { return _lines[i]; }
    const PlotPoint* lineBegin(size_t i) const { return _linePoints.data() + _lineStarts[i]; }
    const PlotPoint* lineEnd(size_t i) const { return lineBegin(i) + _lineCounts[i]; }

    // Ring r (of all covers) as a span of points.
    const PlotPoint* ringBegin(uint32_t r) const { return _points.data() + _starts[r]; }
    const PlotPoint* ringEnd(uint32_t r) const {
        return _points.data() + (r + 1 < _starts.size() ? _starts[r + 1] : _points.size());
    }

private:
    std::vector<Cover> _covers;
    std::vector<uint64_t> _starts;  // per ring
    std::vector<PlotPoint> _points;
    std::vector<PaperLine> _lines;
    std::vector<PlotPoint> _linePoints;
    std::vector<uint64_t> _lineStarts;
    std::vector<uint32_t> _lineCounts;
    uint64_t _intricate = 0;
    size_t _paper = 0;
    bool _full = false;
};
