#include <gtest/gtest.h>

#include <cstring>

#include "settings/geometry.h"
#include "settings/records.h"

namespace {

void ExpectRect(const Rect& r, int top, int left, int bottom, int right) {
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.bottom, bottom);
    EXPECT_EQ(r.right, right);
}

}  // namespace

TEST(Geometry, CalcPageWidth) {
    struct Row {
        const char* name;
        int16_t scale;
        int16_t roll;
        int pageV, pageH;
        Rect rPage, rPaper, ptPage;
        int res;
        int band;
    };
    // Paper 842 x 1191, sheet margins 10/20/30/40 (top, left, bottom, right), roll 1/2/3/4.
    const Row rows[] = {
        {"full_size", 100, 0, 1191, 842, {0, 0, 1151, 782}, {-10, -20, 1181, 822}, {0, 0, 1151, 782}, 360, 100},
        {"turned", -100, 0, 842, 1191, {0, 0, 782, 1151}, {-20, -30, 822, 1161}, {0, 0, 782, 1151}, 360, -100},
        {"half", 50, 0, 1191, 842, {0, 0, 2302, 1564}, {-20, -40, 2362, 1644}, {0, 0, 1151, 782}, 180, 50},
        {"roll_margins", 100, 1, 1191, 842, {0, 0, 1187, 836}, {-1, -2, 1190, 840}, {0, 0, 1187, 836}, 360, 100},
        // Zero is shown as 100 by the window; the geometry treats it the same way.
        {"zero_as_full_size", 0, 0, 1191, 842, {0, 0, 1151, 782}, {-10, -20, 1181, 822}, {0, 0, 1151, 782}, 360, 100},
        // 1191 / 0.01 = 119100 leaves 16 bits and is stored as its low 16 bits.
        {"tiny_scale_wraps", 1, 0, 1191, 842,
         {0, 0, static_cast<int16_t>(119100 - 1000 - 3000), static_cast<int16_t>(84200 - 2000 - 4000)},
         {-1000, -2000, static_cast<int16_t>(119100 - 1000), static_cast<int16_t>(84200 - 2000)},
         {0, 0, 1151, 782}, 4, 1},
        {"most_negative", -32768, 0, 842, 1191, {0, 0, 2, 3}, {0, 0, 2, 3}, {0, 0, 782, 1151}, 117965, -32768},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TPrint print{};
        TPrConfig config{};
        config.cmargin = Rect{10, 20, 30, 40};
        config.rmargin = Rect{1, 2, 3, 4};
        print.prXInfo.iRowBytes = 77;
        CalcPageWidth(&print, &config, 842, 1191, row.scale, row.roll);
        EXPECT_EQ(print.prStl.iPageV, row.pageV);
        EXPECT_EQ(print.prStl.iPageH, row.pageH);
        EXPECT_EQ(print.prStl.feed, row.roll);
        ExpectRect(print.prInfo.rPage, row.rPage.top, row.rPage.left, row.rPage.bottom, row.rPage.right);
        ExpectRect(print.rPaper, row.rPaper.top, row.rPaper.left, row.rPaper.bottom, row.rPaper.right);
        ExpectRect(print.prInfoPT.rPage, row.ptPage.top, row.ptPage.left, row.ptPage.bottom, row.ptPage.right);
        EXPECT_EQ(print.prInfoPT.iVRes, static_cast<int16_t>(row.res));
        EXPECT_EQ(print.prInfoPT.iHRes, static_cast<int16_t>(row.res));
        EXPECT_EQ(print.prXInfo.iBandV, row.band);
        EXPECT_EQ(print.prXInfo.iBandH, row.band);
        EXPECT_EQ(print.prXInfo.iRowBytes, 77);  // untouched
    }
}

TEST(Geometry, FixPageMargin) {
    struct Row {
        const char* name;
        int16_t scale;
        Rect want;
    };
    const Row rows[] = {
        {"full", 100, {10, 20, 30, 40}},
        {"turned", -100, {20, 30, 40, 10}},
        {"half", 50, {20, 40, 60, 80}},
        {"rounds_half_up", 300, {3, 7, 10, 13}},
        {"zero_as_full", 0, {10, 20, 30, 40}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rect r{10, 20, 30, 40};
        FixPageMargin(&r, row.scale);
        ExpectRect(r, row.want.top, row.want.left, row.want.bottom, row.want.right);
    }
}

TEST(Geometry, MkDefault) {
    TPrConfig config{};
    TPrPaper paper{};
    TPrint print;
    std::memset(&print, 0x5A, sizeof print);
    mkDefault(&print, &config, &paper);
    EXPECT_EQ(print.iPrVersion, 2);
    EXPECT_EQ(print.prInfo.iDev, -21844);
    EXPECT_EQ(print.prInfoPT.iDev, -21844);
    EXPECT_EQ(print.prInfo.iVRes, 72);
    EXPECT_EQ(print.prStl.wDev, 8962);
    EXPECT_EQ(print.prStl.iPageV, 1191);
    EXPECT_EQ(print.prStl.iPageH, 842);
    ExpectRect(print.prInfo.rPage, 0, 0, 1191, 842);
    ExpectRect(print.rPaper, 0, 0, 1191, 842);
    EXPECT_EQ(print.prJob.iFstPage, 1);
    EXPECT_EQ(print.prJob.iLstPage, 9999);
    EXPECT_EQ(print.prJob.iCopies, 1);
    EXPECT_EQ(print.prJob.bJDocLoop, 1);
    EXPECT_EQ(print.prJob.fFromUsr, 1);
    EXPECT_EQ(print.prJob.pIdleProc, nullptr);
    EXPECT_EQ(print.prXInfo.iRowBytes, 0);
    EXPECT_EQ(print.prXInfo.bXInfoX, 0);
    EXPECT_EQ(print.prXInfo.iBandV, 100);

    paper.pitem_count = 1;
    paper.pitem[0] = TPrPaperItem{"Roll", 600, 2000, 1};
    config.rmargin = Rect{5, 6, 7, 8};
    mkDefault(&print, &config, &paper);
    EXPECT_EQ(print.prStl.iPageV, 2000);
    EXPECT_EQ(print.prStl.iPageH, 600);
    EXPECT_EQ(print.prStl.feed, 1);
    ExpectRect(print.prInfo.rPage, 0, 0, 1988, 586);
}
