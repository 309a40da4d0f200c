#pragma once
// Values between the text fields of the paper controls and the records: numbers, lengths and
// paper names. Paper sizes convert in double precision both ways (unlike the margins, whose
// Point2Unit goes through single precision), so 842 points show as 297.04 millimetres.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "settings/records.h"

// The decimal number a field's text begins with, leading blanks skipped; 0 when there is none.
// Full-width digits typed with a Japanese input method count as digits.
double FieldNumber(const QString& text);

double PaperToPoints(double value, int16_t unit);
double PaperFromPoints(double points, int16_t unit);

// A length in a unit as the fields show it (Double2String with the unit's display decimals).
QString FormatPaperLength(double value, int16_t unit);
// False for values the formatter has no text for (not finite, or too large for any field).
bool CanFormatLength(double value);

// A paper name as the list stores it: Shift-JIS, at most 255 bytes (the list cuts it to 63).
// Nothing for a name the settings file could not give back as typed: an empty one (the file
// drops unnamed papers), one with a double quote or a control character (the file's text
// syntax eats them), or one with a character that has no Shift-JIS form.
std::optional<QByteArray> PaperNameFromField(const QString& text);

// A paper's name as shown, read as Shift-JIS within its buffer even when a damaged record
// left no NUL in it.
QString PaperTitle(const TPrPaperItem& item);
