#pragma once
// What a read of HP-GL is told: the default scaling points, and the bounds that keep hostile
// input from exhausting memory.

#include <cstddef>

struct THpglOptions {
    // Default scaling points (plotter units) after IN or IP;. A4 landscape hard-clip limits of a
    // typical pen plotter; previews that know the paper may pass its own.
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
};
