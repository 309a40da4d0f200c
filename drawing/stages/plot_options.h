#pragma once
// The plotting options as the settings records store them, decoded in one place into plain
// values: flags stored inverted, sorts the window does not offer, pages stored as 0 and the
// page's points are read here and nowhere else, so no stage ever sees a record.

#include <cstdint>
#include <optional>

#include "drawing/geometry/page_layout.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/stages/cut_options.h"
#include "drawing/stages/roll_panels.h"

struct TPrint;
struct TPrConfig;
struct TSrConfig;
struct KnifeSettings;

enum class PathSort {
    None,         // nearest next (line optimisation) or document order
    InsideFirst,  // sort B: what lies inside a closed path before it
    Bands,        // sort C: bands along the paper, one way
};

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
    // The range asked for, as the configuration window shows it: the configuration's pages,
    // which the window always stores as 1 or more. A settings file whose configuration holds 0
    // (written before the window ever stored a range) shows the print record's job range there
    // instead, and so plots it: reading 0 as 1 would quietly plot the first panel alone.
    PanelRange asked;
    // The weeding frame and the perforation (from the configuration), the knife and the
    // output tab's options (from the serial record and the knife file).
    CutOptions cut;
};

PlotOptions DecodePlotOptions(const TPrint& print, const TPrConfig& config);
// The same with the output tab's options and the knife: a fresh serial record (all zero) and
// no knife leave the plot as the two-record form gives it.
PlotOptions DecodePlotOptions(const TPrint& print, const TPrConfig& config, const TSrConfig& serial,
                              const KnifeSettings& knife);
