// The page preview: the page it shows is the one storing the window would write, for the paper,
// scale, orientation, roll flag and margins typed into a real window.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest/QTest>
#include <memory>

#include "config/TRZN_PagePreview.h"
#include "config/page_preview_model.h"
#include "config_support.h"
#include "settings/geometry.h"

// Found by argument lookup, so they live beside Rect; static keeps them to this file.
static bool operator==(const Rect& a, const Rect& b) {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}
static std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "(" << r.top << ", " << r.left << ", " << r.bottom << ", " << r.right << ")";
}

namespace {

// ---- the geometry alone ----

struct ModelRow {
    const char* name;
    PageInputs in;
    QSizeF paper;       // points, as the paper lies
    QRectF printable;   // points on that paper
    int16_t plotWidth;  // rPage in plot units
    int16_t plotHeight;
    int16_t scale;
    QRectF weedingInside = {};  // lines inside get their weeding frame whole
};
void PrintTo(const ModelRow& row, std::ostream* os) { *os << row.name; }


const Rect kSheet = {10, 20, 30, 40};
const Rect kRoll = {5, 6, 7, 8};

class PagePreviewModel : public testing::TestWithParam<ModelRow> {};

TEST_P(PagePreviewModel, FollowsThePrintRecord) {
    const ModelRow& row = GetParam();
    const PagePreview p = ComputePagePreview(row.in);
    ASSERT_TRUE(p.hasPaper);
    EXPECT_FALSE(p.marginsTooLarge);
    EXPECT_FALSE(p.outOfRange);
    EXPECT_EQ(p.paper, row.paper);
    EXPECT_EQ(p.printable, row.printable);
    EXPECT_EQ(p.plotWidth, row.plotWidth);
    EXPECT_EQ(p.plotHeight, row.plotHeight);
    EXPECT_EQ(p.scale, row.scale);
    EXPECT_EQ(p.turned, row.scale < 0);
    EXPECT_EQ(p.weedingInside, row.weedingInside);

    // The scratch record is exactly what storing computes from the rounded inputs.
    const PageArgs a = PageArgsFor(row.in);
    TPrConfig cf = {};
    cf.cmargin = row.in.cmargin;
    cf.rmargin = row.in.rmargin;
    TPrint expected = {};
    CalcPageWidth(&expected, &cf, a.width, a.height, a.scale, a.roll);
    EXPECT_EQ(p.print.prInfo.rPage, expected.prInfo.rPage);
    EXPECT_EQ(p.print.rPaper, expected.rPaper);
    EXPECT_EQ(p.print.prInfoPT.rPage, expected.prInfoPT.rPage);
    EXPECT_EQ(p.print.prStl.feed, expected.prStl.feed);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PagePreviewModel,
    testing::Values(
        ModelRow{"Upright", {842, 1191, 100, false, false, kSheet, kRoll},
                 {842, 1191}, {20, 10, 782, 1151}, 782, 1151, 100},
        // Turned: the paper lies as it is, the page across it; the margins stay on the paper
        // (the record's page has them turned: top 20, left 30).
        ModelRow{"Turned", {842, 1191, 100, true, false, kSheet, kRoll},
                 {842, 1191}, {20, 10, 782, 1151}, 1151, 782, -100},
        ModelRow{"TurnedRollHalf", {842, 1191, 50, true, true, kSheet, kRoll},
                 {842, 1191}, {6, 5, 828, 1179}, 2358, 1656, -50},
        // Half scale: twice the plot units, the same area on the paper.
        ModelRow{"HalfScale", {842, 1191, 50, false, false, kSheet, kRoll},
                 {842, 1191}, {20, 10, 782, 1151}, 1564, 2302, 50},
        ModelRow{"RollMargins", {842, 1191, 100, false, true, kSheet, kRoll},
                 {842, 1191}, {6, 5, 828, 1179}, 828, 1179, 100},
        // Typed sizes and scales are rounded as storing rounds them.
        ModelRow{"RoundedInputs", {841.6, 1190.5, 99.6, false, false, {}, {}},
                 {842, 1191}, {0, 0, 842, 1191}, 842, 1191, 100},
        // The K margins inside the printable area, along the paper as it lies.
        ModelRow{"WeedingFrame",
                 {842, 1191, 100, true, false, kSheet, kRoll, true, {10, 20, 30, 40}},
                 {842, 1191}, {20, 10, 782, 1151}, 1151, 782, -100, {40, 20, 722, 1111}},
        // A zero scale is stored as full size.
        ModelRow{"ZeroScale", {842, 1191, 0, false, false, {}, {}},
                 {842, 1191}, {0, 0, 842, 1191}, 842, 1191, 100}),
    [](const testing::TestParamInfo<ModelRow>& info) { return std::string(info.param.name); });

TEST(PagePreviewModelNotes, NoPaperTooLargeMarginsAndWrappedValues) {
    EXPECT_FALSE(ComputePagePreview({0, 0, 100, false, false, {}, {}}).hasPaper);
    EXPECT_FALSE(ComputePagePreview({842, 0, 100, false, false, {}, {}}).hasPaper);
    EXPECT_FALSE(ComputePagePreview({-842, 1191, 100, false, false, {}, {}}).hasPaper);

    const PagePreview wide = ComputePagePreview({842, 1191, 100, false, false, {0, 500, 0, 400}, {}});
    EXPECT_TRUE(wide.hasPaper);
    EXPECT_TRUE(wide.marginsTooLarge);
    // Margins too large to add up in 16 bits are still the margins' fault, turned page or not.
    for (bool turned : {false, true}) {
        const PagePreview huge =
            ComputePagePreview({842, 1191, 100, turned, false, {0, 32767, 0, 32767}, {}});
        EXPECT_TRUE(huge.marginsTooLarge) << turned;
        EXPECT_FALSE(huge.outOfRange) << turned;
    }

    // At 1 % the scaled page (119100 units) leaves the record's 16-bit range.
    EXPECT_TRUE(ComputePagePreview({842, 1191, 1, false, false, {}, {}}).outOfRange);
    EXPECT_FALSE(ComputePagePreview({842, 1191, 4, false, false, {}, {}}).outOfRange);
    // 500 inches is more than the record holds even at full size.
    EXPECT_TRUE(ComputePagePreview({36000, 1191, 100, false, false, {}, {}}).outOfRange);
    EXPECT_FALSE(ComputePagePreview({32767, 1191, 100, false, false, {}, {}}).outOfRange);
}

TEST(PagePreviewArgs, RoundLikeStoring) {
    const struct {
        double scale;
        bool turned;
        int16_t expected;
    } rows[] = {{50.5, false, 51}, {50.5, true, -51}, {50.4, false, 50}, {-75, false, 75},
                {1e9, false, 32767}, {1e9, true, -32767},
                // A scale that cuts to 0 is full size, turned or not.
                {0, false, 100}, {0, true, -100}, {0.4, true, -100}};
    for (const auto& r : rows) {
        EXPECT_EQ(PageArgsFor({842, 1191, r.scale, r.turned, false, {}, {}}).scale, r.expected)
            << r.scale << (r.turned ? " turned" : "");
    }
    const PageArgs a = PageArgsFor({841.5, 1190.4, 100, false, true, {}, {}});
    EXPECT_EQ(a.width, 842);
    EXPECT_EQ(a.height, 1190);
    EXPECT_EQ(a.roll, 1);
}

// ---- in the window ----

class PagePreviewWindow : public ConfigTest {
protected:
    std::unique_ptr<TRZN_Config> ctrl;

    void Start(RecordSet& r) {
        WriteSettings(r);
        ctrl = std::make_unique<TRZN_Config>();
        ctrl->awakeFromNib();
    }
    QLineEdit* Text(const char* name) { return Control<QLineEdit>(*ctrl, name); }
    TRZN_PagePreview* View(const char* name) { return Control<TRZN_PagePreview>(*ctrl, name); }
    const PagePreview& Shown() { return View("prstlViewPreview")->preview(); }
    void Type(const char* field, const QString& text) {
        QLineEdit* f = Text(field);
        f->selectAll();
        QTest::keyClicks(f, text);
    }
};

struct WindowRow {
    const char* name;
    const char* width;  // in points
    const char* height;
    const char* scale;
    bool turned;
    bool roll;
    Rect rPage;
    Rect rPaper;
    Rect rPagePT;
};
void PrintTo(const WindowRow& row, std::ostream* os) { *os << row.name; }


class PagePreviewControls : public PagePreviewWindow,
                            public testing::WithParamInterface<WindowRow> {};

TEST_P(PagePreviewControls, ShowsWhatOkStores) {
    const WindowRow& row = GetParam();
    RecordSet r = SampleRecords();  // sheet margins 10/20/30/40, roll 5/6/7/8, point units
    Start(r);
    Type("prstlTextHsize", row.width);
    Type("prstlTextVsize", row.height);
    Type("prstlTextScale", row.scale);
    QTest::mouseClick(Control<QRadioButton>(*ctrl, row.turned ? "prstlUserHrdbn" : "prstlUserVrdbn"),
                      Qt::LeftButton);
    Control<QCheckBox>(*ctrl, "prstlChbxPisrl")->setChecked(row.roll);

    const PagePreview shown = Shown();
    EXPECT_EQ(shown.print.prInfo.rPage, row.rPage);
    EXPECT_EQ(shown.print.rPaper, row.rPaper);
    EXPECT_EQ(shown.print.prInfoPT.rPage, row.rPagePT);
    // Both previews show the same page.
    EXPECT_EQ(View("prconViewPreview")->preview().print.rPaper, row.rPaper);
    // Nothing reached the working records before OK.
    EXPECT_EQ(ctrl->records().print->prStl.iPageH, 842);
    EXPECT_EQ(ctrl->records().print->prXInfo.iBandV, 100);

    ctrl->SetdownItems();
    const TPrint& stored = *ctrl->records().print;
    EXPECT_EQ(stored.prInfo.rPage, shown.print.prInfo.rPage);
    EXPECT_EQ(stored.rPaper, shown.print.rPaper);
    EXPECT_EQ(stored.prInfoPT.rPage, shown.print.prInfoPT.rPage);
    EXPECT_EQ(stored.prStl.iPageV, shown.print.prStl.iPageV);
    EXPECT_EQ(stored.prStl.iPageH, shown.print.prStl.iPageH);
    EXPECT_EQ(stored.prXInfo.iBandV, shown.scale);
    EXPECT_EQ(stored.prStl.feed, row.roll ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PagePreviewControls,
    testing::Values(
        WindowRow{"Upright", "842", "1191", "100", false, false,
                  {0, 0, 1151, 782}, {-10, -20, 1181, 822}, {0, 0, 1151, 782}},
        WindowRow{"Turned", "842", "1191", "100", true, false,
                  {0, 0, 782, 1151}, {-20, -30, 822, 1161}, {0, 0, 782, 1151}},
        WindowRow{"HalfScale", "842", "1191", "50", false, false,
                  {0, 0, 2302, 1564}, {-20, -40, 2362, 1644}, {0, 0, 1151, 782}},
        WindowRow{"Roll", "842", "1191", "100", false, true,
                  {0, 0, 1179, 828}, {-5, -6, 1186, 836}, {0, 0, 1179, 828}},
        WindowRow{"TypedDecimals", "841.6", "1190.7", "50.5", true, false,
                  {0, 0, 1533, 2256}, {-39, -59, 1611, 2276}, {0, 0, 782, 1151}}),
    [](const testing::TestParamInfo<WindowRow>& info) { return std::string(info.param.name); });

TEST_F(PagePreviewWindow, DefaultRecordWithoutPapersShowsTheWholeSheet) {
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    mkDefault(r.print.get(), r.config.get(), r.paper.get());
    Start(r);
    const PagePreview& p = Shown();
    ASSERT_TRUE(p.hasPaper);
    EXPECT_EQ(p.paper, QSizeF(842, 1191));
    EXPECT_EQ(p.printable, QRectF(0, 0, 842, 1191));
    EXPECT_EQ(p.print.prInfo.rPage, (Rect{0, 0, 1191, 842}));
    EXPECT_EQ(p.print.rPaper, (Rect{0, 0, 1191, 842}));
}

TEST_F(PagePreviewWindow, FollowsEditsAndUnitSwitches) {
    RecordSet r = SampleRecords();
    Start(r);
    EXPECT_EQ(Shown().printable, QRectF(20, 10, 782, 1151));

    Type("prconTextLeafT", "100");
    EXPECT_EQ(Shown().printable, QRectF(20, 100, 782, 1061));
    Type("prconTextRoalL", "50");  // roll margins don't count for a cut sheet
    EXPECT_EQ(Shown().printable, QRectF(20, 100, 782, 1061));

    // Switching the margin unit rewrites the fields; the page stays the same.
    QComboBox* unit = Control<QComboBox>(*ctrl, "prconMenuPunitA");
    unit->setCurrentIndex(kUnitMillimetre);
    emit unit->activated(kUnitMillimetre);
    EXPECT_EQ(Text("prconTextLeafT")->text(), QStringLiteral("35.28"));
    EXPECT_EQ(Shown().printable, QRectF(20, 100, 782, 1061));
    Type("prconTextLeafT", "10");  // millimetres now: 28 points
    EXPECT_EQ(Shown().printable, QRectF(20, 28, 782, 1133));

    // Switching the size unit rewrites the size fields; the paper stays the same.
    QComboBox* size = Control<QComboBox>(*ctrl, "prstlMenuPunit");
    size->setCurrentIndex(kUnitMillimetre);
    emit size->activated(kUnitMillimetre);
    EXPECT_EQ(Shown().paper, QSizeF(842, 1191));
    EXPECT_EQ(View("prstlViewPreview")->caption(), QStringLiteral("297.04 × 420.16 mm"));

    QTest::mouseClick(Control<QRadioButton>(*ctrl, "prstlUserHrdbn"), Qt::LeftButton);
    EXPECT_EQ(Shown().paper, QSizeF(842, 1191));
    EXPECT_TRUE(Shown().turned);
    Control<QCheckBox>(*ctrl, "prstlChbxPisrl")->click();
    EXPECT_NE(Shown().print.prStl.feed, 0);

    // Nothing typed: a note instead of a page.
    Text("prstlTextHsize")->clear();
    Text("prstlTextVsize")->clear();
    EXPECT_FALSE(Shown().hasPaper);
    EXPECT_FALSE(View("prconViewPreview")->caption().isEmpty());
    EXPECT_NE(View("prconViewPreview")->caption(), QStringLiteral("297.04 × 420.16 mm"));
}

}  // namespace
