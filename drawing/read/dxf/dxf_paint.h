#pragma once
// A DXF drawing read by dxflib and painted into the path collector: each entity becomes a
// QPainterPath in the drawing's units, blocks are painted where they are inserted, and the
// drawing's extents are laid with their top-left corner on the printable area's top-left. The
// y axis points up, as in the drafting program: the drawing is not mirrored. The unit is the
// header's $INSUNITS (millimetres when it is not set); the colour of an entity, or of its
// layer, chooses the pen, colour 7 as black.

#include <QByteArray>
#include <QRectF>
#include <optional>

#include "drawing/read/reader_contract.h"

// Page `page` of the drawing as `choice` says: a drawing whose paper-space layouts hold anything
// has those as its pages, in the order of their tabs, each laid by its paper.
SourceOutcome PaintDxf(const QByteArray& bytes, int page, const SheetChoice& choice,
                       const PaintTarget& target);

// Where the plot takes the drawing's extents from: the box of its lines in the drawing's own
// units (y up), and the size of that unit in mm. Its top-left corner lands on the printable
// area's. Nothing for a drawing that is not read or draws nothing.
struct DxfExtents {
    QRectF box;
    double unitMm = 1;
};
std::optional<DxfExtents> DxfExtentsOf(const QByteArray& bytes);
