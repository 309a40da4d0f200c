#include <gtest/gtest.h>

#include <fcntl.h>
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
#include <string>
#include <vector>

#include "platform/ports.h"
#include "tests/sender/sender_fixture.h"

namespace {

class SerialSend : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plotter->ok());
        const std::string slave = plotter->slavePath();
        SetSerialDeviceSource([slave] { return std::vector<std::string>{slave}; });
    }
    void TearDown() override { SetSerialDeviceSource({}); }

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
    std::string Output() { return ReadFileBytes(home.productFolder() + "/Trazen.tmp"); }

    TempHome home;
    std::unique_ptr<PtyPlotter> plotter = std::make_unique<PtyPlotter>();
    SenderUnderTest run;
};

TEST_F(SerialSend, FramedPlotArrivesSegmentBySegmentAndCompletes) {
    Configure(2);  // left from a stopped run
    WritePlugInFiles(home, "NAME:test\r\nBRC:0,0,10,10\r\n", "PA0,0;PD100,100;");
    run.sender.awakeFromNib();
    EXPECT_EQ(StoredCompletion(), 0);
    EXPECT_EQ(run.sender.destinationCode(), 0);
    EXPECT_EQ(Outlet<QLineEdit>("prserTextSendMsg1")->text().toStdString(), plotter->slavePath());
    EXPECT_TRUE(Outlet<QLabel>("prserLabelDest")->text().contains(
        QString::fromStdString(plotter->slavePath())));

    const std::vector<std::string> expected = {"\x1b.(IN;", "IW;IW0,0,10,10;", "PA0,0;PD100,100;",
                                               "\x1b.)"};
    for (const std::string& tick : expected) {
        run.sender.firedByTimer();
        EXPECT_EQ(plotter->ReadAvailable(), tick);
        EXPECT_FALSE(run.exitCode.has_value());
    }
    EXPECT_EQ(Outlet<QProgressBar>("prserPrBrSendData")->value(), 100);
    EXPECT_EQ(Outlet<QLineEdit>("prserTextSendMsg2")->text(), QString(" .)"));
    run.sender.firedByTimer();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(StoredCompletion(), 1);
}

TEST_F(SerialSend, LineSettingsAreApplied) {
    Configure();
    WritePlugInFiles(home, "", "PA;");
    struct stat before {}, after {};
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

TEST_F(SerialSend, StopMidTransferSendsNoMore) {
    Configure();
    WritePlugInFiles(home, "", SamplePlotBody(5000));
    run.sender.awakeFromNib();
    for (int i = 0; i < 3; ++i) run.sender.firedByTimer();
    std::string received = plotter->ReadAvailable();
    Outlet<QPushButton>("prserPBtnStopData")->click();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(StoredCompletion(), 2);
    run.sender.firedByTimer();  // a tick already queued when Stop came
    received += plotter->ReadAvailable();
    EXPECT_EQ(received, Output().substr(0, received.size()));
    EXPECT_LE(received.size(), 3u * 160u);
}

struct BrokenLineCase {
    const char* name;
    bool openFails;
};

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
    WritePlugInFiles(home, "", SamplePlotBody(3000));
    run.sender.awakeFromNib();
    if (!GetParam().openFails) {
        run.sender.firedByTimer();
        plotter.reset();  // the cable comes out
        for (int i = 0; i < 3; ++i) run.sender.firedByTimer();
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
    WritePlugInFiles(home, "", SamplePlotBody(5000));
    run.sender.awakeFromNib();
    run.sender.firedByTimer();
    EXPECT_FALSE(run.sender.panel()->close());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(StoredCompletion(), 2);
}

}  // namespace
