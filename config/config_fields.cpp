#include "config/config_fields.h"

#include <cmath>
#include <limits>

#include "config/paper_fields.h"
#include "settings/utility.h"

namespace {

template <class Int>
Int Saturate(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    if (value <= static_cast<double>(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    return static_cast<Int>(value);  // cuts toward zero
}

}  // namespace

// One reading for every field of both windows, full-width digits included.
double LeadingNumber(const QString& text) { return FieldNumber(text); }

int32_t LeadingWhole(const QString& text) { return Saturate<int32_t>(LeadingNumber(text)); }

// Half away from zero, as Double2String shows values: a negative length shown and stored again
// unchanged stores the same number instead of creeping toward zero at every store.
int16_t RoundToField(double value) {
    return Saturate<int16_t>(value < 0 ? value - 0.5 : value + 0.5);
}

int16_t CutToField(double value) { return Saturate<int16_t>(value); }

QString FormatDecimal(double value, int16_t decimals) {
    char buf[256];
    Double2String(value, decimals, buf);
    return QString::fromLatin1(buf);
}

QString FormatWhole(int64_t value) {
    char buf[32];
    Num2String(value, buf);
    return QString::fromLatin1(buf);
}

int ColourItemFor(int16_t red, int16_t green, int16_t blue, int16_t fcolor) {
    if (fcolor == 0) return kColourNoColour;
    for (int item = 0; item < kRealColourCount; ++item) {
        const PenColour& c = kPenColours[static_cast<size_t>(item)];
        if (c.red == red && c.green == green && c.blue == blue) return item;
    }
    return kColourNoColour;
}

QString FormatThickness(int16_t thick) {
    // Divided in single precision: 35 shows 0.35 and 30 shows 0.3, digit for digit as stored.
    const float value = static_cast<float>(thick) / 100.0f;
    return FormatDecimal(static_cast<double>(value), 2);
}

int16_t ParseThickness(const QString& text) { return RoundToField(LeadingNumber(text) * 100.0); }

QString FormatLength(double points, int16_t unit) {
    return FormatDecimal(Point2Unit(points, unit), UnitDecimals(unit));
}

int16_t ParseLength(const QString& text, int16_t unit) {
    return RoundToField(Unit2Point(LeadingNumber(text), unit));
}

int PortItemFor(const std::vector<QString>& titles, int16_t port, const QString& portName) {
    if (!portName.isEmpty()) {
        for (size_t i = 0; i < titles.size(); ++i)
            if (titles[i] == portName) return static_cast<int>(i);
    }
    // A negative index would leave the pop-up without a selection and store -1 as a serial
    // port; it falls back like an index beyond the list.
    if (port < 0 || port >= static_cast<int>(titles.size())) return 0;
    return port;
}

QByteArray Utf8Prefix(const QString& text, int maxBytes) {
    QByteArray bytes = text.toUtf8();
    if (bytes.size() <= maxBytes) return bytes;
    int end = maxBytes;
    // Step back over continuation bytes (10xxxxxx) to the start of the character that would
    // be cut, and drop it whole.
    while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) --end;
    bytes.truncate(end);
    return bytes;
}
