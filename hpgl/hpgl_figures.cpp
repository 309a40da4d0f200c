#include "hpgl/hpgl_figures.h"

#include <cstdint>

THpglLineType HpglLineType(const double v[3], int n, double diagonal, double unitsPerCm) {
    THpglLineType lt;
    lt.solid = false;
    lt.type = static_cast<std::int8_t>(std::clamp(std::trunc(v[0]), -8.0, 8.0));
    const double length = std::fabs(v[1]);
    if (n >= 3 && v[2] == 1) {
        lt.patternLength = static_cast<float>(length * unitsPerCm / 10);  // millimetres
    } else {
        lt.patternLength = static_cast<float>(diagonal * length / 100);
    }
    return lt;
}

THpglBox HpglLabelCells(std::string_view text, double charW, double charH, double* x, double* y) {
    // Glyph cells: a character is charW wide and charH high, set 1.5 widths apart; a line
    // feed moves down two heights, a carriage return back to where the label began.
    const double cell = charW * 1.5;
    const double line = charH * 2;
    const double startX = *x;
    THpglBox box;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\r') {
            *x = startX;
        } else if (b == '\n') {
            *y -= line;
        } else if (b == '\b') {
            *x -= cell;
        } else if (b >= 0x20) {
            box.Add(*x, *y);
            box.Add(*x + charW, *y + charH);
            *x += cell;
        }
    }
    return box;
}
