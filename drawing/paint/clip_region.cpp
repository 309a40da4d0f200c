#include "drawing/paint/clip_region.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "drawing/paint/flatten.h"

namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

// Grid steps per device unit: a 1/1024 unit grid loses nothing a plotter could show, and leaves
// room for a drawing a hundred kilometres wide before Clipper's range ends.
constexpr double kGrid = 1024;
constexpr double kFar = 1e12;  // device units; beyond this a point is pulled in

IntPoint ToGrid(QPointF p) {
    const double x = std::clamp(p.x(), -kFar, kFar), y = std::clamp(p.y(), -kFar, kFar);
    return IntPoint(static_cast<cInt>(std::llround(x * kGrid)),
                    static_cast<cInt>(std::llround(y * kGrid)));
}

QPointF FromGrid(const IntPoint& p) {
    return QPointF(static_cast<double>(p.X) / kGrid, static_cast<double>(p.Y) / kGrid);
}

bool Finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// A non-finite point breaks a line: Clipper must never see one.
void AddLine(const Polyline& line, Paths* out) {
    Path path;
    const auto flush = [&] {
        if (path.size() > 1) out->push_back(std::move(path));
        path.clear();
    };
    for (QPointF p : line) {
        if (!Finite(p)) {
            flush();
            continue;
        }
        const IntPoint q = ToGrid(p);
        if (path.empty() || !(path.back() == q)) path.push_back(q);
    }
    flush();
}

Paths RingsToGrid(const std::vector<Ring>& rings) {
    Paths out;
    for (const Ring& ring : rings) {
        Path path;
        for (QPointF p : ring)
            if (Finite(p)) path.push_back(ToGrid(p));
        if (path.size() > 2) out.push_back(std::move(path));
    }
    return out;
}

QRectF BoxOf(const Paths& paths) {
    cInt x0 = 0, y0 = 0, x1 = -1, y1 = -1;
    bool first = true;
    for (const Path& path : paths)
        for (const IntPoint& p : path) {
            x0 = first ? p.X : std::min(x0, p.X);
            y0 = first ? p.Y : std::min(y0, p.Y);
            x1 = first ? p.X : std::max(x1, p.X);
            y1 = first ? p.Y : std::max(y1, p.Y);
            first = false;
        }
    if (first) return {};
    return QRectF(FromGrid(IntPoint(x0, y0)), FromGrid(IntPoint(x1, y1)));
}

ClipperLib::PolyFillType FillOf(Qt::FillRule rule) {
    return rule == Qt::WindingFill ? ClipperLib::pftNonZero : ClipperLib::pftEvenOdd;
}

// The area of `paths` under `rule` as Clipper's simple polygons.
Paths Simplified(const Paths& paths, Qt::FillRule rule) {
    Paths out;
    ClipperLib::SimplifyPolygons(paths, out, FillOf(rule));
    return out;
}

// How far along `line` the point nearest `p` lies: its segment's index plus the share of it.
double Along(const Polyline& line, QPointF p) {
    double best = std::numeric_limits<double>::infinity(), at = 0;
    for (size_t i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], d = line[i] - a;
        const double dd = QPointF::dotProduct(d, d);
        const double t = dd > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / dd, 0.0, 1.0) : 0;
        const QPointF q = a + d * t - p;
        const double gap = QPointF::dotProduct(q, q);
        if (gap < best) best = gap, at = static_cast<double>(i - 1) + t;
    }
    return at;
}

}  // namespace

ClipRegion::ClipRegion(Paths polygons, bool rect)
    : _polygons(std::move(polygons)), _box(BoxOf(_polygons)), _rect(rect) {}

std::shared_ptr<const ClipRegion> ClipRegion::FromPath(const QPainterPath& path) {
    const QRectF everywhere(-kFar, -kFar, 2 * kFar, 2 * kFar);
    const std::vector<Ring> rings = FlattenRings(path, QTransform(), everywhere, 0.25);
    // A rectangle (four corners, sides along the axes) keeps the quick test of Holds.
    bool rect = rings.size() == 1 && rings[0].size() == 4;
    for (size_t i = 0; rect && i < 4; ++i) {
        const QPointF a = rings[0][i], b = rings[0][(i + 1) % 4];
        rect = a.x() == b.x() || a.y() == b.y();
    }
    return std::make_shared<ClipRegion>(Simplified(RingsToGrid(rings), path.fillRule()), rect);
}

std::shared_ptr<const ClipRegion> ClipRegion::FromPaths(const std::vector<QPainterPath>& paths) {
    if (paths.size() == 1) return FromPath(paths.front());
    const QRectF everywhere(-kFar, -kFar, 2 * kFar, 2 * kFar);
    ClipperLib::Clipper clipper;
    for (const QPainterPath& path : paths)
        clipper.AddPaths(Simplified(RingsToGrid(FlattenRings(path, QTransform(), everywhere, 0.25)),
                                    path.fillRule()),
                         ClipperLib::ptSubject, true);
    Paths out;
    clipper.Execute(ClipperLib::ctUnion, out, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    return std::make_shared<ClipRegion>(std::move(out));
}

std::shared_ptr<const ClipRegion> ClipRegion::FromRect(const QRectF& rect) {
    const Ring ring{rect.topLeft(), rect.topRight(), rect.bottomRight(), rect.bottomLeft()};
    return std::make_shared<ClipRegion>(Simplified(RingsToGrid({ring}), Qt::WindingFill), true);
}

std::shared_ptr<const ClipRegion> ClipRegion::Intersected(const ClipRegion& other) const {
    if (other.Holds(_box)) return std::make_shared<ClipRegion>(_polygons, _rect);
    if (Holds(other._box)) return std::make_shared<ClipRegion>(other._polygons, other._rect);
    ClipperLib::Clipper clipper;
    clipper.AddPaths(_polygons, ClipperLib::ptSubject, true);
    clipper.AddPaths(other._polygons, ClipperLib::ptClip, true);
    Paths out;
    clipper.Execute(ClipperLib::ctIntersection, out, ClipperLib::pftNonZero,
                    ClipperLib::pftNonZero);
    return std::make_shared<ClipRegion>(std::move(out));
}

std::vector<Polyline> ClipRegion::CutLines(const std::vector<Polyline>& lines) const {
    std::vector<Polyline> out;
    for (LinePiece& piece : CutLinesAlong(lines)) out.push_back(std::move(piece.points));
    return out;
}

std::vector<ClipRegion::LinePiece> ClipRegion::CutLinesAlong(
    const std::vector<Polyline>& lines) const {
    std::vector<LinePiece> out;
    if (_polygons.empty()) return out;
    Paths open, pieces;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Polyline& line = lines[i];
        open.clear();
        AddLine(line, &open);
        if (open.empty()) continue;
        ClipperLib::Clipper clipper;
        clipper.AddPaths(open, ClipperLib::ptSubject, false);
        clipper.AddPaths(_polygons, ClipperLib::ptClip, true);
        ClipperLib::PolyTree tree;
        clipper.Execute(ClipperLib::ctIntersection, tree, ClipperLib::pftNonZero,
                        ClipperLib::pftNonZero);
        ClipperLib::OpenPathsFromPolyTree(tree, pieces);
        for (const Path& piece : pieces) {
            LinePiece cut{i, 0, {}};
            cut.points.reserve(piece.size());
            for (const IntPoint& p : piece) cut.points.push_back(FromGrid(p));
            // Clipper may hand a piece back the other way round: a knife cuts the way the
            // drawing drew it.
            if (cut.points.size() > 1) {
                const double from = Along(line, cut.points.front());
                const double to = Along(line, cut.points.back());
                if (from > to) std::reverse(cut.points.begin(), cut.points.end());
                cut.from = std::min(from, to);
            }
            out.push_back(std::move(cut));
        }
    }
    return out;
}

std::vector<Ring> ClipRegion::CutArea(const std::vector<Ring>& rings, Qt::FillRule rule) const {
    std::vector<Ring> out;
    const Paths area = RingsToGrid(rings);
    if (area.empty() || _polygons.empty()) return out;
    ClipperLib::Clipper clipper;
    clipper.AddPaths(area, ClipperLib::ptSubject, true);
    clipper.AddPaths(_polygons, ClipperLib::ptClip, true);
    Paths cut;
    clipper.Execute(ClipperLib::ctIntersection, cut, FillOf(rule), ClipperLib::pftNonZero);
    for (const Path& path : cut) {
        Ring ring;
        ring.reserve(path.size());
        for (const IntPoint& p : path) ring.push_back(FromGrid(p));
        out.push_back(std::move(ring));
    }
    return out;
}
