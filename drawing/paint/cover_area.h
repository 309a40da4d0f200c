#pragma once
// What a painted shape hides of what was painted before it, as a renderer shows it: its fill
// where the fill paints fully opaque, and the band of its stroke where the stroke is opaque and
// wider than the pen that draws it (a thinner one is drawn as a line, and hides what the line
// does); all of it within the shape's clip. As boundaries on the paper, in plotter units.

#include <QRectF>
#include <vector>

#include "drawing/geometry/cover_store.h"
#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/plot_path.h"
#include "drawing/paint/path_engine.h"

class PenChoice;

// Non-overlapping boundaries (holes the other way round) within `reach` (device units); empty
// when the shape hides nothing, or (*tooIntricate) when its edges may cross each other too
// often to be worked out in time.
std::vector<std::vector<PlotPoint>> CoverAreaOf(const PaintedPath& shape, const PenChoice& pens,
                                                const PlotArea& area, const QRectF& reach,
                                                bool* tooIntricate);

// What the shape's cover shows: the pen of the paint that hides (its fill, or its stroke's band
// when it is not filled), or the paper's white when all it paints is white: a white fill with a
// coloured stroke is outlined by that stroke already.
CoverPaint CoverPaintOf(const PaintedPath& shape, const PenChoice& pens);

// A white stroke that a pen would draw as its line (no wider than the pen, solid, on a shape not
// filled): that line in plotter units on the paper, within the shape's clip and `reach`. It
// shows where it lies over a colour. Empty for any other shape.
std::vector<std::vector<PlotPoint>> PaperLinesOf(const PaintedPath& shape, const PenChoice& pens,
                                                 const PlotArea& area, const QRectF& reach);
