#include "drawing/read/svg/text_lines.h"

#include <QXmlStreamWriter>

namespace {

bool IsTspan(const XmlToken& t) {
    return t.kind == XmlToken::Kind::Start &&
           (t.name == QLatin1String("tspan") || t.name.endsWith(QLatin1String(":tspan")));
}

bool Positioned(const XmlToken& t) {
    return IsTspan(t) && t.attributes.hasAttribute(QLatin1String("x")) &&
           t.attributes.hasAttribute(QLatin1String("y"));
}

bool Blank(const QString& text) { return text.trimmed().isEmpty(); }

void WriteToken(const XmlToken& t, QXmlStreamWriter& writer) {
    switch (t.kind) {
        case XmlToken::Kind::Start:
            writer.writeStartElement(t.name);
            for (const QXmlStreamAttribute& a : t.attributes)
                writer.writeAttribute(a.qualifiedName().toString(), a.value().toString());
            break;
        case XmlToken::Kind::End:
            writer.writeEndElement();
            break;
        case XmlToken::Kind::Characters:
            writer.writeCharacters(t.text);
            break;
        case XmlToken::Kind::CData:
            writer.writeCDATA(t.text);
            break;
    }
}

// Presentation attributes that the tspan sets itself; as declarations after the text's style
// they win over it, as they would have by inheritance.
bool Presentational(QStringView name) {
    static const char* const kNames[] = {
        "fill",           "fill-opacity", "fill-rule",   "stroke",         "stroke-width",
        "stroke-opacity", "font-family",  "font-size",   "font-style",     "font-weight",
        "font-variant",   "font-stretch", "text-anchor", "letter-spacing", "word-spacing",
        "opacity",        "visibility",   "display",     "color"};
    for (const char* n : kNames)
        if (name == QLatin1String(n)) return true;
    return false;
}

// The <text> start for one line: the text's attributes less its id, transform and position,
// then the line tspan's, its style after the text's.
XmlToken LineStart(const XmlToken& text, const XmlToken& line) {
    XmlToken start{XmlToken::Kind::Start, text.name, {}, {}};
    QString style;
    for (const QXmlStreamAttribute& a : text.attributes) {
        const QStringView n = a.qualifiedName();
        if (n == QLatin1String("id") || n == QLatin1String("transform") ||
            n == QLatin1String("x") || n == QLatin1String("y") ||
            n.startsWith(QLatin1String("xmlns")))
            continue;
        if (n == QLatin1String("style")) {
            style = a.value().toString();
            continue;
        }
        bool overridden = false;
        for (const QXmlStreamAttribute& b : line.attributes)
            overridden = overridden || b.qualifiedName() == n;
        if (!overridden)
            start.attributes.append(a.qualifiedName().toString(), a.value().toString());
    }
    for (const QXmlStreamAttribute& b : line.attributes) {
        const QStringView n = b.qualifiedName();
        if (n == QLatin1String("id") || n == QLatin1String("style")) continue;
        if (Presentational(n))
            style += QLatin1Char(';') + n.toString() + QLatin1Char(':') + b.value().toString();
        else
            start.attributes.append(b.qualifiedName().toString(), b.value().toString());
    }
    const QString own = line.attributes.value(QLatin1String("style")).toString();
    if (!own.isEmpty()) style += QLatin1Char(';') + own;
    if (!style.isEmpty()) start.attributes.append(QStringLiteral("style"), style);
    return start;
}

}  // namespace

void WriteTextLines(const std::vector<XmlToken>& tokens, QXmlStreamWriter& writer) {
    if (tokens.size() < 2) return;
    const XmlToken& text = tokens.front();
    // Children of the text: tokens at nesting level 1.
    bool lines = false;
    int level = 0;
    for (size_t i = 1; i + 1 < tokens.size(); ++i) {
        if (tokens[i].kind == XmlToken::Kind::Start && level++ == 0 && Positioned(tokens[i]))
            lines = true;
        if (tokens[i].kind == XmlToken::Kind::End) --level;
    }
    if (!lines) {
        for (const XmlToken& t : tokens) WriteToken(t, writer);
        return;
    }

    writer.writeStartElement(QStringLiteral("g"));
    for (const QXmlStreamAttribute& a : text.attributes) {
        const QStringView n = a.qualifiedName();
        if (n.startsWith(QLatin1String("xmlns")) || n == QLatin1String("id") ||
            n == QLatin1String("transform"))
            writer.writeAttribute(n.toString(), a.value().toString());
    }
    // Before the first line: the original text, in place.
    XmlToken head{XmlToken::Kind::Start, text.name, {}, {}};
    for (const QXmlStreamAttribute& a : text.attributes) {
        const QStringView n = a.qualifiedName();
        if (!n.startsWith(QLatin1String("xmlns")) && n != QLatin1String("id") &&
            n != QLatin1String("transform"))
            head.attributes.append(a);
    }
    WriteToken(head, writer);
    level = 0;
    bool line = false;  // the child being written is a line's tspan, now a <text> of its own
    for (size_t i = 1; i + 1 < tokens.size(); ++i) {
        const XmlToken& t = tokens[i];
        if (level == 0 && Positioned(t)) {
            writer.writeEndElement();
            WriteToken(LineStart(text, t), writer);
            line = true;
            ++level;
            continue;
        }
        if (t.kind == XmlToken::Kind::Start) ++level;
        if (t.kind == XmlToken::Kind::End && --level == 0 && line) {
            // The <text> stays open: what follows the line's tspan is on that line.
            line = false;
            continue;
        }
        // Whitespace between lines is layout of the file, not of the drawing.
        if (level == 0 && t.kind == XmlToken::Kind::Characters && Blank(t.text)) continue;
        WriteToken(t, writer);
    }
    writer.writeEndElement();  // the last <text>
    writer.writeEndElement();  // the group
}
