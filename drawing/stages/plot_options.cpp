#include "drawing/stages/plot_options.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "drawing/stages/device_commands.h"
#include "settings/knife_file.h"
#include "settings/records.h"

namespace {

// The pen number an entry selects (SP n): its tpenid, 1 to 14. A stored 0 is what the
// configuration window shows as pen 13, and plots so.
int PenNumberOf(const TPenEntry& pen) {
    if (pen.tpenid >= 1 && pen.tpenid <= 14) return pen.tpenid;
    return 13;
}

double Share(int16_t v) { return std::clamp(v, int16_t{0}, int16_t{10000}) / 10000.0; }

void DecodeFrame(const TPrConfig& config, CutOptions& cut);
void DecodePerforation(const TPrConfig& config, CutOptions& cut);

}  // namespace

PlotOptions DecodePlotOptions(const TPrint& print, const TPrConfig& config) {
    PlotOptions o;
    const Rect& page = print.prInfo.rPage;
    const int scale = print.prXInfo.iBandV == 0 ? 100 : print.prXInfo.iBandV;
    o.area = PlotAreaOf(page.right - page.left, page.bottom - page.top, scale);
    for (int i = 0; i < kPenCount; ++i) {
        const TPenEntry& pen = config.toollist[i];
        o.pens[i] = PenSetting{PenNumberOf(pen), pen.fcolor == 1,  pen.thick / 100.0,
                               Share(pen.red),   Share(pen.green), Share(pen.blue)};
    }
    // The check boxes of automatic pens and line optimisation are stored inverted: 0 is ticked.
    o.automaticPens = config.fautopen == 0;
    o.optimised = config.foptln == 0;
    // A sort the window does not offer plots as the first, which a fresh setup stores.
    o.sort = config.fsort == 1   ? PathSort::InsideFirst
             : config.fsort == 2 ? PathSort::Bands
                                 : PathSort::None;
    o.merge = config.foptEx != 0;
    o.autoSplit = config.fautosep != 0;
    o.rollFeed = print.prStl.feed != 0;
    o.rollLengthPoints = config.rlength;
    // The window shows (and stores) a page below 1 as 1.
    const auto shown = [](int16_t own, int16_t job) {
        return std::max<int>(own < 1 ? job : own, 1);
    };
    o.asked = {shown(config.iFstPage, print.prJob.iFstPage),
               shown(config.iLstPage, print.prJob.iLstPage)};
    DecodeFrame(config, o.cut);
    if (o.cut.problem.empty()) DecodePerforation(config, o.cut);
    return o;
}

namespace {

constexpr int kToolMax = 10;  // the window's tool menus
// Plotter steps per inch: below 100 a step is coarser than a quarter millimetre, beyond 10,000
// finer than any plotter or cutter moves. Within them even the largest page a record can hold
// (32,767 points) stays far inside HP-GL's range of 2^30.
constexpr int64_t kFewestSteps = 100, kMostSteps = 10000;
// pdlmopt: flag << 24 | A << 16 | S, as the window packs it.
constexpr int kPdPairsMax = 180, kPdBytesMax = 9999;

int32_t PointsToUnits(int16_t points) {
    return static_cast<int32_t>(std::lround(points * kPlotUnitsPerMm * 25.4 / 72));
}

std::string StoredText(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

void DecodeFrame(const TPrConfig& config, CutOptions& cut) {
    if (config.fusekstm == 0) return;
    const Rect& m = config.kmargin;
    if (config.ktoolid < 1 || config.ktoolid > kToolMax) {
        cut.problem = "the weeding frame's tool " + std::to_string(config.ktoolid) +
                      " is not one of the pens 1 to " + std::to_string(kToolMax);
    } else if (m.left < 0 || m.right < 0 || m.top < 0 || m.bottom < 0) {
        cut.problem = "the weeding frame's margins (K margin) must not be negative";
    }
    cut.frame = {true,
                 config.ktoolid,
                 PointsToUnits(m.left),
                 PointsToUnits(m.right),
                 PointsToUnits(m.bottom),
                 PointsToUnits(m.top)};
}

void DecodePerforation(const TPrConfig& config, CutOptions& cut) {
    if (config.fusezfcut == 0) return;
    if (config.zftoolid < 1 || config.zftoolid > kToolMax) {
        cut.problem = "the perforation's tool " + std::to_string(config.zftoolid) +
                      " is not one of the pens 1 to " + std::to_string(kToolMax);
        return;
    }
    if (config.zfcpress < 0 || config.zfspress < 0) {
        cut.problem = "the perforation's pressures must not be negative";
        return;
    }
    if (config.zfcleng <= 0 || config.zfsleng <= 0) {
        cut.notes.push_back(
            "the perforation's cut and skip lengths must both be above 0: the "
            "lines of pen " +
            std::to_string(config.zftoolid) + " are cut whole");
        return;
    }
    // Lengths in 0.1 mm.
    cut.perforation = {true,
                       config.zftoolid,
                       config.zfcleng * kPlotUnitsPerMm / 10,
                       config.zfsleng * kPlotUnitsPerMm / 10,
                       config.zfcpress,
                       config.zfspress};
}

void DecodeOutput(const TSrConfig& serial, CutOptions& cut) {
    OutputForm& o = cut.output;
    if (serial.prunit < 0 ||
        (serial.prunit > 0 && (serial.prunit < kFewestSteps || serial.prunit > kMostSteps))) {
        cut.problem = "the plotter unit " + std::to_string(serial.prunit) +
                      " steps per inch is not one a plotter moves in (" +
                      std::to_string(kFewestSteps) + " to " + std::to_string(kMostSteps) +
                      ", or 0 for 1016)";
        return;
    }
    o.stepsPerInch = serial.prunit == 0 ? 1016 : static_cast<int>(serial.prunit);
    if ((serial.pdlmopt >> 24 & 0xFF) != 0) {
        o.limitPd = true;
        o.pdPairs = std::clamp(static_cast<int>(serial.pdlmopt >> 16 & 0xFF), 1, kPdPairsMax);
        o.pdBytes = std::clamp(static_cast<int>(serial.pdlmopt & 0xFFFF), 1, kPdBytesMax);
    }
    std::string problem;
    if (!DecodeDeviceCommands(StoredText(serial.prheader, sizeof serial.prheader), &o.header,
                              &problem)) {
        cut.problem = "the header can't be sent: " + problem;
    } else if (!DecodeDeviceCommands(StoredText(serial.prfooter, sizeof serial.prfooter), &o.footer,
                                     &problem)) {
        cut.problem = "the footer can't be sent: " + problem;
    }
}

}  // namespace

PlotOptions DecodePlotOptions(const TPrint& print, const TPrConfig& config, const TSrConfig& serial,
                              const KnifeSettings& knife) {
    PlotOptions o = DecodePlotOptions(print, config);
    CutOptions& cut = o.cut;
    if (cut.problem.empty()) DecodeOutput(serial, cut);
    if (knife.use && cut.problem.empty()) {
        if (knife.tool < 1 || knife.tool > kKnifeToolMax || knife.offset < 0 ||
            knife.offset > kKnifeOffsetMax || knife.overcut < 0 || knife.overcut > kKnifeOvercutMax)
            cut.problem = "the knife settings are out of range";
        // 0.01 mm.
        cut.knife = {true, knife.tool, knife.offset * kPlotUnitsPerMm / 100,
                     knife.overcut * kPlotUnitsPerMm / 100};
    }
    return o;
}
