#pragma once
// What trzn-plot sends or keeps, as a list of plots: an HP-GL file is one, a drawing is one or,
// cut along the roll, one per panel. Each is sent as a plot of its own, in order, each waited
// for, so that the sender's window and the plotter see them one after another.

#include <optional>
#include <string>
#include <vector>

#include "plotjob/plot_note.h"
#include "tools/plot_outcome.h"

struct PlotPart {
    std::string body;         // the file holding the plot body
    std::string headerLines;  // for the sender: "BRC:", "NAME:" ("drawing.svg (2/3)"), "NOTE:"
    std::string brc;          // its input window ("x1,y1,x2,y2"), empty for none
    int number = 1;           // panel `number` of `count`; count 1: the whole plot
    int count = 1;
    bool page = false;  // page `number` of a document of `count` pages, not a panel
};

// "panel 2 of 3", or "page 2 of 3".
Note PartLabel(const PlotPart& part);

// Where --output puts the part, one of `plots`: the file given when it is the only one (a plot
// that is not cut, or the one page a range chooses); else the file given without its ".plt",
// then "-N.plt" ("out.plt" and "out" give "out-2.plt").
std::string KeptPlotName(const std::string& output, const PlotPart& part, size_t plots);

// The notes of a conversion as --output says them: what the page range leaves out is not
// converted, where plotting would not send it.
std::vector<Note> KeptRemarks(const std::vector<Note>& remarks);

// The parts from `from` on, said as not sent: "panel 3 of 3 was not sent", "panels 2, 3 of 3
// were not sent"; none when there are none.
std::optional<Note> NotSent(const std::vector<PlotPart>& parts, size_t from);

// Writes the part as a plot to keep: its input window ("IW" x1,y1,x2,y2 ";") and the body, so
// that plotting the file later puts it where plotting the drawing would. `output` is a file,
// replaced whole, or "-" for the standard output. Nothing on success; else NoFolder with the
// reason in *error.
std::optional<PlotOutcome> WriteKeptPlot(const PlotPart& part, const std::string& output,
                                         std::string* error);
