#pragma once
// What every reader shares with the one that dispatches to it and the conversion above both:
// how a reading fails, where a reader paints, and what it hands back. It sits below them all
// and includes none of them, so a change at the top never ripples down into the readers.

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "plotjob/plot_note.h"

class CoverStore;
class PenChoice;
class PathStore;
class PolylineSink;
struct PlotArea;

enum class DrawingError {
    None,
    Unreadable,     // missing, not a plain file, or can't be read
    Malformed,      // not well-formed XML (the message gives line and column), or a bad SVGZ
    NotSvg,         // well-formed, but not an SVG drawing (or a kind that is not read)
    NothingToPlot,  // an SVG in which no visible shape has a line to draw
    Refused,        // beyond what is read safely (entity expansion, size limits)
    WriteFailed,    // the plot body could not be written
};

// How a step of the reading went: each step's result carries it, so one Failed() makes them all.
struct ReadStatus {
    DrawingError error = DrawingError::None;
    Note message;  // why, when error != None

    bool ok() const { return error == DrawingError::None; }
};

// Where every reader paints: shapes are flattened into `sink` with the pen their colour
// chooses and moved on into `store`, which stops taking them at `maxPoints`. What each shape
// hides of those before it goes into `covers` (none: every outline is plotted whole).
struct PaintTarget {
    const PlotArea& area;
    const PenChoice& pens;
    PolylineSink& sink;
    PathStore& store;
    uint64_t maxPoints;
    CoverStore* covers = nullptr;
};

// Which of a drawing's spaces is plotted, for kinds that have more than one (a DXF's model space
// and its paper-space layouts): the layouts as pages when any holds anything, else the model
// space (`sheets`); the model space alone; or one layout by name.
struct SheetChoice {
    enum class Space { sheets, model, layout };
    Space space = Space::sheets;
    std::string layout;  // for `layout`, as the drawing names it
};

// What a reader hands back for the page it painted.
struct SourceOutcome : ReadStatus {
    int64_t shapes = 0;  // visible shapes painted
    int pages = 1;       // pages the document has (1 for kinds without pages)
    std::vector<Note> notes;
};

// A failed step's result: a reader's outcome unless another step's result is named.
template <typename Result = SourceOutcome>
Result Failed(DrawingError error, Note message) {
    Result out;
    out.error = error;
    out.message = std::move(message);
    return out;
}

// Adds `note` unless it is there already: a reader says each thing it skipped once.
inline void AddNote(std::vector<Note>* notes, Note note) {
    if (std::find(notes->begin(), notes->end(), note) == notes->end())
        notes->push_back(std::move(note));
}
