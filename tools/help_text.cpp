#include "tools/help_text.h"

#include <QRegularExpression>
#include <QStringList>
#include <vector>

namespace {

bool Wide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// A piece the wrapping keeps whole: a word, or one wide character; `spaced` when a space
// stood before it.
struct Piece {
    QString text;
    bool spaced = false;
    bool wide = false;
};

std::vector<Piece> Pieces(const QString& text) {
    std::vector<Piece> out;
    bool space = false;
    for (char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (c == U' ') {
            space = true;
        } else if (Wide(c)) {
            out.push_back({one, space, true});
            space = false;
        } else if (!out.empty() && !out.back().wide && !space) {
            out.back().text += one;
        } else {
            out.push_back({one, space, false});
            space = false;
        }
    }
    return out;
}

// Where a line's text begins: after an option's names and the spaces that follow them, else
// after its own indentation.
int HangingIndent(const QString& line) {
    static const QRegularExpression option(QStringLiteral("^( +\\S.*?  +)\\S"));
    const QRegularExpressionMatch m = option.match(line);
    if (m.hasMatch()) return TextColumns(m.captured(1));
    int spaces = 0;
    while (spaces < line.size() && line[spaces] == u' ') ++spaces;
    return spaces;
}

QStringList WrapLine(const QString& line, int columns) {
    const int indent = HangingIndent(line);
    // Too deep an indent leaves no room: the text then starts at the margin.
    const int hang = indent * 2 < columns ? indent : 0;
    QStringList out;
    QString current = line.left(indent);
    int width = TextColumns(current);
    bool empty = true;
    for (const Piece& p : Pieces(line.mid(indent))) {
        const int need = (p.spaced && !empty ? 1 : 0) + TextColumns(p.text);
        if (!empty && width + need > columns) {
            out << current;
            current = QString(hang, u' ');
            width = hang;
            empty = true;
        }
        if (!empty && p.spaced) {
            current += u' ';
            ++width;
        }
        current += p.text;
        width += TextColumns(p.text);
        empty = false;
    }
    out << current;
    return out;
}

}  // namespace

int TextColumns(const QString& text) {
    int columns = 0;
    for (char32_t c : text.toUcs4()) columns += Wide(c) ? 2 : 1;
    return columns;
}

QString WrapHelp(const QString& help, int columns) {
    QStringList out;
    for (const QString& line : help.split(u'\n')) {
        if (TextColumns(line) <= columns)
            out << line;
        else
            out << WrapLine(line, columns);
    }
    return out.join(u'\n');
}
