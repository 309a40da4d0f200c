// The settings file as a whole: what OK and Cancel write after the window has only been opened.

#include <QComboBox>

#include "config_support.h"
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

TEST_F(FileTest, MissingFileOpensWithDefaultsAndOkWritesThem) {
    TRZN_Config c;
    c.awakeFromNib();
    // No tool number yet: the pop-ups say so rather than show nothing, and store it unchanged.
    for (const char* name : {"prconMenuKstid", "prconMenuZfcid"}) {
        auto* tools = c.window()->findChild<QComboBox*>(name);
        ASSERT_NE(tools, nullptr);
        EXPECT_EQ(tools->currentIndex(), -1) << name;
        EXPECT_FALSE(tools->placeholderText().isEmpty()) << name;
    }
    c.prdefPBtnOkAction();
    RecordSet saved = ReadSettings();
    EXPECT_EQ(*saved.refCon, 1);
    EXPECT_EQ(saved.serial->average, 1);
    EXPECT_EQ(saved.serial->pdlmopt, 0x1E0200);
    EXPECT_EQ(saved.config->iFstPage, 1);
    EXPECT_EQ(saved.print->prXInfo.iBandV, 100);
    for (const TPenEntry& pen : saved.config->toollist) EXPECT_EQ(pen.tpenid, 13);
    EXPECT_EQ(saved.config->ktoolid, 0);
    EXPECT_EQ(saved.config->zftoolid, 0);
}

}  // namespace
