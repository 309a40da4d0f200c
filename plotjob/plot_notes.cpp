#include "plotjob/plot_notes.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <vector>

namespace {

// Each text as the reading writes it, %1, %2 ... standing for what varies. The same text is the
// translation's source (i18n/trazen_ja.ts, context TPlotNotes).
constexpr const char* kNotes[] = {
    // What a drawing's reading leaves out.
    QT_TRANSLATE_NOOP("TPlotNotes", "raster images skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "images skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "embedded non-SVG content (foreignObject) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "external style sheets skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "external entities skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "clip paths not applied: clipped shapes are plotted whole"),
    QT_TRANSLATE_NOOP("TPlotNotes", "masks not applied: masked shapes are plotted whole"),
    QT_TRANSLATE_NOOP("TPlotNotes", "filters skipped: filtered shapes are plotted without them"),
    QT_TRANSLATE_NOOP("TPlotNotes", "text on a path (textPath) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "flowed text (flowRoot, shape-inside) skipped or not wrapped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "points with invalid (non-finite) coordinates skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "parts Qt's SVG reader does not support were skipped (%1)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "shadings (colour gradients) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "soft masks (transparency used as a mask) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the PDF reader found faults: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the DXF gives no unit ($INSUNITS): read as millimetres"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the DXF's unit (%1) is not known: read as millimetres"),
    QT_TRANSLATE_NOOP("TPlotNotes", "block \"%1\" is inserted but not defined: skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "coordinates or sizes that are not numbers (nan, inf): their entities "
                      "skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "entities with numbers out of range skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "circles, arcs and ellipses of no size (radius, axis or axis ratio 0 or "
                      "less) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "texts or comments longer than %1 characters cut"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "counts larger than what follows them (vertices, knots, control points) "
                      "lowered"),
    QT_TRANSLATE_NOOP("TPlotNotes", "splines whose numbers don't add up skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "page %1: %2"),
    // How far a drawing is clipped; the sides come as a list.
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drawing reaches beyond the printable area by %1; it is clipped "
                      "there, not scaled"),
    QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm on the left"),
    QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm at the top"),
    QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm on the right"),
    QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm at the bottom"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drawing reaches %1 mm beyond the roll length (%2 mm); it is clipped "
                      "there (Auto split plots it in panels)"),
    // Pages and panels the page range leaves out.
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "pages %1 of %2 are outside the page range %3 set in Trazen Plotter "
                      "Settings; not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "page %1 of %2 is outside the page range %3 set in Trazen Plotter "
                      "Settings; not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "panels %1 of %2 are outside the page range %3 set in Trazen Plotter "
                      "Settings; not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "panel %1 of %2 is outside the page range %3 set in Trazen Plotter "
                      "Settings; not sent"),
    // Why a drawing can't be plotted.
    QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has no visible shape to plot"),
    QT_TRANSLATE_NOOP("TPlotNotes", "nothing of the drawing lies on the printable area"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document has no page"),
    QT_TRANSLATE_NOOP("TPlotNotes", "not a PDF document poppler can read (damaged)"),
    // trzn-plot's names for the plots of a cut drawing.
    QT_TRANSLATE_NOOP("TPlotNotes", "page %1 of %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "panel %1 of %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "page %1 of %2 was not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes", "pages %1 of %2 were not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes", "panel %1 of %2 was not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes", "panels %1 of %2 were not sent"),
};

struct Pattern {
    const char* source;
    QRegularExpression match;
};

// The source text with each %N made a group that takes anything.
std::vector<Pattern> Patterns() {
    std::vector<Pattern> out;
    const QRegularExpression marker(QStringLiteral("%\\d"));
    for (const char* source : kNotes) {
        QString expression = QStringLiteral("^");
        const QString text = QString::fromUtf8(source);
        qsizetype from = 0;
        for (auto it = marker.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            expression += QRegularExpression::escape(text.mid(from, m.capturedStart() - from));
            expression += QStringLiteral("(.+?)");
            from = m.capturedEnd();
        }
        expression += QRegularExpression::escape(text.mid(from)) + QStringLiteral("$");
        out.push_back({source, QRegularExpression(expression)});
    }
    return out;
}

QString Translated(const QString& text, int depth);

// What fills a %N may be a note itself ("page 2: raster images skipped") or a list of them
// ("30.0 mm on the left, 2.0 mm at the top").
QString Filling(const QString& text, int depth) {
    const QStringList items = text.split(QStringLiteral(", "));
    if (items.size() < 2) return Translated(text, depth);
    QStringList said;
    bool known = true;
    for (const QString& item : items) {
        said << Translated(item, depth);
        known = known && said.back() != item;
    }
    // A list is said as one only when each item is known: "%1 in a, b" stays whole otherwise.
    if (!known) return Translated(text, depth);
    return said.join(QCoreApplication::translate("TPlotNotes", ", "));
}

QString Translated(const QString& text, int depth) {
    static const std::vector<Pattern> patterns = Patterns();
    if (depth > 2) return text;
    for (const Pattern& p : patterns) {
        const QRegularExpressionMatch m = p.match.match(text);
        if (!m.hasMatch()) continue;
        QString said = QCoreApplication::translate("TPlotNotes", p.source);
        for (int i = 1; i <= m.lastCapturedIndex(); ++i)
            said = said.arg(Filling(m.captured(i), depth + 1));
        return said;
    }
    return text;
}

}  // namespace

QString NoteInSessionLanguage(const std::string& note) {
    return Translated(QString::fromUtf8(note.data(), static_cast<qsizetype>(note.size())), 0);
}
