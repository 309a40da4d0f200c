#pragma once
// The weeding frame: a rectangle cut last around everything else of a plot, so that the waste
// around the cut shapes comes off the backing in one piece.

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "drawing/geometry/plot_path.h"
#include "drawing/stages/cut_options.h"
#include "drawing/stages/stroke_stage.h"

// The box of every point plotted so far.
struct LineBox {
    int32_t x0 = std::numeric_limits<int32_t>::max(), y0 = std::numeric_limits<int32_t>::max();
    int32_t x1 = std::numeric_limits<int32_t>::min(), y1 = std::numeric_limits<int32_t>::min();
    bool empty() const { return x0 > x1; }
    void Add(const PlotPoint& p) {
        x0 = p.x < x0 ? p.x : x0;
        y0 = p.y < y0 ? p.y : y0;
        x1 = p.x > x1 ? p.x : x1;
        y1 = p.y > y1 ? p.y : y1;
    }
};

// The frame around `box` grown by the frame's margins, as a closed path anticlockwise from its
// lower left corner, clipped to the printable area 0..width by 0..height (*clipped says whether
// it was). None when the box is empty or nothing of the frame is left on the area.
std::optional<std::vector<PlotPoint>> WeedingFrameAround(const LineBox& box,
                                                         const WeedingFrame& frame, int32_t width,
                                                         int32_t height, bool* clipped);

// Passes every stroke on as it is, and cuts the frame after the last, round the lines as they
// came here (before a knife's swings), with the frame's pen.
class WeedingFrameStage final : public StrokeStage {
public:
    WeedingFrameStage(const WeedingFrame& frame, int32_t width, int32_t height)
        : _frame(frame), _width(width), _height(height) {}
    void Pass(const Stroke& stroke, StrokeSink& next) override;
    void Finish(StrokeSink& next) override;

private:
    WeedingFrame _frame;
    int32_t _width, _height;
    LineBox _box;
};
