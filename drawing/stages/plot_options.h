#pragma once
// The plotting options in the drawing's terms: the plot settings (settings/plot_settings.h,
// where the records are decoded) as the plotter's units, the page's area and the pens' shares,
// with what can't be plotted said once here, so no stage ever sees a record.

#include <cstdint>
#include <optional>

#include "drawing/geometry/page_layout.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/stages/cut_options.h"
#include "drawing/stages/roll_panels.h"
#include "settings/plot_settings.h"

struct PlotOptions {
    std::optional<PlotArea> area;  // none: the margins cover the paper
    PenSettings pens{};
    bool automaticPens = false;  // the window's automatic pen selection
    bool optimised = true;       // line optimisation: nearest next
    PathSort sort = PathSort::None;
    bool merge = false;      // extended optimisation: shared stretches once, touching lines joined
    bool autoSplit = false;  // a drawing longer than the roll is cut into panels
    bool rollFeed = false;   // roll paper rather than cut sheets
    int rollLengthPoints = 0;  // as stored: 0 for none, below 0 wrongly stored
    // The range asked for, as the configuration window shows it (PlotSettings::firstPage).
    PanelRange asked;
    bool everyOutline = false;  // lines under a later opaque shape plotted all the same
    // The weeding frame and the perforation (from the configuration), the knife and the
    // output tab's options (from the serial record and the knife file).
    CutOptions cut;
};

PlotOptions DecodePlotOptions(const PlotSettings& settings);
