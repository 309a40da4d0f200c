#include "drawing/read/svg/outside_refs.h"

#include <QRegularExpression>

namespace {

bool IsFragment(QStringView target) { return target.trimmed().startsWith(u'#'); }

}  // namespace

bool IsOutsideHref(QStringView value) { return !IsFragment(value); }

std::optional<QString> WithoutOutsideUrls(QStringView text) {
    // CSS reads a url() in any case, and to the end of the text when its bracket is missing.
    static const QRegularExpression url(
        QStringLiteral("url\\(\\s*(?:\"([^\"]*)\"?|'([^']*)'?|([^)\\s]*))\\s*(?:\\)|$)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression emptied(QStringLiteral("(:\\s*)(?=;|\\}|!|$)"));
    QString value = text.toString();
    bool changed = false;
    if (value.contains(u'\\') && value.contains(u'(')) {
        value.remove(u'\\');
        changed = true;
    }
    if (!value.contains(QLatin1String("url"), Qt::CaseInsensitive))
        return changed ? std::optional<QString>(value) : std::nullopt;
    QString out;
    qsizetype from = 0;
    for (auto it = url.globalMatch(value); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString target = m.captured(1) + m.captured(2) + m.captured(3);
        if (IsFragment(target)) continue;
        out += value.mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        changed = true;
    }
    if (!changed) return std::nullopt;
    out += value.mid(from);
    // A declaration left with nothing, or a presentation attribute left empty.
    out.replace(emptied, QStringLiteral("\\1none"));
    if (out.trimmed().isEmpty()) return QStringLiteral("none");
    return out;
}
