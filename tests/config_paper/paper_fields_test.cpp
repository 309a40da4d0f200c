#include "config/paper_fields.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

#include "settings/utility.h"

namespace {

struct NumberCase {
    const char* label;
    QString text;
    double value;
};
void PrintTo(const NumberCase& row, std::ostream* os) { *os << row.label; }


class FieldNumberCases : public testing::TestWithParam<NumberCase> {};

TEST_P(FieldNumberCases, ReadsLeadingDecimal) {
    EXPECT_DOUBLE_EQ(FieldNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Paper, FieldNumberCases,
    testing::Values(NumberCase{"Plain", "297.04", 297.04}, NumberCase{"LeadingBlanks", "  42", 42},
                    NumberCase{"TrailingText", "210mm", 210}, NumberCase{"Empty", "", 0},
                    NumberCase{"NoDigits", "abc", 0}, NumberCase{"BarePoint", ".5", 0.5},
                    NumberCase{"Negative", "-3", -3}, NumberCase{"NotANumberWord", "nan", 0},
                    NumberCase{"Infinity", "inf", 0},
                    NumberCase{"FullWidthDigits", QString::fromUtf8("２９７"), 297},
                    NumberCase{"CommaEndsNumber", "1,5", 1},
                    NumberCase{"TinyExponent", "1e-400", 0},
                    NumberCase{"FullWidthPointAndBlank", QString::fromUtf8("\u3000１２．５"), 12.5}),
    [](const auto& info) { return std::string(info.param.label); });

struct LengthCase {
    const char* label;
    double points;
    int16_t unit;
    const char* shown;
};
void PrintTo(const LengthCase& row, std::ostream* os) { *os << row.label; }


class LengthCases : public testing::TestWithParam<LengthCase> {};

TEST_P(LengthCases, ShowsPointsInUnit) {
    const LengthCase& c = GetParam();
    EXPECT_EQ(FormatPaperLength(PaperFromPoints(c.points, c.unit), c.unit), QString(c.shown));
    EXPECT_NEAR(PaperToPoints(PaperFromPoints(c.points, c.unit), c.unit), c.points, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Paper, LengthCases,
    testing::Values(LengthCase{"MillimetreA4Height", 842, kUnitMillimetre, "297.04"},
                    LengthCase{"MillimetreA4Width", 595, kUnitMillimetre, "209.9"},
                    LengthCase{"Inch", 595, kUnitInch, "8.264"},
                    LengthCase{"Point", 842, kUnitPoint, "842"},
                    LengthCase{"OtherCodeActsAsPoint", 842, 7, "842"}),
    [](const auto& info) { return std::string(info.param.label); });

struct NameCase {
    const char* label;
    QString text;
    bool accepted;
    QByteArray bytes;
};
void PrintTo(const NameCase& row, std::ostream* os) { *os << row.label; }


class PaperNameCases : public testing::TestWithParam<NameCase> {};

TEST_P(PaperNameCases, AcceptsWhatTheFileKeeps) {
    const NameCase& c = GetParam();
    const std::optional<QByteArray> name = PaperNameFromField(c.text);
    ASSERT_EQ(name.has_value(), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(*name, c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paper, PaperNameCases,
    testing::Values(NameCase{"Ascii", "A4 roll", true, "A4 roll"},
                    NameCase{"Japanese", QString::fromUtf8("用紙"), true, "\x97\x70\x8E\x86"},
                    NameCase{"Empty", "", false, {}}, NameCase{"Quote", "A\"4", false, {}},
                    NameCase{"Tab", "A\t4", false, {}},
                    NameCase{"NoShiftJisForm", QString::fromUtf8("A4\xF0\x9F\x98\x80"), false, {}},
                    NameCase{"CutTo255", QString(300, u'x'), true, QByteArray(255, 'x')}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
