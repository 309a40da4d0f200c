#pragma once
// A font-family that lists families ("Times,serif", as graphviz writes every label; "'Segoe
// UI', Arial, sans-serif" in a style sheet) is one name to Qt's SVG module: no font is called
// that, so its text comes out in Qt's default sans, a third wider than the drawing's Times.
// librsvg hands the whole list to fontconfig, which picks the first family it has or stands in
// for (Nimbus Roman for Times). So the list is replaced by fontconfig's pick before Qt reads
// the drawing, and Qt sets the text in the font librsvg would; one family alone is left as
// written (Qt asks fontconfig for it itself).

#include <QString>
#include <QStringView>
#include <optional>

// The family fontconfig picks for the CSS family list `list`, quoted for CSS; nothing for one
// family, an empty list, or a pick that can't be quoted.
std::optional<QString> FontListChoice(QStringView list);

// `style` (a style attribute, or a style sheet's text) with each font-family list so replaced;
// nothing when it has none.
std::optional<QString> StyleWithFontChoices(QStringView style);
