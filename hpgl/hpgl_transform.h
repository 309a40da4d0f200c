#pragma once
// User units to plotter units: the mapping that IP and SC set up together.

#include <cmath>
#include <optional>

// Plotter units per centimetre (1/40 mm).
inline constexpr double kHpglUnitsPerCm = 400;

enum class THpglScaleMode { Off, Anisotropic, Isotropic, PointFactor };

// Parameters of the last valid SC, kept so that a later IP re-derives the mapping.
struct THpglScaling {
    THpglScaleMode mode = THpglScaleMode::Off;
    // Anisotropic/Isotropic: xmin, xmax, ymin, ymax. PointFactor: xmin, xfactor, ymin, yfactor.
    double a = 0, b = 0, c = 0, d = 0;
    // Isotropic only: where the unused room goes, percent from the left / bottom.
    double left = 50, bottom = 50;
};

struct THpglTransform {
    double sx = 1, ox = 0, sy = 1, oy = 0;

    double X(double ux) const { return ux * sx + ox; }
    double Y(double uy) const { return uy * sy + oy; }
    double UserX(double px) const { return (px - ox) / sx; }
    double UserY(double py) const { return (py - oy) / sy; }
};

// Empty when the scaling would collapse an axis (empty user range, P1 on P2, zero factor) or
// give non-finite numbers; the caller then keeps the mapping it had.
std::optional<THpglTransform> HpglMakeTransform(double p1x, double p1y, double p2x, double p2y,
                                                const THpglScaling& scaling);

// Number of chords for an arc: the chord angle (degrees, bounded to HP-GL's 0.36..180) divided
// into the sweep (bounded to one full turn), at least one.
int HpglArcChords(double sweepDegrees, double chordDegrees);
