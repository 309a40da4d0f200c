#pragma once
// A plot file drawn into pictures of a fixed pixel size, streamed from the file so that time grows
// with the file's size and memory with the picture's only. Built off the main thread: nothing
// here touches a widget.
//
// For a transfer under way the picture also knows which of its pixels each byte offset of the
// file inks (marks): as bytes go out, the shown picture takes those pixels from the full-colour
// picture, at a cost that follows the pixels newly sent, never the whole plot.

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "hpgl/hpgl_options.h"
#include "hpgl/hpgl_plot.h"
#include "preview/plot_render.h"

// A cell of the mark grid (a square of `cell` pixels a side) and the offset of the last
// instruction that inks it.
struct TPixelMark {
    std::uint64_t offset;
    std::uint32_t cell;
};

// Where the pen is once the instruction at `offset` has begun to go out.
struct TPenMark {
    std::uint64_t offset;
    float x;
    float y;
};

enum class TPictureStatus { Ready, Unreadable, Empty, Cancelled };

// Why a ready picture shows less than the whole plot: the reader's segment limit
// (THpglOptions::maxSegments) or the stroke budget (StrokeBudget) ended the drawing there.
enum class TPictureCut { None, SegmentLimit, StrokeBudget };

struct TPlotPicture {
    TPictureStatus status = TPictureStatus::Empty;
    QImage full;  // the desk, the paper and every line in its pen's colour
    QImage pale;  // the same with the lines pale (nothing sent yet); null without marks
    // Sorted by offset. The grid is `cellsWide` cells wide, each `cell` pixels a side.
    std::vector<TPixelMark> marks;
    int cell = 1;
    int cellsWide = 0;
    // Sorted by offset; thinned out evenly when a plot has more moves than it keeps.
    std::vector<TPenMark> pen;
    TPlotFrame frame;
    THpglBox bounds;
    std::size_t segments = 0;  // of the plot, as far as the reader goes
    std::size_t drawn = 0;     // of those, the ones before the cut (all of them when uncut)
    TPictureCut cut = TPictureCut::None;
    double stroked = 0;        // line length stroked, in hairline pixels (see StrokeBudget)
    std::uint64_t bytes = 0;   // read to draw it

    bool Incomplete() const { return cut != TPictureCut::None; }

    // The pen's position after `sentBytes` bytes, in device pixels; false before the first line.
    bool PenAt(std::int64_t sentBytes, QPointF& where) const;
};

// Largest number of mark cells and pen marks a picture keeps, whatever the plot.
inline constexpr std::size_t kMostMarkCells = 1u << 19;
inline constexpr std::size_t kMostPenMarks = 1u << 16;

// The most line length (device pixels of hairline; a wider line counts as that many hairlines
// side by side) a picture of `pixels` strokes; the rest of the plot is left out and the picture
// says it is cut. Stroking costs the raster engine about one pixel's work per pixel of line,
// so this bounds the drawing's time whatever the plot: 256 times the picture's area is far
// beyond any drawing one can still make out (the big real and random-walk plots stay well
// under it) yet only seconds of work.
double StrokeBudget(QSize pixels);

// The extent of the plot in `fd` (first pass only); `segments` counts what it draws. A plot for
// a plotter of another step than HP-GL's own is read at its `stepsPerInch`, so that its labels
// and what it scales to the default scaling points have their real size beside its lines.
struct TPlotExtent {
    bool readable = false;
    THpglBox bounds;
    std::size_t segments = 0;
    bool truncated = false;  // the reader stopped at its segment limit
};
TPlotExtent MeasurePlot(int fd, const std::atomic<bool>* cancel = nullptr,
                        int stepsPerInch = kHpglStepsPerInch);

// Reads the open plot `fd` (from its start, with pread: the descriptor may be shared) twice,
// once for its extent (unless `known` gives it) and once to draw it into `pixels` (a device
// pixel ratio of `ratio`). With `withMarks` it also builds the pale picture and the marks.
// `cancel`, when set, is polled often; a cancelled build gives status Cancelled. The plot is read
// at `stepsPerInch`, as MeasurePlot reads it (and `known` was measured).
TPlotPicture DrawPlotPicture(int fd, const TPlotPalette& palette, QSize pixels, qreal ratio,
                             bool withMarks, const std::atomic<bool>* cancel = nullptr,
                             const TPlotExtent* known = nullptr,
                             int stepsPerInch = kHpglStepsPerInch);

// The shown picture: pixels of `picture.pale` whose marks lie before `sentBytes` taken from
// `picture.full`, starting from mark `from`; returns the index of the first mark not applied.
// `touched`, when given, grows by the pixels changed.
std::size_t ApplySent(const TPlotPicture& picture, QImage& shown, std::int64_t sentBytes,
                      std::size_t from, QRect* touched = nullptr);
