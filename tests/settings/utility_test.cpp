#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "settings/utility.h"

TEST(Utility, Double2String) {
    struct Row {
        const char* name;
        double x;
        int16_t n;
        const char* want;
    };
    const Row rows[] = {
        {"round_half_up", 12.345, 2, "12.35"},
        {"one_trailing_zero", 12.3, 2, "12.3"},
        {"all_decimals_trimmed", 1.0, 3, "1"},
        {"leading_zero", 0.5, 2, "0.5"},
        {"padded_fraction", 0.05, 2, "0.05"},
        {"padded_three", 0.001, 3, "0.001"},
        {"rounded_down", 0.0694, 3, "0.069"},
        {"zero", 0, 2, "0"},
        {"no_decimals_down", 28.35, 0, "28"},
        {"no_decimals_up", 28.5, 0, "29"},
        {"hundred", 100, 0, "100"},
        {"two_no_point", 2.0, 0, "2"},
        {"negative_decimals_as_zero", 2.4, -3, "2"},
        {"zeros_before_point_kept", 10.0, 2, "10"},
        {"thousand_inch", 1000.0, 3, "1000"},
        {"millimetre_of_point", 0.35277777, 2, "0.35"},
        {"negative_margin", -5.0, 0, "-5"},
        {"negative_fraction", -12.345, 2, "-12.35"},
        {"negative_rounds_to_zero", -0.001, 2, "0"},
        {"nan", std::nan(""), 2, "0"},
        {"huge_saturates", 1e300, 0, "18446744073709551615"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        char buf[256];
        std::memset(buf, 'x', sizeof buf);
        Double2String(row.x, row.n, buf);
        EXPECT_STREQ(buf, row.want);
    }
}

TEST(Utility, NumberTexts) {
    struct NumRow {
        const char* name;
        int64_t n;
        const char* want;
    };
    for (const NumRow& row : {NumRow{"zero", 0, "0"}, NumRow{"ten", 10, "10"},
                              NumRow{"max", INT64_MAX, "9223372036854775807"},
                              NumRow{"negative", -42, "-42"},
                              NumRow{"min", INT64_MIN, "-9223372036854775808"}}) {
        SCOPED_TRACE(row.name);
        char buf[32];
        Num2String(row.n, buf);
        EXPECT_STREQ(buf, row.want);
    }

    struct ParseRow {
        const char* name;
        const char* text;
        int64_t num;
        double dbl;
    };
    const ParseRow rows[] = {
        {"empty", "", 0, 0},
        {"mixed", "a1b2", 12, 12},
        {"dashes_and_points", "1-2.3", 123, 12.3},
        {"quarter", "0.25", 25, 0.25},
        {"half", "12.5", 125, 12.5},
        {"second_point_ignored", "1.2.3", 123, 1.23f},
        {"minus_ignored", "-4", 4, 4},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(row.name);
        int64_t n = -1;
        double d = -1;
        String2Num(row.text, &n);
        String2Double(row.text, &d);
        EXPECT_EQ(n, row.num);
        EXPECT_EQ(d, static_cast<double>(static_cast<float>(row.dbl)));
    }
    int64_t wrapped = 0;
    String2Num("123456789012345678901234567890", &wrapped);  // wraps, must not trap
    SUCCEED();
}

TEST(Utility, Units) {
    struct Row {
        const char* name;
        double value;
        int16_t unit;
        double points;  // Unit2Point(value, unit)
    };
    const Row toPoint[] = {
        {"inch", 1, kUnitInch, 72},
        {"millimetre", 25.4, kUnitMillimetre, 72},
        {"point", 5, kUnitPoint, 5},
        {"unknown_acts_as_point", 5, 7, 5},
    };
    for (const Row& row : toPoint) {
        SCOPED_TRACE(row.name);
        EXPECT_DOUBLE_EQ(Unit2Point(row.value, row.unit), row.points);
    }
    EXPECT_EQ(Point2Unit(36, kUnitInch), 0.5);
    EXPECT_NEAR(Point2Unit(72, kUnitMillimetre), 25.4, 1e-6);
    EXPECT_EQ(Point2Unit(5, kUnitPoint), 5);
    EXPECT_EQ(Point2Unit(50, 9), 50);
    // Single-precision step: the value must be exactly the float quotient widened.
    EXPECT_EQ(Point2Unit(100, kUnitInch), static_cast<double>(100.0f / 72.0f));
    EXPECT_EQ(Point2Unit(100, kUnitMillimetre), static_cast<double>(100.0f / 72.0f) * 25.4);

    EXPECT_EQ(UnitDecimals(kUnitInch), 3);
    EXPECT_EQ(UnitDecimals(kUnitMillimetre), 2);
    EXPECT_EQ(UnitDecimals(kUnitPoint), 0);
    EXPECT_EQ(UnitDecimals(-1), 0);
}

TEST(Utility, Strings) {
    char dst[300];
    const std::string longSrc(300, 'q');
    EXPECT_EQ(CStrNCopy(dst, longSrc.c_str(), 255), 255);
    EXPECT_EQ(dst[255], '\0');
    EXPECT_EQ(CStrNCopy(dst, "0123456789", 255), 10);
    EXPECT_STREQ(dst, "0123456789");
    EXPECT_EQ(CStrNCopy(dst, "abc", 3), 3);
    EXPECT_STREQ(dst, "abc");
    EXPECT_EQ(CStrCopy(dst, "hello"), 5);
    EXPECT_STREQ(dst, "hello");
    EXPECT_EQ(CStrLen("hello"), 5);

    struct CompRow {
        const char* name;
        const char* a;
        const char* b;
        int16_t want;
    };
    for (const CompRow& row : {CompRow{"equal", "A4", "A4", 0}, CompRow{"prefix", "ab", "abc", -1},
                               CompRow{"longer", "abc", "ab", 1},
                               CompRow{"high_byte_below_ascii", "\x82\xa0", "a", -1},
                               CompRow{"high_byte_below_nul", "a\x82", "a", -1}}) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CompString(row.a, row.b), row.want);
    }

    struct FindRow {
        const char* name;
        const char* text;
        const char* pattern;
        int64_t find;
        int16_t idx;
    };
    const FindRow finds[] = {
        {"upper_ext", "PRESET.INI", ".INI", 6, 6},
        {"absent", "X", ".INI", -1, -1},
        {"empty_pattern", "abc", "", 0, 0},
        {"empty_text", "", "", -1, -1},
        {"at_end_partial", "a.IN", ".INI", -1, -1},
        {"first_of_two", "a.ini.ini", ".ini", 1, 1},
    };
    for (const FindRow& row : finds) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(cstrfind(row.text, row.pattern), row.find);
        EXPECT_EQ(CStrIdxStr(row.text, row.pattern), row.idx);
    }
    EXPECT_EQ(cstrfind(nullptr, "a"), -1);
    EXPECT_EQ(cstrfind("a", nullptr), -1);

    char left[16] = "unchanged";
    cstrleft(nullptr, 3, left);
    EXPECT_STREQ(left, "unchanged");
    cstrleft("PRESET.INI", 6, left);
    EXPECT_STREQ(left, "PRESET");
    cstrleft("AB", 6, left);
    EXPECT_STREQ(left, "AB");

    EXPECT_EQ(FloatAbs(-2.5), 2.5);
    EXPECT_TRUE(std::signbit(FloatAbs(-0.0)));  // returned unchanged
    EXPECT_EQ(IntAbs(-7), 7);
    EXPECT_EQ(IntAbs(INT64_MIN), INT64_MIN);
}
