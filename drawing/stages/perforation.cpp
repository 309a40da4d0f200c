#include "drawing/stages/perforation.h"

std::optional<std::vector<CutPiece>> PerforationPieces(std::span<const RunPoint> line,
                                                       const Perforation& perforation,
                                                       size_t maxPieces) {
    std::vector<CutPiece> pieces;
    const double pattern[] = {perforation.cut, perforation.skip};
    const RunRefusal refused =
        ForEachRun(line, pattern, 0, maxPieces, [&](bool on, std::span<const RunPoint> points) {
            pieces.push_back(CutPiece{on, {points.begin(), points.end()}});
        });
    if (refused != RunRefusal::none) return std::nullopt;
    return pieces;
}
