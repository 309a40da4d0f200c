#pragma once
// Where a drawing lands on the plotter: its real size (width/height/viewBox; mm, cm, in, pt, pc,
// px at 96 per inch) placed with its top-left corner on the top-left corner of the printable
// area the page preview shows, scaled by the print record's scale.
//
// Plotter coordinates: plotter units of 0.025 mm (40 per mm) on the paper, origin at the
// lower-left corner of the printable area as the paper lies for the plot (a turned page as the
// preview shows it turned), x to the right, y up. The input window is that area, from (0, 0) to
// (width, height).
//
// The painting in between is done in "device" units: plotter units with the origin at the
// printable area's top-left corner and y down, as SVG and QPainter have it; PlotY() turns it up.

#include <QRectF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <optional>

#include "settings/records.h"

inline constexpr double kPlotUnitsPerMm = 40.0;

// The printable area of the configured page, in plotter units on the paper.
struct PlotArea {
    int32_t width = 0;
    int32_t height = 0;
    double scale = 1;  // the print record's |scale| / 100: drawing millimetres to paper ones
};

// From the print record as the configuration window stored it (the same numbers the page
// preview draws). An area without width or height gives nothing.
std::optional<PlotArea> PlotAreaOf(const TPrint& print);

// A length attribute in millimetres: a number with an absolute unit or none (px). Relative
// units (%, em, ex) and anything unreadable give nothing.
std::optional<double> LengthInMm(const QString& text);

// The transform from the drawing's user units to device units for a root element with these
// size attributes (preserveAspectRatio applied as SVG has it).
QTransform DrawingToDevice(const QString& width, const QString& height, const QString& viewBox,
                           const QString& preserveAspectRatio, const PlotArea& area);

// The device y of a point to plotter y.
inline double PlotY(const PlotArea& area, double deviceY) { return area.height - deviceY; }

// How far the device-unit box `reach` extends beyond the printable area, in mm on the paper.
struct ClipMm {
    double left = 0, top = 0, right = 0, bottom = 0;
};
ClipMm ClipBeyond(const PlotArea& area, const QRectF& reach);
