#pragma once
// A DXF's layouts made sheets to plot: each layout that holds anything, in the order of its tab,
// with its paper (size and place in its paper units), its paper-space entities and the
// viewports that show the model space on it at their scale, clipped to their frames.

#include <QPainterPath>
#include <QRectF>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QTransform>
#include <optional>
#include <string>
#include <vector>

#include "drawing/read/dxf/dxf_layout.h"
#include "drawing/read/dxf/dxf_reader.h"
#include "drawing/read/reader_contract.h"

class Walk;

struct DxfSheet {
    std::string name;
    std::vector<const Block*> paper;  // what its paper space holds
    // The paper, y up, in paper units; null when the layout gives none (then what it draws).
    QRectF sheet;
    double unitMm = 1;  // of its paper units
    std::vector<const DxfViewport*> views;
};

struct DxfSheets {
    std::vector<DxfSheet> sheets;  // in tab order
    std::vector<Note> notes;       // what was left out of them, and why
};

// The layouts of `scan` that hold anything, with what `reader` read of their paper space.
DxfSheets SheetsOf(const DxfSheetScan& scan, const Reader& reader);

// The view of a viewport: model units to paper units. Nothing when it shows nothing (of no
// size, no scale, or beyond what is read).
std::optional<QTransform> ViewOf(const DxfViewport& viewport);

// Where a viewport's view shows, in paper units: its frame, or its clipping boundary.
QPainterPath FrameOf(const DxfViewport& viewport, const DxfSheetScan& scan);

// The layers a viewport leaves out, by name.
QSet<QString> FrozenIn(const DxfViewport& viewport, const DxfSheetScan& scan);

// Paints `sheet` into `target` (plotter units per mm `unitsPerMm`), its paper's top-left on the
// printable area's, through `walk` (whose missing blocks the caller notes). Shapes painted and
// notes go into *out, the paper's size in mm into *paperMm; false with *out failed when the
// sheet is refused.
bool PaintDxfSheet(const Reader& reader, const DxfSheetScan& scan, const DxfSheet& sheet,
                   const PaintTarget& target, double unitsPerMm, Walk& walk, SourceOutcome* out,
                   QSizeF* paperMm);
