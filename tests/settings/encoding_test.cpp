#include <gtest/gtest.h>

#include <QString>
#include <cstring>
#include <string>

#include "platform/encoding.h"
#include "settings/utility.h"

namespace {
// "にほんご" in UTF-8 and Shift-JIS, and half-width katakana "ｱｲ".
const char kKanaUtf8[] = "\xe3\x81\xab\xe3\x81\xbb\xe3\x82\x93\xe3\x81\x94";
const char kKanaSjis[] = "\x82\xc9\x82\xd9\x82\xf1\x82\xb2";
const char kHalfUtf8[] = "\xef\xbd\xb1\xef\xbd\xb2";
const char kHalfSjis[] = "\xb1\xb2";
}  // namespace

TEST(Encoding, Conversions) {
    struct Row {
        const char* name;
        std::string sjis;
        std::string utf8;
    };
    const Row rows[] = {
        {"empty", "", ""},
        {"ascii_backslash_tilde", "C:\\path~1 \"x\"", "C:\\path~1 \"x\""},
        {"hiragana", kKanaSjis, kKanaUtf8},
        {"half_width_katakana", kHalfSjis, kHalfUtf8},
        {"mixed", std::string("A") + kKanaSjis + "1", std::string("A") + kKanaUtf8 + "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        char buf[256];
        ShiftJISToUTF8(row.sjis.c_str(), buf, 255);
        EXPECT_EQ(std::string(buf), row.utf8);
        UTF8ToShiftJIS(row.utf8.c_str(), buf, 255);
        EXPECT_EQ(std::string(buf), row.sjis);
        EXPECT_EQ(SjisToQString(row.sjis.c_str()).toUtf8().toStdString(), row.utf8);
        EXPECT_EQ(QStringToSjis(QString::fromUtf8(row.utf8.c_str()), 255).toStdString(), row.sjis);
    }
}

TEST(Encoding, StopsAtFirstFailure) {
    struct Row {
        const char* name;
        std::string src;
        bool fromSjis;
        std::string want;
    };
    const Row rows[] = {
        {"bad_sjis_lead", std::string("ab\x80" "cd"), true, "ab"},
        {"truncated_sjis_pair", std::string("ab\x82"), true, "ab"},
        {"bad_sjis_trail", std::string("a\x82\x20z"), true, "a"},
        {"bad_utf8", std::string("ab\xff" "cd"), false, "ab"},
        {"no_sjis_form", std::string("a\xf0\x9f\x98\x80" "b"), false, "a"},  // emoji
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        char buf[64];
        if (row.fromSjis) ShiftJISToUTF8(row.src.c_str(), buf, 63);
        else UTF8ToShiftJIS(row.src.c_str(), buf, 63);
        EXPECT_EQ(std::string(buf), row.want);
    }
    EXPECT_EQ(SjisToQString("ok\x80" "no"), QString("ok"));
}

TEST(Encoding, FullDestinationNeverCutsACharacter) {
    char buf[16];
    std::memset(buf, 'x', sizeof buf);
    // Six bytes of room hold two 3-byte characters; seven still only two.
    ShiftJISToUTF8(kKanaSjis, buf, 7);
    EXPECT_EQ(std::string(buf), std::string(kKanaUtf8, 6));
    UTF8ToShiftJIS(kKanaUtf8, buf, 3);
    EXPECT_EQ(std::string(buf), std::string(kKanaSjis, 2));
    EXPECT_EQ(QStringToSjis(QString::fromUtf8(kKanaUtf8), 5).toStdString(), std::string(kKanaSjis, 4));
    EXPECT_EQ(QStringToSjis(QString::fromUtf8(kKanaUtf8), 0).size(), 0);
    ShiftJISToUTF8(kKanaSjis, buf, 0);
    EXPECT_STREQ(buf, "");

    const ConversionResult r = ConvertText(TextEncoding::ShiftJIS, TextEncoding::UTF8, "a\x80", 2, buf, 16);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.read, 1u);
    EXPECT_EQ(r.written, 1u);
}
