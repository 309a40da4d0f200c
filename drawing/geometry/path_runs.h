#pragma once
// Cutting a polyline into pieces by a repeating pattern of lengths measured along it. A dashed
// stroke (dash, gap, dash, ...), a CAD linetype (dashes, gaps, dots) and a perforating cut (cut,
// skip, ...) are the same walk; only what the caller does with each piece differs.
//
// The pattern's even entries are "on" pieces, its odd entries "off" pieces; an odd-length pattern
// repeats twice to make it even, as SVG and PDF both say. An "on" of length 0 is a dot (a piece
// of two equal points: a touch of the pen). An "off" of length 0 does not lift: the pieces either
// side of it are one piece, so a pattern of 5, 0 draws the line whole. Each call starts afresh at
// `offset` into the pattern: callers call once per subpath.
//
// Includes nothing of the drawing, so every stage can use it on whatever points it holds.

#include <cmath>
#include <cstddef>
#include <span>
#include <vector>

struct RunPoint {
    double x = 0;
    double y = 0;
};

// Why a pattern was not applied; the caller decides whether to draw the line whole with a note
// or to refuse the drawing.
enum class RunRefusal { none, bad_pattern, too_many_pieces };

namespace path_runs_detail {
inline double Distance(const RunPoint& a, const RunPoint& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}
inline RunPoint Along(const RunPoint& a, const RunPoint& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}
}  // namespace path_runs_detail

// A pattern that can be walked: every entry finite and not negative, and some length to it.
inline bool UsablePattern(std::span<const double> pattern) {
    double total = 0;
    for (double d : pattern) {
        if (!std::isfinite(d) || d < 0) return false;
        total += d;
    }
    return total > 0 && std::isfinite(total);
}

// A pattern whose pieces average less than one plotter unit on the paper can't be drawn apart:
// every kind of drawing draws it solid, by this one rule. stretch: plotter units per unit of the
// pattern.
inline bool FinerThanPlotter(std::span<const double> pattern, double stretch) {
    double total = 0;
    for (double d : pattern) total += d;
    return !(stretch > 0) || !(total * stretch >= static_cast<double>(pattern.size()));
}

// Calls piece(bool on, std::span<const RunPoint> points) for each piece in order along `line`,
// "off" pieces too (a perforating cut with the pen kept down needs them). Nothing is called when
// the pattern is unusable or when the line would be cut into more than `max_pieces` pieces; the
// refusal says which. A line of no length is one piece, as it stands.
template <class F>
RunRefusal ForEachRun(std::span<const RunPoint> line, std::span<const double> given, double offset,
                      size_t max_pieces, F&& piece) {
    using path_runs_detail::Along;
    using path_runs_detail::Distance;
    if (!UsablePattern(given)) return RunRefusal::bad_pattern;
    std::vector<double> pattern(given.begin(), given.end());
    if (pattern.size() % 2) pattern.insert(pattern.end(), given.begin(), given.end());
    double total = 0, length = 0;
    for (double d : pattern) total += d;
    for (size_t i = 1; i < line.size(); ++i) length += Distance(line[i - 1], line[i]);
    const size_t n = pattern.size();
    if (length / total * static_cast<double>(n) + static_cast<double>(n) >
        static_cast<double>(max_pieces))
        return RunRefusal::too_many_pieces;
    if (line.empty()) return RunRefusal::none;
    if (!(length > 0)) {
        piece(true, line);
        return RunRefusal::none;
    }

    double phase = std::isfinite(offset) ? std::fmod(offset, total) : 0;
    if (phase < 0) phase += total;
    size_t k = 0;
    while (phase > 0 && phase >= pattern[k]) phase -= pattern[k], k = (k + 1) % n;
    double remaining = pattern[k] - phase;

    std::vector<RunPoint> buf{line[0]};
    for (size_t i = 1; i < line.size(); ++i) {
        const RunPoint a = line[i - 1], b = line[i];
        const double seg = Distance(a, b);
        double s = 0;
        while (seg - s >= remaining) {
            s += remaining;
            const RunPoint p = seg > 0 ? Along(a, b, s / seg) : b;
            buf.push_back(p);
            const bool on = k % 2 == 0;
            k = (k + 1) % n;
            if (on && pattern[k] == 0) {  // a gap of nothing: the dash goes on
                k = (k + 1) % n;
            } else {
                piece(on, std::span<const RunPoint>(buf));
                buf.assign(1, p);
            }
            remaining = pattern[k];
        }
        if (seg > s) buf.push_back(b);
        remaining -= seg - s;
    }
    if (buf.size() > 1) piece(k % 2 == 0, std::span<const RunPoint>(buf));
    return RunRefusal::none;
}
