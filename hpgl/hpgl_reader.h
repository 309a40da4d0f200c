#pragma once
// Reads HP-GL as the sender delivers it (a framed plot: ESC . ( IN; IW; IWx1,y1,x2,y2; body
// ESC . ) ) into a THpglPlot for previews. One pass over the bytes, no allocation per byte; the
// result grows with the geometry only, and never beyond THpglOptions::maxSegments.
//
// Understood: IN DF SP PU PD PA PR IP PS SC IW CI AA AR EA ER RA RR EW WG LB DT SI SR LT.
//   - Coordinates go through SC/IP scaling (user units to plotter units); SC types 0
//     (anisotropic), 1 (isotropic, with optional left/bottom percentages) and 2 (point factor).
//   - CI, AA, AR, EW and WG are flattened into chords of the instruction's chord angle (5 degrees
//     when omitted, bounded to 0.36..180 degrees as HP-GL does). Arcs are computed in user units,
//     so anisotropic scaling turns a circle into an ellipse, as on the plotter.
//   - EA/ER/RA/RR and EW/WG come out as closed outlines; fills are not shaded.
//   - LB gives a Label path: the rectangle covered by the label's characters from the SI/SR
//     character size (cell width 1.5 x character width, line feed 2 x character height), and
//     moves the pen past the label. Label direction and slant (DI/DR/SL) are ignored.
//   - LT is recorded per path (see THpglLineType); paths are not cut into dashes.
//   - PS (plot size) moves P1 to the origin and P2 to the given length and width.
//   - IW is parsed but not applied: the preview shows the whole plot, also what the plotter
//     would clip.
// Skipped without losing sync: device-control escapes (ESC . x parameters up to ':'), other
// escapes (ESC E, ESC % ... letter), every other instruction (its parameters up to ';' or the
// next mnemonic; quoted or terminated text for CO, WD, BL, PE), and junk bytes between
// instructions. Bad numbers never stop the reader: a parameter that is not a number ends the
// instruction's parameter list, values are bounded to +-1e9, and instructions whose parameters
// make no sense (SC with an empty range, a zero radius) are skipped.
//
// Pen numbering: pen 1 is selected at the start (so a body without SP still shows); SP0 or SP;
// puts the pen away, and nothing is drawn until another pen is selected.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "hpgl/hpgl_options.h"
#include "hpgl/hpgl_plot.h"

// Reads the bytes; offsets in the result are offsets into `bytes`.
THpglPlot ReadHpgl(std::string_view bytes, const THpglOptions& options = {});

// Reads a whole file into memory, then reads that. Empty when the file can't be opened or mapped; an empty file
// gives an empty plot.
std::optional<THpglPlot> ReadHpglFile(const std::string& path, const THpglOptions& options = {});

// What a streamed read found over the whole input.
struct THpglStreamResult {
    bool readable = true;   // false: a read failed part way
    bool finished = true;   // false: keepGoing asked to stop
    std::uint64_t bytes = 0;
    THpglBox bounds;
    double penDownLength = 0;
    std::size_t instructions = 0;
    std::size_t skipped = 0;
    bool truncated = false;
};

// Vertices held before a streamed read hands them over. Coordinate lists are cut there even
// inside one instruction, so a batch holds more only by one outline (a circle, a wedge).
inline constexpr std::size_t kStreamBatchPoints = 16384;

// Reads the open file `fd` from its start in pieces, in memory that does not grow with the file:
// `batch` gets the paths finished since the last call (offsets are file offsets; point and
// segment numbers start at 0 in each batch), and the geometry is the same as ReadHpgl gives for
// the same bytes, but that a path still open at the end of a batch is handed over as far as it
// has come and goes on as a new path from its last vertex. `keepGoing` is asked between batches.
// The descriptor is read with pread and is not moved or closed.
THpglStreamResult ReadHpglStream(int fd, const THpglOptions& options,
                                 const std::function<void(const THpglPlot&)>& batch,
                                 const std::function<bool()>& keepGoing = {});
