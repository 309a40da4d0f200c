#pragma once
// The plot body: pen selections and polylines as HP-GL in whole plotter units (absolute
// plotting, the initialisation of the framing). Coordinates come from PathSet, whose int32
// points lie within the plotter's reach, so no number written can wrap or be non-finite.

#include <cstdint>
#include <cstdio>
#include <string>

#include "drawing/stages/path_order.h"

class HpglWriter {
public:
    explicit HpglWriter(std::FILE* out) : _out(out) {}

    void SelectPen(int number);
    // One polyline: pen up to its first point, pen down through the rest, as `step` says.
    void Draw(const PathSet& paths, const PathStep& step);
    // Pen up and put away; false when anything could not be written.
    bool Finish();

    PlotPoint position() const { return _at; }
    int64_t bytes() const { return _bytes; }
    double penUpTravel() const { return _travel; }

private:
    void Put(const char* text);
    void Number(int32_t v);
    void Point(PlotPoint p);
    void Flush();

    std::FILE* _out;
    std::string _buffer;
    int64_t _bytes = 0;
    double _travel = 0;
    PlotPoint _at{0, 0};  // where IN leaves the pen
    bool _failed = false;
};
