#pragma once
// QtSvg draws an elliptical arc of path data as cubics of up to 90 degrees, which stray about
// 2.7e-4 of the radius from the arc: more than a plotter unit on large arcs. Cut into pieces of
// at most kMaxArcPieceDegrees, each piece's cubic stays within about 6.6e-8 of the radius.

#include <QString>
#include <QStringView>
#include <optional>

inline constexpr double kMaxArcPieceDegrees = 22.5;

// `d` (path data) with every arc longer than kMaxArcPieceDegrees written as absolute arcs of
// at most that sweep each, the rest meaning what it meant. Nothing when no arc needed cutting,
// the path data doesn't follow the grammar (QtSvg's own reading then applies) or the result
// would be more than `maxGrowth` characters longer than `d`.
std::optional<QString> SplitPathArcs(QStringView d, qint64 maxGrowth);
