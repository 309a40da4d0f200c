// The settings file as a whole: what OK and Cancel write after the window has only been opened.

#include <QComboBox>

#include "config_support.h"
#include "settings/default_setup.h"
#include "settings/geometry.h"
#include "settings/store.h"

namespace {

// A file with values that need the window's corrections and values that must pass unchanged.
RecordSet InputRecords() {
    RecordSet r = SampleRecords();
    TPrConfig& cf = *r.config;
    TSrConfig& sr = *r.serial;
    cf.pUnit = kUnitMillimetre;
    cf.unitmsct = kUnitMillimetre;
    cf.rlength = 720;
    cf.outline = 9;  // corrected to 0
    cf.fsort = 1;
    cf.fautosep = 1;
    cf.fkanji = 1;
    cf.forign = 2;
    cf.ktoolid = 2;
    cf.zftoolid = 3;
    cf.zfcpress = 12;
    cf.zfsleng = 300;
    cf.toollist[1] = {2, 35, 10000, 0, 10000, 1};
    cf.toollist[2] = {0, 25, 0, 0, 10000, 1};  // pen number corrected to 13
    cf.toollist[3] = {4, 30, 5000, 0, 0, 1};   // not a colour of the table
    cf.vars = 7;
    sr.port = 1;
    sr.baud = 4;
    sr.data = 1;
    sr.stop = 2;
    sr.parity = 2;
    sr.flctrl = 1;
    sr.portid = 21;
    sr.prunit = 40;
    sr.average = 0;  // corrected to 1
    sr.pdlmopt = 0;  // corrected to the default
    sr.nouse1 = 77;
    std::snprintf(sr.ipaddr, sizeof sr.ipaddr, "192.168.0.9:spool:user:pass");
    std::snprintf(sr.prheader, sizeof sr.prheader, "\x83\x77\x83\x62\x83\x5f");
    std::snprintf(sr.shared_folder, sizeof sr.shared_folder, "/srv/共有");
    // A roll paper of another size: it never matches the page.
    r.paper->pitem_count = 1;
    r.paper->pitem[0] = {"Roll 36", 2592, 3600, 1};
    mkDefault(r.print.get(), r.config.get(), r.paper.get());
    r.print->prJob.iFstPage = 0;  // corrected to 1
    r.print->prJob.iLstPage = 20;
    CalcPageWidth(r.print.get(), r.config.get(), 595, 842, -50, 0);
    *r.refCon = 1;  // left by an earlier run
    return r;
}

// The corrections that loading makes in the records.
void Correct(RecordSet& r) {
    r.config->outline = 0;
    r.config->toollist[2].tpenid = 13;
    r.config->papervhf = 1;
    r.config->paperisr = 0;
    r.config->papersct = r.paper->pitem_count;
    r.config->iFstPage = 1;
    r.config->iLstPage = 20;
    r.serial->average = 1;
    r.serial->pdlmopt = 0x1E0200;
}

std::string Expected(RecordSet& r, int64_t status, const tPldStatRes& stat) {
    *r.refCon = status;
    return FormatPrefarence(r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                            r.refCon.get(), "", &stat, PrintLines::Config);
}

class FileTest : public ConfigTest {
protected:
    const tPldStatRes stat_ = {3001, 1, 2, 3, 4};

    void Open() {
        RecordSet in = InputRecords();
        WriteSettings(in, "", &stat_);
        window_ = std::make_unique<TRZN_Config>();
        window_->awakeFromNib();
    }
    std::unique_ptr<TRZN_Config> window_;
};

TEST_F(FileTest, OpenWindowLeavesRunningStatusOnDisk) {
    Open();
    RecordSet want = InputRecords();
    EXPECT_EQ(ReadFileBytes(home.settingsFile()), Expected(want, 0, stat_));
}

TEST_F(FileTest, OkUntouchedWritesCorrectionsAndRebuiltGeometry) {
    Open();
    window_->prdefPBtnOkAction();

    RecordSet want = InputRecords();
    Correct(want);
    // What storing adds: the port's title, the odd colour stored as no colour, and a print
    // record rebuilt from the margins.
    std::snprintf(want.serial->port_name, sizeof want.serial->port_name, "TCP/IP(PRICOM 3100 FTP)");
    want.config->toollist[3] = {4, 30, 0, 0, 0, 0};
    mkDefault(want.print.get(), want.config.get(), want.paper.get());
    want.print->prJob.iFstPage = 1;
    want.print->prJob.iLstPage = 20;
    CalcPageWidth(want.print.get(), want.config.get(), 595, 842, -50, 0);
    EXPECT_EQ(ReadFileBytes(home.settingsFile()), Expected(want, 1, stat_));
}

TEST_F(FileTest, CancelUntouchedWritesTheLoadedRecordsWithCorrections) {
    Open();
    window_->prdefPBtnCancelAction();

    RecordSet want = InputRecords();
    Correct(want);
    EXPECT_EQ(ReadFileBytes(home.settingsFile()), Expected(want, 2, stat_));
}

// Without a settings file the window starts from the default setup and writes it at once.
// Cancel leaves it as it is, with no destination chosen (the next plot still asks for one). The
// window shows none chosen either: OK stores the port the user picks, and without one asks
// first, since plots could go nowhere.
TEST_F(FileTest, FirstStartWritesTheDefaultSetup) {
    const struct {
        const char* name;
        void (TRZN_Config::*press)();
        int pick;         // the port item chosen before pressing, -1 for none
        int alertAnswer;  // 1 back to the window, 2 store without a destination
        int64_t status;   // on disk afterwards
        bool chosen;
        int alerts;
    } rows[] = {
        {"OK", &TRZN_Config::prdefPBtnOkAction, 0, 2, 1, true, 0},
        {"OK_without_a_port_stored", &TRZN_Config::prdefPBtnOkAction, -1, 2, 1, false, 1},
        {"OK_without_a_port_back", &TRZN_Config::prdefPBtnOkAction, -1, 1, 0, false, 1},
        {"Cancel", &TRZN_Config::prdefPBtnCancelAction, -1, 2, 2, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome fresh;
        FakeDevices devices({"/dev/ttyS0"});
        FolderAnswer answer(std::nullopt);
        answer.alertAnswer = row.alertAnswer;
        TRZN_Config c;
        c.awakeFromNib();
        RecordSet want;
        BuiltInSetup(&want);
        EXPECT_EQ(ReadFileBytes(fresh.settingsFile()), Expected(want, 0, want.stat));
        // No tool number yet: the pop-ups say so rather than show nothing, and store it as is.
        for (const char* name : {"prconMenuKstid", "prconMenuZfcid", "prconMenuNPort"}) {
            auto* menu = c.window()->findChild<QComboBox*>(name);
            ASSERT_NE(menu, nullptr);
            EXPECT_EQ(menu->currentIndex(), -1) << name;
            EXPECT_FALSE(menu->placeholderText().isEmpty()) << name;
        }

        if (row.pick >= 0) c.window()->findChild<QComboBox*>("prconMenuNPort")->setCurrentIndex(row.pick);
        (c.*row.press)();
        EXPECT_EQ(static_cast<int>(answer.alerts.size()), row.alerts);
        EXPECT_EQ(c.isFinished(), row.status != 0);
        if (row.chosen) {
            want.serial->port = 0;
            std::snprintf(want.serial->port_name, sizeof want.serial->port_name, "/dev/ttyS0");
        }
        EXPECT_EQ(ReadFileBytes(fresh.settingsFile()), Expected(want, row.status, want.stat));
        EXPECT_EQ(DestinationChosen(*ReadSettings().serial), row.chosen);
    }
}

}  // namespace
