#include "drawing/stages/drag_knife.h"

#include <cmath>
#include <numbers>

namespace {

// The holder swings in steps of at most this: on a blade offset of a millimetre or less the
// chords stay within a hundredth of a millimetre of the arc.
constexpr double kSwivelStepDegrees = 10;

struct Direction {
    double x = 1, y = 0;
};

Direction Towards(const RunPoint& a, const RunPoint& b) {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    return {(b.x - a.x) / length, (b.y - a.y) / length};
}

RunPoint Ahead(const RunPoint& p, const Direction& d, double by) {
    return {p.x + d.x * by, p.y + d.y * by};
}

std::vector<RunPoint> WithoutRepeats(std::span<const RunPoint> line) {
    std::vector<RunPoint> out;
    for (const RunPoint& p : line)
        if (out.empty() || p.x != out.back().x || p.y != out.back().y) out.push_back(p);
    return out;
}

// The closed path `points` cut on from its start by `length` along it (at most once round).
void CutOnPastStart(std::vector<RunPoint>& points, double length) {
    const size_t n = points.size();
    for (size_t i = 1; i < n && length > 0; ++i) {
        const RunPoint a = points[i - 1], b = points[i];
        const double segment = std::hypot(b.x - a.x, b.y - a.y);
        if (segment >= length) {
            points.push_back(path_runs_detail::Along(a, b, length / segment));
            return;
        }
        points.push_back(b);
        length -= segment;
    }
}

}  // namespace

std::vector<RunPoint> DragKnifePath(std::span<const RunPoint> line, const DragKnife& knife) {
    std::vector<RunPoint> points = WithoutRepeats(line);
    const bool closed = points.size() > 2 && points.front().x == points.back().x &&
                        points.front().y == points.back().y;
    if (closed && knife.overcut > 0) CutOnPastStart(points, knife.overcut);
    const double r = knife.offset;
    if (points.size() < 2 || !(r > 0)) return points;

    std::vector<RunPoint> holder;
    Direction d = Towards(points[0], points[1]);
    holder.push_back(Ahead(points[0], d, r));
    const double swivel = kKnifeSwivelDegrees * std::numbers::pi / 180;
    const double step = kSwivelStepDegrees * std::numbers::pi / 180;
    for (size_t i = 1; i < points.size(); ++i) {
        const RunPoint& corner = points[i];
        holder.push_back(Ahead(corner, d, r));
        if (i + 1 == points.size()) break;
        const Direction next = Towards(corner, points[i + 1]);
        const double from = std::atan2(d.y, d.x);
        double turn = std::atan2(next.y, next.x) - from;
        if (turn > std::numbers::pi) turn -= 2 * std::numbers::pi;
        if (turn <= -std::numbers::pi) turn += 2 * std::numbers::pi;
        if (std::abs(turn) > swivel) {
            const int steps = static_cast<int>(std::ceil(std::abs(turn) / step));
            for (int k = 1; k < steps; ++k) {
                const double a = from + turn * k / steps;
                holder.push_back({corner.x + r * std::cos(a), corner.y + r * std::sin(a)});
            }
        }
        d = next;
        holder.push_back(Ahead(corner, d, r));
    }
    return holder;
}

// A stroke's forces belong to its points, which the holder's path replaces: the knife comes
// before the stages that set them.
void DragKnifeStage::Pass(const Stroke& stroke, StrokeSink& next) {
    if (stroke.pen != _knife.pen) return next.Draw(stroke);
    _path.Clear();
    _path.pen = stroke.pen;
    _path.points = DragKnifePath(stroke.points, _knife);
    _path.shaped = true;
    next.Draw(_path);
}

std::optional<Note> DragKnifeStage::Multiplies() const {
    return Note(NoteId::DragKnifeSwingsCorners);
}
