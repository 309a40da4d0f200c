#pragma once
// What a read of HP-GL is told: the default scaling points, and the bounds that keep hostile
// input from exhausting memory.

#include <cstddef>

// A plotter's step, in steps per inch: HP-GL's own is 1016 (0.025 mm); plotters of a finer or
// coarser step are read with theirs, from 100 to 10000.
inline constexpr int kHpglStepsPerInch = 1016;
inline constexpr int kFewestStepsPerInch = 100;
inline constexpr int kMostStepsPerInch = 10000;

struct THpglOptions {
    // The plotter's steps per inch: coordinates stay in its steps, while what HP-GL gives in
    // centimetres or millimetres (character sizes, dash lengths) and the default scaling points
    // take their real size in them.
    double stepsPerInch = kHpglStepsPerInch;
    // Default scaling points after IN or IP;, in steps of 0.025 mm (at another step they lie at
    // the same millimetres). A4 landscape hard-clip limits of a typical pen plotter; previews
    // that know the paper may pass its own.
    double p1x = 0;
    double p1y = 0;
    double p2x = 11880;
    double p2y = 8400;
    // The reader stops adding geometry (and sets THpglPlot::truncated) beyond this many segments,
    // so hostile input (tiny circles with a tiny chord angle, say) can't exhaust memory. About
    // 16 bytes per segment.
    std::size_t maxSegments = 16'000'000;
    // Largest piece a streamed read asks for at once (0: its window). Small pieces put piece
    // boundaries inside instructions, numbers and escapes, which is what tests want.
    std::size_t streamPiece = 0;

    double unitsPerCm() const { return stepsPerInch / 2.54; }
    // Steps of this plotter per step of HP-GL's own.
    double stepScale() const { return stepsPerInch / kHpglStepsPerInch; }
};
