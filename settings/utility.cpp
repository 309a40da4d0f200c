#include "settings/utility.h"

#include <cerrno>
#include <cmath>
#include <cstring>

#include "platform/encoding.h"

namespace {

// Text-encoding identifiers as the records' producers number them (base, variant, form): they
// pick the direction of a conversion.
constexpr uint32_t kEncodingShiftJIS = 0x0A01;
constexpr uint32_t kEncodingUTF8 = 0x0100u | (2u << 26);

bool ToTextEncoding(uint32_t id, TextEncoding* out) {
    if (id == kEncodingShiftJIS) *out = TextEncoding::ShiftJIS;
    else if (id == kEncodingUTF8) *out = TextEncoding::UTF8;
    else return false;
    return true;
}

int DoConvertToEncoding(uint32_t from, uint32_t to, const char* src, uint64_t srcLen, char* dst,
                        uint64_t* read, uint64_t* written, uint64_t dstSize) {
    *read = 0;
    *written = 0;
    TextEncoding fromEnc{};
    TextEncoding toEnc{};
    // One side is always UTF-8: the other identifier names the text encoding.
    if (to == kEncodingUTF8) {
        if (!ToTextEncoding(from, &fromEnc)) return EINVAL;
        toEnc = TextEncoding::UTF8;
    } else {
        if (!ToTextEncoding(to, &toEnc)) return EINVAL;
        fromEnc = TextEncoding::UTF8;
    }
    const ConversionResult r = ConvertText(fromEnc, toEnc, src, srcLen, dst, dstSize);
    *read = r.read;
    *written = r.written;
    return r.status;
}

void Convert(uint32_t from, uint32_t to, const char* src, char* dst, int64_t size) {
    if (!dst) return;
    const uint64_t room = size > 0 ? static_cast<uint64_t>(size) : 0;
    uint64_t read = 0;
    uint64_t written = 0;
    if (src) DoConvertToEncoding(from, to, src, std::strlen(src), dst, &read, &written, room);
    dst[written] = '\0';
}

// Digits of a magnitude, most significant first, into buf; returns the count.
int WriteDigits(uint64_t n, char* buf) {
    char tmp[24];
    int count = 0;
    do {
        tmp[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    for (int i = 0; i < count; ++i) buf[i] = tmp[count - 1 - i];
    buf[count] = '\0';
    return count;
}

uint64_t Magnitude(int64_t n) {
    return n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
}

}  // namespace

int16_t UnitDecimals(int16_t unit) {
    switch (unit) {
    case kUnitInch: return 3;
    case kUnitMillimetre: return 2;
    default: return 0;
    }
}

double FloatAbs(double x) { return x < 0 ? -x : x; }

int64_t IntAbs(int64_t x) {
    // Negation through unsigned arithmetic: the most negative value maps onto itself.
    return x < 0 ? static_cast<int64_t>(0 - static_cast<uint64_t>(x)) : x;
}

int16_t CStrLen(const char* s) { return static_cast<int16_t>(std::strlen(s)); }

double Unit2Point(double value, int16_t unit) {
    switch (unit) {
    case kUnitInch: return value * 72.0;
    case kUnitMillimetre: return (value / 25.4) * 72.0;
    default: return value;
    }
}

double Point2Unit(double points, int16_t unit) {
    // Single precision on purpose: the texts shown for a length depend on these digits.
    const double inches = static_cast<double>(static_cast<float>(points) / 72.0f);
    switch (unit) {
    case kUnitInch: return inches;
    case kUnitMillimetre: return inches * 25.4;
    default: return points;
    }
}

int16_t CStrCopy(char* dst, const char* src) {
    const size_t len = std::strlen(src);
    std::memcpy(dst, src, len + 1);
    return static_cast<int16_t>(len);
}

int16_t CStrNCopy(char* dst, const char* src, int32_t n) {
    const int32_t limit = n > 0 ? n : 0;
    for (int32_t i = 0; i < limit; ++i) {
        dst[i] = src[i];
        if (src[i] == '\0') return static_cast<int16_t>(i);
    }
    dst[limit] = '\0';
    return static_cast<int16_t>(limit);
}

int16_t CompString(const char* a, const char* b) {
    for (size_t i = 0;; ++i) {
        const auto ca = static_cast<int8_t>(a[i]);
        const auto cb = static_cast<int8_t>(b[i]);
        if (ca < cb) return -1;
        if (ca > cb) return 1;
        if (ca == 0) return 0;
    }
}

int16_t CStrIdxStr(const char* s, const char* p) {
    for (int i = 0; s[i] != '\0' && i <= 254; ++i) {
        int j = 0;
        while (j < 255 && s[i + j] != '\0' && p[j] != '\0' && s[i + j] == p[j]) ++j;
        if (p[j] == '\0') return static_cast<int16_t>(i);
    }
    return -1;
}

void Num2String(int64_t n, char* buf) {
    // Negative numbers are outside the callers' contract, but a negative margin typed by the
    // user comes back here: it is shown with its sign rather than as garbage digits.
    if (n < 0) *buf++ = '-';
    WriteDigits(Magnitude(n), buf);
}

void String2Num(const char* s, int64_t* out) {
    // Unsigned accumulation: an overlong digit string wraps instead of overflowing.
    uint64_t value = 0;
    for (; *s; ++s) {
        if (*s >= '0' && *s <= '9') value = value * 10 + static_cast<uint64_t>(*s - '0');
    }
    *out = static_cast<int64_t>(value);
}

void String2Double(const char* s, double* out) {
    double divisor = 1;
    bool point = false;
    for (const char* c = s; *c; ++c) {
        if (*c == '.') point = true;
        else if (point && *c >= '0' && *c <= '9') divisor *= 10;
    }
    int64_t mantissa = 0;
    String2Num(s, &mantissa);
    *out = static_cast<double>(static_cast<float>(mantissa) / static_cast<float>(divisor));
}

void Double2String(double x, int16_t n, char* buf) {
    // More than 18 decimals would overflow the 64-bit scaled value; no caller asks for them.
    const int decimals = n > 18 ? 18 : n;
    int64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;

    // Negative values get a sign and are rounded half away from zero; NaN shows as 0 and
    // values beyond the 64-bit range saturate, so the conversion below is always defined.
    const bool negative = x < 0;
    const double scaled = FloatAbs(x) * static_cast<double>(scale) + 0.5;
    uint64_t v = 0;
    if (scaled >= 18446744073709551615.0) v = UINT64_MAX;
    else if (scaled >= 1.0) v = static_cast<uint64_t>(scaled);

    char digits[24];
    const int count = WriteDigits(v, digits);
    char* out = buf;
    if (negative && v != 0) *out++ = '-';
    if (count > decimals) {
        const int whole = count - (decimals > 0 ? decimals : 0);
        std::memcpy(out, digits, static_cast<size_t>(whole));
        out += whole;
        if (decimals > 0) {
            *out++ = '.';
            std::memcpy(out, digits + whole, static_cast<size_t>(decimals));
            out += decimals;
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = count; i < decimals; ++i) *out++ = '0';
        std::memcpy(out, digits, static_cast<size_t>(count));
        out += count;
    }
    *out = '\0';

    for (int i = 0; i < decimals && out > buf && out[-1] == '0'; ++i) {
        *--out = '\0';
        if (out > buf && out[-1] == '.') {
            *--out = '\0';
            break;
        }
    }
}

void cstrleft(const char* s, int32_t n, char* dst) {
    if (!s) return;
    const size_t len = std::strlen(s);
    const size_t take = n <= 0 ? 0 : (static_cast<size_t>(n) < len ? static_cast<size_t>(n) : len);
    std::memcpy(dst, s, take);
    dst[take] = '\0';
}

int64_t cstrfind(const char* text, const char* pattern) {
    if (!text || !pattern || text[0] == '\0') return -1;
    const size_t textLen = std::strlen(text);
    const size_t patLen = std::strlen(pattern);
    if (patLen > textLen) return -1;
    for (size_t i = 0; i + patLen <= textLen; ++i) {
        if (std::memcmp(text + i, pattern, patLen) == 0) return static_cast<int64_t>(i);
    }
    return -1;
}

void ShiftJISToUTF8(const char* src, char* dst, int64_t size) {
    Convert(kEncodingShiftJIS, kEncodingUTF8, src, dst, size);
}

void UTF8ToShiftJIS(const char* src, char* dst, int64_t size) {
    Convert(kEncodingUTF8, kEncodingShiftJIS, src, dst, size);
}
