#pragma once
// Multi-line text as drawing programs write it: one <text> whose <tspan> children each carry
// their own x and y (one per line). Qt's SVG module ignores a tspan's position and runs the
// lines together, so each positioned tspan becomes a <text> of its own at that position, with
// the text's attributes (font, style, class) and the tspan's own on top, inside a group that
// keeps the text's id and transform. Content after a line's tspan stays on that line; content
// before the first stays on the original text.

#include <QString>
#include <QXmlStreamAttributes>
#include <vector>

class QXmlStreamWriter;

// One piece of a captured <text> element, in document order.
struct XmlToken {
    enum class Kind { Start, End, Characters, CData };
    Kind kind;
    QString name;                     // qualified name (Start)
    QXmlStreamAttributes attributes;  // Start, namespace declarations included
    QString text;                     // Characters, CData
};

// Writes the <text> element in `tokens` (its Start first, its End last), split into lines when
// its tspans are positioned, as it stands otherwise.
void WriteTextLines(const std::vector<XmlToken>& tokens, QXmlStreamWriter& writer);
