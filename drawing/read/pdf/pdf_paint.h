#pragma once
// A page of a PDF document painted by poppler's Qt library (its QPainter backend) into the path
// collector: fills, strokes and glyph outlines arrive as paths. The page is its crop box (the
// media box when it has none), laid like an SVG drawing: top-left on the printable area's
// top-left, real size, scaled. Images and shadings have no lines to plot; each is skipped with
// a note.

#include <QByteArray>

#include "drawing/read/reader_contract.h"

// Paints page `page` (1-based) of the PDF in `bytes`. Refuses a document poppler can't read, a
// cut-off one, one locked by a password and a page beyond the document.
SourceOutcome PaintPdf(const QByteArray& bytes, int page, const PaintTarget& target);
