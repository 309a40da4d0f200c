#pragma once
// A drawing that uses what Qt's SVG module leaves out (clip paths, masks, markers, patterns,
// symbols placed by <use>, text on a path) is read by librsvg instead, which paints it through
// cairo into a PDF that the PDF route plots: one page the size of the drawing's canvas, its
// CSS pixels at 96 to the inch as the QtSvg route has them.

#include <cstddef>
#include <optional>
#include <string>

#include "plotjob/plot_note.h"

struct SvgAsPdf {
    bool sized = false;  // the drawing gives its canvas a size (else it is left to Qt's reader)
    std::optional<Note> error;  // librsvg's, when it could not read or paint the drawing
    std::string pdf;
};

// `xml`: the drawing as the sanitizer wrote it (nothing in it reaches outside the file).
SvgAsPdf SvgToPdf(const char* xml, size_t size);
