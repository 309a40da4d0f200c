#include "config/paper_fields.h"

#include <QRegularExpression>
#include <cmath>
#include <cstring>
#include <limits>

#include "config/paper_list.h"
#include "platform/encoding.h"
#include "settings/utility.h"

double FieldNumber(const QString& text) {
    // Compatibility forms first: a Japanese input method types full-width digits, signs, points
    // and blanks, which read as their ASCII counterparts.
    const QString plain = text.normalized(QString::NormalizationForm_KC);
    // ASCII digits only: a plain decimal, no "inf", "nan", hexadecimal or bare sign.
    static const QRegularExpression leading(
        QStringLiteral("^\\s*[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?"));
    const QRegularExpressionMatch m = leading.match(plain);
    if (!m.hasMatch()) return 0;
    const QString number = m.captured(0).trimmed();
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (ok) return value;
    // Only an exponent beyond the double range fails here: a tiny one reads 0, a huge one the
    // largest value of its sign.
    if (number.contains(QStringLiteral("e-"), Qt::CaseInsensitive)) return 0;
    return number.startsWith(QLatin1Char('-')) ? -std::numeric_limits<double>::max()
                                               : std::numeric_limits<double>::max();
}

double PaperToPoints(double value, int16_t unit) {
    switch (unit) {
        case kUnitInch:
            return value * 72.0;
        case kUnitMillimetre:
            return value / 25.4 * 72.0;
        default:
            return value;
    }
}

double PaperFromPoints(double points, int16_t unit) {
    switch (unit) {
        case kUnitInch:
            return points / 72.0;
        case kUnitMillimetre:
            return points / 72.0 * 25.4;
        default:
            return points;
    }
}

bool CanFormatLength(double value) { return std::isfinite(value) && std::fabs(value) < 1e12; }

QString FormatPaperLength(double value, int16_t unit) {
    char text[256] = {};
    Double2String(value, UnitDecimals(unit), text);
    return QString::fromLatin1(text);
}

std::optional<QByteArray> PaperNameFromField(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    for (const QChar c : text) {
        if (c == u'"' || c.category() == QChar::Other_Control) return std::nullopt;
    }
    const QByteArray utf8 = text.toUtf8();
    QByteArray sjis(utf8.size() + 1, '\0');
    const ConversionResult r = ConvertText(TextEncoding::UTF8, TextEncoding::ShiftJIS,
                                           utf8.constData(), static_cast<size_t>(utf8.size()),
                                           sjis.data(), static_cast<size_t>(sjis.size()));
    if (r.status != 0 || r.read != static_cast<size_t>(utf8.size())) return std::nullopt;
    sjis.truncate(static_cast<qsizetype>(r.written));
    sjis.truncate(SjisFitBytes(sjis.constData(), 255));
    return sjis;
}

QString PaperTitle(const TPrPaperItem& item) {
    char name[kPaperNameSize + 1];
    std::memcpy(name, item.pname, kPaperNameSize);
    name[kPaperNameSize] = '\0';
    return SjisToQString(name);
}
