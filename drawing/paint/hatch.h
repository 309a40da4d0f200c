#pragma once
// A filled area drawn with a pen: parallel lines (along x, in device units) one pen width
// apart, each cut exactly to the area under its fill rule and pulled in by half a pen width at
// both ends, so that the pen's tip stays inside (the outline drawn on the boundary covers the
// rest). A line goes on into the next one, back the other way, where the short move between
// them stays inside the area: a plain shape is one pen-down zigzag.

#include <QPointF>
#include <QRectF>
#include <Qt>
#include <cstdint>
#include <vector>

using Ring = std::vector<QPointF>;  // one closed boundary; the last point joins the first

struct HatchResult {
    std::vector<std::vector<QPointF>> runs;  // pen-down polylines
    uint64_t segments = 0;                   // lines across the area, joins not counted
    bool refused = false;                    // more than the budget: nothing in `runs`
};

// The area `rings` enclose under `rule`, hatched for a pen `width` device units wide, only
// where it meets `clip`. At most `budget` lines: the lines are counted before any is made,
// and beyond the budget nothing is.
// How many lines hatching would make at most (the count Hatch checks its budget with), without
// making any; past `budget` the count stops and is more than `budget`.
uint64_t HatchLines(const std::vector<Ring>& rings, Qt::FillRule rule, double width,
                    const QRectF& clip, uint64_t budget);

HatchResult Hatch(const std::vector<Ring>& rings, Qt::FillRule rule, double width,
                  const QRectF& clip, uint64_t budget);
