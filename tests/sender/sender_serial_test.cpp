#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/ports.h"
#include "sender/stop_ending.h"
#include "tests/sender/sender_fixture.h"

namespace {

class SerialSend : public PtySenderTest {
protected:
    void Configure(int64_t refCon = 0) {
        const std::string slave = plotter->slavePath();
        WriteSenderSettings(
            [&](TSrConfig& s) {
                std::strcpy(s.port_name, slave.c_str());
                s.baud = 4;
                s.data = 1;
                s.stop = 2;
                s.parity = 2;
                s.flctrl = 2;
            },
            refCon);
    }

    template <class W>
    W* Outlet(const char* name) {
        return run.sender.panel()->findChild<W*>(name);
    }
};

TEST_F(SerialSend, FramedPlotArrivesSegmentBySegmentAndCompletes) {
    Configure(2);  // left from a stopped run
    WritePlugInFiles(home, "NAME:test\r\nBRC:0,0,10,10\r\n", "PA0,0;PD100,100;");
    run.sender.awakeFromNib();
    EXPECT_EQ(StoredCompletion(), 0);
    EXPECT_EQ(run.sender.destinationCode(), 0);
    EXPECT_EQ(Outlet<QLineEdit>("prserTextSendMsg1")->text().toStdString(), plotter->slavePath());
    EXPECT_TRUE(Outlet<QLabel>("prserLabelDest")
                    ->text()
                    .contains(QString::fromStdString(plotter->slavePath())));

    // Each write carries up to two segments; the line reads them as one stream.
    std::string received;
    for (int i = 0; i < 100 && !run.exitCode; ++i) {
        run.Tick();
        received += plotter->ReadAvailable();
    }
    EXPECT_EQ(received, "\x1b.(IN;IW;IW0,0,10,10;PA0,0;PD100,100;\x1b.)");
    EXPECT_EQ(Outlet<QProgressBar>("prserPrBrSendData")->value(), 100);
    EXPECT_EQ(Outlet<QLineEdit>("prserTextSendMsg2")->text(), QString(" .)"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(StoredCompletion(), 1);
}

TEST_F(SerialSend, LineSettingsAreApplied) {
    Configure();
    WritePlugInFiles(home, "", "PA;");
    struct stat before {
    }, after{};
    ASSERT_EQ(stat(home.settingsFile().c_str(), &before), 0);
    run.sender.awakeFromNib();
    // A status already 0 is not written back: the file is the one the test wrote.
    ASSERT_EQ(stat(home.settingsFile().c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
    const int fd = open(plotter->slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios t{};
    ASSERT_EQ(tcgetattr(fd, &t), 0);
    close(fd);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
    EXPECT_TRUE((t.c_cflag & (CREAD | CLOCAL)) == (CREAD | CLOCAL));
    EXPECT_FALSE(t.c_lflag & ICANON);
}

// A plotter that stops reading: the pty fills, writes come back short or empty, nothing is lost
// or repeated, and progress resumes when the plotter reads again.
TEST_F(SerialSend, SlowPlotterGetsPartialWritesAndEveryByte) {
    Configure();
    WritePlugInFiles(home, "BRC:0,0,10000,7500\r\n", SamplePlotBody(60000));
    run.sender.awakeFromNib();
    const std::string output = Output();
    ASSERT_EQ(run.sender.totalBytes(), static_cast<int64_t>(output.size()));

    int64_t before = -1;
    int still = 0;
    for (int i = 0; i < 2000 && still < 5; ++i) {
        run.sender.firedByTimer();
        still = run.sender.sentBytes() == before ? still + 1 : 0;
        before = run.sender.sentBytes();
    }
    ASSERT_EQ(still, 5) << "the pty never filled";
    EXPECT_LT(run.sender.sentBytes(), run.sender.totalBytes());
    EXPECT_FALSE(run.exitCode.has_value());

    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!run.exitCode && std::chrono::steady_clock::now() < deadline) {
        received += plotter->ReadAvailable();
        run.sender.firedByTimer();
    }
    received += plotter->ReadAvailable();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(received.size(), output.size());
    EXPECT_TRUE(received == output);
    EXPECT_EQ(StoredCompletion(), 1);
}

// The plotter holds the line (it reads nothing): Stop ends the transfer within one buffer, and
// what the plotter then finds is exactly the start of the plot the sender counted as sent,
// followed by no more of the plot than ends the instruction under way, and what of the pen lift
// and plotter-off the full line still took.
TEST_F(SerialSend, StopMidTransferSendsNoMore) {
    Configure();
    WritePlugInFiles(home, "", SamplePlotBody(60000));
    run.sender.awakeFromNib();
    int64_t before = -1;
    while (run.sender.sentBytes() != before) {
        before = run.sender.sentBytes();
        run.Tick();
    }
    ASSERT_LT(before, run.sender.totalBytes());
    Outlet<QPushButton>("prserPBtnStopData")->click();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(StoredCompletion(), 2);
    run.sender.firedByTimer();  // a tick already queued when Stop came
    const std::string received = plotter->ReadAvailable() + plotter->ReadAvailable();
    const size_t plot = static_cast<size_t>(run.sender.sentBytes());
    ASSERT_LE(plot, received.size());
    EXPECT_TRUE(received.substr(0, plot) == Output().substr(0, plot));
    const int fd = open((home.productFolder() + "/Trazen.tmp").c_str(), O_RDONLY);
    const std::string ending =
        StopEnding(FinishInstructionAt(fd, static_cast<int64_t>(plot)), false);
    close(fd);
    EXPECT_TRUE(ending.starts_with(received.substr(plot))) << received.substr(plot);
    EXPECT_LE(plot, static_cast<size_t>(before) + 160u);
}

struct BrokenLineCase {
    const char* name;
    bool openFails;
};
void PrintTo(const BrokenLineCase& row, std::ostream* os) { *os << row.name; }

class BrokenLine : public SerialSend, public testing::WithParamInterface<BrokenLineCase> {};

// Neither a device that won't open nor a line lost mid-plot may end as "done".
TEST_P(BrokenLine, FailureIsShownAndNotRecordedAsDone) {
    const std::string missing = home.root() + "/no-such-tty";
    if (GetParam().openFails) {
        SetSerialDeviceSource([missing] { return std::vector<std::string>{missing}; });
        WriteSenderSettings([&](TSrConfig& s) { std::strcpy(s.port_name, missing.c_str()); });
    } else {
        Configure();
    }
    WritePlugInFiles(home, "", SamplePlotBody(60000));
    run.sender.awakeFromNib();
    if (!GetParam().openFails) {
        run.Tick();
        plotter.reset();  // the cable comes out
        for (int i = 0; i < 3; ++i) run.Tick();
    }
    EXPECT_TRUE(run.sender.failed());
    EXPECT_FALSE(run.exitCode.has_value());
    EXPECT_EQ(StoredCompletion(), 2);
    const QString state = Outlet<QLabel>("prserLabelState")->text();
    EXPECT_TRUE(state.contains(GetParam().openFails ? QString::fromStdString(missing)
                                                    : QString("回線が切れました")))
        << state.toStdString();
    QPushButton* button = Outlet<QPushButton>("prserPBtnStopData");
    EXPECT_EQ(button->text(), QString("閉じる"));
    button->click();
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(StoredCompletion(), 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenLine,
                         testing::Values(BrokenLineCase{"DeviceWontOpen", true},
                                         BrokenLineCase{"LineLostMidPlot", false}),
                         [](const testing::TestParamInfo<BrokenLineCase>& i) {
                             return i.param.name;
                         });

}  // namespace

namespace {

// The close box acts as Stop: the status is written and the line closed, never skipped.
TEST_F(SerialSend, CloseBoxStopsLikeTheButton) {
    Configure();
    WritePlugInFiles(home, "", SamplePlotBody(60000));
    run.sender.awakeFromNib();
    run.Tick();
    EXPECT_FALSE(run.sender.panel()->close());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(StoredCompletion(), 2);
}

}  // namespace

namespace {

enum class Spoiled { BodyIsAFolder, OutputIsAFolder, DiskFull };

struct UnpreparedCase {
    const char* name;
    Spoiled spoiled;
    const char* reason;
};
void PrintTo(const UnpreparedCase& row, std::ostream* os) { *os << row.name; }

class UnpreparedPlot : public SerialSend, public testing::WithParamInterface<UnpreparedCase> {};

// A plot that can't be framed whole, or an old one left in its place, goes nowhere: the panel
// says why, and the run ends as not done. Nothing reached the plotter, so closing doesn't wait.
TEST_P(UnpreparedPlot, NothingIsSentAndClosingDoesNotWait) {
    Configure();
    WritePlugInFiles(home, "", SamplePlotBody(2000));
    const std::string output = home.productFolder() + "/Trazen.tmp";
    switch (GetParam().spoiled) {
        case Spoiled::BodyIsAFolder:
            std::remove((home.productFolder() + "/Trazen Prefs").c_str());
            WriteFileBytes(home.productFolder() + "/Trazen Prefs/part", "PA0,0;");
            break;
        case Spoiled::OutputIsAFolder:
            WriteFileBytes(output + "/old", "OLD PLOT;");
            break;
        case Spoiled::DiskFull:
            ASSERT_EQ(symlink("/dev/full", output.c_str()), 0);
            break;
    }
    run.sender.setShutdownWaits(std::chrono::seconds(20), std::chrono::seconds(20));
    run.sender.awakeFromNib();
    run.sender.firedByTimer();
    EXPECT_TRUE(run.sender.failed());
    EXPECT_FALSE(run.exitCode.has_value());
    EXPECT_EQ(StoredCompletion(), 2);
    EXPECT_EQ(plotter->ReadAvailable(), "");
    const QString state = Outlet<QLabel>("prserLabelState")->text();
    EXPECT_TRUE(state.contains("プロットを送る準備ができませんでした")) << state.toStdString();
    EXPECT_TRUE(state.contains(QString::fromUtf8(GetParam().reason))) << state.toStdString();

    QPushButton* button = Outlet<QPushButton>("prserPBtnStopData");
    EXPECT_EQ(button->text(), QString("閉じる"));
    const auto start = std::chrono::steady_clock::now();
    button->click();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(StoredCompletion(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnpreparedPlot,
    testing::Values(UnpreparedCase{"BodyIsAFolder", Spoiled::BodyIsAFolder, "Trazen Prefs"},
                    UnpreparedCase{"OutputIsAFolder", Spoiled::OutputIsAFolder,
                                   "同じ名前のフォルダ"},
                    UnpreparedCase{"DiskFull", Spoiled::DiskFull, "ディスクがいっぱいです"}),
    [](const testing::TestParamInfo<UnpreparedCase>& i) { return i.param.name; });

// Once bytes went out, the pause before closing stays: the plotter may still be drawing them.
TEST_F(SerialSend, StopAfterBytesStillPausesBeforeClosing) {
    Configure();
    WritePlugInFiles(home, "", SamplePlotBody(60000));
    const auto pause = std::chrono::milliseconds(300);
    run.sender.setShutdownWaits(pause, std::chrono::milliseconds(200));
    run.sender.awakeFromNib();
    run.Tick();
    ASSERT_GT(run.sender.sentBytes(), 0);
    const auto start = std::chrono::steady_clock::now();
    Outlet<QPushButton>("prserPBtnStopData")->click();
    EXPECT_GE(std::chrono::steady_clock::now() - start, pause);
    EXPECT_EQ(run.exitCode, 1);
}

// A stale plot that could not be written over is replaced, and only the new one goes out.
TEST_F(SerialSend, LeftoverOutputIsReplacedByTheNewPlot) {
    Configure();
    WritePlugInFiles(home, "", "PA5,5;");
    const std::string output = home.productFolder() + "/Trazen.tmp";
    ASSERT_EQ(symlink((home.root() + "/gone/plot").c_str(), output.c_str()), 0);
    run.sender.awakeFromNib();
    std::string received;
    for (int i = 0; i < 10 && !run.exitCode; ++i) {
        run.Tick();
        received += plotter->ReadAvailable();
    }
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(received, "\x1b.(IN;IW;PA5,5;\x1b.)");
    EXPECT_EQ(StoredCompletion(), 1);
}

}  // namespace
