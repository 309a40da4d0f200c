#include "drawing/stages/weeding_frame.h"

#include <algorithm>
#include <cmath>

std::optional<std::vector<PlotPoint>> WeedingFrameAround(const LineBox& box,
                                                         const WeedingFrame& frame, int32_t width,
                                                         int32_t height, bool* clipped) {
    *clipped = false;
    if (box.empty()) return std::nullopt;
    // In 64 bits: margins as large as a field holds must not wrap around the box.
    const int64_t want[4] = {int64_t{box.x0} - frame.left, int64_t{box.y0} - frame.bottom,
                             int64_t{box.x1} + frame.right, int64_t{box.y1} + frame.top};
    const int64_t limit[4] = {0, 0, width, height};
    int32_t side[4];
    for (int i = 0; i < 4; ++i) {
        const int64_t v = std::clamp<int64_t>(want[i], 0, i < 2 ? limit[i + 2] : limit[i]);
        *clipped = *clipped || v != want[i];
        side[i] = static_cast<int32_t>(v);
    }
    const auto [x0, y0, x1, y1] = side;
    if (x0 >= x1 || y0 >= y1) return std::nullopt;
    return std::vector<PlotPoint>{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
}

void WeedingFrameStage::Pass(const Stroke& stroke, StrokeSink& next) {
    for (const RunPoint& p : stroke.points)
        _box.Add(
            {static_cast<int32_t>(std::llround(p.x)), static_cast<int32_t>(std::llround(p.y))});
    next.Draw(stroke);
}

void WeedingFrameStage::Finish(StrokeSink& next) {
    bool clipped = false;
    const auto frame = WeedingFrameAround(_box, _frame, _width, _height, &clipped);
    if (clipped)
        AddNote(Note(NoteId::WeedingFrameReachesBeyond));
    if (!frame) return;
    Stroke stroke;
    stroke.pen = _frame.pen;
    for (const PlotPoint& p : *frame) stroke.points.push_back({1.0 * p.x, 1.0 * p.y});
    next.Draw(stroke);
}
