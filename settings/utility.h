#pragma once
// Text, number and encoding helpers between the records (Shift-JIS bytes, points) and the
// windows' text fields. The float32/float64 steps are deliberate: the texts shown depend on
// them digit for digit.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// Unit codes of THPrConfig.pUnit and THPrConfig.unitmsct; any other value acts as point.
enum UnitCode : int16_t { kUnitInch = 0, kUnitMillimetre = 1, kUnitPoint = 2 };

// Display decimals of a length in a unit: 3 inch, 2 millimetre, 0 point.
int16_t UnitDecimals(int16_t unit);

double FloatAbs(double x);
int64_t IntAbs(int64_t x);
int16_t CStrLen(const char* s);
double Unit2Point(double value, int16_t unit);
double Point2Unit(double points, int16_t unit);
int16_t CStrCopy(char* dst, const char* src);
int16_t CStrNCopy(char* dst, const char* src, int32_t n);
int16_t CompString(const char* a, const char* b);
int16_t CStrIdxStr(const char* s, const char* p);
void Num2String(int64_t n, char* buf);
void String2Num(const char* s, int64_t* out);
void String2Double(const char* s, double* out);
void Double2String(double x, int16_t n, char* buf);
void cstrleft(const char* s, int32_t n, char* dst);
int64_t cstrfind(const char* text, const char* pattern);
// dst needs size + 1 bytes; always NUL-terminated; stops at the first byte that can't be
// converted and keeps what came before.
void ShiftJISToUTF8(const char* src, char* dst, int64_t size);
void UTF8ToShiftJIS(const char* src, char* dst, int64_t size);

// A fixed text field of the records as its bytes: up to its terminator, or all of it when a
// file filled it to the last byte without one.
template <size_t N>
std::string FieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}
