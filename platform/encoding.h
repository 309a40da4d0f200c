#pragma once
// Conversion between Shift-JIS and UTF-8 with glibc iconv.
//
// Shift-JIS here is glibc's CP932 table: it keeps 0x5C and 0x7E as ASCII backslash and tilde
// (plain SHIFT_JIS turns them into the yen sign and an overline, which would corrupt paths,
// host names and plotter instructions), covers JIS X 0208 and half-width katakana, and the
// common vendor characters the desktop's Japanese input produces.

#include <QByteArray>
#include <QString>
#include <cstddef>

enum class TextEncoding { ShiftJIS, UTF8 };

struct ConversionResult {
    int status = 0;      // 0, or the errno of a converter that could not be created
    size_t read = 0;     // bytes of the source consumed
    size_t written = 0;  // bytes produced in the destination
};

// Converts srcLen bytes; stops at the first input that can't be converted, at a truncated
// sequence at the end, or when dst is full, keeping what was converted before.
ConversionResult ConvertText(TextEncoding from, TextEncoding to, const char* src, size_t srcLen,
                             char* dst, size_t dstSize);

// Shift-JIS bytes (up to the NUL) as a Qt string, for showing in a window. A byte that can't be
// decoded ends the text, as the conversion rule does.
QString SjisToQString(const char* sjis);
// A Qt string as Shift-JIS bytes of at most maxBytes; stops before the first character that has
// no Shift-JIS form, and never cuts a two-byte character in half.
QByteArray QStringToSjis(const QString& text, int maxBytes);
