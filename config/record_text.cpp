#include "config/record_text.h"

#include <QByteArray>
#include <QStringView>
#include <vector>

#include "platform/encoding.h"

namespace {

// Bytes of the text in Shift-JIS, and the first character that has no Shift-JIS form.
int SjisBytes(const QString& text, QString* firstMissing) {
    const QByteArray utf8 = text.toUtf8();
    std::vector<char> out(static_cast<size_t>(utf8.size()) * 2 + 4);
    const auto size = static_cast<size_t>(utf8.size());
    size_t pos = 0;
    int bytes = 0;
    while (pos < size) {
        const ConversionResult r =
            ConvertText(TextEncoding::UTF8, TextEncoding::ShiftJIS, utf8.constData() + pos,
                        size - pos, out.data(), out.size());
        bytes += static_cast<int>(r.written);
        pos += r.read;
        if (pos >= size) break;
        // The converter stopped on a character it has no form for: step over that character.
        size_t end = pos + 1;
        while (end < size &&
               (static_cast<unsigned char>(utf8[static_cast<qsizetype>(end)]) & 0xC0) == 0x80)
            ++end;
        if (firstMissing && firstMissing->isEmpty())
            *firstMissing =
                QString::fromUtf8(utf8.constData() + pos, static_cast<qsizetype>(end - pos));
        bytes += 2;
        pos = end;
        if (r.status != 0) break;  // no converter at all: nothing more to learn
    }
    return bytes;
}

}  // namespace

RecordTextCheck CheckRecordText(const QString& text, RecordEncoding encoding, int maxBytes) {
    RecordTextCheck check;
    for (const QChar c : text) {
        if (c == u'"') {
            check.fault = RecordTextFault::Quote;
            check.character = c;
            break;
        }
        if (c.category() == QChar::Other_Control) {
            check.fault = RecordTextFault::Control;
            check.character = c;
            break;
        }
    }
    QString missing;
    check.bytes = encoding == RecordEncoding::UTF8 ? static_cast<int>(text.toUtf8().size())
                                                   : SjisBytes(text, &missing);
    if (check.fault != RecordTextFault::None) return check;
    if (!missing.isEmpty()) {
        check.fault = RecordTextFault::NoShiftJis;
        check.character = missing;
    } else if (check.bytes > maxBytes) {
        check.fault = RecordTextFault::TooLong;
    }
    return check;
}
