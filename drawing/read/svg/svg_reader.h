#pragma once
// The SVG route: the drawing cleaned, its text set along its paths by Inkscape where it has any,
// then painted by librsvg where it uses what Qt's SVG module leaves out, else by Qt's SVG module
// (in chunks when big). The dispatcher only hands the file's bytes here.

#include "drawing/read/reader_contract.h"
#include "drawing/read/svg/svg_chunks.h"
#include "drawing/read/svg/svg_source.h"

// Paints the drawing in `bytes` (emptied as it is read, to free its memory early) into `target`.
SourceOutcome PaintSvgBytes(SvgBytes& bytes, const SvgChunking& chunking,
                            const PaintTarget& target);
