#include "hpgl/hpgl_transform.h"

#include <algorithm>

namespace {

bool Usable(double s) { return std::isfinite(s) && std::fabs(s) > 1e-12; }

}  // namespace

std::optional<THpglTransform> HpglMakeTransform(double p1x, double p1y, double p2x, double p2y,
                                                const THpglScaling& sc) {
    THpglTransform t;
    const double w = p2x - p1x;
    const double h = p2y - p1y;
    switch (sc.mode) {
        case THpglScaleMode::Off:
            return t;
        case THpglScaleMode::Anisotropic:
            t.sx = w / (sc.b - sc.a);
            t.sy = h / (sc.d - sc.c);
            t.ox = p1x - sc.a * t.sx;
            t.oy = p1y - sc.c * t.sy;
            break;
        case THpglScaleMode::Isotropic: {
            const double fx = w / (sc.b - sc.a);
            const double fy = h / (sc.d - sc.c);
            const double s = std::min(std::fabs(fx), std::fabs(fy));
            t.sx = std::copysign(s, fx);
            t.sy = std::copysign(s, fy);
            // The axis with room to spare gets the user range placed by left/bottom percent.
            const double spareX = std::fabs(w) - s * std::fabs(sc.b - sc.a);
            const double spareY = std::fabs(h) - s * std::fabs(sc.d - sc.c);
            t.ox = p1x - sc.a * t.sx + std::copysign(spareX * sc.left / 100, w);
            t.oy = p1y - sc.c * t.sy + std::copysign(spareY * sc.bottom / 100, h);
            break;
        }
        case THpglScaleMode::PointFactor:
            t.sx = sc.b;
            t.sy = sc.d;
            t.ox = p1x - sc.a * t.sx;
            t.oy = p1y - sc.c * t.sy;
            break;
    }
    if (!Usable(t.sx) || !Usable(t.sy) || !std::isfinite(t.ox) || !std::isfinite(t.oy)) {
        return std::nullopt;
    }
    return t;
}

int HpglArcChords(double sweepDegrees, double chordDegrees) {
    const double sweep = std::min(std::fabs(sweepDegrees), 360.0);
    double chord = std::fabs(chordDegrees);
    if (!std::isfinite(chord)) chord = 5;
    chord = std::clamp(chord, 0.36, 180.0);
    const double n = std::ceil(sweep / chord - 1e-9);
    return std::max(1, static_cast<int>(n));
}
