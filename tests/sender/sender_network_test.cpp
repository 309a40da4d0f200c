#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/file_transfer.h"
#include "platform/modal.h"
#include "platform/ports.h"
#include "plotjob/send_result.h"
#include "sender/plot_preview.h"
#include "settings/default_setup.h"
#include "settings/store.h"
#include "tests/platform/ftp_fixture.h"
#include "tests/sender/sender_fixture.h"
#include "tests/support/small_disk.h"

namespace {

class CountingBeep : public ModalSeam {
public:
    int Alert(QWidget*, const QString&, const QString&, const QString&) override { return 1; }
    std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return {}; }
    void Beep() override { ++beeps; }
    int beeps = 0;
};

class NetworkSend : public testing::Test {
protected:
    void SetUp() override {
        // A machine without serial ports: nothing real is ever opened.
        SetSerialDeviceSource([] { return std::vector<std::string>{}; });
        SetModalSeam(&beep);
        WritePlugInFiles(home, "BRC:0,0,10000,7500\r\n", SamplePlotBody(4000));
    }
    void TearDown() override {
        SetSerialDeviceSource({});
        SetModalSeam(nullptr);
    }
    void Configure(const char* portName, const std::string& ipaddr,
                   const std::string& sharedFolder = "", int64_t refCon = 0) {
        WriteSenderSettings(
            [&](TSrConfig& s) {
                std::strcpy(s.port_name, portName);
                std::strncpy(s.ipaddr, ipaddr.c_str(), sizeof s.ipaddr - 1);
                std::strncpy(s.shared_folder, sharedFolder.c_str(), sizeof s.shared_folder - 1);
                s.portid = portid;
            },
            refCon);
    }
    template <class W>
    W* Outlet(const char* name) {
        return run.sender.panel()->findChild<W*>(name);
    }
    // Start-up, the delivery tick, and the tick that completes (or finds the failure).
    void RunToEnd() {
        run.sender.awakeFromNib();
        framed = ReadFileBytes(home.productFolder() + "/Trazen.tmp");
        run.sender.firedByTimer();
        run.sender.firedByTimer();
    }
    void ExpectFailure(const QString& words) {
        EXPECT_TRUE(run.sender.failed());
        EXPECT_FALSE(run.exitCode.has_value());
        EXPECT_EQ(StoredCompletion(), 2);
        const QString state = Outlet<QLabel>("prserLabelState")->text();
        EXPECT_TRUE(state.contains(words)) << state.toStdString();
        // The window holds all the failure says: nothing laid over the picture's key.
        QWidget* panel = run.sender.panel();
        EXPECT_GE(panel->height(), panel->layout()->totalHeightForWidth(panel->width()));
        EXPECT_GE(Outlet<QLabel>("prserLabelPreviewKey")->y(),
                  Outlet<QWidget>("prserViewPlot")->geometry().bottom());
        QPushButton* button = Outlet<QPushButton>("prserPBtnStopData");
        EXPECT_EQ(button->text(), QString("閉じる"));
        button->click();
        EXPECT_EQ(run.exitCode, 2);
        ExpectResult(SendEnd::Failed, words);
    }
    // For the documentation (TRZN_SENDER_PICTURES): the window as it shows, its plot drawn.
    void SavePicture(const char* dir, const char* name) {
        Outlet<TPlotPreview>("prserViewPlot")->waitUntilReady();
        run.sender.panel()->grab().save(QString("%1/sender-%2.png").arg(dir, name));
    }
    // What the caller reads beside the status.
    void ExpectResult(SendEnd end, const QString& words) {
        const std::optional<SendResult> left = ReadSendResult(home.productFolder());
        ASSERT_TRUE(left.has_value());
        EXPECT_EQ(left->end, end);
        EXPECT_TRUE(left->words.contains(words)) << left->words.toStdString();
        EXPECT_EQ("送信先: " + left->destination, Outlet<QLabel>("prserLabelDest")->text());
    }

    TempHome home;
    CountingBeep beep;
    SenderUnderTest run;
    std::string framed;
    int64_t portid = 0;  // THSrConfig.portid
};

struct FtpCase {
    const char* name;
    const char* portName;
    std::string ipaddrTail;  // after the host
    bool asUser;             // lands in the user's folder, else the anonymous one
    std::string serverFile;  // relative to the server root
    std::string localFile;   // what stays in the product folder
};

void PrintTo(const FtpCase& c, std::ostream* os) { *os << c.name; }

class FtpSend : public NetworkSend, public testing::WithParamInterface<FtpCase> {};

// Shell metacharacters in the password: no shell sees them. (The settings file can't hold a
// double quote inside a value, so none here.)
const std::string kPassword = "p;w$(id)`x`'&|* <>";

TEST_P(FtpSend, PlotArrivesUnderTheServersName) {
    const FtpCase& c = GetParam();
    const std::string userDir = home.scratch("ftp-user"), anonDir = home.scratch("ftp-anon");
    for (const char* sub : {"lp", "jobs"}) {
        std::filesystem::create_directories(userDir + "/" + sub);
        std::filesystem::create_directories(anonDir + "/" + sub);
    }
    FtpServer server(userDir, anonDir, "plot", kPassword);
    ASSERT_TRUE(server.ok()) << server.errorText();
    portid = server.port();
    const std::string ipaddr = "127.0.0.1" + c.ipaddrTail;
    Configure(c.portName, ipaddr);
    // An AXIS plot from an earlier run must not be what gets uploaded.
    WriteFileBytes(home.productFolder() + "/lpt1", "old plot");
    WriteFileBytes(home.productFolder() + "/usb1", "old plot");

    RunToEnd();
    EXPECT_EQ(run.exitCode, 0) << Outlet<QLabel>("prserLabelState")->text().toStdString();
    EXPECT_EQ(StoredCompletion(), 1);
    const std::string root = c.asUser ? userDir : anonDir;
    EXPECT_TRUE(ReadFileBytes(root + "/" + c.serverFile) == framed) << c.serverFile;
    EXPECT_TRUE(ReadFileBytes(home.productFolder() + "/" + c.localFile) == framed);
    const QString shown = Outlet<QLineEdit>("prserTextSendMsg1")->text();
    EXPECT_FALSE(shown.contains(QString::fromStdString(kPassword)));
    EXPECT_TRUE(shown.endsWith(":FTP"));
    ExpectResult(SendEnd::Delivered, "送信しました");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FtpSend,
    testing::Values(
        FtpCase{"PricomDefaultFolderAnonymous", "TCP/IP(PRICOM 3100 FTP)", "", false,
                "lp/Trazen.tmp", "Trazen.tmp"},
        FtpCase{"PricomFolderWithLogin", "TCP/IP(PRICOM 3100 FTP)", ":jobs:plot:" + kPassword,
                true, "jobs/Trazen.tmp", "Trazen.tmp"},
        FtpCase{"UserWithoutPasswordIsAnonymous", "TCP/IP(PRICOM 3100 FTP)", "::plot", false,
                "lp/Trazen.tmp", "Trazen.tmp"},
        FtpCase{"AxisLptRootAnonymous", "TCP/IP(AXIS 5550 LPT)", "", false, "lpt1", "lpt1"},
        FtpCase{"AxisLptFolderWithLogin", "TCP/IP(AXIS 5550 LPT)", ":jobs:plot:" + kPassword, true,
                "jobs/lpt1", "lpt1"},
        FtpCase{"AxisUsbRootAnonymous", "TCP/IP(AXIS 5550 USB)", "", false, "usb1", "usb1"},
        FtpCase{"AxisUsbFolder", "TCP/IP(AXIS 5550 USB)", ":jobs", false, "jobs/usb1", "usb1"}),
    [](const testing::TestParamInfo<FtpCase>& i) { return i.param.name; });

TEST_F(NetworkSend, PasswordIsMaskedOnThePanel) {
    Configure("TCP/IP(PRICOM 3100 FTP)", "srv:jobs:plot:secret");
    run.sender.awakeFromNib();
    EXPECT_EQ(Outlet<QLineEdit>("prserTextSendMsg1")->text(), QString("srv:jobs:plot:****:FTP"));
    EXPECT_EQ(Outlet<QProgressBar>("prserPrBrSendData")->maximum(), 0);  // indeterminate
}

struct FtpStopCase {
    const char* name;
    bool serverDeletes;
    const char* words;
    bool sharedFolder = false;  // a copy into the shared folder instead of an upload
};

void PrintTo(const FtpStopCase& c, std::ostream* os) { *os << c.name; }

class FtpStop : public NetworkSend, public testing::WithParamInterface<FtpStopCase> {};

// A print server prints whatever file it is left: Stop ends the upload and takes back the part
// that arrived, or says it could not.
TEST_P(FtpStop, EndsTheUploadAndSaysWhatIsLeft) {
    const FtpStopCase& c = GetParam();
    const std::string userDir = home.scratch("ftp-user"), anonDir = home.scratch("ftp-anon");
    std::filesystem::create_directories(anonDir + "/lp");
    std::string onServer = anonDir + "/lp/Trazen.tmp";
    FtpServer server(userDir, anonDir, "plot", "secret", 20000, !c.serverDeletes);
    ASSERT_TRUE(server.ok()) << server.errorText();
    portid = server.port();
    WritePlugInFiles(home, "", SamplePlotBody(400000));  // 20 s at the server's pace
    const std::string shared = home.scratch("server");
    // A folder as slow as a share: the copy goes 64 bytes at a time.
    if (c.sharedFolder) SetCopyPieceBytes(64);
    if (c.sharedFolder)
        Configure("Shared Folder(Trazen Server)", "", shared);
    else
        Configure("TCP/IP(PRICOM 3100 FTP)", "127.0.0.1");
    run.sender.awakeFromNib();
    QPushButton* button = Outlet<QPushButton>("prserPBtnStopData");
    QString pressed;  // the button right after the press
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
        // The copy's hidden file beside the plots is what has arrived so far.
        for (const auto& e : std::filesystem::directory_iterator(shared)) onServer = e.path();
        if (!pressed.isEmpty() || ReadFileBytes(onServer).empty()) return;
        button->click();
        pressed = button->text() + (button->isEnabled() ? " enabled" : " disabled");
        if (const char* dir = std::getenv("TRZN_SENDER_PICTURES")) SavePicture(dir, "ftp-stopping");
    });
    press.start(20);
    run.sender.firedByTimer();  // the upload, the window kept live by it
    EXPECT_EQ(pressed, QString("停止しています… disabled"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(StoredCompletion(), 2);
    SetCopyPieceBytes(0);
    EXPECT_EQ(std::filesystem::exists(onServer), !c.serverDeletes);
    if (c.sharedFolder) EXPECT_TRUE(std::filesystem::is_empty(shared));
    EXPECT_LT(ReadFileBytes(onServer).size(),
              ReadFileBytes(home.productFolder() + "/Trazen.tmp").size());
    ExpectResult(SendEnd::Stopped, QString::fromUtf8(c.words));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FtpStop,
    testing::Values(FtpStopCase{"ServerDeletesThePart", true, "Trazen.tmp は消しました"},
                    FtpStopCase{"ServerKeepsThePart", false, "Trazen.tmp は、サーバが消させない"},
                    FtpStopCase{"SharedFolderCopy", true,
                                "共有フォルダにはプロットを残していません", true}),
    [](const testing::TestParamInfo<FtpStopCase>& i) { return i.param.name; });

struct FtpFailureCase {
    const char* name;
    std::string ipaddrTail;
    const char* words;
    int64_t portid = 0;  // 0: the test server's
};

void PrintTo(const FtpFailureCase& c, std::ostream* os) { *os << c.name; }

class FtpFailure : public NetworkSend, public testing::WithParamInterface<FtpFailureCase> {};

TEST_P(FtpFailure, IsShownAndNotRecordedAsDone) {
    const std::string userDir = home.scratch("ftp-user"), anonDir = home.scratch("ftp-anon");
    FtpServer server(userDir, anonDir);
    ASSERT_TRUE(server.ok()) << server.errorText();
    const bool noServer = std::string(GetParam().name) == "NoServerListening";
    portid = noServer ? UnusedLoopbackPort() : server.port();
    if (GetParam().portid != 0) portid = GetParam().portid;
    Configure("TCP/IP(PRICOM 3100 FTP)", "127.0.0.1" + GetParam().ipaddrTail);
    RunToEnd();
    ExpectFailure(QString::fromUtf8(GetParam().words));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FtpFailure,
    testing::Values(FtpFailureCase{"NoServerListening", "", "サーバにつながりません"},
                    FtpFailureCase{"LoginDenied", "::plot:wrong", "パスワードが違います"},
                    FtpFailureCase{"FolderMissing", ":nowhere", "フォルダがありません"},
                    FtpFailureCase{"AddressTooLong", ":" + std::string(90, 'f'), "長すぎます"},
                    FtpFailureCase{"PortOutOfRange", "", "ポート番号 70000", 70000}),
    [](const testing::TestParamInfo<FtpFailureCase>& i) { return i.param.name; });

TEST_F(NetworkSend, SharedFolderGetsATimeStampedCopy) {
    const std::string shared = home.scratch("server") + "/plots";  // made by the sender
    Configure("Shared Folder(Trazen Server)", "", shared);
    RunToEnd();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(StoredCompletion(), 1);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(shared))
        names.push_back(e.path().filename().string());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(QRegularExpression("^\\d{8}_\\d{8}\\.plt$")
                    .match(QString::fromStdString(names[0]))
                    .hasMatch())
        << names[0];
    EXPECT_TRUE(ReadFileBytes(shared + "/" + names[0]) == framed);
    EXPECT_TRUE(ReadFileBytes(home.productFolder() + "/Trazen.tmp") == framed);
    EXPECT_TRUE(Outlet<QLabel>("prserLabelDest")->text().contains(QString::fromStdString(shared)));
}

struct SharedFailureCase {
    const char* name;
    const char* words;
    const char* portName = "Shared Folder(Trazen Server)";
};
void PrintTo(const SharedFailureCase& row, std::ostream* os) { *os << row.name; }


class SharedFailure : public NetworkSend, public testing::WithParamInterface<SharedFailureCase> {};

TEST_P(SharedFailure, IsShownAndNotRecordedAsDone) {
    const std::string name = GetParam().name;
    std::string folder = home.scratch("server");
    if (name == "NoFolderSet") folder.clear();
    if (name == "FolderNotWritable") {
        // Under a plain file: no folder can be made or written there, not even by root.
        WriteFileBytes(folder + "/file", "x");
        folder += "/file/plots";
    }
    // A plotter sits at the stored position (0): a plot for a device that is gone must not
    // reach it either.
    PtyPlotter plotter;
    SetSerialDeviceSource([&plotter] { return std::vector<std::string>{plotter.slavePath()}; });
    Configure(GetParam().portName, "", folder);
    // The default setup a first start's Cancel leaves names no port: nothing is set up.
    if (name == "NothingSetUp") WriteSenderSettings([](TSrConfig& s) { s.port = kNoPortChosen; });
    run.sender.awakeFromNib();
    if (name == "SourceMissing") std::remove((home.productFolder() + "/Trazen.tmp").c_str());
    run.sender.firedByTimer();
    run.sender.firedByTimer();
    const char* pictures = std::getenv("TRZN_SENDER_PICTURES");
    if (pictures && name == "StoredDeviceNotConnected") SavePicture(pictures, "not-connected");
    ExpectFailure(QString::fromUtf8(GetParam().words));
    if (std::filesystem::is_directory(folder)) EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_TRUE(plotter.ReadAvailable().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SharedFailure,
    testing::Values(SharedFailureCase{"NoFolderSet", "共有フォルダが設定されていません"},
                    SharedFailureCase{"FolderNotWritable", "コピーできませんでした"},
                    SharedFailureCase{"SourceMissing", "Trazen.tmp"},
                    SharedFailureCase{"NothingSetUp", "プロッタはまだ設定されていません", ""},
                    // Nothing goes to the shared folder the same settings also name.
                    SharedFailureCase{"StoredDeviceNotConnected",
                                      "/dev/ttyUSB0 はつながっていません", "/dev/ttyUSB0"}),
    [](const testing::TestParamInfo<SharedFailureCase>& i) { return i.param.name; });

enum class Meanwhile { WindowSaved, StatusLineGone, FileGone };

class ClosedFailure : public NetworkSend, public testing::WithParamInterface<Meanwhile> {};

// The failure message stays open while the user does as it says in the configuration window:
// closing it records the failure into the settings file as it is now, undoing nothing.
TEST_P(ClosedFailure, RecordsOnlyTheStatusIntoTheFileAsItIsNow) {
    Configure("Shared Folder(Trazen Server)", "", "");
    RunToEnd();
    ASSERT_TRUE(run.sender.failed());
    std::string expected = ReadFileBytes(home.settingsFile());  // the file the caller is to find
    if (GetParam() == Meanwhile::WindowSaved) {
        // As the window's OK saves it: its own form of the file, status 1.
        RecordSet window;
        ASSERT_TRUE(LoadSettings(&window));
        std::strcpy(window.serial->shared_folder, home.scratch("server").c_str());
        *window.refCon = 1;
        ASSERT_TRUE(SaveSettings(window));
        expected = ReadFileBytes(home.settingsFile());
        expected.replace(expected.find("refine_con = 1"), 14, "refine_con = 2");
    } else if (GetParam() == Meanwhile::StatusLineGone) {
        std::string edited = expected;
        edited.erase(edited.find("refine_con = 2\r\n"), 16);
        WriteFileBytes(home.settingsFile(), edited);
    } else {
        std::remove(home.settingsFile().c_str());
        expected.clear();
    }
    Outlet<QPushButton>("prserPBtnStopData")->click();
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(StoredCompletion(), 2);
    if (expected.empty()) {
        // The default setup, as the window starts from without a file: nothing is chosen.
        RecordSet left;
        ASSERT_TRUE(LoadSettings(&left));
        EXPECT_FALSE(DestinationChosen(*left.serial));
    } else {
        EXPECT_TRUE(ReadFileBytes(home.settingsFile()) == expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ClosedFailure,
                         testing::Values(Meanwhile::WindowSaved, Meanwhile::StatusLineGone,
                                         Meanwhile::FileGone),
                         [](const testing::TestParamInfo<Meanwhile>& i) {
                             return std::string(i.param == Meanwhile::WindowSaved ? "WindowSaved"
                                                : i.param == Meanwhile::FileGone ? "FileGone"
                                                                                 : "StatusLineGone");
                         });

// A completion status the disk refuses to take is a failure: at start-up nothing is sent (the
// plug-in would read an earlier run's result), after the delivery the panel says it went out.
TEST_F(NetworkSend, StatusTheDiskRefusesIsAFailure) {
    for (const bool atStart : {true, false}) {
        SCOPED_TRACE(atStart ? "at start-up" : "after the delivery");
        TempHome home;
        SenderUnderTest run;
        SmallDisk disk(home.productFolder(), 256 * 1024);
        if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
        const std::string shared = home.scratch("server");
        WritePlugInFiles(home, "", SamplePlotBody(4000));
        Configure("Shared Folder(Trazen Server)", "", shared, atStart ? 2 : 0);
        const std::string settings = ReadFileBytes(home.settingsFile());
        if (atStart) disk.Fill();
        run.sender.awakeFromNib();
        if (!atStart) disk.Fill();
        run.sender.firedByTimer();
        run.sender.firedByTimer();
        EXPECT_TRUE(run.sender.failed());
        EXPECT_EQ(ReadFileBytes(home.settingsFile()), settings);
        EXPECT_EQ(std::filesystem::is_empty(shared), atStart);
        const QString state =
            run.sender.panel()->findChild<QLabel*>("prserLabelState")->text();
        EXPECT_TRUE(state.contains("記録できませんでした")) << state.toStdString();
        EXPECT_EQ(state.contains("プロットは送りましたが"), !atStart) << state.toStdString();
        run.sender.panel()->findChild<QPushButton*>("prserPBtnStopData")->click();
        EXPECT_EQ(run.exitCode, 2);
    }
}

// The product folder's files are one plot's at a time: a sender started while another plot
// holds the slot touches nothing until it is free. (A lock handed down by trzn-plot is covered
// end to end by the plot command's tests.)
TEST_F(NetworkSend, PlotSlotIsWaitedForOrInherited) {
    const std::string shared = home.scratch("server");
    Configure("Shared Folder(Trazen Server)", "", shared, 2);
    const std::string settings = ReadFileBytes(home.settingsFile());
    const std::string lockPath = home.productFolder() + "/.plot.lock";
    const int held = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    run.sender.awakeFromNib();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Outlet<QLabel>("prserLabelState")->text().contains("別のプロットを送信しています"));
    EXPECT_FALSE(std::filesystem::exists(home.productFolder() + "/Trazen.tmp"));
    EXPECT_EQ(ReadFileBytes(home.settingsFile()), settings);
    close(held);
    QElapsedTimer clock;
    clock.start();
    while (!std::filesystem::exists(home.productFolder() + "/Trazen.tmp") && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    run.sender.firedByTimer();
    run.sender.firedByTimer();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(StoredCompletion(), 1);

    // A descriptor handed down that is not the slot's lock is not trusted: the sender waits.
    const int stranger = open(lockPath.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_EQ(flock(stranger, LOCK_EX), 0);
    SenderUnderTest third;
    third.sender.setInheritedLock(open("/dev/null", O_RDONLY | O_CLOEXEC));
    third.sender.awakeFromNib();
    EXPECT_FALSE(third.exitCode.has_value());
    third.sender.panel()->findChild<QPushButton*>("prserPBtnStopData")->click();
    EXPECT_EQ(third.exitCode, 1);
    close(stranger);
}

struct StaleCase {
    const char* name;
    const char* portName;
    bool replaceable;  // a link to nowhere is replaced; a folder of that name is not
};

void PrintTo(const StaleCase& c, std::ostream* os) { *os << c.name; }

class StaleOutput : public NetworkSend, public testing::WithParamInterface<StaleCase> {};

// What an earlier run left as Trazen.tmp is never what the server gets.
TEST_P(StaleOutput, OnlyTheNewPlotIsDelivered) {
    const StaleCase& c = GetParam();
    const std::string shared = home.scratch("server");
    const std::string userDir = home.scratch("ftp-user"), anonDir = home.scratch("ftp-anon");
    std::filesystem::create_directories(anonDir + "/lp");
    FtpServer server(userDir, anonDir);
    ASSERT_TRUE(server.ok()) << server.errorText();
    portid = server.port();
    Configure(c.portName, "127.0.0.1", shared);
    const std::string output = home.productFolder() + "/Trazen.tmp";
    if (c.replaceable)
        ASSERT_EQ(symlink((home.root() + "/gone/plot").c_str(), output.c_str()), 0);
    else
        WriteFileBytes(output + "/old", "OLD PLOT;");

    RunToEnd();
    std::vector<std::string> delivered;
    for (const std::string& dir : {shared, anonDir + "/lp", anonDir})
        for (const auto& e : std::filesystem::directory_iterator(dir))
            if (e.is_regular_file()) delivered.push_back(ReadFileBytes(e.path().string()));
    if (c.replaceable) {
        EXPECT_EQ(run.exitCode, 0) << Outlet<QLabel>("prserLabelState")->text().toStdString();
        ASSERT_EQ(delivered.size(), 1u);
        EXPECT_TRUE(delivered[0] == framed);
        EXPECT_EQ(framed.substr(0, 9), "\x1b.(IN;IW;");
    } else {
        EXPECT_TRUE(delivered.empty());
        ExpectFailure("プロットを送る準備ができませんでした");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StaleOutput,
    testing::Values(StaleCase{"SharedFolderLinkToNowhere", "Shared Folder(Trazen Server)", true},
                    StaleCase{"SharedFolderFolderOfThatName", "Shared Folder(Trazen Server)", false},
                    StaleCase{"FtpLinkToNowhere", "TCP/IP(PRICOM 3100 FTP)", true},
                    StaleCase{"FtpFolderOfThatName", "TCP/IP(PRICOM 3100 FTP)", false}),
    [](const testing::TestParamInfo<StaleCase>& i) { return i.param.name; });

}  // namespace
