#pragma once
// QtSvg reads the cleaned drawing and paints it into the path collector; each visible shape is
// flattened into the sink with the pen its colour chooses. QtSvg's own warnings are kept off
// the terminal and come back as notes.

#include <QByteArray>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/page_layout.h"
#include "drawing/pen_choice.h"
#include "drawing/polyline_sink.h"
#include "drawing/svg_sanitize.h"

struct PaintOutcome {
    bool loaded = false;  // QtSvg took the document
    int64_t shapes = 0;   // visible shapes painted
    std::vector<std::string> notes;
    std::string loadError;  // QtSvg's first complaint when it did not take the document
};

PaintOutcome PaintSvg(const SanitizedSvg& svg, const PlotArea& area, const PenChoice& pens,
                      PolylineSink& sink);
