// Storing: controls back into the records, and the three buttons that end or change things.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "config_support.h"

namespace {

class StoreTest : public ConfigTest {
protected:
    TRZN_Config& Open(RecordSet r = SampleRecords()) {
        WriteSettings(r);
        window_ = std::make_unique<TRZN_Config>();
        window_->awakeFromNib();
        return *window_;
    }
    void Type(const char* name, const char* text) {
        Control<QLineEdit>(*window_, name)->setText(QString::fromUtf8(text));
    }
    void Choose(const char* name, int item) { Control<QComboBox>(*window_, name)->setCurrentIndex(item); }
    void Check(const char* name, bool on) { Control<QAbstractButton>(*window_, name)->setChecked(on); }
    void ChoosePort(const char* title) {
        auto* ports = Control<QComboBox>(*window_, "prconMenuNPort");
        ports->setCurrentIndex(ports->findText(QString::fromUtf8(title)));
        ASSERT_GE(ports->currentIndex(), 0) << title;
    }
    TPrConfig& Config() { return *window_->records().config; }
    TSrConfig& Serial() { return *window_->records().serial; }

    std::unique_ptr<TRZN_Config> window_;
};

TEST_F(StoreTest, MarginsAreReadInTheMarginUnit) {
    const struct {
        const char* name;
        int16_t unit;
        const char* text;
        int16_t points;
    } rows[] = {
        {"inch", kUnitInch, "0.5", 36},     {"millimetre", kUnitMillimetre, "10", 28},
        {"point", kUnitPoint, "12.4", 12},  {"empty", kUnitMillimetre, "", 0},
        {"letters after", kUnitPoint, "7pt", 7}, {"too large", kUnitInch, "1000", INT16_MAX},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecordSet r = SampleRecords();
        r.config->pUnit = row.unit;
        Open(std::move(r));
        Type("prconTextLeafL", row.text);
        Type("prconTextRolen", row.text);
        Type("prconTextKstmB", row.text);
        window_->SetdownItems();
        EXPECT_EQ(Config().cmargin.left, row.points);
        EXPECT_EQ(Config().rlength, row.points);
        EXPECT_EQ(Config().kmargin.bottom, row.points);
    }
}

TEST_F(StoreTest, ScaleAndOrientationReachTheGeometry) {
    const struct {
        const char* name;
        const char* scale;
        bool turned;
        int16_t want;
    } rows[] = {
        {"upright rounds", "50.5", false, 51},
        {"turned rounds", "50.5", true, -51},
        {"typed sign is not an orientation", "-50", false, 50},
        {"empty is full size", "", false, 100},
        {"turned zero is full size", "0", true, -100},
        {"turned empty is full size", "", true, -100},
        {"turned below a half is full size", "0.4", true, -100},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TRZN_Config& c = Open();
        Type("prstlTextScale", row.scale);
        if (row.turned) c.prstlUserHrdbnAction();
        window_->SetdownItems();
        EXPECT_EQ(c.records().print->prXInfo.iBandV, row.want);
    }
}

// The fourth flow control (the plotter's buffer) shows as its item with its note; a code the
// pop-up doesn't hold shows no item and both come back from OK as they were stored.
TEST_F(StoreTest, FlowControlCodesSurviveOkAsStored) {
    const struct {
        const char* name;
        int16_t stored;
        int chosen;  // -1: left as loaded
        int shown;
        bool note;
        int16_t want;
    } rows[] = {
        {"PlotterBuffer", 3, -1, 3, true, 3},
        {"BeyondTheItems", 7, -1, -1, false, 7},
        {"ChosenByTheUser", 0, 3, 3, true, 3},
        {"ChosenAway", 3, 2, 2, false, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecordSet r = SampleRecords();
        r.serial->flctrl = row.stored;
        TRZN_Config& c = Open(std::move(r));
        c.window()->show();
        if (row.chosen >= 0) Choose("prconMenuFlowc", row.chosen);
        EXPECT_EQ(Control<QComboBox>(c, "prconMenuFlowc")->currentIndex(), row.shown);
        EXPECT_EQ(Control<QLabel>(c, "prconLabelFlowcNote")->isVisibleTo(c.window()), row.note);
        c.prdefPBtnOkAction();
        ASSERT_TRUE(c.isFinished());
        EXPECT_EQ(ReadSettings().serial->flctrl, row.want);
    }
}

TEST_F(StoreTest, TurnedPageWithZeroScaleLoadsTurnedAgain) {
    TRZN_Config& c = Open();
    Type("prstlTextHsize", "595");
    Type("prstlTextVsize", "842");
    Type("prstlTextScale", "0");
    c.prstlUserHrdbnAction();
    c.prdefPBtnOkAction();
    ASSERT_TRUE(c.isFinished());
    EXPECT_EQ(ReadSettings().print->prXInfo.iBandV, -100);

    window_ = std::make_unique<TRZN_Config>();
    window_->awakeFromNib();
    EXPECT_EQ(Config().papervhf, 1);
    EXPECT_TRUE(Control<QRadioButton>(*window_, "prstlUserHrdbn")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(*window_, "prstlTextScale")->text(), "100");
    EXPECT_EQ(Control<QLineEdit>(*window_, "prstlTextHsize")->text(), "595");
}

TEST_F(StoreTest, PaperSizeIsReadInItsUnit) {
    TRZN_Config& c = Open();
    Choose("prstlMenuPunit", kUnitMillimetre);
    Type("prstlTextHsize", "210");
    Type("prstlTextVsize", "297");
    Check("prstlChbxPisrl", true);
    c.SetdownItems();
    const TPrint& p = *c.records().print;
    EXPECT_EQ(Config().unitmsct, kUnitMillimetre);
    EXPECT_EQ(p.prStl.iPageH, 595);  // 595.27
    EXPECT_EQ(p.prStl.iPageV, 842);  // 841.89
    EXPECT_EQ(p.prStl.feed, 1);
    // Roll paper takes the roll margins (5, 6, 7, 8) for the printable area.
    EXPECT_EQ(p.prInfo.rPage.bottom, 842 - 5 - 7);
    EXPECT_EQ(p.prInfo.rPage.right, 595 - 6 - 8);
}

TEST_F(StoreTest, PdlmoptIsPackedWithItsLimits) {
    const struct {
        const char* name;
        bool flag;
        const char* a;
        const char* l;
        int64_t want;
    } rows[] = {
        {"above limits", true, "200", "10000", 0x1B4270F},
        {"zero and negative", false, "0", "-5", 0x10001},
        {"empty", false, "", "", 0x10001},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Open();
        Check("prconChbxPDOpt", row.flag);
        Type("prconTextPDLmA", row.a);
        Type("prconTextPDLmS", row.l);
        window_->SetdownItems();
        EXPECT_EQ(Serial().pdlmopt, row.want);
    }
}

TEST_F(StoreTest, PenColourThicknessAndNumber) {
    Open();
    Choose("prpenMenuPcolr0", 6);
    Choose("prpenMenuPcolr1", 8);
    Choose("prpenMenuPcolr2", 9);
    Choose("prpenMenuPcolr3", 0);
    Type("prpenTextThick0", "0.35");
    Type("prpenTextThick1", "0.004");
    Type("prpenTextThick2", "");
    Choose("prpenMenuPenid4", 13);  // the 14th item
    Choose("prpenMenuPenid5", 12);
    window_->SetdownItems();
    const TPenEntry* pen = Config().toollist;
    EXPECT_EQ((std::array<int16_t, 4>{pen[0].red, pen[0].green, pen[0].blue, pen[0].fcolor}),
              (std::array<int16_t, 4>{0, 10000, 10000, 1}));
    for (int i : {1, 2}) {
        EXPECT_EQ(pen[i].red | pen[i].green | pen[i].blue, 0) << i;
        EXPECT_EQ(pen[i].fcolor, 0) << i;
    }
    EXPECT_EQ(pen[3].fcolor, 1);
    EXPECT_EQ(pen[3].red | pen[3].green | pen[3].blue, 0);
    EXPECT_EQ(pen[0].thick, 35);
    EXPECT_EQ(pen[1].thick, 0);
    EXPECT_EQ(pen[2].thick, 0);
    EXPECT_EQ(pen[4].tpenid, 0);  // only that pen
    EXPECT_EQ(pen[5].tpenid, 13);
    EXPECT_EQ(pen[6].tpenid, 7);

    // The item says so.
    EXPECT_TRUE(Control<QComboBox>(*window_, "prpenMenuPenid4")->itemText(13).contains("13"));
    // Stored as 0, the next loading shows it as 13.
    window_->prdefPBtnOkAction();
    window_ = std::make_unique<TRZN_Config>();
    window_->awakeFromNib();
    EXPECT_EQ(Control<QComboBox>(*window_, "prpenMenuPenid4")->currentIndex(), 12);
}

TEST_F(StoreTest, TextsKeepTheirByteLimitsAndEncodings) {
    FakeDevices devices({"/dev/ttyUSB0"});
    Open();
    Type("prconTextIHost", std::string(200, 'h').c_str());
    Type("prconTextPHead", "ヘッダ");
    Type("prconTextPTail", std::string(126, 'x').append("漢").c_str());  // 126 + 2 bytes
    Type("prconTextSharedFolder", ("/" + std::string(42, 'a') + std::string(84, 'b')).c_str());
    Type("prconTextIPort", "2121");
    Type("prconTextAverg", "-4");
    Choose("prconMenuNPort", 2);
    window_->SetdownItems();
    EXPECT_EQ(std::string(Serial().ipaddr), std::string(127, 'h'));
    EXPECT_EQ(std::string(Serial().prheader), "\x83\x77\x83\x62\x83\x5f");
    EXPECT_EQ(std::string(Serial().prfooter), std::string(126, 'x'));  // never half a character
    EXPECT_EQ(strlen(Serial().shared_folder), 127u);
    EXPECT_EQ(Serial().portid, 2121);
    EXPECT_EQ(Serial().average, -4);  // no lower limit when storing
    EXPECT_EQ(Serial().port, 2);
    EXPECT_STREQ(Serial().port_name, "TCP/IP(PRICOM 3100 FTP)");
}

TEST_F(StoreTest, TextWithoutShiftJisFormKeepsWhatPrecedesIt) {
    Open();
    Type("prconTextPHead", "ab\xF0\x9F\x98\x80" "cd");  // an emoji has no Shift-JIS form
    window_->SetdownItems();
    EXPECT_STREQ(Serial().prheader, "ab");
}

TEST_F(StoreTest, FolderChooserStoresAtOnceAndCancelWritesIt) {
    FolderAnswer answer(QStringLiteral("/srv/プロッタ"));
    TRZN_Config& c = Open();
    QSignalSpy ended(&c, &TRZN_Config::terminated);
    QTest::mouseClick(Control<QPushButton>(c, "prconPBtnSharedFolder"), Qt::LeftButton);
    EXPECT_EQ(answer.askedTitle, QStringLiteral("Trazen Server"));
    EXPECT_STREQ(Serial().shared_folder, "/srv/プロッタ");
    EXPECT_EQ(Control<QLineEdit>(c, "prconTextSharedFolder")->text(), QStringLiteral("/srv/プロッタ"));

    Type("prconTextPHead", "dropped");  // lives only in a control
    QTest::mouseClick(Control<QPushButton>(c, "prdefPBtnCancel"), Qt::LeftButton);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toInt(), 2);
    RecordSet saved = ReadSettings();
    EXPECT_EQ(*saved.refCon, 2);
    EXPECT_STREQ(saved.serial->shared_folder, "/srv/プロッタ");
    EXPECT_STREQ(saved.serial->prheader, "");
}

// A path over the record's 127 bytes is never cut (the cut path names another folder): the
// folder held so far stays, and the user is told why beside the field.
TEST_F(StoreTest, OverlongChosenFolderIsRefused) {
    const QString longPath = QStringLiteral("/srv/") + QString(41, QChar(0x30D7));  // 5 + 123 bytes
    FolderAnswer answer(longPath);
    RecordSet r = SampleRecords();
    std::snprintf(r.serial->shared_folder, sizeof r.serial->shared_folder, "/srv/old");
    TRZN_Config& c = Open(std::move(r));
    QLabel* note = Control<QLabel>(c, "prconLabelSharedFolderNote");
    EXPECT_FALSE(note->isVisibleTo(c.window()));

    QWidget* below = Control<QLineEdit>(c, "prconTextIHost");
    c.window()->layout()->activate();
    const int belowAt = below->mapTo(c.window(), QPoint()).y();
    c.prdefPBtnSetFolderAction();
    EXPECT_EQ(answer.beeps, 1);
    c.window()->layout()->activate();
    EXPECT_EQ(below->mapTo(c.window(), QPoint()).y(), belowAt);  // the note had its place
    EXPECT_STREQ(Serial().shared_folder, "/srv/old");
    EXPECT_EQ(Control<QLineEdit>(c, "prconTextSharedFolder")->text(), QStringLiteral("/srv/old"));
    EXPECT_TRUE(note->isVisibleTo(c.window()));
    EXPECT_TRUE(note->text().contains("128")) << note->text().toStdString();

    // A folder that fits is taken and the note goes.
    answer.SetAnswer(QStringLiteral("/srv/new"));
    c.prdefPBtnSetFolderAction();
    EXPECT_STREQ(Serial().shared_folder, "/srv/new");
    EXPECT_FALSE(note->isVisibleTo(c.window()));
}

TEST_F(StoreTest, OkRefusesAnOverlongTypedFolder) {
    FolderAnswer answer(std::nullopt);
    RecordSet r = SampleRecords();
    std::snprintf(r.serial->shared_folder, sizeof r.serial->shared_folder, "/srv/old");
    TRZN_Config& c = Open(std::move(r));
    QSignalSpy ended(&c, &TRZN_Config::terminated);
    auto* tabs = Control<QTabWidget>(c, "prconTabs");
    tabs->setCurrentIndex(tabs->count() - 1);
    QLineEdit* field = Control<QLineEdit>(c, "prconTextSharedFolder");
    field->setText(QStringLiteral("/") + QString(127, QLatin1Char('a')));  // 128 bytes

    QTest::mouseClick(Control<QPushButton>(c, "prdefPBtnOk"), Qt::LeftButton);
    EXPECT_FALSE(c.isFinished());
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(answer.beeps, 1);
    EXPECT_TRUE(Control<QLabel>(c, "prconLabelSharedFolderNote")->isVisibleTo(c.window()));
    EXPECT_TRUE(tabs->currentWidget()->isAncestorOf(field));
    EXPECT_STREQ(Serial().shared_folder, "/srv/old");
    EXPECT_EQ(*ReadSettings().refCon, 0);  // nothing written yet
    c.SetdownItems();  // as save as would: the folder held so far stays
    EXPECT_STREQ(Serial().shared_folder, "/srv/old");

    // Editing the path takes the note away; a path of exactly 127 bytes is stored whole.
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_FALSE(Control<QLabel>(c, "prconLabelSharedFolderNote")->isVisibleTo(c.window()));
    field->setText(QStringLiteral("/") + QString(126, QLatin1Char('a')));
    QTest::mouseClick(Control<QPushButton>(c, "prdefPBtnOk"), Qt::LeftButton);
    ASSERT_TRUE(c.isFinished());
    EXPECT_EQ(ReadSettings().serial->shared_folder, "/" + std::string(126, 'a'));
}

// Texts the settings file would give back changed are refused at OK, with the reason beside
// the field: a changed folder, address or password sends plots elsewhere. So is what every plot
// would fail on later: no folder or address for its destination, a cutting tool not set, a
// page range that ends before it begins.
TEST_F(StoreTest, OkRefusesTextsTheFileCantGiveBackAsTyped) {
    FolderAnswer answer(std::nullopt);
    const std::string longAddress = "\u6f22" + std::string(126, 'a');  // 2 + 126 bytes
    const struct {
        const char* name;
        const char* field;
        const char* note;
        const char* text;
        const char* says;
        std::function<void()> set = {};  // what else the row changes first
    } rows[] = {
        {"quote in folder", "prconTextSharedFolder", "prconLabelSharedFolderNote", "/srv/a\"b",
         "\""},
        {"quote in address", "prconTextIHost", "prconLabelIHostNote", "h:d:u:p\"w d\"x y", "\""},
        {"quote in footer", "prconTextPTail", "prconLabelPTailNote", "a\"b", "\""},
        {"tab in header", "prconTextPHead", "prconLabelPHeadNote", "a\tb", "U+0009"},
        {"no Shift-JIS form", "prconTextPHead", "prconLabelPHeadNote", "Caf\u00e9 header",
         "\u00e9"},
        {"128 bytes", "prconTextIHost", "prconLabelIHostNote", longAddress.c_str(), "128"},
        {"empty shared folder", "prconTextSharedFolder", "prconLabelSharedFolderNote", " ",
         "共有フォルダ",
         [this] { ChoosePort("Shared Folder(Trazen Server)"); }},
        {"empty address", "prconTextIHost", "prconLabelIHostNote", "", "アドレス",
         [this] { ChoosePort("TCP/IP(PRICOM 3100 FTP)"); }},
        {"weeding frame without a tool", "prconTextSpage", "prconLabelKstidNote", "1",
         "工具番号",
         [this] {
             Check("prconChbxKstri", true);
             Choose("prconMenuKstid", -1);
         }},
        {"perforation without a tool", "prconTextSpage", "prconLabelZfcidNote", "1",
         "工具番号",
         [this] {
             Check("prconChbxZFCut", true);
             Choose("prconMenuZfcid", -1);
         }},
        {"page range 5 to 2", "prconTextSpage", "prconLabelPageNote", "5", "(2)",
         [this] { Type("prconTextEpage", "2"); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TRZN_Config& c = Open();
        const int beeps = answer.beeps;
        if (row.set) row.set();
        Type(row.field, row.text);
        QTest::mouseClick(Control<QPushButton>(c, "prdefPBtnOk"), Qt::LeftButton);
        EXPECT_FALSE(c.isFinished());
        EXPECT_EQ(answer.beeps, beeps + 1);
        QLabel* note = Control<QLabel>(c, row.note);
        EXPECT_TRUE(note->isVisibleTo(c.window()));
        EXPECT_TRUE(note->text().contains(QString::fromUtf8(row.says)))
            << note->text().toStdString();
        EXPECT_EQ(*ReadSettings().refCon, 0);
    }

    // Typing stops at the record's bytes, with the reason, and what fits is stored whole.
    TRZN_Config& c = Open();
    QLineEdit* header = Control<QLineEdit>(c, "prconTextPHead");
    header->setText(QString(125, QLatin1Char('h')) + QStringLiteral("ヘ"));  // 127 bytes
    c.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c.window()));
    header->setFocus();
    header->end(false);
    QTest::keyClicks(header, "x");
    EXPECT_EQ(header->text().size(), 126);
    EXPECT_TRUE(Control<QLabel>(c, "prconLabelPHeadNote")->text().contains("127"));
    QTest::mouseClick(Control<QPushButton>(c, "prdefPBtnOk"), Qt::LeftButton);
    ASSERT_TRUE(c.isFinished());
    EXPECT_EQ(std::string(ReadSettings().serial->prheader), std::string(125, 'h') + "\x83\x77");
}

// A settings file that can't be written keeps the window open with an alert that says why; the
// user may still quit without saving.
TEST_F(StoreTest, FailedSaveKeepsTheWindowOpenAndSaysWhy) {
    FolderAnswer answer(std::nullopt);
    const std::string file = home.settingsFile();
    const struct {
        const char* name;
        const char* button;
        int status;
    } rows[] = {{"OK", "prdefPBtnOk", 1}, {"Cancel", "prdefPBtnCancel", 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TRZN_Config& c = Open();
        QSignalSpy ended(&c, &TRZN_Config::terminated);
        // A folder where the file should be: no save can replace it, not even root's.
        std::filesystem::remove(file);
        std::filesystem::create_directory(file);
        answer.alerts.clear();
        answer.alertAnswer = 1;  // back to the window
        QTest::mouseClick(Control<QPushButton>(c, row.button), Qt::LeftButton);
        ASSERT_EQ(answer.alerts.size(), 1u);
        EXPECT_TRUE(answer.alerts[0].contains(QString::fromStdString(file)))
            << answer.alerts[0].toStdString();
        EXPECT_TRUE(answer.alerts[0].contains(QString::fromLocal8Bit(std::strerror(EISDIR))))
            << answer.alerts[0].toStdString();
        EXPECT_FALSE(c.isFinished());
        EXPECT_TRUE(c.window()->isVisible());
        EXPECT_EQ(ended.count(), 0);

        // Once the folder is mended the same button saves and ends.
        std::filesystem::remove(file);
        QTest::mouseClick(Control<QPushButton>(c, row.button), Qt::LeftButton);
        ASSERT_EQ(ended.count(), 1);
        EXPECT_EQ(*ReadSettings().refCon, row.status);
    }

    TRZN_Config& c = Open();
    QSignalSpy ended(&c, &TRZN_Config::terminated);
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    answer.alertAnswer = 2;  // quit without saving
    c.prdefPBtnOkAction();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(c.isFinished());
    std::filesystem::remove(file);
}

// The knife group and the outline choice: shown from their own files, written with the
// settings on OK (CR LF, values held to the file's ranges), left alone on Cancel; a file that
// can't be written keeps the old one.
TEST_F(StoreTest, KnifeGroupIsWrittenOnOkOnly) {
    FolderAnswer answer(std::nullopt);
    const std::string knifeFile = home.productFolder() + "/TRZNKnife.ini";
    const std::string outlineFile = home.productFolder() + "/TRZNOutlines.ini";
    const std::string old =
        "knife.use = 0\r\nknife.tool = 2\r\nknife.offset = 30\r\nknife.overcut = 50\r\n";
    const std::string oldOutlines = "outlines.every = 1\r\n";
    const struct {
        const char* name;
        const char* button;
        const char* offset;
        bool unwritable;
        std::string want;
        std::string wantOutlines = "outlines.every = 0\r\n";
    } rows[] = {
        {"ok", "prdefPBtnOk", "0.254", false,
         "knife.use = 1\r\nknife.tool = 4\r\nknife.offset = 25\r\nknife.overcut = 5000\r\n"},
        {"ok_held_to_range", "prdefPBtnOk", "-3", false,
         "knife.use = 1\r\nknife.tool = 4\r\nknife.offset = 0\r\nknife.overcut = 5000\r\n"},
        {"cancel", "prdefPBtnCancel", "0.25", false, old, oldOutlines},
        {"unwritable", "prdefPBtnOk", "0.25", true, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WriteFileBytes(knifeFile, old);
        WriteFileBytes(outlineFile, oldOutlines);
        TRZN_Config& c = Open();
        EXPECT_EQ(Control<QLineEdit>(c, "prconTextKnfof")->text(), QStringLiteral("0.30"));
        EXPECT_EQ(Control<QComboBox>(c, "prconMenuLines")->currentIndex(), 1);
        Choose("prconMenuLines", 0);
        EXPECT_EQ(Control<QComboBox>(c, "prconMenuKnfid")->currentIndex(), 1);
        Check("prconChbxKnife", true);
        Choose("prconMenuKnfid", 3);
        Type("prconTextKnfof", row.offset);
        Type("prconTextKnfoc", "99");
        // A folder where the file should be: no write replaces it, not even root's.
        if (row.unwritable) {
            for (const std::string& file : {knifeFile, outlineFile}) {
                std::filesystem::remove(file);
                std::filesystem::create_directory(file);
            }
        }
        answer.alerts.clear();
        answer.alertAnswer = 2;  // on without the knife, and without the outline choice
        QTest::mouseClick(Control<QPushButton>(c, row.button), Qt::LeftButton);
        EXPECT_TRUE(c.isFinished());
        EXPECT_EQ(answer.alerts.size(), row.unwritable ? 2u : 0u);
        if (row.unwritable) {
            for (const std::string& file : {knifeFile, outlineFile}) {
                EXPECT_TRUE(std::filesystem::is_directory(file));
                std::filesystem::remove(file);
            }
            continue;
        }
        EXPECT_EQ(ReadFileBytes(knifeFile), row.want);
        EXPECT_EQ(ReadFileBytes(outlineFile), row.wantOutlines);
    }
}

TEST_F(StoreTest, CancelledChooserChangesNothing) {
    FolderAnswer answer(std::nullopt);
    RecordSet r = SampleRecords();
    std::snprintf(r.serial->shared_folder, sizeof r.serial->shared_folder, "/srv/old");
    TRZN_Config& c = Open(std::move(r));
    c.prdefPBtnSetFolderAction();
    EXPECT_STREQ(Serial().shared_folder, "/srv/old");
    EXPECT_EQ(Control<QLineEdit>(c, "prconTextSharedFolder")->text(), QStringLiteral("/srv/old"));
}

TEST_F(StoreTest, KeysAndCloseBoxEndTheWindow) {
    const struct {
        const char* name;
        int key;
        int status;
    } rows[] = {{"Return is OK", Qt::Key_Return, 1}, {"Escape is Cancel", Qt::Key_Escape, 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TRZN_Config& c = Open();
        QSignalSpy ended(&c, &TRZN_Config::terminated);
        Type("prconTextPHead", "typed");
        // Keys go to whatever has the focus: a text field here.
        QLineEdit* field = Control<QLineEdit>(c, "prconTextPHead");
        QTest::keyClick(field, static_cast<Qt::Key>(row.key));
        ASSERT_EQ(ended.count(), 1);
        EXPECT_EQ(ended.at(0).at(0).toInt(), row.status);
        EXPECT_FALSE(c.window()->isVisible());
        EXPECT_EQ(*ReadSettings().refCon, row.status);
    }
    TRZN_Config& c = Open();
    QSignalSpy ended(&c, &TRZN_Config::terminated);
    c.window()->close();
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toInt(), 2);
    // A second way out after the first does nothing more.
    c.prdefPBtnOkAction();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(*ReadSettings().refCon, 2);
}

}  // namespace
