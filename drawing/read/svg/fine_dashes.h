#pragma once
// librsvg takes a dash pattern whose period is below cairo's fixed-point step (1/256 of a user
// unit) for no pattern, and cairo writes one too short for its tolerance as a solid line: on
// librsvg's route such a stroke reaches the plot solid without a word, where every other route
// says that its dashes were finer than the plotter draws. This finds them in the drawing before
// librsvg reads it, from the strokes' dash arrays and the transforms and viewBox they are drawn
// through.

#include <QByteArray>

#include "plotjob/plot_note.h"

enum class SolidDashes {
    None,
    Fine,      // too fine for the plotter too (at the drawing's own size)
    UserUnit,  // dashes the plotter could draw, lost to librsvg's step: a drawing of tiny units
};

// `xml`: the drawing as the sanitizer wrote it. The worst of its dashed strokes librsvg draws
// solid.
SolidDashes DashesDrawnSolid(const QByteArray& xml);

inline constexpr NoteId kNoteDashesUserUnit = NoteId::DashPatternsShorter1;
