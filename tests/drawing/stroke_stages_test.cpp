// Strokes through the stages into the HP-GL writer: what the writer encodes, byte for byte,
// which stages the cutting options list and in which order, and how a plot past its ceiling
// or refused by a stage ends.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "drawing/hpgl_writer.h"
#include "drawing/stages/drag_knife.h"
#include "drawing/stages/perforation.h"
#include "drawing/stages/plot_stages.h"
#include "drawing/stages/weeding_frame.h"

namespace {

// Strokes into a body through the stages `cut` asks for: the body, the writer's travel and
// refusal.
struct Written {
    std::string body;
    double travel = 0;
    std::string refusal;
};

Written Write(const CutOptions& cut, const std::vector<Stroke>& strokes) {
    char* data = nullptr;
    size_t size = 0;
    std::FILE* body = open_memstream(&data, &size);
    Written out;
    {
        HpglWriter writer(body, cut.output);
        StageChain stages(PlotStages(cut, 1000, 1000), writer);
        for (const Stroke& stroke : strokes) stages.Draw(stroke);
        stages.Finish();
        writer.Finish();
        out.travel = writer.penUpTravel();
        if (writer.refusal()) out.refusal = NoteEnglish(*writer.refusal());
    }
    std::fclose(body);
    out.body.assign(data, size);
    std::free(data);
    return out;
}

}  // namespace

// The writer only encodes: the step, repeats left out of shaped strokes alone, the forces at
// their points, the PD limit, header, footer and pen changes; a stage's refusal stops the body.
TEST(StrokeStages, WriterEncodesStrokesAsTheyCome) {
    const struct {
        const char* name;
        void (*set)(CutOptions&);
        std::vector<Stroke> strokes;
        const char* body;
        double travel;
        bool refused = false;
    } rows[] = {
        {"plain",
         [](CutOptions&) {},
         {{.pen = 1, .points = {{0, 0}, {10, 0}, {10, 10}}}},
         "SP1;\nPU0,0;PD10,0,10,10;\nPU;SP0;\n",
         0},
        // At half the step 0.8 units round to the step the pen is on: a shaped stroke leaves
        // it out, a drawn one keeps every point it was measured with.
        {"shaped_repeat_left_out",
         [](CutOptions& c) { c.output.stepsPerInch = 508; },
         {{.pen = 1, .points = {{0, 0}, {0.8, 0}, {4, 0}}, .shaped = true}},
         "SP1;\nPU0,0;PD2,0;\nPU;SP0;\n",
         0},
        {"drawn_repeat_kept",
         [](CutOptions& c) { c.output.stepsPerInch = 508; },
         {{.pen = 1, .points = {{0, 0}, {0.8, 0}, {4, 0}}}},
         "SP1;\nPU0,0;PD0,0,2,0;\nPU;SP0;\n",
         0},
        {"forces_before_their_points_and_after_the_last",
         [](CutOptions&) {},
         {{.pen = 2,
           .points = {{0, 0}, {10, 0}, {20, 0}, {30, 0}},
           .forces = {{1, 30}, {2, 5}, {4, 30}}}},
         "SP2;\nPU0,0;FS30;PD10,0;FS5;PD20,0,30,0;FS30;\nPU;SP0;\n",
         0},
        {"pd_limit_of_two_pairs",
         [](CutOptions& c) {
             c.output.limitPd = true, c.output.pdPairs = 2, c.output.pdBytes = 99;
         },
         {{.pen = 1, .points = {{0, 0}, {1, 0}, {2, 0}, {3, 0}}}},
         "SP1;\nPU0,0;PD1,0,2,0;PD3,0;\nPU;SP0;\n",
         0},
        {"header_pen_change_footer",
         [](CutOptions& c) { c.output.header = "IN;", c.output.footer = "PG;"; },
         {{.pen = 1, .points = {{0, 0}, {5, 5}}}, {.pen = 3, .points = {{1, 1}, {2, 2}}}},
         "IN;SP1;\nPU0,0;PD5,5;\nSP3;\nPU1,1;PD2,2;\nPU;SP0;\nPG;",
         std::hypot(4.0, 4.0)},
        // 20 000 units in 0.02-unit pieces: the perforation refuses, and nothing of the body,
        // before or after, nor the frame, is written.
        {"refused_by_a_stage",
         [](CutOptions& c) {
             c.perforation = {true, 1, 0.01, 0.01, 0, 0};
             c.frame.use = true;
         },
         {{.pen = 2, .points = {{0, 0}, {10, 0}}},
          {.pen = 1, .points = {{0, 0}, {20000, 0}}},
          {.pen = 2, .points = {{0, 5}, {10, 5}}}},
         "",
         0,
         true},
    };
    for (const auto& row : rows) {
        CutOptions cut;
        row.set(cut);
        const Written out = Write(cut, row.strokes);
        EXPECT_EQ(out.body, row.body) << row.name;
        EXPECT_NEAR(out.travel, row.travel, 1e-9) << row.name;
        EXPECT_EQ(out.refusal.rfind("a line is too long to be perforated", 0) == 0, row.refused)
            << row.name << ": " << out.refusal;
    }
}

// Each stage works on what the ones before it made: the frame on the lines as drawn, the
// knife on the frame too, the perforation on the knife's path. A stage listed out of turn
// shows only in the bytes of a plot with several options at once.
TEST(StrokeStages, StagesAreListedInTheOrderTheyRun) {
    const struct {
        const char* name;
        void (*set)(CutOptions&);
        const char* stages;
    } rows[] = {
        {"none", [](CutOptions&) {}, ""},
        {"frame", [](CutOptions& c) { c.frame.use = true; }, "frame "},
        {"perforation_and_knife", [](CutOptions& c) { c.perforation.use = c.knife.use = true; },
         "knife perforation "},
        {"all", [](CutOptions& c) { c.perforation.use = c.knife.use = c.frame.use = true; },
         "frame knife perforation "},
    };
    for (const auto& row : rows) {
        CutOptions cut;
        row.set(cut);
        std::string kinds;
        for (const auto& stage : PlotStages(cut, 1000, 1000)) {
            const StrokeStage* s = stage.get();
            kinds += dynamic_cast<const WeedingFrameStage*>(s)  ? "frame "
                     : dynamic_cast<const DragKnifeStage*>(s)   ? "knife "
                     : dynamic_cast<const PerforationStage*>(s) ? "perforation "
                                                                : "other ";
        }
        EXPECT_EQ(kinds, row.stages) << row.name;
    }
}

// A body that would pass its ceiling is refused, naming what made it so big, and nothing past
// the ceiling reaches the file.
TEST(StrokeStages, BodyPastItsCeilingNamesWhatMultipliedIt) {
    const struct {
        const char* name;
        void (*set)(CutOptions&);
        const char* says;
    } rows[] = {
        {"lines", [](CutOptions&) {}, "the drawing has that many lines to plot"},
        {"perforation", [](CutOptions& c) { c.perforation = {true, 1, 4, 4, 0, 0}; },
         "the perforation (pen 1, cut 0.10 mm, skip 0.10 mm) cuts the lines"},
        {"knife",
         [](CutOptions& c) {
             c.knife = {true, 1, 10, 0};
         },
         "the drag knife's swings"},
    };
    ::Stroke zigzag;
    for (int32_t i = 0; i < 2000; ++i) zigzag.points.push_back({i * 5.0, (i % 2) * 100.0});
    constexpr int64_t kCeiling = 256 * 1024;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CutOptions cut;
        row.set(cut);
        std::FILE* body = std::tmpfile();
        HpglWriter writer(body, cut.output);
        writer.SetCeiling(kCeiling);
        StageChain stages(PlotStages(cut, 20000, 20000), writer);
        writer.SetShapedBy(stages.Multiplies());
        writer.SelectPen(1);
        for (int i = 0; i < 100; ++i) stages.Draw(zigzag);
        stages.Finish();
        EXPECT_FALSE(writer.Finish());
        EXPECT_LE(std::ftell(body), kCeiling);
        std::fclose(body);
        const std::string refusal = writer.refusal() ? NoteEnglish(*writer.refusal()) : "";
        EXPECT_NE(refusal.find("larger than 512 MB: " + std::string(row.says)), std::string::npos)
            << refusal;
    }
}
