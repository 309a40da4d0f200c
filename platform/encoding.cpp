#include "platform/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {

const char* IconvName(TextEncoding encoding) {
    // CP932 rather than SHIFT_JIS: see the header for why 0x5C and 0x7E must stay ASCII.
    return encoding == TextEncoding::ShiftJIS ? "CP932" : "UTF-8";
}

}  // namespace

ConversionResult ConvertText(TextEncoding from, TextEncoding to, const char* src, size_t srcLen,
                             char* dst, size_t dstSize) {
    ConversionResult result;
    iconv_t cd = iconv_open(IconvName(to), IconvName(from));
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        result.status = errno != 0 ? errno : EINVAL;
        return result;
    }
    char* in = const_cast<char*>(src);
    size_t inLeft = srcLen;
    char* out = dst;
    size_t outLeft = dstSize;
    // One call converts as far as it can: on EILSEQ/EINVAL the input pointer rests on the bad
    // byte and on E2BIG before the character that did not fit, so what precedes is whole.
    if (srcLen > 0 && dstSize > 0) iconv(cd, &in, &inLeft, &out, &outLeft);
    result.read = srcLen - inLeft;
    result.written = dstSize - outLeft;
    iconv_close(cd);
    return result;
}

QString SjisToQString(const char* sjis) {
    if (!sjis) return {};
    const size_t len = std::char_traits<char>::length(sjis);
    if (len == 0) return {};
    // Every Shift-JIS byte becomes at most three UTF-8 bytes (half-width katakana).
    std::vector<char> utf8(len * 3 + 4);
    const ConversionResult r =
        ConvertText(TextEncoding::ShiftJIS, TextEncoding::UTF8, sjis, len, utf8.data(), utf8.size());
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(r.written));
}

QByteArray QStringToSjis(const QString& text, int maxBytes) {
    if (maxBytes <= 0 || text.isEmpty()) return {};
    const QByteArray utf8 = text.toUtf8();
    QByteArray out(maxBytes, '\0');
    const ConversionResult r = ConvertText(TextEncoding::UTF8, TextEncoding::ShiftJIS, utf8.constData(),
                                           static_cast<size_t>(utf8.size()), out.data(),
                                           static_cast<size_t>(maxBytes));
    out.truncate(static_cast<qsizetype>(r.written));
    return out;
}
