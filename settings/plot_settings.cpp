#include "settings/plot_settings.h"

#include <algorithm>
#include <cstring>

#include "settings/device_commands.h"
#include "settings/utility.h"

namespace {

// The pen number an entry selects (SP n): its tpenid, 1 to 14. A stored 0 is what the
// configuration window shows as pen 13, and plots so.
int PenNumberOf(const TPenEntry& pen) {
    if (pen.tpenid >= 1 && pen.tpenid <= 14) return pen.tpenid;
    return 13;
}

PathSort SortOf(int16_t fsort) {
    // A sort the window does not offer plots as the first, which a fresh setup stores.
    if (fsort == 1) return PathSort::InsideFirst;
    if (fsort == 2) return PathSort::Bands;
    return PathSort::None;
}

int16_t StoredSort(PathSort sort) {
    if (sort == PathSort::InsideFirst) return 1;
    if (sort == PathSort::Bands) return 2;
    return 0;
}

// The window shows (and stores) a page below 1 as 1.
int ShownPage(int16_t own, int16_t job) { return std::max<int>(own < 1 ? job : own, 1); }

template <size_t N>
void StoreText(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

}  // namespace

OutputSetup DecodeOutputSetup(const TSrConfig& serial) {
    OutputSetup o;
    o.stepsPerInch = serial.prunit;
    o.pd = HeldPdlm(UnpackPdlmopt(serial.pdlmopt));
    o.typedHeader = FieldText(serial.prheader);
    o.typedFooter = FieldText(serial.prfooter);
    if (DecodeDeviceCommands(o.typedHeader, &o.header, &o.headerProblem))
        DecodeDeviceCommands(o.typedFooter, &o.footer, &o.footerProblem);
    return o;
}

PlotSettings DecodePlotSettings(const TPrint& print, const TPrConfig& config,
                                const TSrConfig& serial, const KnifeSettings& knife,
                                bool everyOutline) {
    PlotSettings s;
    const Rect& page = print.prInfo.rPage;
    s.page = {page.right - page.left, page.bottom - page.top,
              print.prXInfo.iBandV == 0 ? 100 : print.prXInfo.iBandV};
    for (int i = 0; i < kPenCount; ++i) {
        const TPenEntry& pen = config.toollist[i];
        s.pens[i] = {PenNumberOf(pen), pen.fcolor == 1, pen.thick, pen.red, pen.green, pen.blue};
    }
    // The check boxes of automatic pens and line optimisation are stored inverted: 0 is ticked.
    s.automaticPens = config.fautopen == 0;
    s.optimised = config.foptln == 0;
    s.sort = SortOf(config.fsort);
    s.merge = config.foptEx != 0;
    s.autoSplit = config.fautosep != 0;
    s.rollFeed = print.prStl.feed != 0;
    s.rollLengthPoints = config.rlength;
    s.firstPage = ShownPage(config.iFstPage, print.prJob.iFstPage);
    s.lastPage = ShownPage(config.iLstPage, print.prJob.iLstPage);
    const Rect& m = config.kmargin;
    s.frame = {config.fusekstm != 0, config.ktoolid, m.left, m.right, m.bottom, m.top};
    s.perforation = {config.fusezfcut != 0, config.zftoolid, config.zfcpress,
                     config.zfspress,       config.zfcleng,  config.zfsleng};
    s.output = DecodeOutputSetup(serial);
    s.knife = knife;
    s.everyOutline = everyOutline;
    return s;
}

PlotSettings DecodePlotSettings(const TPrint& print, const TPrConfig& config) {
    TSrConfig serial;
    std::memset(&serial, 0, sizeof serial);
    return DecodePlotSettings(print, config, serial, KnifeSettings{});
}

void EncodePlotSettings(const PlotSettings& s, TPrConfig* config, TSrConfig* serial,
                        KnifeSettings* knife, bool* everyOutline) {
    TPrConfig& c = *config;
    for (int i = 0; i < kPenCount; ++i) {
        const PenSetup& pen = s.pens[i];
        c.toollist[i] = {static_cast<int16_t>(pen.number), static_cast<int16_t>(pen.thick),
                         static_cast<int16_t>(pen.red),    static_cast<int16_t>(pen.green),
                         static_cast<int16_t>(pen.blue),   static_cast<int16_t>(pen.coloured)};
    }
    c.fautopen = s.automaticPens ? 0 : 1;
    c.foptln = s.optimised ? 0 : 1;
    c.fsort = StoredSort(s.sort);
    c.foptEx = s.merge ? 1 : 0;
    c.fautosep = s.autoSplit ? 1 : 0;
    c.rlength = static_cast<int16_t>(s.rollLengthPoints);
    c.iFstPage = static_cast<int16_t>(s.firstPage);
    c.iLstPage = static_cast<int16_t>(s.lastPage);
    c.fusekstm = s.frame.use ? 1 : 0;
    c.ktoolid = static_cast<int16_t>(s.frame.tool);
    c.kmargin = {static_cast<int16_t>(s.frame.top), static_cast<int16_t>(s.frame.left),
                 static_cast<int16_t>(s.frame.bottom), static_cast<int16_t>(s.frame.right)};
    const PerforationSetup& p = s.perforation;
    c.fusezfcut = p.use ? 1 : 0;
    c.zftoolid = static_cast<int16_t>(p.tool);
    c.zfcpress = static_cast<int16_t>(p.cutForce);
    c.zfspress = static_cast<int16_t>(p.skipForce);
    c.zfcleng = static_cast<int16_t>(p.cutLength);
    c.zfsleng = static_cast<int16_t>(p.skipLength);
    serial->prunit = s.output.stepsPerInch;
    serial->pdlmopt = PackPdlmopt(s.output.pd.flag, s.output.pd.a, s.output.pd.l);
    StoreText(serial->prheader, s.output.typedHeader);
    StoreText(serial->prfooter, s.output.typedFooter);
    *knife = s.knife;
    *everyOutline = s.everyOutline;
}
