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
                     const std::function<void(const Polyline&)>& take,
                     std::span<const double> starts) {
    size_t left = maxPieces;
    std::vector<RunPoint> line;
    Polyline dash;
    for (size_t i = 0; i < user.size(); ++i) {
        line.clear();
        for (QPointF p : user[i]) line.push_back({p.x(), p.y()});
        size_t pieces = 0;
        const double offset = dashes.offset + (i < starts.size() ? starts[i] : 0);
        const RunRefusal refusal = ForEachRun(
            line, dashes.pattern, offset, left, [&](bool on, std::span<const RunPoint> run) {
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

double DashPieces(const std::vector<Polyline>& user, const StrokeDashes& dashes) {
    double total = 0;
    for (double d : dashes.pattern) total += d;
    const double n = static_cast<double>(dashes.pattern.size());
    double pieces = 0;
    for (const Polyline& line : user) {
        double length = 0;
        for (size_t i = 1; i < line.size(); ++i) {
            const QPointF d = line[i] - line[i - 1];
            length += std::hypot(d.x(), d.y());
        }
        pieces += length / total * n + 2 * n;
    }
    return pieces;
}

ShownPieces ClipInOwnUnits(const std::vector<Polyline>& user, const QTransform& transform,
                           const ClipRegion& clip) {
    std::vector<Polyline> device;
    device.reserve(user.size());
    for (const Polyline& line : user) {
        Polyline mapped;
        mapped.reserve(line.size());
        for (QPointF p : line) mapped.push_back(transform.map(p));
        device.push_back(std::move(mapped));
    }
    ShownPieces out;
    bool invertible = false;
    const QTransform back = transform.inverted(&invertible);
    if (!invertible) return out;
    // Lengths along each subpath in its own units, up to each of its points.
    std::vector<std::vector<double>> along(user.size());
    for (ClipRegion::LinePiece& piece : clip.CutLinesAlong(device)) {
        const Polyline& line = user[piece.line];
        std::vector<double>& lengths = along[piece.line];
        if (lengths.empty()) {
            lengths.push_back(0);
            for (size_t i = 1; i < line.size(); ++i) {
                const QPointF d = line[i] - line[i - 1];
                lengths.push_back(lengths.back() + std::hypot(d.x(), d.y()));
            }
        }
        const size_t segment = std::min(static_cast<size_t>(piece.from), lengths.size() - 1);
        const double share = piece.from - static_cast<double>(segment);
        const double next = segment + 1 < lengths.size() ? lengths[segment + 1] : lengths[segment];
        out.starts.push_back(lengths[segment] + share * (next - lengths[segment]));
        for (QPointF& p : piece.points) p = back.map(p);
        out.user.push_back(std::move(piece.points));
    }
    return out;
}

double LargestStretch(const QTransform& t) {
    // The largest singular value of the linear part.
    const double a = t.m11(), b = t.m12(), c = t.m21(), d = t.m22();
    const double uu = a * a + b * b, vv = c * c + d * d, uv = a * c + b * d;
    return std::sqrt((uu + vv) / 2 + std::sqrt((uu - vv) * (uu - vv) / 4 + uv * uv));
}
