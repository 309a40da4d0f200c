// The default setup: what the built-in one holds, the installed copy it must equal, and which of
// the two a program starts from.

#include "settings/default_setup.h"

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <array>
#include <cstring>
#include <string>

#include "settings/pen_colours.h"
#include "settings/store.h"
#include "tests/support/temp_home.h"

namespace {

std::string Text(RecordSet& r) {
    return FormatPrefarence(r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                            r.refCon.get(), r.presetName, &r.stat, PrintLines::Config);
}

// XDG_DATA_HOME and XDG_DATA_DIRS pointed into the test's home for its life.
class DataFolders {
public:
    explicit DataFolders(const std::string& root) : savedDirs_(qgetenv("XDG_DATA_DIRS")) {
        qputenv("XDG_DATA_HOME", (root + "/share").c_str());
        qputenv("XDG_DATA_DIRS", (root + "/usr/share").c_str());
    }
    ~DataFolders() {
        qunsetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_DIRS", savedDirs_);
    }

private:
    QByteArray savedDirs_;
};

TEST(DefaultSetup, BuiltInSetupIsAWorkingOne) {
    RecordSet r;
    BuiltInSetup(&r);
    const struct {
        const char* name;
        int16_t width, height, roll;  // points
    } papers[] = {
        {"A4", 595, 842, 0},
        {"A3", 842, 1191, 0},
        {"A2", 1191, 1684, 0},
        {"A1", 1684, 2384, 0},
        {"A0", 2384, 3370, 0},
        {"B4 (JIS)", 729, 1032, 0},
        {"B3 (JIS)", 1032, 1460, 0},
        {"B2 (JIS)", 1460, 2064, 0},
        {"B1 (JIS)", 2064, 2920, 0},
        {"610 mm roll", 1729, 3370, 1},
        {"914 mm roll", 2591, 3370, 1},
        {"1067 mm roll", 3025, 3370, 1},
    };
    ASSERT_EQ(r.paper->pitem_count, 12);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(papers[i].name);
        const TPrPaperItem& item = r.paper->pitem[i];
        EXPECT_STREQ(item.pname, papers[i].name);
        EXPECT_EQ(item.pwidth, papers[i].width);
        EXPECT_EQ(item.pheight, papers[i].height);
        EXPECT_EQ(item.pisroll, papers[i].roll);
    }
    const TPrConfig& cf = *r.config;
    EXPECT_EQ(cf.papersct, 1);  // A3, upright at 100 %
    EXPECT_EQ(r.print->prStl.iPageH, 842);
    EXPECT_EQ(r.print->prStl.iPageV, 1191);
    EXPECT_EQ(r.print->prXInfo.iBandV, 100);
    EXPECT_EQ(cf.pUnit, 1);
    EXPECT_EQ(cf.unitmsct, 1);
    EXPECT_EQ(r.print->prJob.iFstPage, 1);
    EXPECT_EQ(r.print->prJob.iLstPage, 9999);
    EXPECT_EQ(cf.foptln, 0);  // ticked
    for (int i = 0; i < kPenCount; ++i) {
        SCOPED_TRACE(i);
        const TPenEntry& pen = cf.toollist[i];
        // Black to cyan; no white pen: white is the paper's.
        const PenColour& c = kPenColours[i < 7 ? i : kColourNoColour];
        EXPECT_EQ(pen.tpenid, i + 1);
        EXPECT_EQ(pen.thick, 0);
        EXPECT_EQ((std::array{pen.red, pen.green, pen.blue, pen.fcolor}),
                  (std::array{c.red, c.green, c.blue, c.fcolor}));
    }
    const TSrConfig& sr = *r.serial;
    EXPECT_EQ((std::array{sr.baud, sr.data, sr.stop, sr.parity, sr.flctrl}),
              (std::array<int16_t, 5>{4, 1, 0, 0, 2}));  // 9600 8N1 RTS/CTS
    EXPECT_FALSE(DestinationChosen(sr));
}

// The package installs packaging/TRZNSerConfig.ini; a program run from the build tree uses the
// built-in setup instead, and the two must be the same setup.
TEST(DefaultSetup, InstalledCopyIsTheBuiltInOne) {
    RecordSet r;
    BuiltInSetup(&r);
    const std::string installed = ReadFileBytes(TRZN_SOURCE_DIR "/packaging/TRZNSerConfig.ini");
    EXPECT_EQ(installed, Text(r));
    if (installed != Text(r)) WriteFileBytes(TRZN_BINARY_DIR "/TRZNSerConfig.ini", Text(r));
}

TEST(DefaultSetup, InstalledSetupGoesBeforeTheBuiltInOne) {
    const struct {
        const char* name;
        const char* folder;  // under the home, "" for none
        const char* file;
        int16_t wantBaud;
        int16_t wantPapers;
    } rows[] = {
        {"none installed: built in", "", "", 4, 12},
        {"installed for the machine", "/usr/share/", "THSrConfig.baud = 7\r\nrefine_con = 1\r\n", 7,
         0},
        {"the user's own goes first", "/share/", "THSrConfig.baud = 8\r\n", 8, 0},
        {"an empty file: built in", "/usr/share/", "", 4, 12},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        DataFolders data(home.root());
        if (*row.folder) WriteFileBytes(home.root() + row.folder + kDefaultSetupFile, row.file);
        RecordSet r;
        std::strcpy(r.presetName, "left over");
        DefaultSetup(&r);
        EXPECT_EQ(r.serial->baud, row.wantBaud);
        EXPECT_EQ(r.paper->pitem_count, row.wantPapers);
        // Whatever the file says, a fresh setup has no result, preset or status of its own.
        EXPECT_EQ(*r.refCon, 0);
        EXPECT_STREQ(r.presetName, "");
        EXPECT_EQ(r.stat.plstVersion, kDefaultStatVersion);
    }
}

TEST(DefaultSetup, DestinationChosen) {
    const struct {
        const char* name;
        int16_t port;
        const char* portName;
        bool chosen;
    } rows[] = {
        {"default setup: none", kNoPortChosen, "", false},
        {"older file: by position", 0, "", true},
        {"by name", kNoPortChosen, "/dev/ttyUSB0", true},
        {"by name and position", 3, "Shared Folder(Trazen Server)", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TSrConfig sr{};
        sr.port = row.port;
        std::snprintf(sr.port_name, sizeof sr.port_name, "%s", row.portName);
        EXPECT_EQ(DestinationChosen(sr), row.chosen);
    }
}

}  // namespace
