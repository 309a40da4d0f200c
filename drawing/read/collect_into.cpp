#include "drawing/read/collect_into.h"

#include "drawing/geometry/cover_store.h"
#include "drawing/geometry/path_store.h"
#include "drawing/paint/cover_area.h"
#include "drawing/paint/pen_lines.h"
#include "drawing/paint/polyline_sink.h"

PaintedPathSink CollectInto(const PaintTarget& target, PenLines& lines, int64_t* shapes) {
    return [&target, &lines, shapes](const PaintedPath& p) {
        if (target.sink.full() || target.store.points() >= target.maxPoints || lines.refusal())
            return;
        ++*shapes;
        RecordCover(target, p);
        // Hatching past what the plot can still hold is refused before it is made, not after
        // it has filled memory.
        lines.SetRoom(target.maxPoints - target.store.points());
        lines.Draw(p);
        target.store.Take(target.sink.paths(), target.sink.pens());
    };
}

void RecordCover(const PaintTarget& target, const PaintedPath& shape) {
    if (!target.covers || target.covers->full()) return;
    bool intricate = false;
    const std::vector<std::vector<PlotPoint>> rings =
        CoverAreaOf(shape, target.pens, target.area, target.sink.reach(), &intricate);
    if (intricate) target.covers->AddIntricate();
    for (const std::vector<PlotPoint>& line :
         PaperLinesOf(shape, target.pens, target.area, target.sink.reach()))
        target.covers->AddPaperLine(static_cast<uint32_t>(target.store.size()), line);
    if (!rings.empty())
        target.covers->Add(static_cast<uint32_t>(target.store.size()), rings,
                           CoverPaintOf(shape, target.pens));
}
