#include "drawing/stages/perforation.h"

#include <cstdio>
#include <span>

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_runs.h"

namespace {

std::string Mm(double units) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", units / kPlotUnitsPerMm);
    return text;
}

Note PerforationSet(const Perforation& p) {
    return Note(NoteId::PenCutMmSkip, {std::to_string(p.pen), Mm(p.cut), Mm(p.skip)});
}

}  // namespace

std::optional<Note> PerforationStage::Multiplies() const {
    return Note(NoteId::PerforationCutsLinesInto, {PerforationSet(_perforation)});
}

void PerforationStage::Pass(const Stroke& stroke, StrokeSink& next) {
    const Perforation& p = _perforation;
    if (stroke.pen != p.pen) return next.Draw(stroke);
    // Without a cut force to press again after a skip, a pen kept down would cut the skips
    // through at the skip's force: it is lifted over them instead.
    const bool lifted = p.skipForce <= 0 || p.cutForce <= 0;
    _piece.Clear();
    _piece.pen = stroke.pen;
    _piece.shaped = true;
    bool lastCut = true;
    const double pattern[] = {p.cut, p.skip};
    const RunRefusal refused =
        ForEachRun(std::span<const RunPoint>(stroke.points), pattern, 0, kMaxPerforationPieces,
                   [&](bool cut, std::span<const RunPoint> points) {
                       if (lifted) {
                           if (!cut) return;
                           _piece.points.assign(points.begin(), points.end());
                           return next.Draw(_piece);
                       }
                       // One stroke, pieces sharing their ends, a force where each begins.
                       if (_piece.points.empty()) _piece.points.push_back(points.front());
                       _piece.forces.push_back({static_cast<uint32_t>(_piece.points.size()),
                                                cut ? p.cutForce : p.skipForce});
                       _piece.points.insert(_piece.points.end(), points.begin() + 1, points.end());
                       lastCut = cut;
                   });
    if (refused != RunRefusal::none) {
        next.Refuse(Note(NoteId::LineTooLongPerforated,
                         {PerforationSet(p), std::to_string(kMaxPerforationPieces)}));
        return;
    }
    if (lifted || _piece.points.empty()) return;
    // The force left behind is the cut's, whatever is cut next.
    if (!lastCut)
        _piece.forces.push_back({static_cast<uint32_t>(_piece.points.size()), p.cutForce});
    next.Draw(_piece);
}
