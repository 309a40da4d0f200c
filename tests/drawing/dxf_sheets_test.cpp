// What a DXF's groups say of its layouts and viewports, read beside dxflib, and the views they
// make: the file's text is written here, group by group, where ezdxf would write it right.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "drawing/read/dxf/dxf_stream.h"
#include "drawing/read/dxf/dxf_viewport.h"

namespace {

std::string G(int code, const std::string& value) {
    return std::to_string(code) + "\n" + value + "\n";
}

std::string Section(const std::string& name, const std::string& body) {
    return G(0, "SECTION") + G(2, name) + body + G(0, "ENDSEC");
}

// A LAYOUT whose plot settings name a page setup (group 1 too) before the layout's own name.
std::string Layout(const std::string& name, int tab, const std::string& record) {
    return G(0, "LAYOUT") + G(5, "1E") + G(330, "D") + G(100, "AcDbPlotSettings") + G(1, "Setup") +
           G(44, "200") + G(45, "150") + G(72, "1") + G(100, "AcDbLayout") + G(1, name) +
           G(71, std::to_string(tab)) + G(10, "0") + G(20, "0") + G(11, "200") + G(21, "150") +
           G(330, record);
}

std::string Viewport(bool paper, int id, const std::string& more = "") {
    return G(0, "VIEWPORT") + G(5, "A" + std::to_string(id)) + (paper ? G(67, "1") : "") +
           G(100, "AcDbViewport") + G(10, "100") + G(20, "75") + G(40, "120") + G(41, "100") +
           G(69, std::to_string(id)) + G(12, "0") + G(22, "0") + G(45, "200") + more;
}

TEST(DxfSheets, GroupsDxflibSkipsAreKept) {
    const std::string tables = Section(
        "TABLES", G(0, "TABLE") + G(2, "LAYER") + G(5, "2") + G(0, "LAYER") + G(5, "3f") +
                      G(2, "HIDE") + G(0, "ENDTAB") + G(0, "TABLE") + G(2, "BLOCK_RECORD") +
                      G(0, "BLOCK_RECORD") + G(5, "1B") + G(2, "*Paper_Space") +
                      G(0, "BLOCK_RECORD") + G(5, "34") + G(2, "*Paper_Space0") + G(0, "ENDTAB"));
    const std::string outline = G(0, "LWPOLYLINE") + G(5, "B1") + G(67, "1") + G(70, "1") +
                                G(10, "0") + G(20, "0") + G(10, "5") + G(20, "0") + G(10, "5") +
                                G(20, "5");
    const std::string file =
        tables +
        Section("BLOCKS", G(0, "BLOCK") + G(2, "*Paper_Space0") + Viewport(true, 1) +
                              Viewport(true, 2) + G(0, "ENDBLK")) +
        Section("ENTITIES", Viewport(true, 3, G(331, "3F") + G(340, "b1") + G(90, "65536")) +
                                Viewport(false, 4) + outline) +
        Section("OBJECTS", Layout("Sheet A", 2, "1B") + Layout("Sheet B", 1, "34")) + G(0, "EOF");
    const DxfSheetScan scan = PrepareDxfText(QByteArray::fromStdString(file)).sheets;

    ASSERT_EQ(scan.layouts.size(), 2u);
    EXPECT_EQ(scan.layouts[0].name, "Sheet A");  // not the page setup's name
    EXPECT_EQ(scan.layouts[0].tab, 2);
    EXPECT_EQ(scan.layouts[0].blockRecord, "1B");
    EXPECT_EQ(scan.layouts[1].paperWidthMm, 200);
    EXPECT_EQ(scan.blockNames.at("34"), "*Paper_Space0");
    EXPECT_EQ(scan.layerNames.at("3F"), "HIDE");  // handles in either case
    ASSERT_EQ(scan.viewports.size(), 3u);
    EXPECT_EQ(scan.viewports[0].owner, "*Paper_Space0");
    EXPECT_EQ(scan.viewports[2].owner, "*Paper_Space");  // the entities section's
    EXPECT_EQ(scan.viewports[2].frozenLayers, std::vector<std::string>{"3F"});
    EXPECT_TRUE(scan.viewports[2].clippedByBoundary());
    EXPECT_EQ(scan.outlines.at("B1").size(), 3u);
    EXPECT_EQ(scan.viewportsInModel, 1);
}

// A file from before layouts: the paper in the header, each view in the viewport's MVIEW data
// (which a later, unrelated list must not disturb), frozen layers by name; and a dimension
// style's text style by the handle of its STYLE.
TEST(DxfSheets, OldFilesKeepTheirViewsInTheirData) {
    const auto mview = [](const std::string& status, const std::string& frozen) {
        return G(0, "VIEWPORT") + G(5, "22") + G(67, "1") + G(10, "210") + G(20, "148.5") +
               G(40, "420") + G(41, "297") + G(68, status) + G(69, "2") + G(1001, "ACAD") +
               G(1000, "MVIEW") + G(1002, "{") + G(1070, "16") + G(1010, "5") + G(1020, "6") +
               G(1030, "0") + G(1010, "0") + G(1020, "0") + G(1030, "1") + G(1040, "30") +
               G(1040, "89.7") + G(1040, "158.3") + G(1040, "158.4") + G(1040, "50") +
               G(1070, "0") + G(1002, "{") + frozen + G(1002, "}") + G(1002, "}") +
               G(1001, "OTHER") + G(1000, "MVIEW") + G(1040, "999");
    };
    const std::string file =
        Section("HEADER", G(9, "$ACADVER") + G(1, "AC1009") + G(9, "$PLIMMIN") + G(10, "0") +
                              G(20, "0") + G(9, "$PLIMMAX") + G(10, "420") + G(20, "297")) +
        Section("TABLES", G(0, "TABLE") + G(2, "STYLE") + G(0, "STYLE") + G(5, "1a") +
                              G(2, "Strokes") + G(0, "ENDTAB") + G(0, "TABLE") +
                              G(2, "DIMSTYLE") + G(0, "DIMSTYLE") + G(105, "1B") +
                              G(2, "Plan") + G(340, "1A") + G(0, "ENDTAB")) +
        Section("ENTITIES", mview("1", G(1003, "HIDE") + G(1003, "NOTES")) + mview("0", "")) +
        G(0, "EOF");
    const DxfSheetScan scan = PrepareDxfText(QByteArray::fromStdString(file)).sheets;

    EXPECT_TRUE(scan.layouts.empty());
    EXPECT_EQ(QRectF(scan.paperMin, scan.paperMax), QRectF(0, 0, 420, 297));
    ASSERT_EQ(scan.viewports.size(), 2u);
    const DxfViewport& v = scan.viewports[0];
    EXPECT_EQ(v.owner, "*Paper_Space");
    EXPECT_EQ(v.target, QPointF(5, 6));
    EXPECT_EQ(v.twist, 30);
    EXPECT_EQ(v.viewHeight, 89.7);
    EXPECT_EQ(v.viewCentre, QPointF(158.3, 158.4));
    EXPECT_EQ(v.frozenLayerNames, (std::vector<std::string>{"HIDE", "NOTES"}));
    EXPECT_FALSE(v.off());
    EXPECT_TRUE(scan.viewports[1].off());  // status 0
    EXPECT_EQ(scan.styleNames.at(scan.dimensionTextStyles.at("PLAN")), "Strokes");
}

TEST(DxfSheets, ViewsPlaceTheModelOrShowNothing) {
    const auto view = [](std::function<void(DxfViewport&)> change) {
        DxfViewport v;
        v.centre = {100, 75};
        v.width = 120, v.height = 100, v.viewHeight = 200;
        change(v);
        return ViewOf(v);
    };
    const struct {
        const char* name;
        std::function<void(DxfViewport&)> change;
        QPointF model, paper;  // where `model` lands; nothing expected when paper is NaN
    } rows[] = {
        {"half", [](DxfViewport&) {}, {50, 0}, {125, 75}},
        {"view_centre",
         [](DxfViewport& v) {
             v.viewCentre = {50, 0};
         },
         {50, 0},
         {100, 75}},
        {"twist_left", [](DxfViewport& v) { v.twist = 90; }, {50, 0}, {100, 100}},
        {"about_the_target",
         [](DxfViewport& v) {
             v.target = {10, 10}, v.viewCentre = {0, 0};
         },
         {10, 10},
         {100, 75}},
        {"no_width", [](DxfViewport& v) { v.width = 0; }, {}, {NAN, NAN}},
        {"negative_height", [](DxfViewport& v) { v.height = -100; }, {}, {NAN, NAN}},
        {"negative_scale", [](DxfViewport& v) { v.viewHeight = -200; }, {}, {NAN, NAN}},
        {"not_a_number",
         [](DxfViewport& v) {
             v.viewCentre = {NAN, 0};
         },
         {},
         {NAN, NAN}},
        {"a_billion_to_one", [](DxfViewport& v) { v.viewHeight = 1e-7; }, {}, {NAN, NAN}},
    };
    for (const auto& row : rows) {
        const std::optional<QTransform> t = view(row.change);
        ASSERT_EQ(t.has_value(), !std::isnan(row.paper.x())) << row.name;
        if (!t) continue;
        const QPointF at = t->map(row.model);
        EXPECT_NEAR(at.x(), row.paper.x(), 1e-9) << row.name;
        EXPECT_NEAR(at.y(), row.paper.y(), 1e-9) << row.name;
    }
}

}  // namespace
