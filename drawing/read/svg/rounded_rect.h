#pragma once
// A dashed rect with rounded corners, as SVG draws it: its outline starts at (x + rx, y), after
// the top left corner, and runs clockwise. Qt's SVG module starts it elsewhere (below the top
// left corner), so its dashes fall in other places than in every other reader, librsvg
// included. Written as a path that starts where SVG says, it is dashed alike by both routes.

#include <QString>
#include <QXmlStreamAttributes>
#include <optional>

// The rect's outline as path data; nothing when it has no rounding, or when its geometry is
// not plain numbers (units, percentages: left to the reader).
std::optional<QString> RoundedRectPath(const QXmlStreamAttributes& rect);

// What the element's own attributes say of its dashes: dashed, not dashed ("none"), or nothing
// (it inherits them).
std::optional<bool> OwnDashes(const QXmlStreamAttributes& element);
// The element's own dash array as written (attribute or style); nothing when it inherits.
std::optional<QString> OwnDashArray(const QXmlStreamAttributes& element);
