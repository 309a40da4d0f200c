#pragma once
// A drawing (SVG, SVGZ, PDF, EPS or PostScript, DXF) made into what the drawing program's plug-in leaves for the sender: the
// plot body and the header lines, laid on the printable area of the configured page with the
// configured pens. The settings are read, never written; nothing outside the drawing's own file
// is opened.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "settings/records.h"

enum class DrawingError {
    None,
    Unreadable,     // missing, not a plain file, or can't be read
    Malformed,      // not well-formed XML (the message gives line and column), or a bad SVGZ
    NotSvg,         // well-formed, but not an SVG drawing (or a kind that is not read)
    NothingToPlot,  // an SVG in which no visible shape has a line to draw
    Refused,        // beyond what is read safely (entity expansion, size limits)
    WriteFailed,    // the plot body could not be written
};

struct DrawingResult {
    DrawingError error = DrawingError::None;
    std::string message;  // one line, UTF-8, when error != None

    std::string brc;   // the input window of the printable area: "x1,y1,x2,y2" in plotter units
    std::string name;  // the drawing's file name (UTF-8), for the header lines
    int pages = 1;     // pages of the document (PDF, PostScript); 1 for other kinds
    // What was skipped (raster images, filters, ...), each said once, UTF-8.
    std::vector<std::string> notes;
    // How far the drawing reaches beyond the printable area, in mm on the paper (0 when it fits);
    // the input window clips it there, nothing is scaled.
    double clipLeftMm = 0, clipTopMm = 0, clipRightMm = 0, clipBottomMm = 0;

    int64_t paths = 0;        // polylines plotted
    int64_t penUpTravel = 0;  // plotter units travelled with the pen up, in the order plotted
    int64_t bodyBytes = 0;    // bytes written to the body

    bool ok() const { return error == DrawingError::None; }
    bool clipped() const {
        return clipLeftMm > 0 || clipTopMm > 0 || clipRightMm > 0 || clipBottomMm > 0;
    }
};

// Reads the drawing at `path` and writes its plot body (HP-GL, no framing) to `body`. The page
// comes from `print` (as the configuration window stored it: paper, orientation, scale, margins)
// and the pens and the two plotting options from `config` (automatic pen selection, line
// optimisation).
DrawingResult ConvertDrawing(const std::string& path, const TPrint& print, const TPrConfig& config,
                             std::FILE* body);

// The same, with how big a drawing QtSvg is given at once (svg_chunks.h): a big drawing is read
// in pieces so that memory does not grow with what QtSvg builds of the whole.
struct SvgChunking;
// `page`: the page of a document with pages (PDF, PostScript) to plot, 1-based; 0 for the
// first of the print record's page range.
DrawingResult ConvertDrawing(const std::string& path, const TPrint& print, const TPrConfig& config,
                             std::FILE* body, const SvgChunking& chunking, int page = 0);

// The header lines for the sender ("Trazen Sender Prefs"): "BRC:" with the input window, then
// "NAME:" with the drawing's name and one "NOTE:" line per note, each ended by LF. The sender's
// framing reads only the "BRC:" line; its window shows the notes.
std::string DrawingHeaderLines(const DrawingResult& result);
