#include "drawing/stages/plot_options.h"

#include <algorithm>

#include "settings/records.h"

namespace {

// The pen number an entry selects (SP n): its tpenid, 1 to 14. A stored 0 is what the
// configuration window shows as pen 13, and plots so.
int PenNumberOf(const TPenEntry& pen) {
    if (pen.tpenid >= 1 && pen.tpenid <= 14) return pen.tpenid;
    return 13;
}

double Share(int16_t v) { return std::clamp(v, int16_t{0}, int16_t{10000}) / 10000.0; }

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
    return o;
}
