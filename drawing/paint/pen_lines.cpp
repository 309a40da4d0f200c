#include "drawing/paint/pen_lines.h"

#include <QPainterPathStroker>
#include <cmath>
#include <cstdio>

#include "drawing/paint/flatten.h"
#include "drawing/paint/hatch.h"
#include "drawing/geometry/page_layout.h"

namespace {

QPainterPath AreaOf(const PaintedPath& shape) {
    if (shape.path) return *shape.path;
    QPainterPath ellipse;
    ellipse.addEllipse(shape.ellipse);
    return ellipse;
}

void Outline(const PaintedPath& shape, bool closed, PolylineSink& sink) {
    if (shape.path)
        FlattenPath(*shape.path, shape.transform, closed, sink);
    else
        FlattenEllipse(shape.ellipse, shape.transform, sink);
    sink.Finish();
}

}  // namespace

double PenLines::WidthOf(uint8_t entry) {
    const double mm = _pens.ThicknessMm(entry);
    if (mm < 0) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "pen %d has a negative thickness (%.2f mm): set it to 0 for outlines only, "
                      "or to the pen's line width",
                      _pens.NumberOf(entry), mm);
        _refusal = text;
        return -1;
    }
    if (mm == 0) return 0;
    return std::max(mm, kThinnestHatchMm) * kPlotUnitsPerMm;
}

bool PenLines::HatchInto(const QPainterPath& area, const QTransform& transform, Qt::FillRule rule,
                         double width) {
    const std::vector<Ring> rings = FlattenRings(area, transform, _sink.reach());
    // Each line takes two points: the lines the points left can hold bound the budget too, so
    // that a drawing whose hatching can't fit is refused before its hatching is made.
    const uint64_t kept = _sink.paths().points.size();
    const uint64_t room = _room > kept ? (_room - kept) / 2 : 0;
    const uint64_t lines = _maxSegments - std::min(_segments, _maxSegments);
    const uint64_t budget = std::min(lines, room);
    HatchResult hatch;
    if (_counting) {
        hatch.segments = HatchLines(rings, rule, width, _sink.reach(), budget);
        hatch.refused = hatch.segments > budget;
    } else {
        hatch = Hatch(rings, rule, width, _sink.reach(), budget);
    }
    if (hatch.refused) {
        char text[200];
        if (room < lines)
            std::snprintf(text, sizeof text,
                          "hatching the fills with these pen widths needs more points than a "
                          "plot holds; give the pens their real widths, or 0 for outlines only");
        else
            std::snprintf(text, sizeof text,
                          "hatching the fills with these pen widths needs more than %llu lines; "
                          "give the pens their real widths, or 0 for outlines only",
                          static_cast<unsigned long long>(_maxSegments));
        _refusal = text;
        return false;
    }
    _segments += hatch.segments;
    for (const std::vector<QPointF>& run : hatch.runs) {
        _sink.MoveTo(run.front());
        for (size_t i = 1; i < run.size(); ++i) _sink.LineTo(run[i]);
        _sink.Finish();
    }
    // The plot's points run out before the line count does: say that hatching did it.
    if (_sink.full()) {
        _refusal =
            "hatching the fills with these pen widths needs more points than a plot holds; give "
            "the pens their real widths, or 0 for outlines only";
        return false;
    }
    return true;
}

bool PenLines::Count(const PaintedPath& shape) {
    _counting = true;
    const bool ok = Draw(shape);
    _counting = false;
    return ok;
}

bool PenLines::Draw(const PaintedPath& shape) {
    if (!_refusal.empty()) return false;
    // The fill, hatched with its own colour's pen.
    if (shape.fill.isValid()) {
        const uint8_t pen = _pens.EntryFor(shape.fill);
        const double width = WidthOf(pen);
        if (width < 0) return false;
        if (width > 0) {
            _sink.SetPen(pen);
            const QPainterPath area = AreaOf(shape);
            if (!HatchInto(area, shape.transform, area.fillRule(), width)) return false;
        }
    }
    const uint8_t pen = _pens.EntryFor(shape.colour);
    _sink.SetPen(pen);
    if (shape.stroke.isValid()) {
        const double width = WidthOf(pen);
        if (width < 0) return false;
        // The stroke's width on the paper: its user-unit width scaled as areas scale.
        const double scale = std::sqrt(std::abs(shape.transform.determinant()));
        const double stroke =
            shape.pen.isCosmetic() ? shape.pen.widthF() : shape.pen.widthF() * scale;
        if (width > 0 && stroke > 1.5 * width && scale > 0) {
            // Stroked where the drawing strokes it (a stretched drawing stretches its strokes),
            // as closely as the outlines are flattened.
            QPainterPathStroker stroker(shape.pen);
            stroker.setCurveThreshold(kFlattenTolerance / scale);
            const QPainterPath band = shape.transform.map(stroker.createStroke(AreaOf(shape)));
            if (!HatchInto(band, QTransform(), Qt::WindingFill, width)) return false;
            // Its boundary without the seams where the stroke's pieces overlap.
            _sink.SetPen(pen);
            FlattenPath(band.simplified(), QTransform(), true, _sink);
            _sink.Finish();
            return true;
        }
    }
    Outline(shape, shape.filled, _sink);
    return true;
}
