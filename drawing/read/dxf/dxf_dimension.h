#pragma once
// What a DIMENSION or LEADER looks like when the file has no picture of it: lines, closed
// arrowheads and the measured text, drawn as the header's dimension variables say.

#include <QPainterPath>
#include <QPointF>
#include <functional>
#include <string>

// The header's dimension variables, in drawing units.
struct DimensionLook {
    double arrow = 2.5;      // $DIMASZ
    double text = 2.5;       // $DIMTXT
    double gap = 0.625;      // $DIMEXO: extension lines start this far from the measured points
    double beyond = 1.25;    // $DIMEXE: and run this far past the dimension line
    double textGap = 0.625;  // $DIMGAP: the dimension line stops this far short of its text
    double scale = 1;        // $DIMSCALE
    int decimals = 2;        // $DIMDEC
};

// A dimension's text drawn as its style draws it: its baseline from the origin, capitals
// `height` high, y up.
using DimensionText = std::function<QPainterPath(const std::string& text, double height)>;

struct DimensionPicture {
    QPainterPath lines;   // extension lines, dimension line, text outlines
    QPainterPath arrows;  // closed: filled as areas are
};

// A closed arrowhead `size` long with its tip at `tip`, pointing away from `from`.
QPainterPath Arrowhead(QPointF tip, QPointF from, double size);

// A linear dimension of `p1` to `p2` measured along `angle` (radians), its dimension line
// through `onLine`, its text centred on `textAt`: "<>" in `text` (or no text) is the measure
// times `factor`. Where the text stands on the dimension line, the line is broken around it.
DimensionPicture LinearDimension(QPointF p1, QPointF p2, QPointF onLine, double angle,
                                 QPointF textAt, const std::string& text, double factor,
                                 const DimensionLook& look, const DimensionText& letters);
