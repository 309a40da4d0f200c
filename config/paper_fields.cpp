#include "config/paper_fields.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "config/paper_list.h"
#include "platform/encoding.h"
#include "settings/utility.h"

double FieldNumber(const QString& text) {
    const QByteArray bytes = text.normalized(QString::NormalizationForm_KC).toUtf8();
    const char* at = bytes.constData();
    const char* end = at + bytes.size();
    while (at < end && (*at == ' ' || *at == '\t')) ++at;

    bool negative = false;
    if (at < end && (*at == '+' || *at == '-')) {
        negative = *at == '-';
        ++at;
    }
    // Only a plain decimal counts: no "inf", "nan" or a bare sign.
    const bool digitFirst = at < end && *at >= '0' && *at <= '9';
    const bool pointFirst = at + 1 < end && *at == '.' && at[1] >= '0' && at[1] <= '9';
    if (!digitFirst && !pointFirst) return 0.0;

    double value = 0.0;
    const auto [next, ec] = std::from_chars(at, end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
        value = HUGE_VAL;
    else if (ec != std::errc())
        return 0.0;
    (void)next;
    return negative ? -value : value;
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
