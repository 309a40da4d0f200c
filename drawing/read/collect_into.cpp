#include "drawing/read/collect_into.h"

#include "drawing/geometry/path_store.h"
#include "drawing/paint/pen_lines.h"
#include "drawing/paint/polyline_sink.h"

PaintedPathSink CollectInto(const PaintTarget& target, PenLines& lines, int64_t* shapes) {
    return [&target, &lines, shapes](const PaintedPath& p) {
        if (target.sink.full() || target.store.points() >= target.maxPoints || lines.refusal())
            return;
        ++*shapes;
        // Hatching past what the plot can still hold is refused before it is made, not after
        // it has filled memory.
        lines.SetRoom(target.maxPoints - target.store.points());
        lines.Draw(p);
        target.store.Take(target.sink.paths(), target.sink.pens());
    };
}
