#pragma once
// The collector's callback every reader paints through, so that a PDF's or a DXF's shapes are
// drawn and stored exactly as an SVG drawing's are.

#include <cstdint>

#include "drawing/paint/path_engine.h"
#include "drawing/read/reader_contract.h"

class PenLines;

// Each shape drawn by `lines` (outlines, and hatching where the pens ask for it) into the
// target's store; counts shapes in *shapes.
PaintedPathSink CollectInto(const PaintTarget& target, PenLines& lines, int64_t* shapes);

// What `shape` hides of the paths the target's store holds so far, into its covers (when it
// keeps them). Call it before the shape's own lines are stored: a shape never hides itself.
void RecordCover(const PaintTarget& target, const PaintedPath& shape);
