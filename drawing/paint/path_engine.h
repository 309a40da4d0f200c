#pragma once
// A paint device that keeps only geometry: whatever a QPainter draws on it (QSvgRenderer here)
// arrives as a path with its full transform and the colour that decides its pen. It is
// QSvgGenerator turned around: QtSvg does the reading, this only listens.

#include <QColor>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QTransform>
#include <functional>
#include <memory>

class ClipRegion;

// One visible shape: its outline in the painter's coordinates (a path, or an ellipse kept as
// one: QPainterPath's four cubics stray from a big circle by more than a plotter unit), the
// transform to the device, whether it is filled (its subpaths are then closed boundaries) and
// the colour of its stroke, or of its fill when it has no stroke. The fill's and the stroke's
// own colours, the fill rule (the path's) and the stroke's pen (width, caps, joins, dashes)
// serve drawing them with a pen of some width.
struct PaintedPath {
    const QPainterPath* path;  // null for an ellipse
    QRectF ellipse;
    const QTransform& transform;
    bool filled;
    QColor colour;
    QColor fill;    // invalid when not filled
    QColor stroke;  // invalid when not stroked
    const QPen& pen;
    // Where the shape shows, in device units (the drawing's clip and canvas); null: everywhere.
    const ClipRegion* clip = nullptr;
    // How opaque the fill and the stroke paint, the painter's opacity included (0..1): only
    // what paints at 1 hides what lies under it.
    double fillAlpha = 0;
    double strokeAlpha = 0;
};

using PaintedPathSink = std::function<void(const PaintedPath&)>;

// What a paint device of ours answers about itself: `width` x `height` plotter units (40 a
// millimetre) at the resolution given.
int PlotDeviceMetric(QPaintDevice::PaintDeviceMetric metric, int width, int height, int dpiX,
                     int dpiY);

class PathCollectorDevice : public QPaintDevice {
public:
    // `widthUnits` x `heightUnits`: the device's size as QPainter asks for it; nothing is cut
    // to it.
    PathCollectorDevice(int widthUnits, int heightUnits, PaintedPathSink sink);
    ~PathCollectorDevice() override;

    QPaintEngine* paintEngine() const override;

    // What was drawn but has no lines to plot.
    int rasterImages() const;

    // Nothing outside `rect` (device units) is plotted, whatever the painter's clip: the
    // drawing's canvas.
    void SetCanvas(const QRectF& rect);

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int _width;
    int _height;
    std::unique_ptr<QPaintEngine> _engine;
};
