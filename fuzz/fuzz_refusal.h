#pragma once
// What every drawing fuzz target asks of a conversion that failed.

#include <cstddef>
#include <string>

#include "drawing/drawing_plot.h"
#include "plotjob/plot_note.h"

// A refusal says why on one line and leaves the body empty, but for the body's own size cap:
// that is only known once the body is written, and the reading's caller throws the part away.
inline bool RefusedBadly(const DrawingResult& result, size_t bodySize) {
    if (result.ok()) return false;
    const std::string why = NoteEnglish(result.message);
    const bool capped = result.message.id == NoteId::PlotWouldLargerMB;
    return (bodySize != 0 && !capped) || why.empty() || why.find('\n') != std::string::npos;
}
