#include "drawing/read/dxf/dxf_hatch.h"

#include <QLineF>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "drawing/paint/flatten.h"
#include "drawing/paint/hatch.h"
#include "drawing/read/dxf/dxf_shapes.h"
#include "drawing/read/dxf/dxf_spline.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// As the reader's: coordinates beyond this are not a drawing's.
constexpr double kMaxCoordinate = 1e9;
// A pattern named without its lines is hatched this far apart at scale 1: the eighth of an
// inch of the drafting programs' plainest pattern.
constexpr double kNamedPatternMm = 3.175;
// Loops times their vertices beyond this are all hatched odd-even, without working out which
// holds which (each loop is tried against every other).
constexpr double kMaxNesting = 5e7;

bool Fine(std::initializer_list<double> numbers) {
    return std::all_of(numbers.begin(), numbers.end(),
                       [](double v) { return std::isfinite(v) && std::abs(v) <= kMaxCoordinate; });
}

bool Near(QPointF a, QPointF b, double within) {
    return std::abs(a.x() - b.x()) <= within && std::abs(a.y() - b.y()) <= within;
}

// Whether `p` lies inside `ring` (odd-even).
bool Inside(QPointF p, const Ring& ring) {
    bool in = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const QPointF a = ring[i], b = ring[j];
        if ((a.y() > p.y()) != (b.y() > p.y()) &&
            p.x() < (b.x() - a.x()) * (p.y() - a.y()) / (b.y() - a.y()) + a.x())
            in = !in;
    }
    return in;
}

// The rings the hatch's style fills between: every one (nested, odd-even), the outermost two
// levels (outermost only) or the outermost level (islands ignored).
std::vector<Ring> Styled(std::vector<Ring> rings, int style) {
    double vertices = 0;
    for (const Ring& ring : rings) vertices += static_cast<double>(ring.size());
    if ((style != 1 && style != 2) || vertices * static_cast<double>(rings.size()) > kMaxNesting)
        return rings;
    std::vector<Ring> kept;
    for (const Ring& ring : rings) {
        int depth = 0;
        for (const Ring& other : rings)
            if (&other != &ring && Inside(ring.front(), other)) ++depth;
        if (depth <= (style == 1 ? 1 : 0)) kept.push_back(ring);
    }
    return kept;
}

// One family of a pattern: line k passes through base + k offset along `along`; `step` is the
// distance between lines (positive along `across`), `shift` how far each starts along the line
// from the one before.
struct Family {
    QPointF base, along, across, offset;
    double step = 0, shift = 0;
    const std::vector<double>* dashes = nullptr;
    double period = 0;  // of the dashes; 0: solid
    int64_t dashCount = 0;
};

Family FamilyOf(const DxfText::HatchLine& line) {
    Family f;
    const double a = line.angle * kPi / 180;
    f.base = QPointF(line.baseX, line.baseY);
    f.offset = QPointF(line.offsetX, line.offsetY);
    f.along = QPointF(std::cos(a), std::sin(a));
    f.across = QPointF(-f.along.y(), f.along.x());
    f.step = QPointF::dotProduct(f.offset, f.across);
    if (f.step < 0) {
        f.across = -f.across;
        f.step = -f.step;
    }
    f.shift = QPointF::dotProduct(f.offset, f.along);
    f.dashes = &line.dashes;
    for (double d : line.dashes) {
        f.period += std::abs(d);
        if (d >= 0) ++f.dashCount;
    }
    if (!(f.period > 0) || line.dashes.empty()) f.period = 0;
    return f;
}

// An upper bound of the pieces `f` makes in `rings`, without making any: each crossing of the
// boundary ends at most one piece, and each line holds at most its length's dashes.
double PiecesOf(const Family& f, const std::vector<Ring>& rings) {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo, first = lo, last = -lo;
    double crossings = 0;
    for (const Ring& ring : rings) {
        for (size_t i = 0; i < ring.size(); ++i) {
            const QPointF p = ring[i] - f.base, q = ring[(i + 1) % ring.size()] - f.base;
            const double a = QPointF::dotProduct(p, f.across) / f.step;
            const double b = QPointF::dotProduct(q, f.across) / f.step;
            crossings += std::ceil(std::max(a, b)) - std::ceil(std::min(a, b));
            lo = std::min(lo, a);
            hi = std::max(hi, a);
            const double t = QPointF::dotProduct(p, f.along);
            first = std::min(first, t);
            last = std::max(last, t);
        }
    }
    const double lines = std::max(0.0, std::floor(hi) - std::ceil(lo) + 1);
    const double perLine = f.period > 0 ? (last - first) / f.period * f.dashCount + 1 : 0;
    return crossings / 2 + lines * perLine;
}

// The pieces of line `k` from t0 to t1 (along it, from its own base point), dashed.
void AddPieces(const Family& f, int64_t k, double t0, double t1, QPainterPath& out) {
    const QPointF origin = f.base + f.offset * static_cast<double>(k);
    const auto at = [&](double t) { return origin + f.along * t; };
    if (f.period == 0) {
        out.moveTo(at(t0));
        out.lineTo(at(t1));
        return;
    }
    double from = std::floor(t0 / f.period) * f.period;
    // Bounded as counted: far from its base point a line's place along it may be too coarse
    // a number to step by a short dash.
    const size_t n = f.dashes->size();
    const double steps = ((t1 - from) / f.period + 1) * static_cast<double>(n);
    for (size_t i = 0, step = 0; from <= t1 && static_cast<double>(step) <= steps;
         i = (i + 1) % n, ++step) {
        const double length = (*f.dashes)[i], to = from + std::abs(length);
        if (length >= 0 && to >= t0) {
            const double a = std::max(from, t0), b = std::min(to, t1);
            out.moveTo(at(a));
            out.lineTo(at(b));
        }
        from = to;
    }
}

// The lines of `f` inside `rings` (odd-even): each line's crossings of the boundary, in order
// along it, pair into the pieces inside.
void AddFamily(const Family& f, const std::vector<Ring>& rings, QPainterPath& out) {
    std::vector<std::pair<int64_t, double>> crossings;
    for (const Ring& ring : rings) {
        for (size_t i = 0; i < ring.size(); ++i) {
            const QPointF p = ring[i], q = ring[(i + 1) % ring.size()];
            const double a = QPointF::dotProduct(p - f.base, f.across) / f.step;
            const double b = QPointF::dotProduct(q - f.base, f.across) / f.step;
            // Half open, so that a line through a vertex crosses once or not at all.
            const auto kFrom = static_cast<int64_t>(std::ceil(std::min(a, b)));
            const auto kTo = static_cast<int64_t>(std::ceil(std::max(a, b)));
            for (int64_t k = kFrom; k < kTo; ++k) {
                const QPointF x = p + (q - p) * ((static_cast<double>(k) - a) / (b - a));
                crossings.emplace_back(
                    k, QPointF::dotProduct(x - f.base, f.along) - static_cast<double>(k) * f.shift);
            }
        }
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size();) {
        if (crossings[i + 1].first != crossings[i].first) {
            ++i;  // an odd crossing left over where a line grazes a corner
            continue;
        }
        if (crossings[i + 1].second > crossings[i].second)
            AddPieces(f, crossings[i].first, crossings[i].second, crossings[i + 1].second, out);
        i += 2;
    }
}

}  // namespace

void DxfHatch::Begin(const DL_HatchData& data, const DxfText::Hatch* pattern) {
    _data = data;
    _pattern = pattern;
    _loops.clear();
    _loop = QPainterPath();
    _edges = 0;
    _byName.clear();
}

void DxfHatch::Loop() { CloseLoop(); }

void DxfHatch::CloseLoop() {
    if (!_loop.isEmpty()) {
        _loop.closeSubpath();
        _loops.push_back(std::move(_loop));
    }
    _loop = QPainterPath();
    _edges = 0;
}

// Edges follow one another around a loop, each from where the last ended; a file may give one
// the other way round.
void DxfHatch::Join(QPainterPath piece) {
    if (piece.isEmpty()) return;
    ++_edges;
    if (_edges == 1) {
        _loop = std::move(piece);
        return;
    }
    const QPointF end = _loop.currentPosition(), start = _loop.elementAt(0);
    const QPointF from = piece.elementAt(0), to = piece.currentPosition();
    const double within = 1e-6 * std::max({1.0, std::abs(end.x()), std::abs(end.y())});
    if (!Near(from, end, within) && Near(to, end, within)) {
        piece = piece.toReversed();
    } else if (_edges == 2 && !Near(from, end, within) &&
               (Near(from, start, within) || Near(to, start, within))) {
        _loop = _loop.toReversed();
        if (Near(to, start, within)) piece = piece.toReversed();
    }
    _loop.connectPath(piece);
}

bool DxfHatch::Edge(const DL_HatchEdgeData& e, double tolerance) {
    QPainterPath piece;
    if (!e.vertices.empty()) {
        std::vector<BulgeVertex> v;
        for (const std::vector<double>& p : e.vertices) {
            const double bulge = p.size() > 2 ? p[2] : 0;
            if (p.size() < 2 || !Fine({p[0], p[1], bulge})) return false;
            v.push_back({p[0], p[1], bulge});
        }
        // A polyline is a loop of its own.
        CloseLoop();
        AddBulgePolyline(piece, v, true);
        _loops.push_back(std::move(piece));
        return true;
    }
    // dxflib leaves the turn flag unset on edges without group 73 (every line edge, and arcs in
    // files that omit it): its byte is read as a plain byte, so a stray value means clockwise
    // rather than undefined behaviour.
    unsigned char turn = 0;
    std::memcpy(&turn, &e.ccw, 1);
    const bool ccw = turn == 1;
    // A clockwise arc from A to B gives 360 - B and 360 - A: mirrored back, the first of them
    // begins the same arc counter-clockwise.
    const double a1 = ccw ? e.angle1 : -e.angle1, a2 = ccw ? e.angle2 : -e.angle2;
    switch (e.type) {
        case 1:
            if (!Fine({e.x1, e.y1, e.x2, e.y2})) return false;
            piece.moveTo(e.x1, e.y1);
            piece.lineTo(e.x2, e.y2);
            break;
        case 2:
            if (!Fine({e.cx, e.cy, e.radius, e.angle1, e.angle2})) return false;
            if (e.radius > 0) AddArc(piece, {e.cx, e.cy}, e.radius, a1, a2, false);
            break;
        case 3:
            if (!Fine({e.cx, e.cy, e.mx, e.my, e.ratio, e.angle1, e.angle2})) return false;
            if (e.ratio > 0)
                AddEllipseArc(piece, {e.cx, e.cy}, {e.mx, e.my}, e.ratio, a1, a2, false);
            break;
        case 4: {
            SplineData s;
            s.degree = static_cast<int>(e.degree);
            for (const auto& c : e.controlPoints)
                if (c.size() >= 2) s.control.emplace_back(c[0], c[1]);
            for (const auto& c : e.fitPoints)
                if (c.size() >= 2) s.fit.emplace_back(c[0], c[1]);
            s.knots = e.knots;
            if (e.weights.size() == s.control.size()) s.weights = e.weights;
            s.startTangent = QPointF(e.startTangentX, e.startTangentY);
            s.endTangent = QPointF(e.endTangentX, e.endTangentY);
            AddDxfSpline(piece, s, tolerance);
            break;
        }
        default:
            return true;
    }
    Join(std::move(piece));
    return true;
}

std::optional<Note> DxfHatch::Make(HatchDrawing* out, int64_t* budget, double tolerance,
                                   double unitMm) {
    CloseLoop();
    QPainterPath boundary;
    for (const QPainterPath& loop : _loops) boundary.addPath(loop);
    const double huge = 4 * kMaxCoordinate;
    std::vector<Ring> rings = Styled(
        FlattenRings(boundary, QTransform(), QRectF(-huge, -huge, 2 * huge, 2 * huge), tolerance),
        _pattern ? _pattern->style : 0);
    if (rings.empty()) return std::nullopt;
    const bool solid = _data.solid || QString::fromStdString(_data.pattern).toUpper() == "SOLID";
    if (solid) {
        out->area.setFillRule(Qt::OddEvenFill);
        for (const Ring& ring : rings) {
            out->area.addPolygon(QPolygonF(ring.begin(), ring.end()));
            out->area.closeSubpath();
        }
        return std::nullopt;
    }
    if (!_pattern || _pattern->lines.empty()) return ByName(rings, out, budget, unitMm);
    std::vector<Family> families;
    double pieces = 0;
    for (const DxfText::HatchLine& line : _pattern->lines) {
        const bool dashesFine =
            std::all_of(line.dashes.begin(), line.dashes.end(), [](double d) { return Fine({d}); });
        if (!dashesFine || !Fine({line.angle, line.baseX, line.baseY, line.offsetX, line.offsetY}))
            continue;
        const Family f = FamilyOf(line);
        if (!(f.step > 0)) return Note(NoteId::DxfHatchLinesWithoutStep);
        pieces += PiecesOf(f, rings);
        families.push_back(f);
    }
    if (!(pieces <= static_cast<double>(*budget)))
        return Note(NoteId::DxfHatchPatternsMore, {std::to_string(kMaxHatchPieces)});
    *budget -= static_cast<int64_t>(pieces);
    for (const Family& f : families) AddFamily(f, rings, out->lines);
    return std::nullopt;
}

// The area hatched as a fill is by a pen as wide as the pattern's lines are apart.
std::optional<Note> DxfHatch::ByName(const std::vector<Ring>& rings, HatchDrawing* out,
                                     int64_t* budget, double unitMm) {
    const double scale = std::isfinite(_data.scale) && _data.scale > 0 ? _data.scale : 1;
    const double width = kNamedPatternMm * scale / unitMm;
    QRectF box;
    for (const Ring& ring : rings) box |= QPolygonF(ring.begin(), ring.end()).boundingRect();
    box.adjust(-width, -width, width, width);
    const auto most = static_cast<uint64_t>(std::max<int64_t>(*budget, 0));
    if (HatchLines(rings, Qt::OddEvenFill, width, box, most) > most)
        return Note(NoteId::DxfHatchPatternsMore, {std::to_string(kMaxHatchPieces)});
    const HatchResult hatched = Hatch(rings, Qt::OddEvenFill, width, box, most);
    *budget -= static_cast<int64_t>(hatched.segments);
    for (const std::vector<QPointF>& run : hatched.runs) {
        if (run.empty()) continue;
        out->lines.moveTo(run.front());
        for (size_t i = 1; i < run.size(); ++i) out->lines.lineTo(run[i]);
    }
    _byName = _data.pattern.empty() ? std::string("?") : _data.pattern;
    return std::nullopt;
}
