#include "drawing/path_order.h"

#include <cmath>

std::vector<PathStep> DocumentOrder(const PathSet& paths) {
    std::vector<PathStep> steps(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) steps[i] = {static_cast<uint32_t>(i), false, paths.begin(i)};
    return steps;
}

std::vector<PathStep> OrderPaths(const PathSet& paths, PlotPoint) { return DocumentOrder(paths); }

int64_t PenUpTravel(const PathSet&, const std::vector<PathStep>&, PlotPoint) { return 0; }
