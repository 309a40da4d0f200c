// The plot settings against the records: what the window stores decodes to the value and encodes
// back to the same file, and odd stored fields decode to what they mean and encode as that.

#include "settings/plot_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/default_setup.h"
#include "settings/store.h"

namespace {

std::string FileText(const RecordSet& r) {
    return FormatPrefarence(r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                            r.refCon.get(), r.presetName, &r.stat, PrintLines::Config);
}

struct Stored {
    RecordSet records;
    KnifeSettings knife;
    bool everyOutline = false;
    PlotSettings Decode() const {
        return DecodePlotSettings(*records.print, *records.config, *records.serial, knife,
                                  everyOutline);
    }
};

void EveryOptionOn(Stored& s) {
    TPrConfig& c = *s.records.config;
    c.fsort = 2, c.foptEx = 1, c.foptln = 1, c.fautopen = 1, c.fautosep = 1, c.rlength = 3000;
    c.iFstPage = 2, c.iLstPage = 5;
    c.toollist[3] = {4, 35, 10000, 0, 5000, 1};
    c.fusekstm = 1, c.ktoolid = 3, c.kmargin = {1, 2, 3, 4};
    c.fusezfcut = 1, c.zftoolid = 2, c.zfcpress = 20, c.zfspress = 5, c.zfcleng = 30,
    c.zfsleng = 10;
    TSrConfig& sr = *s.records.serial;
    sr.prunit = 400;
    sr.pdlmopt = 0x1B4270F;
    std::strcpy(sr.prheader, "\\eIN;");
    std::strcpy(sr.prfooter, "PG;\\x0D");
    s.knife = {true, 4, 30, 150};
    s.everyOutline = true;
}

}  // namespace

TEST(PlotSettings, DecodeAndEncodeKeepWhatTheRecordsMean) {
    const struct {
        const char* name;
        void (*set)(Stored&);
        bool (*decoded)(const PlotSettings&);
        // The stored fields after encoding: null when they must be the file as it was.
        bool (*encoded)(const TPrConfig&, const TSrConfig&);
    } rows[] = {
        {"fresh setup", [](Stored&) {},
         [](const PlotSettings& p) {
             return p.optimised && p.automaticPens && !p.output.pd.flag && p.firstPage == 1 &&
                    !p.everyOutline;
         },
         nullptr},
        {"every option on", EveryOptionOn,
         [](const PlotSettings& p) {
             return p.sort == PathSort::Bands && p.merge && !p.optimised && !p.automaticPens &&
                    p.frame.top == 1 && p.frame.left == 2 && p.output.pd == Pdlm{true, 180, 9999} &&
                    p.output.header == "\x1bIN;" && p.output.footer == "PG;\r" &&
                    p.pens[3].coloured && p.knife.overcut == 150 && p.everyOutline;
         },
         nullptr},
        {"pen without a number", [](Stored& s) { s.records.config->toollist[2].tpenid = 0; },
         [](const PlotSettings& p) { return p.pens[2].number == 13; },
         [](const TPrConfig& c, const TSrConfig&) { return c.toollist[2].tpenid == 13; }},
        {"sort not offered", [](Stored& s) { s.records.config->fsort = 7; },
         [](const PlotSettings& p) { return p.sort == PathSort::None; },
         [](const TPrConfig& c, const TSrConfig&) { return c.fsort == 0; }},
        {"pages stored as 0",
         [](Stored& s) {
             s.records.config->iFstPage = 0, s.records.config->iLstPage = 0;
             s.records.print->prJob.iFstPage = 2, s.records.print->prJob.iLstPage = -4;
         },
         [](const PlotSettings& p) { return p.firstPage == 2 && p.lastPage == 1; },
         [](const TPrConfig& c, const TSrConfig&) { return c.iFstPage == 2 && c.iLstPage == 1; }},
        {"PD limit beyond a plotter's", [](Stored& s) { s.records.serial->pdlmopt = 0x7C80000; },
         [](const PlotSettings& p) {
             return p.output.pd == Pdlm{true, 180, 1};
         },
         [](const TPrConfig&, const TSrConfig& sr) { return sr.pdlmopt == 0x1B40001; }},
        {"switches stored as 2",
         [](Stored& s) { s.records.config->fusekstm = 2, s.records.config->foptEx = 2; },
         [](const PlotSettings& p) { return p.frame.use && p.merge; },
         [](const TPrConfig& c, const TSrConfig&) { return c.fusekstm == 1 && c.foptEx == 1; }},
        {"header not Shift-JIS",
         [](Stored& s) {
             std::strcpy(s.records.serial->prheader, "\x81");
             std::strcpy(s.records.serial->prfooter, "\\q");
         },
         // The footer is not read past a header that can't be sent.
         [](const PlotSettings& p) {
             return !p.output.headerProblem.empty() && p.output.footerProblem.empty();
         },
         nullptr},
        {"footer with a bad escape",
         [](Stored& s) { std::strcpy(s.records.serial->prfooter, "\\q"); },
         [](const PlotSettings& p) {
             return p.output.headerProblem.empty() && !p.output.footerProblem.empty();
         },
         nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Stored stored;
        BuiltInSetup(&stored.records);
        row.set(stored);
        const PlotSettings decoded = stored.Decode();
        EXPECT_TRUE(row.decoded(decoded));
        Stored back;
        BuiltInSetup(&back.records);
        row.set(back);
        EncodePlotSettings(decoded, back.records.config.get(), back.records.serial.get(),
                           &back.knife, &back.everyOutline);
        EXPECT_EQ(back.Decode(), decoded);
        EXPECT_EQ(back.knife, stored.knife);
        EXPECT_EQ(back.everyOutline, stored.everyOutline);
        if (row.encoded)
            EXPECT_TRUE(row.encoded(*back.records.config, *back.records.serial));
        else
            EXPECT_EQ(FileText(back.records), FileText(stored.records));
    }
}
