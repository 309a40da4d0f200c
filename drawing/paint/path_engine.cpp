#include "drawing/paint/path_engine.h"

#include <QGradient>
#include <QPolygonF>
#include <algorithm>
#include <memory>

#include "drawing/paint/clip_region.h"

namespace {

// The colour a pen or brush paints with; a gradient by the mean of its stops. Invalid when it
// paints nothing visible. *alpha: its least opacity, the painter's included (a gradient hides
// what lies under it only where all its stops do).
QColor VisibleColour(const QBrush& brush, double opacity, double* alpha) {
    *alpha = 0;
    if (opacity <= 0) return {};
    switch (brush.style()) {
        case Qt::NoBrush:
            return {};
        case Qt::LinearGradientPattern:
        case Qt::RadialGradientPattern:
        case Qt::ConicalGradientPattern: {
            const QGradientStops stops = brush.gradient()->stops();
            if (stops.isEmpty()) return {};
            double r = 0, g = 0, b = 0, a = 0, least = 1;
            for (const QGradientStop& s : stops) {
                r += s.second.redF();
                g += s.second.greenF();
                b += s.second.blueF();
                a += s.second.alphaF();
                least = std::min<double>(least, s.second.alphaF());
            }
            *alpha = least * opacity;
            const double n = static_cast<double>(stops.size());
            if (a <= 0) return {};
            return QColor::fromRgbF(static_cast<float>(r / n), static_cast<float>(g / n),
                                    static_cast<float>(b / n));
        }
        default: {
            const QColor c = brush.color();
            if (c.alpha() == 0) return {};
            *alpha = c.alphaF() * opacity;
            QColor opaque = c;
            opaque.setAlpha(255);
            return opaque;
        }
    }
}

class PathEngine : public QPaintEngine {
public:
    explicit PathEngine(PaintedPathSink sink)
        : QPaintEngine(QPaintEngine::AllFeatures), _sink(std::move(sink)) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override {
        Release();
        return true;
    }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& s) override {
        const DirtyFlags f = s.state();
        if (f & DirtyTransform) _transform = s.transform();
        if (f & DirtyPen) _pen = s.pen();
        if (f & DirtyBrush) _brush = s.brush();
        if (f & DirtyOpacity) _opacity = s.opacity();
        if ((f & DirtyClipEnabled) && !s.isClipEnabled()) Clip(nullptr, Qt::NoClip);
        if (f & DirtyClipPath)
            Clip(ClipRegion::FromPath(_transform.map(s.clipPath())), s.clipOperation());
        if (f & DirtyClipRegion) {
            QPainterPath region;
            region.addRegion(s.clipRegion());
            Clip(ClipRegion::FromPath(_transform.map(region)), s.clipOperation());
        }
    }

    void SetCanvas(const QRectF& rect) {
        // A line drawn along the canvas's edge is on it: the edge is held within a unit.
        _canvas = ClipRegion::FromRect(rect.adjusted(-1, -1, 1, 1));
        _clip = _stateClip ? _stateClip->Intersected(*_canvas) : _canvas;
    }

    void drawPath(const QPainterPath& path) override {
        if (!path.isEmpty()) Emit(&path, {}, true);
    }

    void drawEllipse(const QRectF& r) override {
        if (r.width() > 0 && r.height() > 0) Emit(nullptr, r, true);
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count < 2) return;
        QPainterPath path;
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i) path.lineTo(points[i]);
        if (mode != PolylineMode) path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        Emit(&path, {}, mode != PolylineMode);
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++_raster; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        ++_raster;
    }

    int raster() const { return _raster; }

private:
    // The painter's clip in device units, within the canvas. A clip that changes while a fill is
    // held back first lets the fill go under the clip it was painted with.
    void Clip(std::shared_ptr<const ClipRegion> region, Qt::ClipOperation op) {
        Release();
        if (op == Qt::NoClip || !region)
            _stateClip.reset();
        else if (op == Qt::IntersectClip && _stateClip)
            _stateClip = _stateClip->Intersected(*region);
        else
            _stateClip = std::move(region);
        _clip = _stateClip && _canvas ? _stateClip->Intersected(*_canvas)
                                      : (_stateClip ? _stateClip : _canvas);
    }

    // QtSvg paints a filled and stroked shape twice, fill first: held back, the fill meets its
    // stroke and the shape is plotted once, with the stroke's colour.
    void Emit(const QPainterPath* path, const QRectF& ellipse, bool fillable) {
        const bool stroked = _pen.style() != Qt::NoPen;
        double strokeAlpha = 0, fillAlpha = 0;
        const QColor stroke =
            stroked ? VisibleColour(_pen.brush(), _opacity, &strokeAlpha) : QColor();
        const QColor fill = fillable ? VisibleColour(_brush, _opacity, &fillAlpha) : QColor();
        if (!stroke.isValid() && !fill.isValid()) return;
        if (_held) {
            const bool same = !fill.isValid() && _heldTransform == _transform &&
                              (path ? _heldPath == *path : _heldPath.isEmpty()) &&
                              _heldEllipse == ellipse;
            if (same) {
                _held = false;
                Deliver(path, ellipse, _heldColour, stroke, _heldAlpha, strokeAlpha);
                return;
            }
            Release();
        }
        if (!stroke.isValid()) {
            _held = true;
            _heldPath = path ? *path : QPainterPath();
            _heldEllipse = ellipse;
            _heldTransform = _transform;
            _heldColour = fill;
            _heldAlpha = fillAlpha;
            return;
        }
        Deliver(path, ellipse, fill, stroke, fillAlpha, strokeAlpha);
    }

    void Deliver(const QPainterPath* path, const QRectF& ellipse, QColor fill, QColor stroke,
                 double fillAlpha, double strokeAlpha) {
        _sink(PaintedPath{path, ellipse, _transform, fill.isValid(), stroke, fill, stroke, _pen,
                          _clip.get(), fillAlpha, strokeAlpha});
    }

public:
    void Release() {
        if (!_held) return;
        _held = false;
        _sink(PaintedPath{_heldPath.isEmpty() ? nullptr : &_heldPath, _heldEllipse, _heldTransform,
                          true, _heldColour, _heldColour, QColor(), _noPen, _clip.get(),
                          _heldAlpha, 0});
    }

private:
    bool _held = false;
    QPainterPath _heldPath;
    QRectF _heldEllipse;
    QTransform _heldTransform;
    QColor _heldColour;
    double _heldAlpha = 0;
    PaintedPathSink _sink;
    QTransform _transform;
    QPen _pen{Qt::NoPen};
    const QPen _noPen{Qt::NoPen};
    QBrush _brush;
    double _opacity = 1;
    int _raster = 0;
    std::shared_ptr<const ClipRegion> _stateClip;  // the painter's
    std::shared_ptr<const ClipRegion> _canvas;
    std::shared_ptr<const ClipRegion> _clip;  // both together
};

}  // namespace

PathCollectorDevice::PathCollectorDevice(int widthUnits, int heightUnits, PaintedPathSink sink)
    : _width(widthUnits), _height(heightUnits), _engine(new PathEngine(std::move(sink))) {}

PathCollectorDevice::~PathCollectorDevice() = default;

QPaintEngine* PathCollectorDevice::paintEngine() const { return _engine.get(); }

int PathCollectorDevice::rasterImages() const {
    return static_cast<const PathEngine*>(_engine.get())->raster();
}

void PathCollectorDevice::SetCanvas(const QRectF& rect) {
    static_cast<PathEngine*>(_engine.get())->SetCanvas(rect);
}

int PlotDeviceMetric(QPaintDevice::PaintDeviceMetric metric, int width, int height, int dpiX,
                     int dpiY) {
    switch (metric) {
        case QPaintDevice::PdmWidth:
            return width;
        case QPaintDevice::PdmHeight:
            return height;
        case QPaintDevice::PdmWidthMM:
            return width / 40;
        case QPaintDevice::PdmHeightMM:
            return height / 40;
        case QPaintDevice::PdmNumColors:
            return 0x7fffffff;
        case QPaintDevice::PdmDepth:
            return 32;
        case QPaintDevice::PdmDpiX:
        case QPaintDevice::PdmPhysicalDpiX:
            return dpiX;
        case QPaintDevice::PdmDpiY:
        case QPaintDevice::PdmPhysicalDpiY:
            return dpiY;
        case QPaintDevice::PdmDevicePixelRatio:
            return 1;
        case QPaintDevice::PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
    }
}

int PathCollectorDevice::metric(PaintDeviceMetric metric) const {
    // 72 per inch: a font size in user units is then the same number of points, so text keeps
    // the size QtSvg gives it.
    return PlotDeviceMetric(metric, _width, _height, 72, 72);
}
