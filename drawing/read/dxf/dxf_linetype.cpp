#include "drawing/read/dxf/dxf_linetype.h"

#include <cmath>
#include <span>

#include "drawing/geometry/path_runs.h"
#include "drawing/paint/flatten.h"

namespace {

struct Element {
    bool down;
    double length;
};

// Pieces are handed on for painting in batches of about this many.
constexpr int kDashesPainted = 1 << 16;

// The subpaths of `path` as polylines, its curves within `tolerance` (drawing units), until
// `line` returns false.
template <typename Line>
void ForEachPolyline(const QPainterPath& path, double tolerance, Line&& line) {
    std::vector<RunPoint> points;
    const auto add = [&](QPointF p) { points.push_back({p.x(), p.y()}); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (points.size() > 1 && !line(points)) return;
            points.clear();
            add(e);
        } else if (e.isLineTo()) {
            add(e);
        } else if (e.isCurveTo() && i + 2 < path.elementCount() && !points.empty()) {
            const QPointF p0(points.back().x, points.back().y), p1 = e, p2 = path.elementAt(i + 1),
                                                                p3 = path.elementAt(i + 2);
            const int n = std::min(CubicSteps(p0, p1, p2, p3, tolerance), 4096);
            for (int k = 1; k <= n; ++k) {
                const double t = static_cast<double>(k) / n, u = 1 - t;
                add(p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) +
                    p3 * (t * t * t));
            }
            i += 2;
        }
    }
    if (points.size() > 1) line(points);
}

}  // namespace

DxfLinetype MakeLinetype(const std::vector<double>& given, bool complex) {
    DxfLinetype type;
    type.complex = complex;
    // Runs of one kind are one element (two gaps in a row are one longer gap).
    std::vector<Element> e;
    for (double v : given) {
        if (!std::isfinite(v)) return type;
        const Element next{v >= 0, std::abs(v)};
        if (!e.empty() && e.back().down == next.down)
            e.back().length += next.length;
        else
            e.push_back(next);
    }
    double total = 0;
    for (const Element& x : e) total += x.length;
    if (!e.empty() && !(total > 0)) type.noLength = true;
    if (e.size() < 2 || !(total > 0) || !std::isfinite(total)) return type;  // solid
    // The pattern is a loop: a last element of the first's kind joins it, the line starting
    // that far into it; one that begins with a gap starts at its end.
    double start = 0;
    if (e.front().down == e.back().down) {
        start = e.back().length;
        e.front().length += start;
        e.pop_back();
    }
    if (!e.front().down) {
        start += total - e.front().length;
        e.push_back(e.front());
        e.erase(e.begin());
    }
    for (const Element& x : e) type.pattern.push_back(x.length);
    type.offset = std::fmod(start, total);
    return type;
}

DashOutcome DashPath(const QPainterPath& path, const DxfLinetype& type, double scale,
                     const QTransform& toDevice,
                     const std::function<bool(const QPainterPath&)>& paint) {
    DashOutcome outcome;
    // Plotter units per drawing unit, the larger way where an insert stretches one way more.
    const double k = std::max(std::hypot(toDevice.m11(), toDevice.m12()),
                              std::hypot(toDevice.m21(), toDevice.m22()));
    std::vector<double> pattern;
    for (double v : type.pattern) pattern.push_back(v * scale);
    if (FinerThanPlotter(pattern, k)) {
        outcome.tooFine = true;
        paint(path);
        return outcome;
    }
    bool inverted = false;
    const QTransform fromDevice = toDevice.inverted(&inverted);
    QPainterPath out;
    bool taken = true;
    ForEachPolyline(path, kFlattenTolerance / k, [&](const std::vector<RunPoint>& line) {
        const auto piece = [&](bool down, std::span<const RunPoint> p) {
            if (!down || !taken) return;
            // Painted as it grows within a line too: one long line may hold millions of dashes.
            if (out.elementCount() >= kDashesPainted) {
                taken = paint(out);
                out.clear();
            }
            out.moveTo(p.front().x, p.front().y);
            if (p.size() == 2 && p[0].x == p[1].x && p[0].y == p[1].y) {
                // A dot: one unit across the paper, which rounds to two points.
                const QPointF at = toDevice.map(QPointF(p[0].x, p[0].y));
                out.lineTo(inverted ? fromDevice.map(at + QPointF(1, 0)) : QPointF(p[0].x, p[0].y));
                return;
            }
            for (size_t i = 1; i < p.size(); ++i) out.lineTo(p[i].x, p[i].y);
        };
        const RunRefusal refused = ForEachRun(std::span<const RunPoint>(line), pattern,
                                              type.offset * scale, kMaxDashesPerLine, piece);
        if (refused != RunRefusal::none) {
            outcome.tooMany = true;
            out.moveTo(line.front().x, line.front().y);
            for (size_t i = 1; i < line.size(); ++i) out.lineTo(line[i].x, line[i].y);
        }
        // Painted as it grows: a run of many long lines would otherwise be held whole.
        if (out.elementCount() >= kDashesPainted) {
            taken = paint(out);
            out.clear();
        }
        return taken;
    });
    if (taken && !out.isEmpty()) paint(out);
    return outcome;
}
