#pragma once
// The one thing every stage after the ordering passes on, and the writer encodes: a stroke, one
// pen-down run of one pen. Its points are fractional plotter units, since a stage that shapes a
// line (the knife's swings, a perforation's piece ends) puts points between the whole units,
// and only the writer rounds them, to the plotter's own step. Includes nothing of the drawing.
//
// A stage is handed one stroke at a time and the writer encodes it at once, so a plot of a
// hundred thousand lines never holds more than the stroke in hand: the driver reuses one
// Stroke, whose vectors keep their capacity, rather than allocating per line or per point.

#include <cstdint>
#include <string>
#include <vector>

#include "drawing/geometry/path_runs.h"
#include "drawing/geometry/plot_path.h"
#include "plotjob/plot_note.h"

// A force (FS) set while the pen is down: before points[at] is reached, or after the last point
// when `at` is the stroke's size.
struct StrokeForce {
    uint32_t at = 0;
    int value = 0;
};

struct Stroke {
    int pen = 1;
    // Pen up to the first, pen down through the rest.
    std::vector<RunPoint> points;
    // In the order of `at`; none for a stroke drawn at whatever force the pen has.
    std::vector<StrokeForce> forces;
    // Made by a stage out of a drawn line (the knife's path, a perforation's pieces): its points
    // may fall on the plotter step of the one before, and are left out there; a plot that grows
    // too big on such strokes blames the stage rather than the drawing.
    bool shaped = false;

    void Clear() {
        points.clear();
        forces.clear();
        shaped = false;
    }
};

// Where strokes go: the next stage, or at the end the writer.
class StrokeSink {
public:
    // The pen the strokes after this are drawn with, taken up even when none follows.
    virtual void SelectPen(int number) = 0;
    virtual void Draw(const Stroke& stroke) = 0;
    // The plot can't be made as set: nothing more is written, and `why` says so.
    virtual void Refuse(Note why) = 0;
    virtual bool refused() const = 0;
    // Where the pen is now, in whole plotter units: the ordering starts each pen from here.
    virtual PlotPoint position() const = 0;

protected:
    ~StrokeSink() = default;
};
