#pragma once
// A compact text form of a plot for table-driven tests: "P<pen> x,y x,y | L<pen> ..." (L for
// label boxes), coordinates rounded to 0.001.

#include <cmath>
#include <cstdio>
#include <string>

#include "hpgl/hpgl_plot.h"

inline std::string PlotText(const THpglPlot& plot) {
    std::string out;
    for (const THpglPath& path : plot.paths) {
        if (!out.empty()) out += " | ";
        out += path.kind == THpglPathKind::Label ? 'L' : 'P';
        out += std::to_string(path.pen);
        for (const THpglPoint& p : plot.PathPoints(path)) {
            char buf[64];
            double x = std::round(p.x * 1000) / 1000 + 0.0;
            double y = std::round(p.y * 1000) / 1000 + 0.0;
            std::snprintf(buf, sizeof buf, " %g,%g", x, y);
            out += buf;
        }
    }
    return out;
}
