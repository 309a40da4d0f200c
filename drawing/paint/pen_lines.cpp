#include "drawing/paint/pen_lines.h"

#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "drawing/geometry/page_layout.h"
#include "drawing/paint/band_count.h"
#include "drawing/paint/flatten.h"
#include "drawing/paint/hatch.h"
#include "drawing/paint/stroke_lines.h"

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

// The shape as it shows on the paper when some of its paint is the paper's white (nothing when
// none is; no colour at all when all is): a white fill leaves its stroke alone, dashes and open
// ends as stroked, and a white stroke leaves the fill it edges outlined.
std::optional<PaintedPath> WithoutPaper(const PaintedPath& shape, const PenChoice& pens) {
    const bool paperFill = shape.fill.isValid() && pens.IsPaper(shape.fill);
    const bool paperStroke = shape.stroke.isValid() && pens.IsPaper(shape.stroke);
    if (!paperFill && !paperStroke) return std::nullopt;
    PaintedPath shown = shape;
    if (paperFill) shown.fill = QColor();
    if (paperStroke) shown.stroke = QColor();
    shown.filled = shown.fill.isValid();
    shown.colour = shown.stroke.isValid() ? shown.stroke : shown.fill;
    return shown;
}

// The lines hatching a solid stroke's band has at the least, without stroking it: every line
// between the path's top and bottom (a pen width in from each, where the hatching's lines
// start) crosses the band, when the path is one unbroken piece, on the paper, laid unturned
// and unclipped. 0 where that can't be told so cheaply.
uint64_t BandLinesAtLeast(const PaintedPath& shape, double width, const QRectF& reach) {
    if (!shape.path || shape.pen.style() != Qt::SolidLine ||
        shape.transform.type() > QTransform::TxScale)
        return 0;
    for (int i = 1; i < shape.path->elementCount(); ++i)
        if (shape.path->elementAt(i).isMoveTo()) return 0;
    const QRectF box = shape.transform.mapRect(shape.path->boundingRect());
    const double span = box.height() - 2 * width;
    if (!reach.contains(box) || !(span > 0)) return 0;
    return static_cast<uint64_t>(std::ceil(span / width)) - 1;
}

}  // namespace

double PenLines::WidthOf(uint8_t entry) {
    const double mm = _pens.ThicknessMm(entry);
    if (mm < 0) {
        char thickness[32];
        std::snprintf(thickness, sizeof thickness, "%.2f", mm);
        _refusal = Note(NoteId::PenHasNegativeThickness,
                        {std::to_string(_pens.NumberOf(entry)), thickness});
        return -1;
    }
    if (mm == 0) return 0;
    return std::max(mm, kThinnestHatchMm) * kPlotUnitsPerMm;
}

bool PenLines::HatchInto(const QPainterPath& area, const QTransform& transform, Qt::FillRule rule,
                         double width, const ClipRegion* clip) {
    std::vector<Ring> rings = FlattenRings(area, transform, _sink.reach());
    if (clip) {
        rings = clip->CutArea(rings, rule);
        rule = Qt::OddEvenFill;
    }
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
        _refusal = room < lines
                       ? Note(NoteId::HatchingFillsThesePen)
                       : Note(NoteId::HatchingFillsThesePenWidths, {std::to_string(_maxSegments)});
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
        _refusal = NoteId::HatchingFillsThesePen;
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

bool PenLines::CountLeast(const PaintedPath& shape) {
    _least = true;
    const bool ok = Count(shape);
    _least = false;
    return ok;
}

bool PenLines::Draw(const PaintedPath& shape) {
    if (_refusal) return false;
    // The paper's white draws nothing, not even the extent of a clipped shape.
    if (const std::optional<PaintedPath> shown = WithoutPaper(shape, _pens))
        return shown->colour.isValid() ? Draw(*shown) : true;
    // A shape the clip holds whole is drawn as if unclipped; one it hides, not at all.
    const ClipRegion* clip = shape.clip;
    if (clip) {
        const QPainterPath* path = shape.path;
        const QRectF own = path ? path->controlPointRect() : shape.ellipse;
        const double reach = shape.stroke.isValid() ? shape.pen.widthF() : 0;
        const QRectF box = shape.transform.mapRect(own.adjusted(-reach, -reach, reach, reach));
        if (clip->Holds(box)) {
            clip = nullptr;
        } else {
            // What the clip hides is not plotted, but the drawing reaches there (a drawing
            // with nothing else is not "nothing visible").
            for (const Polyline& line :
                 FlattenLines(shape.path, shape.ellipse, shape.transform, false, _sink.reach()))
                for (QPointF p : line) _sink.Hidden(p);
            _sink.Finish();
            if (clip->Misses(box)) return true;
        }
    }
    // The fill, hatched with its own colour's pen.
    if (shape.fill.isValid()) {
        const uint8_t pen = _pens.EntryFor(shape.fill);
        const double width = WidthOf(pen);
        if (width < 0) return false;
        if (width > 0) {
            _sink.SetPen(pen);
            const QPainterPath area = AreaOf(shape);
            if (!HatchInto(area, shape.transform, area.fillRule(), width, clip)) return false;
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
            return WideStroke(shape, pen, width, scale, clip);
        }
    }
    // A filled shape is outlined whole, dashed stroke or not: its fill's edge shows between the
    // dashes, and the dashes lie on that outline.
    const StrokeDashes dashes =
        shape.stroke.isValid() && !shape.filled ? DashesOf(shape.pen) : StrokeDashes{};
    if (!dashes.dashed && !clip) {
        _sink.SetFillBoundary(shape.filled && !shape.stroke.isValid());
        Outline(shape, shape.filled, _sink);
        _sink.SetFillBoundary(false);
        return true;
    }
    // A fill without a stroke is outlined where the clip lets it show, along the clip's edge too.
    if (!shape.stroke.isValid()) {
        Emit(clip->CutArea(
                 FlattenRings(AreaOf(shape), shape.transform, _sink.reach(), kFlattenTolerance),
                 AreaOf(shape).fillRule()),
             true);
        return true;
    }
    if (dashes.dashed && DrawnDashed(dashes, shape.transform)) return Dashed(shape, dashes, clip);
    const std::vector<Polyline> lines =
        FlattenLines(shape.path, shape.ellipse, shape.transform, shape.filled, _sink.reach());
    Emit(clip ? clip->CutLines(lines) : lines, false);
    return true;
}

// The band a stroke covers, in device units: stroked where the drawing strokes it (a stretched
// drawing stretches its strokes), as closely as the outlines are flattened. A pattern that
// can't be walked is stroked solid (with the note DrawnDashed gives).
QPainterPath PenLines::Band(const PaintedPath& shape, double scale) {
    QPen strokePen = shape.pen;
    const StrokeDashes dashes = DashesOf(strokePen);
    if (dashes.dashed && !DrawnDashed(dashes, shape.transform)) strokePen.setStyle(Qt::SolidLine);
    QPainterPathStroker stroker(strokePen);
    stroker.setCurveThreshold(kFlattenTolerance / scale);
    return shape.transform.map(stroker.createStroke(AreaOf(shape)));
}

// A stroke wider than its pen: the band it covers hatched, and its boundary drawn.
bool PenLines::WideStroke(const PaintedPath& shape, uint8_t pen, double width, double scale,
                          const ClipRegion* clip) {
    if (_counting && _least) {
        _leftOut = true;
        if (clip) return true;
        _segments += BandLinesAtLeast(shape, width, _sink.reach());
        // Stroking is cheap beside simplifying the band: its boundary's points are told from
        // the stroked band, where nothing of it is cut at the reach.
        const QPainterPath band = Band(shape, scale);
        if (_sink.reach().contains(band.controlPointRect()))
            _bandPoints += BandPointsAtLeast(band);
        return true;
    }
    const QPainterPath band = Band(shape, scale);
    if (!HatchInto(band, QTransform(), Qt::WindingFill, width, clip)) return false;
    // Its boundary without the seams where the stroke's pieces overlap.
    _sink.SetPen(pen);
    if (clip)
        Emit(clip->CutArea(FlattenRings(band, QTransform(), _sink.reach(), kFlattenTolerance),
                           Qt::WindingFill),
             true);
    else
        FlattenPath(band.simplified(), QTransform(), true, _sink);
    _sink.Finish();
    return true;
}

bool PenLines::Dashed(const PaintedPath& shape, const StrokeDashes& dashes,
                      const ClipRegion* clip) {
    const double stretch = LargestStretch(shape.transform);
    bool invertible = false;
    const QTransform back = shape.transform.inverted(&invertible);
    if (!invertible || !(stretch > 0) || !std::isfinite(stretch)) return true;
    // Dashed in the drawing's own units: its subpaths as they are (a filled shape's stroke
    // closes only where the drawing closes it).
    const std::vector<Polyline> user =
        FlattenLines(shape.path, shape.ellipse, QTransform(), false, back.mapRect(_sink.reach()),
                     kFlattenTolerance / stretch);
    const uint64_t kept = _sink.paths().points.size();
    const uint64_t room = _room > kept ? _room - kept : 0;
    // A clip cuts the stroke once, and the pieces it shows are dashed as the whole line would
    // be: cutting each dash instead costs a clipping per dash. Dashes go on as they are cut: a
    // line of millions of dashes is never held.
    // What the clip hides counts too: a stroke of more dashes than the plot holds is refused
    // before its line is cut (a line folded on itself a million times costs the cutting most).
    if (clip && !(DashPieces(user, dashes) <= static_cast<double>(room))) {
        _refusal = NoteId::DashedLineCutInto;
        return false;
    }
    const ShownPieces shown = clip ? ClipInOwnUnits(user, shape.transform, *clip) : ShownPieces{};
    const RunRefusal refusal = DashLines(
        clip ? shown.user : user, dashes, shape.transform,
        static_cast<size_t>(std::min<uint64_t>(room, 1ull << 40)),
        [&](const Polyline& dash) {
            if (_sink.full()) return;
            _sink.MoveTo(dash.front());
            for (size_t i = 1; i < dash.size(); ++i) _sink.LineTo(dash[i]);
            _sink.Finish();
        },
        shown.starts);
    if (refusal == RunRefusal::too_many_pieces) {
        _refusal = NoteId::DashedLineCutInto;
        return false;
    }
    return true;
}

bool PenLines::DrawnDashed(const StrokeDashes& dashes, const QTransform& transform) {
    // As SVG has it: a pattern of no length, or with a negative dash, is no pattern.
    if (!UsablePattern(dashes.pattern)) {
        AddNote(kNoteBadDashes);
        return false;
    }
    if (FinerThanPlotter(dashes, transform)) {
        AddNote(kNoteFineDashes);
        return false;
    }
    return true;
}

void PenLines::Emit(const std::vector<Polyline>& lines, bool closed) {
    for (const Polyline& line : lines) {
        if (line.empty()) continue;
        _sink.MoveTo(line.front());
        for (size_t i = 1; i < line.size(); ++i) _sink.LineTo(line[i]);
        if (closed && line.size() > 2 && line.back() != line.front()) _sink.LineTo(line.front());
        _sink.Finish();
    }
}

void PenLines::AddNote(NoteId note) {
    if (std::find(_notes.begin(), _notes.end(), Note(note)) == _notes.end())
        _notes.emplace_back(note);
}
