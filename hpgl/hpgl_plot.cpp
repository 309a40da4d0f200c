#include "hpgl/hpgl_plot.h"

#include <algorithm>
#include <array>

void THpglBox::Add(double x, double y) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

std::size_t THpglPlot::SegmentsAtOrBefore(std::uint64_t offset) const {
    return static_cast<std::size_t>(
        std::upper_bound(segmentOffsets.begin(), segmentOffsets.end(), offset) -
        segmentOffsets.begin());
}

std::size_t THpglPlot::PathsAtOrBefore(std::uint64_t offset) const {
    return ProgressAt(offset).paths;
}

THpglProgress THpglPlot::ProgressAt(std::uint64_t offset) const {
    THpglProgress progress;
    progress.segments = SegmentsAtOrBefore(offset);
    if (progress.segments == 0) return progress;
    // Paths are in drawing order, so the paths begun are those whose first segment is done.
    const auto it = std::partition_point(paths.begin(), paths.end(), [&](const THpglPath& p) {
        return p.firstSegment < progress.segments;
    });
    progress.paths = static_cast<std::size_t>(it - paths.begin());
    if (progress.paths > 0) {
        const THpglPath& last = paths[progress.paths - 1];
        progress.lastPathPoints =
            std::min(last.pointCount, progress.segments - last.firstSegment + 1);
    }
    return progress;
}

namespace {

// HP-GL/2's default patterns; types 1 to 6 are also the classic HP-GL ones.
constexpr std::array<float, 2> kDots{0, 100};
constexpr std::array<float, 2> kHalf{50, 50};
constexpr std::array<float, 2> kLong{70, 30};
constexpr std::array<float, 4> kDashDot{80, 10, 0, 10};
constexpr std::array<float, 4> kDashShort{70, 10, 10, 10};
constexpr std::array<float, 6> kDashTwoShort{50, 10, 10, 10, 10, 10};
constexpr std::array<float, 6> kDashTwoDots{70, 10, 0, 10, 0, 10};
constexpr std::array<float, 8> kDashShortTwoDots{50, 10, 10, 10, 0, 10, 0, 10};
// Type 0 puts a dot at each end point only; along the line it draws nothing.
constexpr std::array<float, 2> kEndDots{0, 100};

}  // namespace

std::span<const float> HpglDashPattern(int type) {
    switch (type < 0 ? -type : type) {
        case 0: return kEndDots;
        case 1: return kDots;
        case 2: return kHalf;
        case 3: return kLong;
        case 4: return kDashDot;
        case 5: return kDashShort;
        case 6: return kDashTwoShort;
        case 7: return kDashTwoDots;
        case 8: return kDashShortTwoDots;
        default: return {};
    }
}
