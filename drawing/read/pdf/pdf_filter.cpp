#include "drawing/read/pdf/pdf_filter.h"

#include <QGradient>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPicture>
#include <QPolygonF>
#include <cmath>
#include <vector>

#include "drawing/paint/path_engine.h"

namespace {

bool Straight(const QPainterPath& path) {
    for (int i = 0; i < path.elementCount(); ++i)
        if (path.elementAt(i).type == QPainterPath::CurveToElement) return false;
    return true;
}

// Neighbouring bands of a shading differ by a few steps of each channel.
bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.redF() - b.redF()) <= 0.1 && std::abs(a.greenF() - b.greenF()) <= 0.1 &&
           std::abs(a.blueF() - b.blueF()) <= 0.1;
}

class FilterEngine : public QPaintEngine {
public:
    FilterEngine(QPainter& onward, int width, int height)
        : QPaintEngine(QPaintEngine::AllFeatures), _out(onward), _width(width), _height(height) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override {
        Flush();
        return true;
    }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& s) override {
        const DirtyFlags f = s.state();
        if (f & DirtyTransform) _transform = s.transform();
        if (f & DirtyPen) _pen = s.pen();
        if (f & DirtyBrush) _brush = s.brush();
        if (f & DirtyOpacity) _opacity = s.opacity();
        if ((f & DirtyClipEnabled) && !s.isClipEnabled()) Clip(QPainterPath(), Qt::NoClip);
        if (f & DirtyClipPath) Clip(_transform.map(s.clipPath()), s.clipOperation());
        if (f & DirtyClipRegion) {
            QPainterPath region;
            region.addRegion(s.clipRegion());
            Clip(_transform.map(region), s.clipOperation());
        }
    }

    void drawPath(const QPainterPath& path) override {
        if (path.isEmpty()) return;
        const bool stroked = _pen.style() != Qt::NoPen;
        bool filled = _brush.style() != Qt::NoBrush;
        if (filled && _brush.gradient()) {
            // A shading painted under a shape's clip is that shape, filled; one painted over the
            // whole page has no shape to plot.
            if (!ShadingShape(MeanColour(*_brush.gradient()))) ++_shadings;
            filled = false;
        }
        if (!stroked && !filled) return;
        QPainterPath device = _transform.map(path);
        if (filled && !stroked && _clipped && Straight(path)) {
            // Perhaps a band of a shading: held until the run shows what it is.
            if (!_run.empty() && !Near(_run.back().colour, _brush.color())) Flush();
            _run.push_back({std::move(device), _brush.color()});
            return;
        }
        Flush();
        Pass(device, stroked, filled ? _brush.color() : QColor());
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count < 2) return;
        QPainterPath path;
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i) path.lineTo(points[i]);
        if (mode != PolylineMode) path.closeSubpath();
        const QBrush brush = _brush;
        if (mode == PolylineMode) _brush = Qt::NoBrush;
        drawPath(path);
        _brush = brush;
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++_images; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        ++_images;
    }

    // A run of at least kShadingBands fills whose colours step gradually is a shading; any
    // other run is passed on as drawn.
    void Flush() {
        if (_run.empty()) return;
        bool steps = _run.size() >= static_cast<size_t>(kShadingBands);
        bool changes = false;
        for (size_t i = 1; i < _run.size(); ++i)
            changes = changes || _run[i].colour != _run[0].colour;
        if (steps && changes) {
            double r = 0, g = 0, b = 0;
            for (const Held& h : _run)
                r += h.colour.redF(), g += h.colour.greenF(), b += h.colour.blueF();
            const double n = static_cast<double>(_run.size());
            _run.clear();
            if (!ShadingShape(QColor::fromRgbF(static_cast<float>(r / n), static_cast<float>(g / n),
                                               static_cast<float>(b / n))))
                ++_shadings;
        } else {
            for (const Held& h : _run) Pass(h.path, false, h.colour);
        }
        _run.clear();
    }

    // The clip's outline as a fill of `colour`, when the clip is a shape smaller than the page.
    bool ShadingShape(const QColor& colour) {
        if (!_clipped || !colour.isValid() ||
            _clipBox.contains(QRectF(0, 0, _width, _height).adjusted(1, 1, -1, -1)))
            return false;
        Flush();
        Pass(_clip, false, colour);
        return true;
    }

    static QColor MeanColour(const QGradient& gradient) {
        const QGradientStops stops = gradient.stops();
        if (stops.isEmpty()) return {};
        double r = 0, g = 0, b = 0;
        for (const QGradientStop& s : stops)
            r += s.second.redF(), g += s.second.greenF(), b += s.second.blueF();
        const double n = static_cast<double>(stops.size());
        return QColor::fromRgbF(static_cast<float>(r / n), static_cast<float>(g / n),
                                static_cast<float>(b / n));
    }

    int images() const { return _images; }
    int64_t shadings() const { return _shadings; }

private:
    struct Held {
        QPainterPath path;  // device units
        QColor colour;
    };

    // A rectangle with its sides along the axes: a clip that holds all of its box.
    static bool AxisRectangle(const QPainterPath& path) {
        if (path.elementCount() != 5) return false;
        for (int i = 1; i < 5; ++i) {
            const QPainterPath::Element a = path.elementAt(i - 1), b = path.elementAt(i);
            if (!b.isLineTo() || (a.x != b.x && a.y != b.y)) return false;
        }
        const QPainterPath::Element first = path.elementAt(0), last = path.elementAt(4);
        return first.x == last.x && first.y == last.y;
    }

    void Clip(const QPainterPath& path, Qt::ClipOperation op) {
        Flush();
        if (op == Qt::NoClip) {
            _clipped = false;
            _clip = QPainterPath();
        } else if (op == Qt::IntersectClip && _clipped) {
            // Most clips nest inside the one before (a shape within the page): keep the inner.
            // Qt's intersection would flatten its curves into a coarse polygon.
            const QRectF box = _clip.boundingRect();
            const QRectF inner = path.boundingRect();
            if (AxisRectangle(_clip) && box.contains(inner))
                _clip = path;
            else if (!(AxisRectangle(path) && inner.contains(box)))
                _clip = _clip.intersected(path);
        } else {
            _clipped = true;
            _clip = path;
        }
        _clipBox = _clip.boundingRect();
        ++_clipVersion;
    }

    // The clip goes on with the shapes, for the strokes (fills are cut here already); only when
    // it changed, so that a fill and its stroke still meet as one shape.
    void SendClip() {
        if (_sentVersion == _clipVersion) return;
        _sentVersion = _clipVersion;
        _out.setTransform(QTransform());
        if (_clipped)
            _out.setClipPath(_clip, Qt::ReplaceClip);
        else
            _out.setClipping(false);
    }

    // The pen in device units. Poppler gives the dash pattern in pen widths but the offset in
    // the page's units, and a pen of width 0 its pattern in the page's units too; Qt has both
    // in pen widths of the pen that draws.
    QPen DevicePen() const {
        QPen pen = _pen;
        const double k = std::sqrt(std::abs(_transform.determinant()));
        if (!pen.isCosmetic()) pen.setWidthF(pen.widthF() * k);
        if (pen.style() == Qt::SolidLine || pen.style() == Qt::NoPen) return pen;
        const double unit = _pen.widthF() > 0 ? _pen.widthF() : 1;
        const double onward = pen.widthF() > 0 ? pen.widthF() : 1;
        QList<qreal> pattern = pen.dashPattern();
        for (qreal& d : pattern) d = d * unit * k / onward;
        const double offset = _pen.dashOffset() * k / onward;
        pen.setDashPattern(pattern);
        pen.setDashOffset(offset);
        return pen;
    }

    // Device units; a fill is cut to the clip when it reaches beyond it.
    void Pass(const QPainterPath& device, bool stroked, const QColor& fill) {
        QPainterPath path = device;
        if (fill.isValid() && _clipped && !_clipBox.contains(path.boundingRect()))
            path = path.intersected(_clip);
        if (path.isEmpty()) return;
        SendClip();
        _out.setTransform(QTransform());
        _out.setOpacity(_opacity);
        // The shape goes on in device units: so does its pen.
        _out.setPen(stroked ? DevicePen() : QPen(Qt::NoPen));
        _out.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
        _out.drawPath(path);
    }

    QPainter& _out;
    int _width, _height;  // the page, device units
    QTransform _transform;
    QPen _pen{Qt::NoPen};
    QBrush _brush;
    double _opacity = 1;
    bool _clipped = false;
    QPainterPath _clip;  // device units
    QRectF _clipBox;
    int _clipVersion = 0, _sentVersion = 0;
    std::vector<Held> _run;
    int _images = 0;
    int64_t _shadings = 0;
};

}  // namespace

PdfPlotFilter::PdfPlotFilter(QPainter& onward, int width, int height)
    : _width(width), _height(height), _engine(new FilterEngine(onward, width, height)) {}

PdfPlotFilter::~PdfPlotFilter() = default;

QPaintEngine* PdfPlotFilter::paintEngine() const { return _engine.get(); }

void PdfPlotFilter::Finish() { static_cast<FilterEngine*>(_engine.get())->Flush(); }

int PdfPlotFilter::images() const { return static_cast<FilterEngine*>(_engine.get())->images(); }

int64_t PdfPlotFilter::shadings() const {
    return static_cast<FilterEngine*>(_engine.get())->shadings();
}

int PdfPlotFilter::metric(PaintDeviceMetric metric) const {
    // Poppler paints a transparency group into a QPicture and plays it back here; a picture
    // played on a device of another resolution is scaled by the ratio, and the group would land
    // off its place. Poppler's own drawing takes its resolution from its caller.
    const QPicture picture;
    return PlotDeviceMetric(metric, _width, _height, picture.logicalDpiX(), picture.logicalDpiY());
}
