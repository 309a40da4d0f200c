#pragma once
// A drawing made into a plot for trzn-plot: converted whole into a temporary body before
// anything is sent or kept, so that a drawing that can't be plotted leaves nothing behind.

#include <QTemporaryFile>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "drawing/drawing_plot.h"
#include "tools/plot_job.h"

class ConvertedDrawing {
public:
    // Converts the drawing at `path` for the page and pens of the records given.
    static ConvertedDrawing Convert(const std::string& path, const RecordSet& records);

    const DrawingResult& result() const { return _result; }
    // BadInput for a drawing that can't be plotted, NoFolder when the body can't be written;
    // nothing when converted.
    std::optional<PlotOutcome> failure() const;
    // The temporary file holding the plot body; removed with this object.
    std::string bodyPath() const;
    // The header lines for the sender: the input window, the drawing's name and its notes.
    std::string headerLines() const;
    // What to tell the user: each note once, then how far the drawing is clipped, if it is.
    std::vector<std::string> remarks() const;

private:
    DrawingResult _result;
    std::unique_ptr<QTemporaryFile> _body;
};

// Writes the converted drawing as a plot to keep: its input window ("IW" x1,y1,x2,y2 ";") and
// the body, so that plotting the file later puts it where plotting the drawing would. `output`
// is a file, replaced whole, or "-" for the standard output. Nothing on success; else NoFolder
// with the reason in *error.
std::optional<PlotOutcome> WriteKeptPlot(const ConvertedDrawing& drawing, const std::string& output,
                                         std::string* error);

// The print record of a page never configured: the first paper of the list (none there: A3
// cut sheet) upright at full size, the configuration window's own default.
void UseDefaultPage(RecordSet* records);
