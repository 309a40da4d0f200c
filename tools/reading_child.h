#pragma once
// A drawing is read by trzn-plot started again as a process of its own, with limits on its
// memory and time: the files plotted come from anyone, and a reader that crashes on one, takes
// all the memory there is or never ends then ends as a refusal with a reason, never as
// trzn-plot dying or hanging. The reading process leads a process group of its own, so that it
// and its ghostscript are ended together, and dies with trzn-plot.

#include <cstdint>
#include <string>
#include <vector>

#include "drawing/drawing_plot.h"
#include "tools/reading_files.h"

struct ReadingLimits {
    int64_t memoryMb = 2048;  // the reading process's address space
    int64_t seconds = 300;    // its processor time, and the time it is waited for
    // The defaults, or TRZN_READ_MEMORY_MB and TRZN_READ_SECONDS where set to a positive number.
    static ReadingLimits FromEnvironment();
};

// The hidden first argument that makes trzn-plot the reading process.
inline constexpr char kReadDrawingOption[] = "--read-drawing-in";

// Converts the drawing at `request.path` for the records given in a reading process, its plot
// bodies into `folder` (listed in *bodies, one per plot). The result is what ConvertDrawing
// gives; a reading process that crashed, reached a limit or could not be started is a Refused
// result saying so.
DrawingResult ConvertInReadingProcess(const ReadingRequest& request, const std::string& folder,
                                      const ReadingLimits& limits,
                                      std::vector<std::string>* bodies);

// The reading process: argv is {trzn-plot, kReadDrawingOption, folder}. Returns its exit status.
int ReadingProcessMain(int argc, char** argv);
