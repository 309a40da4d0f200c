#pragma once
// The framed plot: what the plug-in left in the product folder (header lines and plot body),
// wrapped in the plotter-on, initialise, input-window and plotter-off instructions.

#include <string>
#include <vector>

#include "plotjob/header_lines.h"

// What kept the framed plot from being whole.
enum class PlotFileProblem {
    None,
    OutputUnwritable,  // the framed plot can't be written, not even made anew: it holds no new plot
    BodyUnreadable,    // the plot body can't be opened or read: the output stops there
    WriteFailed,       // a write to the output failed (a full disk): the output stops there
    HeaderNotAFile,    // the header lines' file is a named pipe, a device, ...: nothing is read
    BodyNotAFile,      // the plot body is a named pipe, a device, ...: nothing is read
};

struct PlotFileResult {
    PlotFileProblem problem = PlotFileProblem::None;
    int error = 0;  // errno of the call that failed
    bool whole() const { return problem == PlotFileProblem::None; }
};

// The header lines' file as a send reads it, once: the framing, the window's notes, the
// preview's unit and a printer queue's job name all come from this one reading.
struct HeaderFile {
    HeaderLines lines;
    bool opened = false;    // a plain file that could be read
    bool notAFile = false;  // a named pipe, a device, ...: nothing is read from it
};

// Reads the header lines of `productFolder`, making the file empty when it is missing (as the
// plug-in's files always are there after a send).
HeaderFile ReadHeaderFile(const std::string& productFolder);

// Builds the framed plot in folder from the header lines read there and the plot body. The
// output holds whatever could be written (see the definition for which parts); the result says
// whether that is the whole framed plot. An output that can't be opened for writing is removed
// and made anew, so a plot from an earlier run is never left in place of this one.
PlotFileResult CreateSerPltFile(const std::string& folder, const HeaderFile& header);
// The same, reading the header lines itself.
PlotFileResult CreateSerPltFile(const std::string& folder);

// Makes sure the file exists without touching its contents.
void CreateNewFile(const std::string& path);

// The plot's name for a printer queue's job list: the "NAME:" header line (UTF-8), else
// "Trazen plot".
std::string PlotTitle(const HeaderLines& header);
