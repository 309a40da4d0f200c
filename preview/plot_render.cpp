#include "preview/plot_render.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int Share(int16_t share) {
    const int clamped = std::clamp<int>(share, 0, 10000);
    return (clamped * 255 + 5000) / 10000;
}

// The path holding plot-wide segment `segment`, or paths.size() when there is none.
std::size_t PathOfSegment(const THpglPlot& plot, std::size_t segment) {
    const auto it = std::upper_bound(
        plot.paths.begin(), plot.paths.end(), segment,
        [](std::size_t s, const THpglPath& p) { return s < p.firstSegment; });
    if (it == plot.paths.begin()) return plot.paths.size();
    const std::size_t index = static_cast<std::size_t>(it - plot.paths.begin()) - 1;
    const THpglPath& path = plot.paths[index];
    return segment < path.firstSegment + path.SegmentCount() ? index : plot.paths.size();
}

}  // namespace

int PenEntryFor(const TPrConfig& config, int pen) {
    if (pen <= 0) return -1;
    for (int i = 0; i < kPenCount; ++i)
        if (config.toollist[i].tpenid == pen) return i;
    return pen <= kPenCount ? pen - 1 : -1;
}

QColor PenEntryColour(const TPenEntry& entry) {
    if (entry.fcolor != 1) return QColor(kPenWithoutColour);
    const QColor colour(Share(entry.red), Share(entry.green), Share(entry.blue));
    if (colour.lightness() > 230) return QColor(0xb4, 0xb4, 0xb4);
    return colour;
}

TPlotPalette::TPlotPalette() {
    _colours.fill(kPenWithoutColour);
    _beyond = kPenWithoutColour;
}

TPlotPalette::TPlotPalette(const TPrConfig& config) {
    for (int pen = 0; pen < kCached; ++pen) {
        const int entry = PenEntryFor(config, pen);
        _colours[static_cast<std::size_t>(pen)] =
            entry < 0 ? kUnknownPen : PenEntryColour(config.toollist[entry]).rgb();
    }
    // Pen numbers past the cache can only match a tpenid that large, which the pen-number
    // pop-up can't hold; they have no entry.
    _beyond = kUnknownPen;
}

QColor TPlotPalette::Colour(int pen) const {
    if (pen >= 0 && pen < kCached) return QColor(_colours[static_cast<std::size_t>(pen)]);
    return QColor(_beyond);
}

QColor PaleColour(const QColor& colour) {
    constexpr double kShare = 0.22;
    const auto mix = [](int c) { return static_cast<int>(std::lround(255 - (255 - c) * kShare)); };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

std::size_t SentSegments(const THpglPlot& plot, std::int64_t sentBytes) {
    if (sentBytes <= 0) return 0;
    return plot.ProgressAt(static_cast<std::uint64_t>(sentBytes - 1)).segments;
}

TPlotFrame FitPlot(const THpglBox& bounds, const QRectF& target, double margin) {
    TPlotFrame frame;
    const double side = std::min(target.width(), target.height());
    const double m = std::max(0.0, margin * side);
    const QRectF area = target.adjusted(m, m, -m, -m);
    frame.lineWidth = std::max(1.2, side / 350.0);
    const double inf = std::numeric_limits<double>::infinity();
    const double sx = bounds.Width() > 0 ? area.width() / bounds.Width() : inf;
    const double sy = bounds.Height() > 0 ? area.height() / bounds.Height() : inf;
    frame.scale = std::min(sx, sy);
    if (!std::isfinite(frame.scale) || frame.scale <= 0) frame.scale = 1;
    const double cx = bounds.empty ? 0 : (bounds.minX + bounds.maxX) / 2;
    const double cy = bounds.empty ? 0 : (bounds.minY + bounds.maxY) / 2;
    frame.originX = area.center().x() - cx * frame.scale;
    frame.originY = area.center().y() + cy * frame.scale;
    return frame;
}

QRectF PaperRect(const THpglBox& bounds, const TPlotFrame& frame) {
    if (bounds.empty) return {};
    const QRectF plot = QRectF(frame.Map(bounds.minX, bounds.maxY),
                               frame.Map(bounds.maxX, bounds.minY)).normalized();
    const double border = std::max(4.0, 0.025 * std::max(plot.width(), plot.height()));
    return plot.adjusted(-border, -border, border, border);
}

void PaintPaper(QPainter& painter, const QRectF& area, const TPlotFrame& frame,
                const THpglBox& bounds) {
    painter.fillRect(area, QColor(kDeskColour));
    const QRectF paper = PaperRect(bounds, frame).intersected(area);
    if (!paper.isEmpty()) {
        painter.fillRect(paper.translated(2, 2), QColor(0, 0, 0, 40));
        painter.fillRect(paper, Qt::white);
        painter.setPen(QPen(QColor(0x9a, 0x9e, 0xa6), 0));
        painter.drawRect(paper);
    }
}

void TPlotRenderer::PaintAll(QPainter& painter, const QRectF& area, const TPlotFrame& frame,
                             std::size_t sent) const {
    PaintPaper(painter, area, frame, _plot.bounds);
    PaintSegments(painter, frame, sent, _plot.SegmentCount(), TInk::Unsent);
    PaintSegments(painter, frame, 0, sent, TInk::Sent);
}

void TPlotRenderer::PaintSegments(QPainter& painter, const TPlotFrame& frame, std::size_t from,
                                  std::size_t to, TInk ink) const {
    to = std::min(to, _plot.SegmentCount());
    if (from >= to) return;
    std::size_t index = PathOfSegment(_plot, from);
    if (index >= _plot.paths.size()) {
        // `from` falls between paths only if paths don't cover every segment; start at the
        // first path past it.
        index = static_cast<std::size_t>(
            std::upper_bound(_plot.paths.begin(), _plot.paths.end(), from,
                             [](std::size_t s, const THpglPath& p) { return s < p.firstSegment; }) -
            _plot.paths.begin());
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen;
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setWidthF(frame.lineWidth);
    int currentPen = std::numeric_limits<int>::min();
    THpglPathKind currentKind = THpglPathKind::Line;
    QPolygonF polygon;
    for (; index < _plot.paths.size(); ++index) {
        const THpglPath& path = _plot.paths[index];
        if (path.firstSegment >= to) break;
        if (path.pointCount < 2) continue;
        const std::size_t s0 = std::max(from, path.firstSegment);
        const std::size_t s1 = std::min(to, path.firstSegment + path.SegmentCount());
        if (s0 >= s1) continue;
        if (path.pen != currentPen || path.kind != currentKind) {
            const QColor colour = _palette.Colour(path.pen);
            pen.setColor(ink == TInk::Sent ? colour : PaleColour(colour));
            // Label boxes stand for text, not for a line the pen draws.
            pen.setStyle(path.kind == THpglPathKind::Label ? Qt::DashLine : Qt::SolidLine);
            pen.setWidthF(path.kind == THpglPathKind::Label ? std::max(1.0, frame.lineWidth / 2)
                                                             : frame.lineWidth);
            painter.setPen(pen);
            currentPen = path.pen;
            currentKind = path.kind;
        }
        const THpglPoint* points = _plot.points.data() + path.firstPoint;
        const std::size_t first = s0 - path.firstSegment;
        const std::size_t count = s1 - s0 + 1;
        polygon.resize(static_cast<qsizetype>(count));
        bool dot = true;
        for (std::size_t i = 0; i < count; ++i) {
            polygon[static_cast<qsizetype>(i)] = frame.Map(points[first + i]);
            if (i > 0 && polygon[static_cast<qsizetype>(i)] != polygon[0]) dot = false;
        }
        if (dot) painter.drawPoint(polygon[0]);
        else painter.drawPolyline(polygon);
    }
    painter.restore();
}

bool TPlotRenderer::PenPosition(std::size_t sent, THpglPoint& where) const {
    if (sent == 0 || sent > _plot.SegmentCount()) return false;
    const std::size_t index = PathOfSegment(_plot, sent - 1);
    if (index >= _plot.paths.size()) return false;
    const THpglPath& path = _plot.paths[index];
    where = _plot.points[path.firstPoint + (sent - 1 - path.firstSegment) + 1];
    return true;
}

int RenderHeightFor(const THpglBox& bounds, int width) {
    width = std::max(width, 1);
    double aspect = 0.75;
    if (!bounds.empty && bounds.Width() > 0 && bounds.Height() > 0)
        aspect = bounds.Height() / bounds.Width();
    else if (!bounds.empty && bounds.Width() <= 0 && bounds.Height() > 0)
        aspect = 4;
    else if (!bounds.empty && bounds.Height() <= 0 && bounds.Width() > 0)
        aspect = 0.125;
    aspect = std::clamp(aspect, 0.125, 4.0);
    return std::max(1, static_cast<int>(std::lround(width * aspect)));
}

QImage RenderPlotImage(const THpglPlot& plot, const TPlotPalette& palette, QSize size,
                       std::size_t sent) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    QPainter painter(&image);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    TPlotRenderer(plot, palette).PaintAll(painter, area, FitPlot(plot.bounds, area), sent);
    return image;
}
