#include "drawing/stages/plot_options.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

double Share(int v) { return std::clamp(v, 0, 10000) / 10000.0; }

constexpr int kToolMax = 10;  // the window's tool menus
// Plotter steps per inch: below 100 a step is coarser than a quarter millimetre, beyond 10,000
// finer than any plotter or cutter moves. Within them even the largest page a record can hold
// (32,767 points) stays far inside HP-GL's range of 2^30.
constexpr int64_t kFewestSteps = 100, kMostSteps = 10000;

int32_t PointsToUnits(int points) {
    return static_cast<int32_t>(std::lround(points * kPlotUnitsPerMm * 25.4 / 72));
}

void DecodeFrame(const FrameSetup& frame, CutOptions& cut) {
    if (!frame.use) return;
    if (frame.tool < 1 || frame.tool > kToolMax) {
        cut.problem = Note(NoteId::WeedingFrameToolOne,
                           {std::to_string(frame.tool), std::to_string(kToolMax)});
    } else if (frame.left < 0 || frame.right < 0 || frame.top < 0 || frame.bottom < 0) {
        cut.problem = Note(NoteId::WeedingFrameMarginsK);
    }
    cut.frame = {true,
                 frame.tool,
                 PointsToUnits(frame.left),
                 PointsToUnits(frame.right),
                 PointsToUnits(frame.bottom),
                 PointsToUnits(frame.top)};
}

void DecodePerforation(const PerforationSetup& p, CutOptions& cut) {
    if (!p.use) return;
    if (p.tool < 1 || p.tool > kToolMax) {
        cut.problem =
            Note(NoteId::PerforationToolOnePens, {std::to_string(p.tool), std::to_string(kToolMax)});
        return;
    }
    if (p.cutForce < 0 || p.skipForce < 0) {
        cut.problem = Note(NoteId::PerforationPressuresMustNegative);
        return;
    }
    if (p.cutLength <= 0 || p.skipLength <= 0) {
        cut.notes.push_back(Note(NoteId::PerforationCutSkipLengths, {std::to_string(p.tool)}));
        return;
    }
    // Lengths in 0.1 mm.
    cut.perforation = {true,
                       p.tool,
                       p.cutLength * kPlotUnitsPerMm / 10,
                       p.skipLength * kPlotUnitsPerMm / 10,
                       p.cutForce,
                       p.skipForce};
}

void DecodeOutput(const OutputSetup& setup, CutOptions& cut) {
    OutputForm& o = cut.output;
    const int64_t steps = setup.stepsPerInch;
    if (steps < 0 || (steps > 0 && (steps < kFewestSteps || steps > kMostSteps))) {
        cut.problem = Note(NoteId::PlotterUnitStepsPer,
                           {std::to_string(steps), std::to_string(kFewestSteps),
                            std::to_string(kMostSteps)});
        return;
    }
    o.stepsPerInch = steps == 0 ? 1016 : static_cast<int>(steps);
    if (setup.pd.flag) {
        o.limitPd = true;
        o.pdPairs = static_cast<int>(setup.pd.a);
        o.pdBytes = static_cast<int>(setup.pd.l);
    }
    o.header = setup.header;
    o.footer = setup.footer;
    if (!setup.headerProblem.empty())
        cut.problem = Note(NoteId::HeaderCannotSent, {setup.headerProblem});
    else if (!setup.footerProblem.empty())
        cut.problem = Note(NoteId::FooterCannotSent, {setup.footerProblem});
}

void DecodeKnife(const KnifeSettings& knife, CutOptions& cut) {
    if (!knife.use) return;
    if (knife.tool < 1 || knife.tool > kKnifeToolMax || knife.offset < 0 ||
        knife.offset > kKnifeOffsetMax || knife.overcut < 0 || knife.overcut > kKnifeOvercutMax)
        cut.problem = Note(NoteId::KnifeSettingsOutRange);
    // 0.01 mm.
    cut.knife = {true, knife.tool, knife.offset * kPlotUnitsPerMm / 100,
                 knife.overcut * kPlotUnitsPerMm / 100};
}

}  // namespace

PlotOptions DecodePlotOptions(const PlotSettings& s) {
    PlotOptions o;
    o.area = PlotAreaOf(s.page.widthPoints, s.page.heightPoints, s.page.scalePercent);
    for (int i = 0; i < kPenCount; ++i) {
        const PenSetup& pen = s.pens[i];
        o.pens[i] = PenSetting{pen.number,     pen.coloured,     pen.thick / 100.0,
                               Share(pen.red), Share(pen.green), Share(pen.blue)};
    }
    o.automaticPens = s.automaticPens;
    o.optimised = s.optimised;
    o.sort = s.sort;
    o.merge = s.merge;
    o.autoSplit = s.autoSplit;
    o.rollFeed = s.rollFeed;
    o.rollLengthPoints = s.rollLengthPoints;
    o.asked = {s.firstPage, s.lastPage};
    o.everyOutline = s.everyOutline;
    CutOptions& cut = o.cut;
    DecodeFrame(s.frame, cut);
    if (!cut.problem) DecodePerforation(s.perforation, cut);
    if (!cut.problem) DecodeOutput(s.output, cut);
    if (!cut.problem) DecodeKnife(s.knife, cut);
    return o;
}
