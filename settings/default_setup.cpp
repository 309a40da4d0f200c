#include "settings/default_setup.h"

#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/serial_line.h"
#include "settings/geometry.h"
#include "settings/pd_limit.h"
#include "settings/pen_colours.h"
#include "settings/store.h"
#include "settings/utility.h"

namespace {

struct Paper {
    const char* name;
    double widthMm;
    double heightMm;
    bool roll;
};

// Rolls are as long as an A0 sheet, so that every usual sheet fits along them. B sizes are
// JIS's, the ones sold where the plug-in is used; the name says so for everyone else.
constexpr double kRollLengthMm = 1189;
constexpr Paper kPapers[] = {
    {"A4", 210, 297, false},
    {"A3", 297, 420, false},
    {"A2", 420, 594, false},
    {"A1", 594, 841, false},
    {"A0", 841, 1189, false},
    {"B4 (JIS)", 257, 364, false},
    {"B3 (JIS)", 364, 515, false},
    {"B2 (JIS)", 515, 728, false},
    {"B1 (JIS)", 728, 1030, false},
    {"610 mm roll", 610, kRollLengthMm, true},
    {"914 mm roll", 914, kRollLengthMm, true},
    {"1067 mm roll", 1067, kRollLengthMm, true},
};
constexpr int kChosenPaper = 1;  // A3

// Whole points, as the paper list editor stores a size typed in millimetres.
int16_t Points(double mm) { return static_cast<int16_t>(Unit2Point(mm, kUnitMillimetre) + 0.5); }

int16_t BaudItem(int bitsPerSecond) {
    const auto* at = std::find(std::begin(kBaudRates), std::end(kBaudRates), bitsPerSecond);
    return static_cast<int16_t>(at - std::begin(kBaudRates));
}

void FillPapers(TPrPaper& list) {
    int16_t n = 0;
    for (const Paper& p : kPapers) {
        TPrPaperItem& item = list.pitem[n++];
        std::snprintf(item.pname, sizeof item.pname, "%s", p.name);
        item.pwidth = Points(p.widthMm);
        item.pheight = Points(p.heightMm);
        item.pisroll = p.roll ? 1 : 0;
    }
    list.pitem_count = n;
}

// The pen colour table's colours up to white, which is left out.
constexpr int kDefaultColouredPens = kRealColourCount - 1;

void FillPens(TPrConfig& cf) {
    for (int i = 0; i < kPenCount; ++i) {
        TPenEntry& pen = cf.toollist[i];
        // Pens 1 to 7 are the colours a pen plotter's carousel holds (black, red, green, blue,
        // yellow, magenta, cyan). No pen is white: white is the paper's, and a white pen would
        // outline every white background. Pens 8 to 10 have no colour of their own to offer:
        // automatic pen choice passes them.
        const PenColour& c = kPenColours[i < kDefaultColouredPens ? i : kColourNoColour];
        pen = {static_cast<int16_t>(i + 1), 0, c.red, c.green, c.blue, c.fcolor};
    }
}

// The print record the configuration window stores for the chosen paper, upright at 100 %.
void FillPage(RecordSet& r) {
    TPrConfig& cf = *r.config;
    const TPrPaperItem& paper = r.paper->pitem[kChosenPaper];
    mkDefault(r.print.get(), &cf, r.paper.get());
    r.print->prJob.iFstPage = cf.iFstPage;
    r.print->prJob.iLstPage = cf.iLstPage;
    CalcPageWidth(r.print.get(), &cf, paper.pwidth, paper.pheight, 100, paper.pisroll);
}

void FreshStatus(RecordSet& r) {
    *r.refCon = 0;
    std::memset(r.presetName, 0, sizeof r.presetName);
    r.stat = {};
    r.stat.plstVersion = kDefaultStatVersion;
}

}  // namespace

void BuiltInSetup(RecordSet* records) {
    RecordSet& r = *records;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    FreshStatus(r);
    FillPapers(*r.paper);

    TPrConfig& cf = *r.config;
    cf.pUnit = kUnitMillimetre;
    cf.unitmsct = kUnitMillimetre;
    cf.papersct = kChosenPaper;
    cf.iFstPage = 1;
    cf.iLstPage = 9999;
    cf.foptln = 0;    // stored inverted: line optimisation on
    cf.fautopen = 0;  // stored inverted: each shape with the pen nearest its colour
    FillPens(cf);

    TSrConfig& sr = *r.serial;
    sr.port = kNoPortChosen;
    sr.baud = BaudItem(9600);
    sr.data = 1;    // 8 bits
    sr.stop = 0;    // 1 bit
    sr.parity = 0;  // none
    sr.flctrl = 2;  // RTS/CTS
    sr.average = 1;
    sr.pdlmopt = kDefaultPdlmopt;
    FillPage(r);
}

std::string InstalledSetupPath() {
    return QFile::encodeName(QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                    QString::fromLatin1(kDefaultSetupFile)))
        .toStdString();
}

void DefaultSetup(RecordSet* records) {
    RecordSet& r = *records;
    const std::string path = InstalledSetupPath();
    QFile file(QFile::decodeName(path.c_str()));
    if (path.empty() || !file.open(QIODevice::ReadOnly)) return BuiltInSetup(records);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.isEmpty()) return BuiltInSetup(records);
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    LoadPrefarenceBytes(bytes.constData(), static_cast<size_t>(bytes.size()), r.print.get(),
                        r.paper.get(), r.config.get(), r.serial.get(), r.refCon.get(), r.presetName,
                        &r.stat);
    FreshStatus(r);
}

bool DestinationChosen(const TSrConfig& serial) {
    return serial.port_name[0] != '\0' || serial.port != kNoPortChosen;
}
