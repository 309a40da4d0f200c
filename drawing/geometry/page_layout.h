#pragma once
// Where a drawing lands on the plotter: its real size (width/height/viewBox; mm, cm, in, pt, pc,
// px at 96 per inch) placed with its top-left corner on the top-left corner of the printable
// area the page preview shows, scaled by the print record's scale.
//
// Plotter coordinates: plotter units of 0.025 mm (40 per mm) on the paper as it lies in the
// plotter (never turned: the margins are measured on it so), origin at the lower-left corner of
// its printable area, x to the right, y up. The input window is that area, from (0, 0) to
// (width, height), whatever the orientation.
//
// The painting in between is done in "device" units: plotter units on the page as the drawing
// is laid on it, origin at the page's top-left corner and y down, as SVG and QPainter have it.
// A turned page is that page a quarter turn anticlockwise on the paper: its top edge along the
// paper's left edge, its left edge along the paper's bottom edge. ToPaper() does both.

#include <QRectF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <optional>

inline constexpr double kPlotUnitsPerMm = 40.0;

// The printable area of the configured paper, in plotter units, as the paper lies.
struct PlotArea {
    int32_t width = 0;
    int32_t height = 0;   // along the paper's length (a roll's feed direction)
    double scale = 1;     // the print record's |scale| / 100: drawing millimetres to paper ones
    bool turned = false;  // the page lies a quarter turn on the paper (the scale is negative)
};

// The page the drawing is laid on, in device units: the paper's printable area, turned with it.
inline int32_t PageWidth(const PlotArea& area) { return area.turned ? area.height : area.width; }
inline int32_t PageHeight(const PlotArea& area) { return area.turned ? area.width : area.height; }

// The page's area in points (as the print record holds it: divided by the scale) laid on the
// paper at `scalePercent` (below 0: turned), the same numbers the page preview draws. An area
// without width or height gives nothing.
std::optional<PlotArea> PlotAreaOf(int pageWidthPoints, int pageHeightPoints, int scalePercent);

// A length attribute in millimetres: a number with an absolute unit or none (px). Relative
// units (%, em, ex) and anything unreadable give nothing.
std::optional<double> LengthInMm(const QString& text);

// The transform from the drawing's user units to device units for a root element with these
// size attributes (preserveAspectRatio applied as SVG has it).
QTransform DrawingToDevice(const QString& width, const QString& height, const QString& viewBox,
                           const QString& preserveAspectRatio, const PlotArea& area);

// A device point to plotter coordinates. Upright the page is the paper: y turns up. Turned,
// page point (u, v) (v up from the page's lower-left) lands at paper point (width - v, u); with
// v = PageHeight - y and PageHeight = width that is (y, x).
inline QPointF ToPaper(const PlotArea& area, QPointF device) {
    return area.turned ? QPointF(device.y(), device.x())
                       : QPointF(device.x(), area.height - device.y());
}

// How far the device-unit box `reach` extends beyond the page's printable area, in mm on the
// paper, by the page's sides (the drawing's left, top, ...).
struct ClipMm {
    double left = 0, top = 0, right = 0, bottom = 0;
};
ClipMm ClipBeyond(const PlotArea& area, const QRectF& reach);
