#include "drawing/read/svg/font_lists.h"

#include <fontconfig/fontconfig.h>

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace {

// The families of a CSS list: split at commas outside quotes, each trimmed and unquoted.
QStringList Families(QStringView list) {
    QStringList out;
    QString current;
    QChar quote;
    for (const QChar c : list) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                current += c;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u',') {
            out.append(current.trimmed());
            current.clear();
        } else {
            current += c;
        }
    }
    out.append(current.trimmed());
    out.removeAll(QString());
    return out;
}

// What librsvg's text layout asks fontconfig: every family of the list in one pattern, the
// first it has (or its rules stand in for) matched.
QString Match(const QStringList& families) {
    FcPattern* pattern = FcPatternCreate();
    for (const QString& family : families)
        FcPatternAddString(pattern, FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    QString picked;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch && family)
            picked = QString::fromUtf8(reinterpret_cast<const char*>(family));
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return picked;
}

}  // namespace

std::optional<QString> FontListChoice(QStringView list) {
    if (!list.contains(u',')) return std::nullopt;
    // A drawing names a few lists many times over (one per label): each is matched once.
    thread_local QHash<QString, std::optional<QString>> known;
    const QString key = list.toString();
    if (const auto it = known.constFind(key); it != known.constEnd()) return *it;
    const QStringList families = Families(list);
    std::optional<QString> choice;
    if (families.size() > 1) {
        const QString picked = Match(families);
        if (!picked.isEmpty() && !picked.contains(u'\'')) choice = u'\'' + picked + u'\'';
    }
    if (known.size() > 1024) known.clear();
    known.insert(key, choice);
    return choice;
}

std::optional<QString> StyleWithFontChoices(QStringView style) {
    if (!style.contains(QLatin1String("font-family"))) return std::nullopt;
    static const QRegularExpression property(
        QStringLiteral("(^|[;{\\s])font-family\\s*:\\s*([^;}!]*[^;}!\\s])"));
    QString out;
    qsizetype done = 0;
    for (auto it = property.globalMatch(style); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const std::optional<QString> choice = FontListChoice(m.capturedView(2));
        if (!choice) continue;
        out += style.mid(done, m.capturedStart(2) - done);
        out += *choice;
        done = m.capturedEnd(2);
    }
    if (done == 0) return std::nullopt;
    out += style.mid(done);
    return out;
}
