// Loading: the records reach the controls, with the corrections the window makes on the way.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "config_support.h"
#include "settings/geometry.h"

namespace {

class LoadTest : public ConfigTest {
protected:
    // Writes the records as the settings file, then starts the window on it.
    TRZN_Config& Open(RecordSet& r) {
        WriteSettings(r);
        window_ = std::make_unique<TRZN_Config>();
        window_->awakeFromNib();
        return *window_;
    }
    QString Text(const char* name) { return Control<QLineEdit>(*window_, name)->text(); }
    int Item(const char* name) { return Control<QComboBox>(*window_, name)->currentIndex(); }
    bool On(const char* name) { return Control<QAbstractButton>(*window_, name)->isChecked(); }

    std::unique_ptr<TRZN_Config> window_;
};

// The port a file names is the destination: one the machine does not list now stays chosen as
// an item of its own, and OK keeps it; only a file without a name falls back by position.
TEST_F(LoadTest, StoredPortStaysTheDestination) {
    FolderAnswer answer(std::nullopt);  // OK without a destination: store all the same
    const struct {
        const char* name;
        std::vector<std::string> devices;
        int16_t port;
        const char* portName;
        int want;
        const char* shown;  // the chosen item's title
        int16_t portKept;   // the position the records hold, and OK stores
        const char* nameStored;
        int extraItems = 0;
    } rows[] = {
        {"device moved", {"/dev/ttyS0", "/dev/ttyUSB0"}, 0, "/dev/ttyUSB0", 1, "/dev/ttyUSB0", 1,
         "/dev/ttyUSB0"},
        {"device gone, index in the list", {"/dev/ttyS0"}, 2, "/dev/ttyUSB0", 5,
         "/dev/ttyUSB0（未接続）", 2, "/dev/ttyUSB0", 1},
        {"device gone, index beyond", {"/dev/ttyS0"}, 7, "/dev/ttyUSB0", 5,
         "/dev/ttyUSB0（未接続）", 7, "/dev/ttyUSB0", 1},
        {"older file, no name: by position", {"/dev/ttyS0"}, 1, "", 1,
         "Shared Folder(Trazen Server)", 1, "Shared Folder(Trazen Server)"},
        {"older file, no devices, index beyond", {}, 4, "", 0, "Shared Folder(Trazen Server)", 0,
         "Shared Folder(Trazen Server)"},
        {"default setup: none chosen, none shown", {"/dev/ttyS0"}, -1, "", -1, "", -1, ""},
        {"no devices, shared folder by name", {}, 0, "Shared Folder(Trazen Server)", 0,
         "Shared Folder(Trazen Server)", 0, "Shared Folder(Trazen Server)"},
        // No print server answers: the stored queue is kept as an item of its own.
        {"queue not listed, kept", {"/dev/ttyS0"}, 1, "CUPS: plotter", 5, "CUPS: plotter", 5,
         "CUPS: plotter", 1},
        {"pseudo-port after devices", {"/dev/ttyS0", "/dev/ttyS1"}, 0, "TCP/IP(AXIS 5550 USB)", 5,
         "TCP/IP(AXIS 5550 USB)", 5, "TCP/IP(AXIS 5550 USB)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDevices devices(row.devices);
        RecordSet r = SampleRecords();
        r.serial->port = row.port;
        std::snprintf(r.serial->port_name, sizeof r.serial->port_name, "%s", row.portName);
        // A network destination needs its address, or OK refuses it.
        std::snprintf(r.serial->ipaddr, sizeof r.serial->ipaddr, "192.0.2.1");
        TRZN_Config& c = Open(r);
        auto* menu = Control<QComboBox>(c, "prconMenuNPort");
        EXPECT_EQ(menu->count(), static_cast<int>(row.devices.size()) + 4 + row.extraItems);
        EXPECT_EQ(menu->currentIndex(), row.want);
        EXPECT_EQ(menu->currentText(), QString::fromUtf8(row.shown));
        EXPECT_EQ(c.records().serial->port, row.portKept);

        // OK stores the stored port again, whatever sits at its position now; the default
        // setup's "none chosen" stays so until the user chooses (OK asks, answered "store").
        c.prdefPBtnOkAction();
        const RecordSet saved = ReadSettings();
        EXPECT_STREQ(saved.serial->port_name, row.nameStored);
        EXPECT_EQ(saved.serial->port, row.portKept);
    }
    // The list ends with the four pseudo-ports, in their order.
    FakeDevices none({});
    RecordSet r = SampleRecords();
    Open(r);
    auto* menu = Control<QComboBox>(*window_, "prconMenuNPort");
    EXPECT_EQ(menu->itemText(menu->count() - 4), QStringLiteral("Shared Folder(Trazen Server)"));
    EXPECT_EQ(menu->itemText(menu->count() - 1), QStringLiteral("TCP/IP(AXIS 5550 USB)"));
}

TEST_F(LoadTest, ScaleAndOrientationComeFromThePrintRecord) {
    const struct {
        const char* name;
        int16_t scale;
        const char* shown;
        bool turned;
        const char* width;
    } rows[] = {
        {"zero is full size", 0, "100", false, "595"},
        {"half, turned", -50, "50", true, "842"},
        {"double", 200, "200", false, "595"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecordSet r = SampleRecords();
        r.print->prStl.iPageH = 595;
        r.print->prStl.iPageV = 842;
        r.print->prXInfo.iBandV = row.scale;
        TRZN_Config& c = Open(r);
        EXPECT_EQ(Text("prstlTextScale"), QString::fromLatin1(row.shown));
        EXPECT_EQ(On("prstlUserHrdbn"), row.turned);
        EXPECT_EQ(On("prstlUserVrdbn"), !row.turned);
        EXPECT_EQ(c.records().config->papervhf, row.turned ? 1 : 0);
        EXPECT_EQ(Text("prstlTextHsize"), QString::fromLatin1(row.width));
    }
}

TEST_F(LoadTest, PaperSizeInEachUnit) {
    const struct {
        int16_t unit;
        const char* width;
        const char* height;
    } rows[] = {{0, "8.264", "11.694"}, {1, "209.9", "297.04"}, {2, "595", "842"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.unit);
        RecordSet r = SampleRecords();
        r.config->unitmsct = row.unit;
        CalcPageWidth(r.print.get(), r.config.get(), 595, 842, 100, 0);
        Open(r);
        EXPECT_EQ(Item("prstlMenuPunit"), row.unit);
        EXPECT_EQ(Text("prstlTextHsize"), QString::fromLatin1(row.width));
        EXPECT_EQ(Text("prstlTextVsize"), QString::fromLatin1(row.height));
    }
}

TEST_F(LoadTest, PensShowNumberColourAndThickness) {
    RecordSet r = SampleRecords();
    r.config->toollist[0] = {0, 35, 10000, 0, 10000, 1};  // pen number 0 shows as 13
    r.config->toollist[1] = {14, 30, 5000, 0, 0, 1};     // odd colour shows "no colour"
    r.config->toollist[2] = {3, 0, 0, 10000, 10000, 1};
    r.config->toollist[3] = {4, 100, 0, 0, 0, 0};
    TRZN_Config& c = Open(r);
    EXPECT_EQ(Item("prpenMenuPenid0"), 12);
    EXPECT_EQ(c.records().config->toollist[0].tpenid, 13);
    EXPECT_EQ(Item("prpenMenuPcolr0"), 5);
    EXPECT_EQ(Text("prpenTextThick0"), QStringLiteral("0.35"));
    EXPECT_EQ(Item("prpenMenuPenid1"), 13);
    EXPECT_EQ(Item("prpenMenuPcolr1"), 9);
    EXPECT_EQ(Text("prpenTextThick1"), QStringLiteral("0.3"));
    EXPECT_EQ(Item("prpenMenuPcolr2"), 6);
    EXPECT_EQ(Text("prpenTextThick2"), QStringLiteral("0"));
    EXPECT_EQ(Item("prpenMenuPcolr3"), 9);
    EXPECT_EQ(Text("prpenTextThick3"), QStringLiteral("1"));
}

TEST_F(LoadTest, CorrectionsReachTheRecords) {
    RecordSet r = SampleRecords();
    r.serial->pdlmopt = 0;
    r.serial->average = -3;
    r.config->outline = 9;
    r.print->prJob.iFstPage = 0;
    r.print->prJob.iLstPage = -2;
    TRZN_Config& c = Open(r);
    EXPECT_FALSE(On("prconChbxPDOpt"));
    EXPECT_EQ(Text("prconTextPDLmA"), QStringLiteral("30"));
    EXPECT_EQ(Text("prconTextPDLmS"), QStringLiteral("512"));
    EXPECT_EQ(c.records().serial->pdlmopt, 0x1E0200);
    EXPECT_EQ(Text("prconTextAverg"), QStringLiteral("1"));
    EXPECT_EQ(Item("prconMenuOutln"), 0);
    EXPECT_EQ(c.records().config->outline, 0);
    EXPECT_EQ(Text("prconTextSpage"), QStringLiteral("1"));
    EXPECT_EQ(Text("prconTextEpage"), QStringLiteral("1"));
}

TEST_F(LoadTest, SwitchesAndTextsShowTheirFields) {
    RecordSet r = SampleRecords();
    r.config->fautopen = 0;  // inverted
    r.config->foptln = 1;    // inverted
    r.config->fsort = 2;
    r.config->ktoolid = 3;
    r.config->pUnit = kUnitInch;
    r.config->cmargin.left = 36;
    r.serial->pdlmopt = 0x1B4270F;
    std::snprintf(r.serial->prheader, sizeof r.serial->prheader, "\x83\x76\x83\x8D");  // "プロ"
    std::snprintf(r.serial->shared_folder, sizeof r.serial->shared_folder, "/srv/共有");
    Open(r);
    EXPECT_TRUE(On("prconChbxAtpen"));
    EXPECT_FALSE(On("prconChbxOptln"));
    EXPECT_TRUE(On("prconRbtnPcnC1"));
    EXPECT_FALSE(On("prconRbtnPcnA1"));
    EXPECT_EQ(Item("prconMenuKstid"), 2);
    EXPECT_EQ(Item("prconMenuPunitA"), 0);
    EXPECT_EQ(Item("prconMenuPunitB"), 0);
    EXPECT_EQ(Text("prconTextLeafL"), QStringLiteral("0.5"));
    EXPECT_TRUE(On("prconChbxPDOpt"));
    EXPECT_EQ(Text("prconTextPDLmA"), QStringLiteral("180"));
    EXPECT_EQ(Text("prconTextPDLmS"), QStringLiteral("9999"));
    EXPECT_EQ(Text("prconTextPHead"), QStringLiteral("プロ"));
    EXPECT_EQ(Text("prconTextSharedFolder"), QStringLiteral("/srv/共有"));
}

}  // namespace
