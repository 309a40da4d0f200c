#pragma once
// Perforation: the lines of one pen cut in pieces of the cut length with skips between, so that
// the shape stays in the sheet until it is pressed out.

#include <cstddef>
#include <string>

#include "drawing/stages/cut_options.h"
#include "drawing/stages/stroke_stage.h"

// A perforated line cut into more pieces than this (kilometres of 0.1 mm pieces) can't be
// held as its pieces.
inline constexpr size_t kMaxPerforationPieces = size_t{1} << 20;

// The strokes of the perforation's pen in pieces along them, from each start with a cut. With a
// cut and a skip force the pen stays down through the skips, pressed lightly over them, and is
// left at the cut's force; without, it is lifted over them. A line that would be cut into more
// than kMaxPerforationPieces pieces refuses the plot: cut whole, it would go through where it
// should hold.
class PerforationStage final : public StrokeStage {
public:
    explicit PerforationStage(const Perforation& perforation) : _perforation(perforation) {}
    void Pass(const Stroke& stroke, StrokeSink& next) override;
    std::optional<Note> Multiplies() const override;

private:
    Perforation _perforation;
    Stroke _piece;
};
