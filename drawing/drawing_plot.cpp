#include "drawing/drawing_plot.h"

// Placeholder until the reader lands: every drawing is refused, so nothing half-made is plotted.
DrawingResult ConvertDrawing(const std::string&, const TPrint&, const TPrConfig&, std::FILE*) {
    DrawingResult result;
    result.error = DrawingError::Unreadable;
    result.message = "drawings can't be plotted yet";
    return result;
}

std::string DrawingHeaderLines(const DrawingResult& result) {
    return result.brc.empty() ? std::string() : "BRC:" + result.brc + "\n";
}
