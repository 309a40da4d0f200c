#pragma once
// The first stage of a plot: its stored paths as strokes, one pen at a time (ascending), shared
// stretches drawn once and touching lines joined when asked (extended optimisation), and put in
// the order the configuration asks for. It takes the stored paths rather than strokes, since
// ordering needs all of a pen's paths at once and they are kept compressed until drawn.

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "drawing/geometry/stroke.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/stages/plot_options.h"

// Draws `store`'s paths into `next` with `options`, each pen selected before its strokes and
// each pen's order starting from where `next` says the pen is.
void OrderStrokes(const PathStore& store, const PenChoice& pens, const PlotOptions& options,
                  const PlotArea& area, StrokeSink& next);
