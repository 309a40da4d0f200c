#include "platform/balanced_lines.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The paragraph's lines when wrapped at `width`.
QStringList LinesAt(const QString& paragraph, const QFont& font, qreal width) {
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << paragraph.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

// The narrowest width, at most `widest`, that needs no more lines than `widest` does.
int NarrowestWidth(const QString& paragraph, const QFont& font, int widest) {
    const qreal whole = QFontMetricsF(font).horizontalAdvance(paragraph);
    if (whole <= widest) return static_cast<int>(std::ceil(whole));
    const qsizetype count = LinesAt(paragraph, font, widest).size();
    int low = 1, high = widest;
    while (low < high) {
        const int mid = (low + high) / 2;
        if (LinesAt(paragraph, font, mid).size() <= count)
            high = mid;
        else
            low = mid + 1;
    }
    return high;
}

// Where a Japanese line reads best broken: after a comma or a full stop, or before an opening
// bracket; a space is as good (words stay whole).
bool GoodBreak(const QString& text, qsizetype at) {
    static const QString after = QStringLiteral("、。，．！？ ");
    static const QString before = QStringLiteral("「『（(【〔［");
    return after.contains(text[at - 1]) || before.contains(text[at]);
}

// The paragraph's lines at `width`, each line's break moved back to a good break point in its
// last third where the layout would break mid-word.
QStringList ReadableLinesAt(const QString& paragraph, const QFont& font, qreal width) {
    QStringList lines;
    for (qsizetype start = 0; start < paragraph.size();) {
        const QString rest = paragraph.mid(start);
        const QStringList plain = LinesAt(rest, font, width);
        qsizetype length = plain.isEmpty() ? rest.size() : std::max<qsizetype>(1, plain[0].size());
        if (length < rest.size() && !GoodBreak(rest, length)) {
            for (qsizetype at = length - 1; at > length - (length + 2) / 3 && at > 0; --at) {
                if (!GoodBreak(rest, at)) continue;
                length = at;
                break;
            }
        }
        lines << rest.left(length);
        start += length;
    }
    return lines;
}

// The narrowest width, at most `widest`, at which the readable breaks need no more lines than
// the plain layout does at `widest`; none when even `widest` needs more.
std::optional<int> NarrowestReadableWidth(const QString& paragraph, const QFont& font, int widest) {
    const qsizetype count = LinesAt(paragraph, font, widest).size();
    int low = NarrowestWidth(paragraph, font, widest), high = widest;
    if (ReadableLinesAt(paragraph, font, high).size() > count) return std::nullopt;
    while (low < high) {
        const int mid = (low + high) / 2;
        if (ReadableLinesAt(paragraph, font, mid).size() <= count)
            high = mid;
        else
            low = mid + 1;
    }
    return high;
}

QString Balanced(const QString& paragraph, const QFont& font, int widest) {
    if (QFontMetricsF(font).horizontalAdvance(paragraph) <= widest) return paragraph;
    const std::optional<int> readable = NarrowestReadableWidth(paragraph, font, widest);
    QStringList lines = readable
                            ? ReadableLinesAt(paragraph, font, *readable)
                            : LinesAt(paragraph, font, NarrowestWidth(paragraph, font, widest));
    for (QString& line : lines) {
        while (line.endsWith(QLatin1Char(' '))) line.chop(1);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

QString BalancedLines(const QString& text, const QFont& font, int widest) {
    QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (QString& paragraph : paragraphs) paragraph = Balanced(paragraph, font, widest);
    return paragraphs.join(QLatin1Char('\n'));
}

int BalancedWidth(const QString& text, const QFont& font, int widest) {
    int width = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n')))
        width = std::max(width, NarrowestWidth(paragraph, font, widest));
    return std::min(width + 1, widest);  // a pixel more: the label rounds its own widths
}
