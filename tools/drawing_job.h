#pragma once
// A drawing made into plots for trzn-plot: converted whole into temporary bodies (one per
// panel when cut along the roll) before anything is sent or kept, so that a drawing that can't
// be plotted leaves nothing behind. The conversion runs in a reading process of its own
// (reading_child.h), into a temporary folder of this run that goes with this object or with
// the signal that ends the run.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "drawing/drawing_plot.h"
#include "tools/plot_outcome.h"
#include "tools/plot_parts.h"
#include "tools/signal_cleanup.h"
#include "tools/temp_folder.h"

class ConvertedDrawing {
public:
    // Converts the drawing at `path` for the page and pens of the records given, with every
    // outline or what the drawing shows as `everyOutline` says (not given: the outline file), of
    // a DXF the space `sheet` chooses.
    static ConvertedDrawing Convert(const std::string& path, const RecordSet& records,
                                    std::optional<bool> everyOutline = std::nullopt,
                                    const SheetChoice& sheet = {});

    const DrawingResult& result() const { return _result; }
    // BadInput for a drawing that can't be plotted, NoFolder when the body can't be written;
    // nothing when converted.
    std::optional<PlotOutcome> failure() const;
    // The plots, in order: each body a file in the temporary folder removed with this object, its
    // header lines with the input window, the drawing's name (with the panel's number) and the
    // notes.
    std::vector<PlotPart> parts() const;
    // What to tell the user: each note once, then how far the drawing is clipped, if it is.
    std::vector<Note> remarks() const;

private:
    DrawingResult _result;
    std::vector<std::string> _bodies;
    // Declared in this order so that the folder is gone before the signals are given back.
    std::unique_ptr<CleanupOnSignal> _cleanup;
    std::unique_ptr<TempFolder> _folder;
};
