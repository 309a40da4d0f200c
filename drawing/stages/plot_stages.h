#pragma once
// The last stages of a drawing's plot: one pen's paths at a time, shared stretches drawn once
// and touching lines joined (extended optimisation), then put in the order the configuration
// asks for, and written.

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "drawing/hpgl_writer.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/stages/plot_options.h"

// Writes one plot's paths with `options`: per pen, ascending; merged when asked, then in the
// order asked for.
void WritePaths(HpglWriter& writer, const PathStore& store, const PenChoice& pens,
                const PlotOptions& options, const PlotArea& area);
