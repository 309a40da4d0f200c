#include <gtest/gtest.h>

#include "config/config_fields.h"
#include "settings/utility.h"

namespace {

TEST(LeadingNumber, ReadsTheNumberATextBeginsWith) {
    const struct {
        const char* text;
        double want;
    } rows[] = {
        {"12abc", 12},  {"abc", 0},      {"", 0},       {"  7.25 mm", 7.25}, {"-5", -5},
        {"+3", 3},      {".5", 0.5},     {"1.2.3", 1.2}, {"1e2x", 100},      {"-", 0},
        {"1e999", 1.7976931348623157e308}, {"0x10", 0}, {"1e-999", 0}, {"-1e999", -1.7976931348623157e308},
        // As a Japanese input method types them.
        {"１０", 10}, {"１２.５mm", 12.5}, {"１２．５", 12.5}, {"\u3000７", 7}, {"－３", -3},
        // Digits of other scripts are not read as numbers.
        {"\u0661\u0662", 0},
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromUtf8(row.text)), row.want) << row.text;
    EXPECT_EQ(LeadingWhole(QStringLiteral("12.9")), 12);
    EXPECT_EQ(LeadingWhole(QStringLiteral("-12.9")), -12);
    EXPECT_EQ(LeadingWhole(QStringLiteral("99999999999")), INT32_MAX);
}

TEST(FieldRounding, SaturatesInsteadOfWrapping) {
    EXPECT_EQ(RoundToField(28.35), 28);
    EXPECT_EQ(RoundToField(28.5), 29);
    EXPECT_EQ(RoundToField(40000), INT16_MAX);
    EXPECT_EQ(RoundToField(-40000), INT16_MIN);
    EXPECT_EQ(RoundToField(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(CutToField(12.9), 12);
    EXPECT_EQ(CutToField(-12.9), -12);
}

TEST(PenColours, StoredColourShowsItsItem) {
    const struct {
        const char* name;
        int16_t r, g, b, f;
        int want;
    } rows[] = {
        {"black", 0, 0, 0, 1, 0},
        {"magenta", 10000, 0, 10000, 1, 5},
        {"white", 10000, 10000, 10000, 1, 7},
        {"half red", 5000, 0, 0, 1, 9},
        {"no colour flag", 10000, 0, 0, 0, 9},
        {"negative component", -1, 0, 0, 1, 9},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ColourItemFor(row.r, row.g, row.b, row.f), row.want) << row.name;
    // Every coloured row shows as itself, so storing and loading keeps the choice.
    for (int item = 0; item < 8; ++item) {
        const PenColour& c = kPenColours[static_cast<size_t>(item)];
        EXPECT_EQ(ColourItemFor(c.red, c.green, c.blue, c.fcolor), item);
    }
}

TEST(PenThickness, ShowsAndReadsHundredths) {
    EXPECT_EQ(FormatThickness(35), QStringLiteral("0.35"));
    EXPECT_EQ(FormatThickness(30), QStringLiteral("0.3"));
    EXPECT_EQ(FormatThickness(0), QStringLiteral("0"));
    EXPECT_EQ(ParseThickness(QStringLiteral("0.35")), 35);
    EXPECT_EQ(ParseThickness(QStringLiteral("0.004")), 0);
    EXPECT_EQ(ParseThickness(QStringLiteral("")), 0);
    for (int16_t t : {1, 7, 25, 35, 99, 150, 1234, -35, -1, -1234})
        EXPECT_EQ(ParseThickness(FormatThickness(t)), t) << t;
}

TEST(Pdlmopt, PacksWithClampsAndUnpacks) {
    const struct {
        const char* name;
        bool flag;
        int64_t a, l, want;
    } rows[] = {
        {"above limits, flag on", true, 200, 10000, 0x1B4270F},
        {"zero and negative, flag off", false, 0, -5, 0x10001},
        {"default", false, 30, 512, 0x1E0200},
        {"edges", true, 180, 9999, 0x1B4270F},
    };
    for (const auto& row : rows) EXPECT_EQ(PackPdlmopt(row.flag, row.a, row.l), row.want) << row.name;
    const Pdlm d = UnpackPdlmopt(kDefaultPdlmopt);
    EXPECT_FALSE(d.flag);
    EXPECT_EQ(d.a, 30);
    EXPECT_EQ(d.l, 512);
    EXPECT_TRUE(UnpackPdlmopt(0x1B4270F).flag);
}

TEST(Lengths, ShowAndReadInEachUnit) {
    const struct {
        const char* name;
        double points;
        int16_t unit;
        const char* shown;
    } shown[] = {
        {"595 inch", 595, kUnitInch, "8.264"},     {"842 inch", 842, kUnitInch, "11.694"},
        {"595 mm", 595, kUnitMillimetre, "209.9"}, {"842 mm", 842, kUnitMillimetre, "297.04"},
        {"595 pt", 595, kUnitPoint, "595"},        {"842 pt", 842, kUnitPoint, "842"},
        {"36 inch", 36, kUnitInch, "0.5"},         {"72 mm", 72, kUnitMillimetre, "25.4"},
    };
    for (const auto& row : shown)
        EXPECT_EQ(FormatLength(row.points, row.unit), QString::fromLatin1(row.shown)) << row.name;

    const struct {
        const char* name;
        const char* text;
        int16_t unit;
        int16_t points;
    } read[] = {
        {"half inch", "0.5", kUnitInch, 36},           {"ten mm", "10", kUnitMillimetre, 28},
        {"points cut", "12.4", kUnitPoint, 12},        {"empty", "", kUnitMillimetre, 0},
        {"minus ten mm", "-10", kUnitMillimetre, -28}, {"minus half point", "-0.5", kUnitPoint, -1},
    };
    for (const auto& row : read)
        EXPECT_EQ(ParseLength(QString::fromLatin1(row.text), row.unit), row.points) << row.name;

    // A length shown and stored again unchanged stores the same points, negative ones too.
    for (int16_t unit : {kUnitInch, kUnitMillimetre, kUnitPoint}) {
        for (int16_t points : {-32768, -36, -35, -1, 0, 1, 28, 36, 32767})
            EXPECT_EQ(ParseLength(FormatLength(points, unit), unit), points)
                << points << " in " << unit;
    }
}

TEST(Utf8Prefix, NeverCutsACharacter) {
    const QString path = QStringLiteral("/共有/") + QString(60, QChar(u'あ'));  // 3 bytes each
    const QByteArray bytes = Utf8Prefix(path, 127);
    EXPECT_LE(bytes.size(), 127);
    EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes);  // decodes cleanly
    EXPECT_TRUE(path.startsWith(QString::fromUtf8(bytes)));
    EXPECT_EQ(Utf8Prefix(QStringLiteral("/srv/a"), 127), QByteArray("/srv/a"));
}

TEST(PortItem, NameGoesBeforeIndexThenFallsBack) {
    const std::vector<QString> titles = {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0"),
                                         QStringLiteral("Shared Folder(Trazen Server)"),
                                         QStringLiteral("TCP/IP(PRICOM 3100 FTP)")};
    const struct {
        const char* name;
        int16_t port;
        const char* portName;
        int want;
    } rows[] = {
        {"name found elsewhere", 0, "/dev/ttyUSB0", 1},
        {"pseudo-port by name", 3, "Shared Folder(Trazen Server)", 2},
        {"name gone, index kept", 3, "/dev/ttyUSB9", 3},
        {"name gone, index beyond", 9, "/dev/ttyUSB9", 0},
        {"no name, index", 1, "", 1},
        {"negative index", -1, "", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PortItemFor(titles, row.port, QString::fromUtf8(row.portName)), row.want) << row.name;
}

}  // namespace
