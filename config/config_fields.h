#pragma once
// Conversions between the configuration window's controls and the record fields that need no
// widget: the pen colour table, pen thickness, the paper-size display and the reading of numbers
// typed into text fields. The packed pdlmopt value is settings/pd_limit.h's.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "settings/pd_limit.h"
#include "settings/pen_colours.h"

// ---- reading and writing text fields ----

// The number a text begins with (leading blanks skipped, optional sign, digits, a decimal point,
// an exponent): "12abc" reads 12, "abc" and "" read 0. Full-width digits, signs and blanks read
// as their ASCII forms. This is how every numeric field is read (FieldNumber of the paper list
// editor is the same reading).
double LeadingNumber(const QString& text);
// The whole number a text begins with, cut toward zero and held to 32 bits as a typed integer.
int32_t LeadingWhole(const QString& text);
// A length or number in a 16-bit record field: rounded half away from zero (plus 0.5 and cut
// for values not below 0), or cut alone. Out-of-range values saturate instead of wrapping, NaN
// gives 0.
int16_t RoundToField(double value);
int16_t CutToField(double value);
// Double2String / Num2String as a Qt string.
QString FormatDecimal(double value, int16_t decimals);
QString FormatWhole(int64_t value);

// ---- pen colours ----

// The item a stored colour shows: rows 0 to 7 when it is one of them exactly, else "no colour".
int ColourItemFor(int16_t red, int16_t green, int16_t blue, int16_t fcolor);

// ---- pen thickness (hundredths of a millimetre in the record) ----

QString FormatThickness(int16_t thick);
int16_t ParseThickness(const QString& text);

// ---- lengths and paper sizes in the window's units ----

// A length held in points as a margin field shows it in a unit (3, 2 or 0 decimals).
QString FormatLength(double points, int16_t unit);
// A typed length in a unit as whole points, rounded as RoundToField rounds.
int16_t ParseLength(const QString& text, int16_t unit);

// ---- the port pop-up ----

// The item to select for a stored port: the item titled portName when there is one, else the
// stored index, else the first item.
int PortItemFor(const std::vector<QString>& titles, int16_t port, const QString& portName);

// ---- UTF-8 text with a byte limit ----

// The longest prefix of the text's UTF-8 form that fits in maxBytes without cutting a character.
QByteArray Utf8Prefix(const QString& text, int maxBytes);
