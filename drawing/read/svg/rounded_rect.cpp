#include "drawing/read/svg/rounded_rect.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

// A plain number, or nothing: absent, with a unit, or not a number at all.
std::optional<double> Plain(const QXmlStreamAttributes& a, const char* name) {
    if (!a.hasAttribute(QLatin1String(name))) return std::nullopt;
    bool ok = false;
    const double v = a.value(QLatin1String(name)).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

bool HasValue(const QXmlStreamAttributes& a, const char* name) {
    return a.hasAttribute(QLatin1String(name)) &&
           a.value(QLatin1String(name)).trimmed() != QLatin1String("auto");
}

}  // namespace

std::optional<QString> RoundedRectPath(const QXmlStreamAttributes& a) {
    const double x = Plain(a, "x").value_or(0), y = Plain(a, "y").value_or(0);
    const std::optional<double> w = Plain(a, "width"), h = Plain(a, "height");
    std::optional<double> rx = Plain(a, "rx"), ry = Plain(a, "ry");
    // Anything not plain, and a rect of no size (not drawn), stays as it is.
    if ((HasValue(a, "x") && !Plain(a, "x")) || (HasValue(a, "y") && !Plain(a, "y")) || !w || !h ||
        *w <= 0 || *h <= 0 || (HasValue(a, "rx") && !rx) || (HasValue(a, "ry") && !ry))
        return std::nullopt;
    if (rx && *rx < 0) rx.reset();
    if (ry && *ry < 0) ry.reset();
    if (!rx && !ry) return std::nullopt;
    const double rxs = std::min(rx.value_or(*ry), *w / 2), rys = std::min(ry.value_or(*rx), *h / 2);
    if (rxs <= 0 || rys <= 0) return std::nullopt;
    const auto n = [](double v) { return QString::number(v, 'g', 12); };
    const QString arc = QStringLiteral(" A") + n(rxs) + u' ' + n(rys) + QStringLiteral(" 0 0 1 ");
    return QStringLiteral("M") + n(x + rxs) + u' ' + n(y) + QStringLiteral(" H") + n(x + *w - rxs) +
           arc + n(x + *w) + u' ' + n(y + rys) + QStringLiteral(" V") + n(y + *h - rys) + arc +
           n(x + *w - rxs) + u' ' + n(y + *h) + QStringLiteral(" H") + n(x + rxs) + arc + n(x) +
           u' ' + n(y + *h - rys) + QStringLiteral(" V") + n(y + rys) + arc + n(x + rxs) + u' ' +
           n(y) + QStringLiteral(" Z");
}

std::optional<QString> OwnDashArray(const QXmlStreamAttributes& a) {
    static const QRegularExpression inStyle(
        QStringLiteral("(?:^|;)\\s*stroke-dasharray\\s*:\\s*([^;]*)"));
    QString value;
    const QRegularExpressionMatch m = inStyle.match(a.value(QLatin1String("style")));
    if (m.hasMatch())
        value = m.captured(1);
    else if (a.hasAttribute(QLatin1String("stroke-dasharray")))
        value = a.value(QLatin1String("stroke-dasharray")).toString();
    else
        return std::nullopt;
    value = value.trimmed();
    if (value == QLatin1String("inherit")) return std::nullopt;
    return value;
}

std::optional<bool> OwnDashes(const QXmlStreamAttributes& a) {
    const std::optional<QString> value = OwnDashArray(a);
    if (!value) return std::nullopt;
    return !value->isEmpty() && *value != QLatin1String("none");
}
