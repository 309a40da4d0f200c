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

// Clipper finds every crossing of a shape's edges with each other: a shape of many points that
// crosses itself everywhere (a scribble of a million points) would keep it for hours. Crossing
// edges share a cell of a grid over them, so the pairs of edges that share cells bound the
// crossings; a shape of few points can't have many.
constexpr size_t kFewPoints = 4096;
constexpr uint64_t kMostPairs = 20'000'000;

bool FewCrossings(const Paths& paths) {
    size_t n = 0;
    cInt x0 = 0, y0 = 0, x1 = -1, y1 = -1;
    for (const Path& path : paths)
        for (const IntPoint& p : path) {
            x0 = n ? std::min(x0, p.X) : p.X, x1 = n ? std::max(x1, p.X) : p.X;
            y0 = n ? std::min(y0, p.Y) : p.Y, y1 = n ? std::max(y1, p.Y) : p.Y;
            ++n;
        }
    if (n <= kFewPoints) return true;
    const auto side = static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(n))));
    const double cell = std::max(1.0, static_cast<double>(std::max(x1 - x0, y1 - y0) + 1) / side);
    std::vector<uint32_t> counts(static_cast<size_t>(side * side), 0);
    uint64_t entries = 0, pairs = 0;
    for (const Path& path : paths)
        for (size_t i = 0; i < path.size(); ++i) {
            const IntPoint a = path[i], b = path[(i + 1) % path.size()];
            const double ax = (a.X - x0) / cell, ay = (a.Y - y0) / cell;
            const double bx = (b.X - x0) / cell, by = (b.Y - y0) / cell;
            const auto clampCell = [&](double v) {
                return std::clamp<int64_t>(static_cast<int64_t>(v), 0, side - 1);
            };
            for (int64_t r = clampCell(std::min(ay, by)); r <= clampCell(std::max(ay, by)); ++r) {
                double lo = std::min(ax, bx), hi = std::max(ax, bx);
                if (ay != by) {
                    const double t0 = std::clamp((r - ay) / (by - ay), 0.0, 1.0);
                    const double t1 = std::clamp((r + 1 - ay) / (by - ay), 0.0, 1.0);
                    lo = ax + std::min(t0, t1) * (bx - ax), hi = ax + std::max(t0, t1) * (bx - ax);
                    if (lo > hi) std::swap(lo, hi);
                }
                for (int64_t c = clampCell(lo); c <= clampCell(hi); ++c) {
                    pairs += counts[static_cast<size_t>(r * side + c)]++;
                    if (++entries > 16 * n || pairs > kMostPairs) return false;
                }
            }
        }
    return true;
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
    // A pen not measured (or a knife) can't be said to be narrower than the stroke: its line
    // is what the stroke is on the paper, and hides no more than a line does.
    const double pen = pens.ThicknessMm(pens.EntryFor(shape.colour));
    if (!(pen > 0) || !(scale > 0) || !(width > pen * kPlotUnitsPerMm)) return {};
    QPainterPathStroker stroker(shape.pen);
    stroker.setCurveThreshold(kFlattenTolerance / scale);
    return shape.transform.map(stroker.createStroke(AreaOf(shape)));
}

}  // namespace

std::vector<std::vector<PlotPoint>> CoverAreaOf(const PaintedPath& shape, const PenChoice& pens,
                                                const PlotArea& area, const QRectF& reach,
                                                bool* tooIntricate) {
    *tooIntricate = false;
    const bool fills = shape.filled && shape.fill.isValid() && shape.fillAlpha >= 1;
    const QPainterPath band = BandOf(shape, pens);
    if (!fills && band.isEmpty()) return {};
    ClipperLib::Clipper clipper;
    ClipperLib::PolyFillType fillRule = ClipperLib::pftNonZero;
    // Told before any cutting: the clip's cut meets every crossing as the union does.
    const auto add = [&](std::vector<Ring> rings, Qt::FillRule rule, ClipperLib::PolyType type) {
        Paths paths = OnPaper(rings, area);
        if (*tooIntricate || !FewCrossings(paths)) {
            *tooIntricate = true;
            return;
        }
        // A clip that holds the whole shape (the canvas, mostly) cuts nothing.
        QRectF box;
        for (const Ring& ring : rings)
            for (QPointF p : ring) box |= QRectF(p, QSizeF(0, 0)).adjusted(-1, -1, 1, 1);
        if (shape.clip && !shape.clip->Holds(box)) {
            paths = OnPaper(shape.clip->CutArea(rings, rule), area);
            rule = Qt::OddEvenFill;
        }
        if (type == ClipperLib::ptSubject) fillRule = RuleOf(rule);
        clipper.AddPaths(paths, type, true);
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
    if (*tooIntricate) return {};
    Paths united;
    clipper.Execute(ClipperLib::ctUnion, united, fillRule, ClipperLib::pftNonZero);
    // Only what lies within the reach can hide a line.
    const QPointF a = ToPaper(area, reach.topLeft()), b = ToPaper(area, reach.bottomRight());
    const cInt x0 = std::llround(std::min(a.x(), b.x())), x1 = std::llround(std::max(a.x(), b.x()));
    const cInt y0 = std::llround(std::min(a.y(), b.y())), y1 = std::llround(std::max(a.y(), b.y()));
    bool inside = true;
    for (const Path& path : united)
        for (const IntPoint& p : path)
            inside = inside && p.X >= x0 && p.X <= x1 && p.Y >= y0 && p.Y <= y1;
    Paths kept;
    if (inside) {
        kept = std::move(united);
    } else {
        ClipperLib::Clipper within;
        within.AddPaths(united, ClipperLib::ptSubject, true);
        within.AddPath(Path{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, ClipperLib::ptClip, true);
        within.Execute(ClipperLib::ctIntersection, kept, ClipperLib::pftNonZero,
                       ClipperLib::pftNonZero);
    }
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

CoverPaint CoverPaintOf(const PaintedPath& shape, const PenChoice& pens) {
    const bool fills = shape.filled && shape.fill.isValid() && shape.fillAlpha >= 1;
    const QColor& shown = fills ? shape.fill : shape.stroke;
    const bool paper = pens.IsPaper(shown) &&
                       (!shape.stroke.isValid() || pens.IsPaper(shape.stroke));
    return {paper ? uint8_t{0} : pens.EntryFor(shown), paper};
}

std::vector<std::vector<PlotPoint>> PaperLinesOf(const PaintedPath& shape, const PenChoice& pens,
                                                 const PlotArea& area, const QRectF& reach) {
    if (!shape.stroke.isValid() || !pens.IsPaper(shape.stroke) || shape.fill.isValid() ||
        shape.pen.style() != Qt::SolidLine || !(shape.strokeAlpha > 0) ||
        !BandOf(shape, pens).isEmpty())
        return {};
    std::vector<Polyline> lines =
        FlattenLines(shape.path, shape.ellipse, shape.transform, false, reach);
    if (shape.clip) lines = shape.clip->CutLines(lines);
    std::vector<std::vector<PlotPoint>> out;
    for (const Polyline& line : lines) {
        std::vector<PlotPoint> points;
        for (QPointF p : line) {
            if (!std::isfinite(p.x()) || !std::isfinite(p.y())) continue;
            const QPointF q = ToPaper(area, p);
            const PlotPoint i{static_cast<int32_t>(std::llround(q.x())),
                              static_cast<int32_t>(std::llround(q.y()))};
            if (points.empty() || points.back().x != i.x || points.back().y != i.y)
                points.push_back(i);
        }
        if (points.size() > 1) out.push_back(std::move(points));
    }
    return out;
}
