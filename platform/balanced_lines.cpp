#include "platform/balanced_lines.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

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

// The balanced lines, each break moved to the nearest good break point within a third of its
// line where the layout would break mid-word. The rest is balanced again after each line, so a
// line that ends earlier leaves the next one room up to `widest`.
QStringList ReadableLines(const QString& paragraph, const QFont& font, int widest) {
    QStringList lines;
    for (qsizetype start = 0; start < paragraph.size();) {
        const QString rest = paragraph.mid(start);
        const QStringList balanced = LinesAt(rest, font, NarrowestWidth(rest, font, widest));
        qsizetype length = balanced.size() < 2 ? rest.size() : balanced[0].size();
        if (length < rest.size() && !GoodBreak(rest, length)) {
            const qsizetype longest = LinesAt(rest, font, widest).value(0).size();
            const qsizetype reach = (length + 2) / 3;
            for (qsizetype step = 1; step <= reach; ++step) {
                if (length - step > 0 && GoodBreak(rest, length - step)) {
                    length -= step;
                    break;
                }
                if (length + step <= longest && length + step < rest.size() &&
                    GoodBreak(rest, length + step)) {
                    length += step;
                    break;
                }
            }
        }
        lines << rest.left(std::max<qsizetype>(length, 1));
        start += lines.back().size();
    }
    return lines;
}

QString Balanced(const QString& paragraph, const QFont& font, int widest) {
    if (QFontMetricsF(font).horizontalAdvance(paragraph) <= widest) return paragraph;
    QStringList lines = ReadableLines(paragraph, font, widest);
    // A moved break must not cost a line: the box would grow for it.
    if (lines.size() > LinesAt(paragraph, font, widest).size())
        lines = LinesAt(paragraph, font, NarrowestWidth(paragraph, font, widest));
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
