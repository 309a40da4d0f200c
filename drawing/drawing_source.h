#pragma once
// One seam, many readers: whatever kind the drawing file is, a library paints it into the path
// collector (path_engine.h), and page layout, pens, order and the HP-GL never learn which kind
// they serve. This file tells the kind by content and hands the file to its reader.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/drawing_plot.h"
#include "drawing/page_layout.h"
#include "drawing/path_engine.h"
#include "drawing/path_store.h"
#include "drawing/pen_choice.h"
#include "drawing/pen_lines.h"
#include "drawing/polyline_sink.h"

struct SvgChunking;

enum class SourceKind {
    Svg,         // SVG or SVGZ; also whatever is none of the others, so the SVG reader says why
    Pdf,         // PDF, and Illustrator files saved PDF-based
    PostScript,  // EPS, PostScript, and Illustrator files saved PostScript-based
    Dxf,         // DXF as text
};

// The kind of the file that starts with `head` (a few hundred bytes are enough).
SourceKind SourceKindOf(std::string_view head);

// Where every reader paints: shapes are flattened into `sink` with the pen their colour
// chooses and moved on into `store`, which stops taking them at `maxPoints`.
struct PaintTarget {
    const PlotArea& area;
    const PenChoice& pens;
    PolylineSink& sink;
    PathStore& store;
    uint64_t maxPoints;
};

struct SourceOutcome {
    DrawingError error = DrawingError::None;
    std::string message;  // one line, when error != None
    int64_t shapes = 0;   // visible shapes painted
    int pages = 1;        // pages the document has (1 for kinds without pages)
    std::vector<std::string> notes;

    bool ok() const { return error == DrawingError::None; }
};

// Reads the drawing at `path` and paints its page `page` (1-based; a kind without pages is
// painted whole whatever the page) into `target`.
SourceOutcome PaintDrawingFile(const std::string& path, int page, const SvgChunking& chunking,
                               const PaintTarget& target);

// The collector's callback every reader paints through: each shape drawn by `lines` (outlines,
// and hatching where the pens ask for it), as an SVG drawing's are; counts shapes in *shapes.
PaintedPathSink CollectInto(const PaintTarget& target, PenLines& lines, int64_t* shapes);

// Text needs Qt's font system, which needs a QGuiApplication; a program without any Qt
// application gets one on the offscreen platform (no display is touched).
void EnsureQtGuiApplication();

// Beyond this a document's page is refused before any page is read: the page range and this
// bound keep a document of ten thousand pages from being walked.
inline constexpr int kMaxDocumentPage = 1000;
