#pragma once
// The last stages of a drawing's plot: one pen's paths at a time, shared stretches drawn once
// and touching lines joined (extended optimisation), then put in the order the configuration
// asks for, and written.

#include "drawing/hpgl_writer.h"
#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "drawing/paint/pen_choice.h"
#include "settings/records.h"

// Writes one plot's paths with the options of `config`: per pen, ascending; merge (foptEx), then the order (fsort / foptln).
void WritePaths(HpglWriter& writer, const PathStore& store, const PenChoice& pens, const TPrConfig& config, const PlotArea& area);
