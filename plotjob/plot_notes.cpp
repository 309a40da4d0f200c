#include "plotjob/plot_notes.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <vector>

namespace {

struct Pattern {
    NoteId id;
    QRegularExpression match;
};

// The source text with each %N made a group that takes anything.
std::vector<Pattern> Patterns() {
    std::vector<Pattern> out;
    const QRegularExpression marker(QStringLiteral("%\\d"));
    for (const NoteId id : NoteIdsWithWords()) {
        QString expression = QStringLiteral("^");
        const QString text = QString::fromUtf8(NoteSource(id));
        qsizetype from = 0;
        for (auto it = marker.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            expression += QRegularExpression::escape(text.mid(from, m.capturedStart() - from));
            expression += QStringLiteral("(.+?)");
            from = m.capturedEnd();
        }
        expression += QRegularExpression::escape(text.mid(from)) + QStringLiteral("$");
        out.push_back({id, QRegularExpression(expression)});
    }
    return out;
}

// Each %N of the translation replaced at once: a name or a path that holds "%2" itself (a
// file named so, a typed device command) is shown as it is, not filled in turn.
QString Filled(const QString& translation, const QStringList& fillings) {
    static const QRegularExpression marker(QStringLiteral("%(\\d)"));
    QString out;
    qsizetype from = 0;
    for (auto it = marker.globalMatch(translation); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int n = m.captured(1).toInt();
        out += translation.mid(from, m.capturedStart() - from);
        out += n >= 1 && n <= fillings.size() ? fillings[n - 1] : m.captured();
        from = m.capturedEnd();
    }
    return out + translation.mid(from);
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
        QStringList fillings;
        for (int i = 1; i <= m.lastCapturedIndex(); ++i)
            fillings << Filling(m.captured(i), depth + 1);
        return Filled(QCoreApplication::translate("TPlotNotes", NoteSource(p.id)), fillings);
    }
    return text;
}

QString NoteInSessionLanguage(const std::string& note) {
    return Translated(QString::fromUtf8(note.data(), static_cast<qsizetype>(note.size())), 0);
}

}  // namespace

QString NoteWords(const Note& note) {
    if (note.id == NoteId::Text) return NoteInSessionLanguage(note.text);
    QStringList values;
    for (const Note& v : note.values) values << NoteWords(v);
    if (note.id == NoteId::List)
        return values.join(QCoreApplication::translate("TPlotNotes", ", "));
    const char* source = NoteSource(note.id);
    if (!source) return QString::fromStdString(note.text);
    return Filled(QCoreApplication::translate("TPlotNotes", source), values);
}
