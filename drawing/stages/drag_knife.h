#pragma once
// A drag knife: its tip trails the holder by the blade offset and turns only when pulled. The
// plotter moves the holder, so the holder's path is made such that the tip follows the line:
// each segment run on by the offset, and at a corner the holder swung about the corner point
// on an arc of the offset's radius, which turns the tip on the corner. A closed path is cut on
// past its start by the overcut, so that its ends overlap and the shape comes out clean.

#include <span>
#include <string>
#include <vector>

#include "drawing/geometry/path_runs.h"
#include "drawing/stages/cut_options.h"
#include "drawing/stages/stroke_stage.h"

// Corners that turn less than this are cut straight on: the tip follows them by itself.
inline constexpr double kKnifeSwivelDegrees = 5;

// The holder's path for cutting `line` (closed when its last point is its first) with `knife`.
std::vector<RunPoint> DragKnifePath(std::span<const RunPoint> line, const DragKnife& knife);

// The strokes of the knife's pen as the holder has to move to cut them.
class DragKnifeStage final : public StrokeStage {
public:
    explicit DragKnifeStage(const DragKnife& knife) : _knife(knife) {}
    void Pass(const Stroke& stroke, StrokeSink& next) override;
    std::optional<Note> Multiplies() const override;

private:
    DragKnife _knife;
    Stroke _path;
};
