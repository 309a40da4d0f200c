#pragma once
// The framed plot: what the plug-in left in the product folder (header lines and plot body),
// wrapped in the plotter-on, initialise, input-window and plotter-off instructions.

#include <string>
#include <vector>

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

// Builds the framed plot in folder from the two plug-in files there. The output holds whatever
// could be written (see the definition for which parts); the result says whether that is the
// whole framed plot. An output that can't be opened for writing is removed and made anew, so a
// plot from an earlier run is never left in place of this one.
PlotFileResult CreateSerPltFile(const std::string& folder);

// Makes sure the file exists without touching its contents.
void CreateNewFile(const std::string& path);

// The BRC value of the header lines (the input window), or empty when there is none.
// Exposed for tests; CreateSerPltFile uses it.
std::string ScanBrcValue(int fd);

// The plot's name for a printer queue's job list: the "NAME:" header line of the plug-in's
// header file in `productFolder` (UTF-8), else "Trazen plot".
std::string PlotTitle(const std::string& productFolder);

// The "NOTE:" lines of the header lines file in `productFolder`: what a drawing front end could
// not put into the plot, for the user to read. The text after "NOTE:" as written (UTF-8, not
// checked here), each distinct text once, in file order. Only the first 64 KB are looked at.
std::vector<std::string> HeaderNotes(const std::string& productFolder);

// The plotter's steps per inch of the plot, from the first "UNIT:" line of the header lines in
// `productFolder` (a drawing front end writes it for a plotter whose step is not HP-GL's own).
// No such line, or one that is not a whole number in 100..10000: 1016, HP-GL's 0.025 mm.
int HeaderStepsPerInch(const std::string& productFolder);
