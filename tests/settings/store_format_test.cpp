// The pure halves of the store: formatting and parsing settings-file bytes.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "settings/completion_status.h"
#include "settings/records.h"
#include "settings/store.h"

using namespace std::string_literals;

namespace {

struct Loaded {
    RecordSet rec;
    tPldStatRes stat{};
    char preset[kPresetNameSize]{};

    Loaded() {
        ClearRecords(rec.print.get(), rec.paper.get(), rec.config.get(), rec.serial.get());
        *rec.refCon = 0;
        stat.plstVersion = kDefaultStatVersion;
    }
    void Load(const std::string& bytes) {
        LoadPrefarenceBytes(bytes.data(), bytes.size(), rec.print.get(), rec.paper.get(),
                            rec.config.get(), rec.serial.get(), rec.refCon.get(), preset, &stat);
    }
    std::string Format(PrintLines lines = PrintLines::Config, bool extras = true) const {
        return FormatPrefarence(rec.print.get(), rec.paper.get(), rec.config.get(),
                                rec.serial.get(), extras ? rec.refCon.get() : nullptr,
                                extras ? preset : nullptr, extras ? &stat : nullptr, lines);
    }
};

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "line without CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool SameBytes(const void* a, const void* b, size_t n) { return std::memcmp(a, b, n) == 0; }

template <class T>
void Randomise(T* rec, std::mt19937& rng) {
    auto* bytes = reinterpret_cast<unsigned char*>(rec);
    for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<unsigned char>(rng());
}

// Random text of printable ASCII and Shift-JIS lead/trail bytes, never a quote, CR or LF.
void RandomText(char* dst, size_t capacity, std::mt19937& rng) {
    const size_t len = rng() % capacity;
    for (size_t i = 0; i < len; ++i) {
        char c;
        do c = static_cast<char>(rng() % 255 + 1);
        while (c == '"' || c == '\r' || c == '\n' || c == '\t' || c == ' ');
        dst[i] = c;
    }
    dst[len] = '\0';
    for (size_t i = len + 1; i < capacity; ++i) dst[i] = 0;
}

}  // namespace

TEST(StoreFormat, ClearedRecordsLineCounts) {
    struct Row {
        const char* name;
        PrintLines lines;
        bool extras;
        size_t total;
    };
    // print block + blank, 89 config + blank, 16 port + blank, then refine/preset, blank + 5.
    const Row rows[] = {
        {"config_window", PrintLines::Config, true, 34 + 1 + 89 + 1 + 16 + 1 + 2 + 1 + 5},
        {"sender", PrintLines::Sender, true, 36 + 1 + 89 + 1 + 16 + 1 + 2 + 1 + 5},
        {"preset", PrintLines::Config, false, 34 + 1 + 89 + 1 + 16 + 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Loaded l;
        const std::string text = l.Format(row.lines, row.extras);
        const auto lines = SplitCrLf(text);
        EXPECT_EQ(lines.size(), row.total);
        const size_t printLines = row.lines == PrintLines::Sender ? 36 : 34;
        EXPECT_EQ(lines[printLines], "");
        EXPECT_EQ(lines[printLines + 1], "THPrConfig.vars = 0");
        EXPECT_EQ(lines[printLines + 1 + 89], "");
        EXPECT_EQ(lines[printLines + 2 + 89], "THSrConfig.port = 0");
        EXPECT_EQ(lines[printLines + 2 + 89 + 15], "THSrConfig.port_name = \"\"");
        EXPECT_EQ(text.find("pIdleProc") != std::string::npos, row.lines == PrintLines::Sender);
        if (row.extras) {
            EXPECT_EQ(lines[lines.size() - 8], "refine_con = 0");
            EXPECT_EQ(lines[lines.size() - 7], "preset_name = \"\"");
            EXPECT_EQ(lines[lines.size() - 6], "");
            EXPECT_EQ(lines.back(), "tPldStatRes.nouse3 = 0");
        } else {
            EXPECT_EQ(lines.back(), "");
            EXPECT_EQ(text.find("refine_con"), std::string::npos);
        }
    }
}

TEST(StoreFormat, SenderPointerLinesSitBetweenFromUsrAndFileVol) {
    Loaded l;
    const std::string text = l.Format(PrintLines::Sender);
    EXPECT_NE(text.find("THPrint.prJob.fFromUsr = 0\r\nTHPrint.prJob.pIdleProc = 0\r\n"
                        "THPrint.prJob.pFileName = 0\r\nTHPrint.prJob.iFileVol = 0\r\n"),
              std::string::npos);
}

TEST(StoreFormat, ValueFormats) {
    Loaded l;
    l.rec.config->cmargin = Rect{10, 20, 30, 40};
    l.rec.serial->nouse1 = -1;
    l.rec.serial->portid = 5000000000;
    l.rec.serial->prunit = 3000000000;
    l.rec.print->prStl.bPort = -1;
    l.rec.print->prJob.fFromUsr = 255;
    l.rec.paper->pitem_count = 2;
    std::strcpy(l.rec.paper->pitem[0].pname, "A4");
    l.rec.paper->pitem[1].pwidth = -7;
    std::strcpy(l.rec.serial->ipaddr, "host:dir:user:pw");
    const std::string text = l.Format();
    const char* expected[] = {
        "\r\nTHPrConfig.cmargin = 20,10,40,30\r\n",
        "\r\nTHSrConfig.nouse1 = -1\r\n",
        "\r\nTHSrConfig.portid = 705032704\r\n",
        "\r\nTHSrConfig.prunit = -1294967296\r\n",
        "\r\nTHPrint.prStl.bPort = -1\r\n",
        "\r\nTHPrint.prJob.fFromUsr = 255\r\n",
        "\r\nTHPrPaper.pitem_01.pname = \"A4\"\r\nTHPrPaper.pitem_01.pwidth = 0\r\n",
        "\r\nTHPrPaper.pitem_02.pwidth = -7\r\n",
        "THPrPaper.pitem_02.pisroll = 0\r\n\r\nTHPrConfig.vars",
        "\r\nTHSrConfig.ipaddr = \"host:dir:user:pw\"\r\n",
    };
    for (const char* want : expected) EXPECT_NE(text.find(want), std::string::npos) << want;
    EXPECT_EQ(text.find("pitem_03"), std::string::npos);
}

TEST(StoreFormat, TextWithLineEndCannotInjectKeys) {
    Loaded l;
    std::strcpy(l.rec.serial->prheader, "head\r\nrefine_con = 7");
    l.Load(l.Format());
    EXPECT_STREQ(l.rec.serial->prheader, "head");
    EXPECT_EQ(*l.rec.refCon, 0);
}

TEST(StoreFormat, RandomRecordsRoundTrip) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        Loaded want;
        Randomise(want.rec.print.get(), rng);
        want.rec.print->prJob.pIdleProc = nullptr;
        want.rec.print->prJob.pFileName = nullptr;
        Randomise(want.rec.config.get(), rng);
        Randomise(want.rec.serial.get(), rng);
        Randomise(&want.stat, rng);
        *want.rec.refCon = static_cast<int64_t>(rng()) << 32 | rng();
        RandomText(want.rec.serial->port_name, kPortNameSize, rng);
        RandomText(want.rec.serial->ipaddr, kHostTextSize, rng);
        RandomText(want.rec.serial->prheader, kHostTextSize, rng);
        RandomText(want.rec.serial->prfooter, kHostTextSize, rng);
        RandomText(want.rec.serial->shared_folder, kHostTextSize, rng);
        RandomText(want.preset, kPresetNameSize, rng);
        std::memset(want.rec.paper.get(), 0, sizeof(TPrPaper));
        const int items = static_cast<int>(rng() % 100);
        for (int i = 0; i < items; ++i) {
            TPrPaperItem& it = want.rec.paper->pitem[i];
            do RandomText(it.pname, kPaperNameSize, rng);
            while (i == items - 1 && it.pname[0] == '\0');
            it.pwidth = static_cast<int16_t>(rng());
            it.pheight = static_cast<int16_t>(rng());
            it.pisroll = static_cast<int16_t>(rng());
        }
        want.rec.paper->pitem_count = static_cast<int16_t>(items);

        Loaded got;
        const PrintLines lines = round % 2 ? PrintLines::Sender : PrintLines::Config;
        got.Load(want.Format(lines));

        // Padding bytes aside, the records must come back field for field; the 64-bit values
        // as their sign-extended low 32 bits.
        auto low32 = [](int64_t v) { return static_cast<int64_t>(static_cast<int32_t>(v)); };
        EXPECT_EQ(got.Format(lines), want.Format(lines));
        EXPECT_TRUE(SameBytes(got.rec.config.get(), want.rec.config.get(), sizeof(TPrConfig)));
        EXPECT_EQ(got.rec.paper->pitem_count, items);
        EXPECT_EQ(got.rec.serial->portid, low32(want.rec.serial->portid));
        EXPECT_EQ(got.rec.serial->nouse1, low32(want.rec.serial->nouse1));
        EXPECT_EQ(*got.rec.refCon, low32(*want.rec.refCon));
        EXPECT_EQ(got.stat.nouse3, low32(want.stat.nouse3));
        EXPECT_EQ(got.rec.print->prInfo.rPage.left, want.rec.print->prInfo.rPage.left);
        EXPECT_EQ(got.rec.print->prJob.fFromUsr, want.rec.print->prJob.fFromUsr);
        EXPECT_STREQ(got.rec.serial->shared_folder, want.rec.serial->shared_folder);
        EXPECT_STREQ(got.preset, want.preset);
    }
}

TEST(StoreLoader, LineRules) {
    struct Row {
        const char* name;
        std::string bytes;
        int16_t baud;
        Rect cmargin;
        std::string header;
    };
    const std::string base = "THSrConfig.baud = 5\r\nTHPrConfig.cmargin = 20,10,40,30\r\n"
                             "THSrConfig.prheader = \"a b\"\r\n";
    const Rect m{10, 20, 30, 40};
    const Row rows[] = {
        {"crlf", base, 5, m, "a b"},
        {"lf_only", "THSrConfig.baud = 5\nTHPrConfig.cmargin = 20,10,40,30\nTHSrConfig.prheader = \"a b\"",
         5, m, "a b"},
        {"cr_only", "THSrConfig.baud = 5\rTHPrConfig.cmargin = 20,10,40,30\rTHSrConfig.prheader = \"a b\"\r",
         5, m, "a b"},
        {"bare_equals_and_tabs", "\tTHSrConfig.baud=\t5\nTHPrConfig.cmargin=20, 10 ,40,30\n"
                                 "THSrConfig.prheader=\"a\t b\"\n", 5, m, "a b"},
        {"comma_after_key", "THSrConfig.baud,5\nTHPrConfig.cmargin,20,10,40,30\n", 5, m, ""},
        {"comment_plain", base + "'THSrConfig.baud = 9\r\n", 5, m, "a b"},
        {"comment_blanks", base + "  \t 'THSrConfig.baud = 9\r\n", 5, m, "a b"},
        {"repeated_key_last_wins", base + "THSrConfig.baud = 7\r\n", 7, m, "a b"},
        {"other_case_ignored", base + "thsrconfig.baud = 7\r\nTHSRCONFIG.BAUD = 8\r\n", 5, m, "a b"},
        {"nul_ends_data", base + "THSrConfig.baud = 7\0\r\nTHSrConfig.baud = 8\r\n"s,
         7, m, "a b"},
        {"nul_mid_line", "THSrConfig.baud = 6\0 = 9\r\n"s, 6, Rect{}, ""},
        {"first_of_several_values", "THSrConfig.baud = 3,4,5\r\n", 3, Rect{}, ""},
        {"number_prefix", "THSrConfig.baud = 12abc\r\nTHSrConfig.prheader = \"x\"\r\n", 12, Rect{}, "x"},
        {"letters_only", "THSrConfig.baud = abc\r\n", 0, Rect{}, ""},
        {"low_16_bits", "THSrConfig.baud = 65541\r\n", 5, Rect{}, ""},
        // 99999999999999999999 mod 2^32 is 1661992959, whose low 16 bits are 0xFFFF.
        {"beyond_32_bits", "THSrConfig.baud = 99999999999999999999\r\n", -1, Rect{}, ""},
        {"no_value_clears", base + "THSrConfig.baud\r\nTHSrConfig.prheader\r\nTHPrConfig.cmargin\r\n",
         0, Rect{}, ""},
        {"short_rect", "THPrConfig.cmargin = 20,10\r\n", 0, Rect{10, 20, 0, 0}, ""},
        {"long_rect", "THPrConfig.cmargin = 20,10,40,30,50,60\r\n", 0, m, ""},
        {"quoted_comma_equals", "THSrConfig.prheader = \"a,b=c\"\r\n", 0, Rect{}, "a,b=c"},
        {"inner_quote", "THSrConfig.prheader = \"a\"b c\"d\"\r\n", 0, Rect{}, "abcd"},
        {"quoted_key", "\"THSrConfig.baud\" = 4\r\n", 4, Rect{}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Loaded l;
        l.Load(row.bytes);
        EXPECT_EQ(l.rec.serial->baud, row.baud);
        EXPECT_EQ(l.rec.config->cmargin.top, row.cmargin.top);
        EXPECT_EQ(l.rec.config->cmargin.left, row.cmargin.left);
        EXPECT_EQ(l.rec.config->cmargin.bottom, row.cmargin.bottom);
        EXPECT_EQ(l.rec.config->cmargin.right, row.cmargin.right);
        EXPECT_EQ(l.rec.serial->prheader, row.header);
    }
}

TEST(StoreLoader, NumbersKeepTheirLow32Bits) {
    struct Row {
        const char* name;
        const char* text;
        int64_t want;
    };
    const Row rows[] = {
        {"plain", "123", 123},
        {"negative", "-1294967296", -1294967296},
        {"plus_sign", "+42", 42},
        {"int32_min", "-2147483648", INT32_MIN},
        {"wraps_past_int32", "2147483648", INT32_MIN},
        {"five_billion", "5000000000", 705032704},
        {"twenty_digits", "99999999999999999999", 1661992959},
        {"sign_only", "-", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Loaded l;
        l.Load(std::string("THSrConfig.portid = ") + row.text + "\r\n");
        EXPECT_EQ(l.rec.serial->portid, row.want);
    }
}

TEST(StoreLoader, PaperAndPenElements) {
    struct Row {
        const char* name;
        const char* bytes;
        int16_t count;
        int item;  // 1-based element to check, 0 for none
        const char* pname;
        int16_t width;
    };
    const Row rows[] = {
        {"only_item_5", "THPrPaper.pitem_05.pname = \"B5\"\r\n", 5, 5, "B5", 0},
        {"one_digit_ignored", "THPrPaper.pitem_3.pname = \"X\"\r\n", 0, 3, "", 0},
        {"two_digits", "THPrPaper.pitem_03.pname = \"X\"\r\n", 3, 3, "X", 0},
        {"sizes_before_name", "THPrPaper.pitem_02.pwidth = 595\r\nTHPrPaper.pitem_02.pheight = 842\r\n"
                              "THPrPaper.pitem_02.pname = \"A4\"\r\n", 2, 2, "A4", 595},
        {"element_99", "THPrPaper.pitem_99.pname = \"Z\"\r\n", 99, 99, "Z", 0},
        {"element_100_ignored", "THPrPaper.pitem_100.pname = \"Z\"\r\n", 0, 0, "", 0},
        {"highest_named_counts", "THPrPaper.pitem_07.pname = \"G\"\r\nTHPrPaper.pitem_02.pname = \"B\"\r\n"
                                 "THPrPaper.pitem_09.pwidth = 5\r\n", 7, 9, "", 5},
        {"renamed_empty", "THPrPaper.pitem_04.pname = \"D\"\r\nTHPrPaper.pitem_04.pname = \"\"\r\n", 0, 4, "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Loaded l;
        l.Load(row.bytes);
        EXPECT_EQ(l.rec.paper->pitem_count, row.count);
        if (row.item > 0) {
            EXPECT_STREQ(l.rec.paper->pitem[row.item - 1].pname, row.pname);
            EXPECT_EQ(l.rec.paper->pitem[row.item - 1].pwidth, row.width);
        }
    }

    Loaded pens;
    pens.Load("THPrConfig.toollist_10.red = 10000\r\nTHPrConfig.toollist_11.red = 5\r\n"
              "THPrConfig.toollist_1.red = 6\r\nTHPrConfig.toollist_01.fcolor = 1\r\n");
    EXPECT_EQ(pens.rec.config->toollist[9].red, 10000);
    EXPECT_EQ(pens.rec.config->toollist[0].red, 0);
    EXPECT_EQ(pens.rec.config->toollist[0].fcolor, 1);
    EXPECT_EQ(pens.rec.config->fusekstm, 0);  // nothing spilled past the last pen
}

TEST(StoreLoader, OversizeInputIsCutNotOverrun) {
    struct Row {
        const char* name;
        std::string key;
        size_t capacity;
    };
    const Row rows[] = {
        {"pname", "THPrPaper.pitem_01.pname", kPaperNameSize},
        {"port_name", "THSrConfig.port_name", kPortNameSize},
        {"ipaddr", "THSrConfig.ipaddr", kHostTextSize},
        {"preset_name", "preset_name", kPresetNameSize},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Loaded l;
        // Longer than the line buffer too: the line is cut at 1023 bytes, the text at capacity.
        l.Load(row.key + " = \"" + std::string(3000, 'x') + "\"\r\nTHSrConfig.baud = 3\r\n");
        const char* text = row.key == "THPrPaper.pitem_01.pname" ? l.rec.paper->pitem[0].pname
                           : row.key == "THSrConfig.port_name"  ? l.rec.serial->port_name
                           : row.key == "THSrConfig.ipaddr"     ? l.rec.serial->ipaddr
                                                                : l.preset;
        EXPECT_EQ(strnlen(text, row.capacity), row.capacity - 1);
        EXPECT_EQ(l.rec.serial->baud, 3);
    }

    // "THSrConfig.baud=" is 16 bytes, so the 1023 kept bytes end after the "12" of 12345.
    Loaded cut;
    cut.Load("THSrConfig.baud = " + std::string(1005, '0') + "12345\r\nTHSrConfig.data = 2\r\n");
    EXPECT_EQ(cut.rec.serial->baud, 12);
    EXPECT_EQ(cut.rec.serial->data, 2);
}

TEST(StoreLoader, ExtrasIgnoredWhenNotGiven) {
    RecordSet rec;
    ClearRecords(rec.print.get(), rec.paper.get(), rec.config.get(), rec.serial.get());
    const std::string bytes = "refine_con = 2\r\npreset_name = \"p\"\r\ntPldStatRes.nouse1 = 4\r\n"
                              "THSrConfig.baud = 1\r\n";
    LoadPrefarenceBytes(bytes.data(), bytes.size(), rec.print.get(), rec.paper.get(),
                        rec.config.get(), rec.serial.get(), nullptr, nullptr, nullptr);
    EXPECT_EQ(rec.serial->baud, 1);
}

struct StatusCase {
    const char* name;
    std::string file;
    int64_t value;
    std::string expected;
};

// The completion status goes into the file as it stands: only what the loader reads as
// refine_con changes, and a file without one gets it where a whole save puts it (a whole save's
// own file, with the line and without, is the sender's to show, end to end).
TEST(StoreFormat, CompletionStatusChangesItsLineOnly) {
    const StatusCase rows[] = {
        {"ValueReplacedRestKept", "A = 1\r\nrefine_con = 0\r\npreset_name = \"x y\"\r\n", 2,
         "A = 1\r\nrefine_con = 2\r\npreset_name = \"x y\"\r\n"},
        {"HandWrittenLineKeepsItsLineEnd", "\trefine_con=1\nB = \x83\x76\n", 2,
         "refine_con = 2\nB = \x83\x76\n"},
        {"EveryRepeatTakesIt", "refine_con = 0\r\nrefine_con = 1\r\n", 2,
         "refine_con = 2\r\nrefine_con = 2\r\n"},
        {"CommentOrOtherCaseIsNotTheStatus", "'refine_con = 1\r\nRefine_con = 1\r\n", 0,
         "'refine_con = 1\r\nRefine_con = 1\r\nrefine_con = 0\r\n"},
        {"MissingGoesBeforePresetName", "P = \"\"\r\n\r\npreset_name = \"\"\r\n", 1,
         "P = \"\"\r\n\r\nrefine_con = 1\r\npreset_name = \"\"\r\n"},
        {"MissingGoesBeforeTheStatusRecordsBlankLine",
         "P = 1\r\n\r\n\r\ntPldStatRes.plstVersion = 3001\r\n", 2,
         "P = 1\r\n\r\nrefine_con = 2\r\n\r\ntPldStatRes.plstVersion = 3001\r\n"},
        {"MissingAtTheEndOfALastLineWithoutEnd", "P = 1", 2, "P = 1\r\nrefine_con = 2\r\n"},
        {"EmptyFile", "", 1, "refine_con = 1\r\n"},
        {"NothingAfterANulIsRead", "P = 1\r\n\0refine_con = 1\r\n"s, 2,
         "P = 1\r\nrefine_con = 2\r\n\0refine_con = 1\r\n"s},
    };
    for (const StatusCase& row : rows) {
        EXPECT_EQ(WithCompletion(row.file, row.value), row.expected) << row.name;
        // What the loader then reads is the status asked for.
        Loaded after;
        after.Load(WithCompletion(row.file, row.value));
        EXPECT_EQ(*after.rec.refCon, static_cast<int32_t>(row.value)) << row.name;
    }
}
