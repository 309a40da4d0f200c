#pragma once
// QtSvg reads the cleaned drawing and paints it into the path collector; each visible shape is
// turned into lines with the pens its colours choose (pen_lines.h) and moved on into the store. A
// big drawing is read in pieces (svg_chunks.h), all painted with one painter, so that the shapes
// arrive as from the whole. QtSvg's own warnings are kept off the terminal and come back as
// notes.

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "drawing/read/reader_contract.h"
#include "drawing/read/svg/svg_chunks.h"
#include "drawing/read/svg/svg_sanitize.h"

struct PaintOutcome {
    bool loaded = false;  // QtSvg took the document
    int64_t shapes = 0;   // visible shapes painted
    std::vector<Note> notes;
    Note loadError;              // QtSvg's first complaint when it did not take the document
    std::optional<Note> refusal;  // why the drawing can't be plotted with these pens (then refused)
    uint64_t hatchSegments = 0;  // lines hatching fills and wide strokes
};

// Stops taking shapes once the target's store holds its `maxPoints`.
PaintOutcome PaintSvg(const SanitizedSvg& svg, const PaintTarget& target,
                      const SvgChunking& chunking = {});
