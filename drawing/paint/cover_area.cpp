#include "drawing/paint/cover_area.h"

#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>
#include <polyclipping/clipper.hpp>

#include "drawing/paint/clip_region.h"
#include "drawing/paint/flatten.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/paint/pen_lines.h"

namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

// Plotter units; far beyond any reach, and within Clipper's range.
constexpr double kFar = 1e12;

// Rounded as the plot's points are, so that a line and the edge of a shape drawn along it
// land on the same units.
Paths OnPaper(const std::vector<Ring>& rings, const PlotArea& area) {
    Paths out;
    for (const Ring& ring : rings) {
        Path path;
        for (QPointF p : ring) {
            if (!std::isfinite(p.x()) || !std::isfinite(p.y())) continue;
            const QPointF q = ToPaper(area, p);
            const IntPoint i(static_cast<cInt>(std::llround(std::clamp(q.x(), -kFar, kFar))),
                             static_cast<cInt>(std::llround(std::clamp(q.y(), -kFar, kFar))));
            if (path.empty() || !(path.back() == i)) path.push_back(i);
        }
        if (path.size() > 2) out.push_back(std::move(path));
    }
    return out;
}

ClipperLib::PolyFillType RuleOf(Qt::FillRule rule) {
    return rule == Qt::OddEvenFill ? ClipperLib::pftEvenOdd : ClipperLib::pftNonZero;
}

QPainterPath AreaOf(const PaintedPath& shape) {
    if (shape.path) return *shape.path;
    QPainterPath ellipse;
    ellipse.addEllipse(shape.ellipse);
    return ellipse;
}

// The stroke's band in device units, or an empty path when the stroke hides nothing.
QPainterPath BandOf(const PaintedPath& shape, const PenChoice& pens) {
    if (!shape.stroke.isValid() || shape.strokeAlpha < 1 || shape.pen.isCosmetic())
        return {};
    const double scale = std::sqrt(std::abs(shape.transform.determinant()));
    const double width = shape.pen.widthF() * scale;
    // A pen not measured is taken as the finest a fill is hatched with.
    const double pen = std::max(pens.ThicknessMm(pens.EntryFor(shape.colour)), kThinnestHatchMm);
    if (!(scale > 0) || !(width > pen * kPlotUnitsPerMm)) return {};
    QPainterPathStroker stroker(shape.pen);
    stroker.setCurveThreshold(kFlattenTolerance / scale);
    return shape.transform.map(stroker.createStroke(AreaOf(shape)));
}

}  // namespace

std::vector<std::vector<PlotPoint>> CoverAreaOf(const PaintedPath& shape, const PenChoice& pens,
                                                const PlotArea& area, const QRectF& reach) {
    const bool fills = shape.filled && shape.fill.isValid() && shape.fillAlpha >= 1;
    const QPainterPath band = BandOf(shape, pens);
    if (!fills && band.isEmpty()) return {};
    ClipperLib::Clipper clipper;
    ClipperLib::PolyFillType fillRule = ClipperLib::pftNonZero;
    const auto add = [&](std::vector<Ring> rings, Qt::FillRule rule, ClipperLib::PolyType type) {
        if (shape.clip) {
            rings = shape.clip->CutArea(rings, rule);
            rule = Qt::OddEvenFill;
        }
        if (type == ClipperLib::ptSubject) fillRule = RuleOf(rule);
        clipper.AddPaths(OnPaper(rings, area), type, true);
    };
    if (fills) {
        const QPainterPath fill = AreaOf(shape);
        add(FlattenRings(fill, shape.transform, reach, kFlattenTolerance), fill.fillRule(),
            ClipperLib::ptSubject);
    }
    // The band's pieces overlap where it turns: they hide the band's union.
    if (!band.isEmpty())
        add(FlattenRings(band, QTransform(), reach, kFlattenTolerance), Qt::WindingFill,
            fills ? ClipperLib::ptClip : ClipperLib::ptSubject);
    Paths united;
    clipper.Execute(ClipperLib::ctUnion, united, fillRule, ClipperLib::pftNonZero);
    // Only what lies within the reach can hide a line.
    const QPointF a = ToPaper(area, reach.topLeft()), b = ToPaper(area, reach.bottomRight());
    const cInt x0 = std::llround(std::min(a.x(), b.x())), x1 = std::llround(std::max(a.x(), b.x()));
    const cInt y0 = std::llround(std::min(a.y(), b.y())), y1 = std::llround(std::max(a.y(), b.y()));
    ClipperLib::Clipper within;
    within.AddPaths(united, ClipperLib::ptSubject, true);
    within.AddPath(Path{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, ClipperLib::ptClip, true);
    Paths kept;
    within.Execute(ClipperLib::ctIntersection, kept, ClipperLib::pftNonZero,
                   ClipperLib::pftNonZero);
    std::vector<std::vector<PlotPoint>> out;
    out.reserve(kept.size());
    for (const Path& path : kept) {
        std::vector<PlotPoint>& ring = out.emplace_back();
        ring.reserve(path.size());
        for (const IntPoint& p : path)
            ring.push_back({static_cast<int32_t>(p.X), static_cast<int32_t>(p.Y)});
    }
    return out;
}
