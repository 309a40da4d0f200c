#pragma once
// A drawing (SVG, SVGZ, PDF, EPS or PostScript, DXF) made into what the drawing program's plug-in leaves for the sender: the
// plot body and the header lines, laid on the printable area of the configured page with the
// configured pens. The settings are read, never written; nothing outside the drawing's own file
// is opened.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "drawing/read/reader_contract.h"
#include "drawing/read/svg/svg_chunks.h"
#include "settings/plot_settings.h"

// One plot made of a drawing: the whole of it, or one panel of a drawing cut along the roll.
struct DrawingPlot {
    int number = 1;    // 1-based among the drawing's panels
    int of = 1;        // how many plots the conversion writes (those of the page range)
    std::string brc;   // its input window: "x1,y1,x2,y2" in plotter units
    int64_t paths = 0;
    int64_t penUpTravel = 0;
    int64_t bodyBytes = 0;
    // A document's pages along a roll with automatic split are numbered as panels, in order,
    // across the pages (`of` then counts those written so far); each such plot also says which
    // page it is of, and which of that page's panels: page `page` of `pageOf`, panel `panel`
    // of `panelOf`. 0 for any other plot.
    int page = 0, pageOf = 0, panel = 0, panelOf = 0;
};

struct DrawingResult {
    DrawingError error = DrawingError::None;
    Note message;  // why, when error != None

    std::string brc;   // the input window of the printable area (of the first plot written)
    std::string name;  // the drawing's file name (UTF-8), for the header lines
    // The plotter's steps per inch the bodies and input windows are written in (1016: HP-GL's
    // own 0.025 mm); the sender's preview needs it to draw another step at its real size.
    int stepsPerInch = 1016;
    // What was skipped (raster images, filters, ...), each said once.
    std::vector<Note> notes;
    // How far the drawing reaches beyond the printable area, in mm on the paper (0 when it fits);
    // the input window clips it there, nothing is scaled.
    double clipLeftMm = 0, clipTopMm = 0, clipRightMm = 0, clipBottomMm = 0;

    // On roll paper whose roll length is shorter than the printable area: how many panels the
    // drawing is cut into with automatic split (1: not cut), or without it how far the drawing
    // reaches beyond the roll length (clipped there). A document of several pages (PDF,
    // PostScript): its pages, each a plot of its own, numbered as panels are; along a roll with
    // automatic split, the panels its pages are cut into, numbered in order across the pages
    // (`pages` false; each plot says its page and panel).
    int panels = 1;
    bool pages = false;  // the plots are pages of a document, not panels along the roll
    double rollLengthMm = 0;
    double beyondRollMm = 0;
    // The plots written, in order: those of the page range.
    std::vector<DrawingPlot> plots;

    int64_t paths = 0;        // polylines plotted, in all plots
    int64_t penUpTravel = 0;  // plotter units travelled with the pen up, in the order plotted
    int64_t bodyBytes = 0;    // bytes written to the bodies

    bool ok() const { return error == DrawingError::None; }
    bool clipped() const {
        return clipLeftMm > 0 || clipTopMm > 0 || clipRightMm > 0 || clipBottomMm > 0;
    }
};

// Where each plot's body goes: called once per plot, in order, before it is written; the file
// stays the caller's. Nothing (nullptr) stops the conversion with WriteFailed.
using DrawingBodies = std::function<std::FILE*(const DrawingPlot&)>;

// Reads the drawing at `path` and writes its plot bodies (HP-GL, no framing), one per plot, as
// `settings` say: the page (paper, orientation, scale, margins), the pens, the plotting options,
// the roll length, the page range, the cutting and output options and the knife. `chunking`
// says how big a drawing QtSvg is given at once (svg_chunks.h): a big drawing is read in pieces
// so that memory does not grow with what QtSvg builds of the whole. A drawing that can't be
// plotted writes nothing, except one refused while it is written (an option that multiplies its
// lines past what a plot holds): the caller discards it.
// `sheet`: which of a DXF's spaces (its layouts or its model space) is plotted.
DrawingResult ConvertDrawing(const std::string& path, const PlotSettings& settings,
                             const DrawingBodies& bodies, const SvgChunking& chunking = {},
                             const SheetChoice& sheet = {});

// The same into one body, for callers with one file to fill (fuzzers, benchmarks): a drawing
// cut into more than one plot is refused.
DrawingResult ConvertDrawing(const std::string& path, const PlotSettings& settings, std::FILE* body,
                             const SvgChunking& chunking = {});

// The header lines for the sender ("Trazen Sender Prefs") of the plot `plots[index]`: "BRC:"
// with its input window, "UNIT:" with the plotter's steps per inch when they are not HP-GL's
// own 1016, then "NAME:" with the drawing's name ("drawing.svg (2/3)" for a panel) and one
// "NOTE:" line per note, each ended by LF. The sender's framing reads only the "BRC:" line; its
// window shows the notes and draws the plot at the unit's size.
std::string DrawingHeaderLines(const DrawingResult& result, size_t index = 0);

// "drawing.svg" or, for panel 2 of 3, "drawing.svg (2/3)"; for panel 1 of 2 of a document's
// page 2 of 3, "drawing.pdf (page 2/3, panel 1/2)".
std::string PlotName(const DrawingResult& result, size_t index);
