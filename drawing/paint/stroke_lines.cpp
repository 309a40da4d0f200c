#include "drawing/paint/stroke_lines.h"

#include <algorithm>
#include <cmath>

StrokeDashes DashesOf(const QPen& pen) {
    StrokeDashes out;
    if (pen.style() == Qt::SolidLine || pen.style() == Qt::NoPen) return out;
    const double unit = pen.widthF() > 0 ? pen.widthF() : 1;
    for (double d : pen.dashPattern()) out.pattern.push_back(d * unit);
    out.offset = pen.dashOffset() * unit;
    out.dashed = !out.pattern.empty();
    return out;
}

bool FinerThanPlotter(const StrokeDashes& dashes, const QTransform& transform) {
    return FinerThanPlotter(dashes.pattern, LargestStretch(transform));
}

RunRefusal DashLines(const std::vector<Polyline>& user, const StrokeDashes& dashes,
                     const QTransform& transform, size_t maxPieces,
                     const std::function<void(const Polyline&)>& take) {
    size_t left = maxPieces;
    std::vector<RunPoint> line;
    Polyline dash;
    for (const Polyline& subpath : user) {
        line.clear();
        for (QPointF p : subpath) line.push_back({p.x(), p.y()});
        size_t pieces = 0;
        const RunRefusal refusal = ForEachRun(
            line, dashes.pattern, dashes.offset, left, [&](bool on, std::span<const RunPoint> run) {
                ++pieces;
                if (!on) return;
                dash.clear();
                for (const RunPoint& p : run) dash.push_back(transform.map(QPointF(p.x, p.y)));
                take(dash);
            });
        if (refusal != RunRefusal::none) return refusal;
        left -= std::min(left, pieces);
    }
    return RunRefusal::none;
}

double LargestStretch(const QTransform& t) {
    // The largest singular value of the linear part.
    const double a = t.m11(), b = t.m12(), c = t.m21(), d = t.m22();
    const double uu = a * a + b * b, vv = c * c + d * d, uv = a * c + b * d;
    return std::sqrt((uu + vv) / 2 + std::sqrt((uu - vv) * (uu - vv) / 4 + uv * uv));
}
