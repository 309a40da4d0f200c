#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

#include "platform/serial_line.h"
#include "platform/serial_speed.h"
#include "tests/support/temp_home.h"

namespace {

using Clock = std::chrono::steady_clock;

// A pseudo-terminal standing in for the plotter: the test reads the master, the code under
// test opens the slave by path like a serial device.
class Pty {
public:
    Pty() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            slave_ = ptsname(master_);
    }
    ~Pty() { CloseMaster(); }
    bool ok() const { return !slave_.empty(); }
    const std::string& slave() const { return slave_; }
    void CloseMaster() {
        if (master_ >= 0) close(master_);
        master_ = -1;
    }
    // Reads until `want` bytes arrived or the deadline passed.
    std::string Read(size_t want, std::chrono::milliseconds within = std::chrono::seconds(5)) {
        std::string got;
        const auto deadline = Clock::now() + within;
        while (got.size() < want && Clock::now() < deadline) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0) continue;
            char buf[4096];
            const ssize_t n = read(master_, buf, sizeof buf);
            if (n > 0) got.append(buf, static_cast<size_t>(n));
        }
        return got;
    }

private:
    int master_ = -1;
    std::string slave_;
};

// Opens the pty slave with the given line settings; the descriptor is closed afterwards.
struct OpenLine {
    OpenLine(const std::string& path, const termios& t) : line(OpenSerialLine(path, t)) {}
    ~OpenLine() { CloseSerialLine(line.fd); }
    LineOpen line;
};

}  // namespace

TEST(BuildLineSettings, FlagsFromTheSettingCodes) {
    struct Row {
        const char* name;
        int16_t baud, data, stop, parity, flctrl;
        speed_t speed;
        tcflag_t csize;
        bool cstopb, parenb, parodd, crtscts, xonxoff;
    } rows[] = {
        {"b9600_8n1_none", 4, 1, 1, 0, 0, B9600, CS8, false, false, false, false, false},
        {"b300_7o2_xon", 0, 0, 2, 1, 1, B300, CS7, true, true, true, false, true},
        {"b57600_8e2_rtscts", 8, 1, 2, 2, 2, B57600, CS8, true, true, false, true, false},
        {"b1200_other_data_is_5bits", 1, 5, 0, 3, 3, B1200, CS5, false, false, false, false, false},
        {"b38400", 7, 1, 1, 0, 0, B38400, CS8, false, false, false, false, false},
        {"baud9_leaves_zero", 9, 1, 1, 0, 0, B0, CS8, false, false, false, false, false},
        {"baud_minus1_leaves_zero", -1, 1, 1, 0, 0, B0, CS8, false, false, false, false, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const termios t = BuildLineSettings(r.baud, r.data, r.stop, r.parity, r.flctrl);
        EXPECT_EQ(cfgetospeed(&t), r.speed);
        EXPECT_EQ(cfgetispeed(&t), r.speed);
        EXPECT_EQ(t.c_cflag & CSIZE, r.csize);
        EXPECT_TRUE(t.c_cflag & CREAD);
        EXPECT_TRUE(t.c_cflag & CLOCAL);
        EXPECT_EQ(bool(t.c_cflag & CSTOPB), r.cstopb);
        EXPECT_EQ(bool(t.c_cflag & PARENB), r.parenb);
        EXPECT_EQ(bool(t.c_cflag & PARODD), r.parodd);
        EXPECT_EQ(bool(t.c_cflag & CRTSCTS), r.crtscts);
        EXPECT_EQ(bool(t.c_iflag & IXON), r.xonxoff);
        EXPECT_EQ(bool(t.c_iflag & IXOFF), r.xonxoff);
        if (r.xonxoff) {
            EXPECT_EQ(t.c_cc[VSTART], 0x11);
            EXPECT_EQ(t.c_cc[VSTOP], 0x13);
        }
        // Raw: no echo, no canonical input, no output processing, no HUPCL.
        EXPECT_FALSE(t.c_lflag & (ECHO | ICANON | ISIG));
        EXPECT_FALSE(t.c_oflag & OPOST);
        EXPECT_FALSE(t.c_cflag & HUPCL);
    }
}

TEST(BuildLineSettings, SpeedWithoutConstantIsCarriedForTheKernel) {
    const termios t = BuildLineSettings(6, 1, 1, 0, 0);
    EXPECT_EQ(t.c_cflag & CBAUD, kCustomSpeedCode);
    EXPECT_EQ(t.c_ospeed, 28800u);
    EXPECT_EQ(t.c_ispeed, 28800u);
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
}

TEST(OpenSerialLine, SettingsReadBackFromAPty) {
    struct Row {
        const char* name;
        int16_t baud, data, stop, flctrl;
        uint32_t bps;
    } rows[] = {
        {"9600_8_1_rtscts", 4, 1, 2, 2, 9600},
        {"300_7_1_xonxoff", 0, 0, 1, 1, 300},
        {"28800_8_1_none", 6, 1, 1, 0, 28800},
        {"57600_8_2_none", 8, 1, 2, 0, 57600},
        {"38400_8_1_plotter_buffer_leaves_the_line_free", 7, 1, 1, kFlowPlotterBuffer, 38400},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Pty pty;
        ASSERT_TRUE(pty.ok());
        OpenLine open(pty.slave(), BuildLineSettings(r.baud, r.data, r.stop, 0, r.flctrl));
        ASSERT_GE(open.line.fd, 0) << strerror(open.line.error);
        termios back{};
        ASSERT_EQ(tcgetattr(open.line.fd, &back), 0);
        EXPECT_EQ(ReadLineSpeed(open.line.fd), r.bps);
        // Recent kernels force a pty to CS8 (as they drop parity); CS7 is checked on the
        // record BuildLineSettings makes.
        if (r.data == 1) EXPECT_EQ(back.c_cflag & CSIZE, tcflag_t(CS8));
        EXPECT_EQ(bool(back.c_cflag & CSTOPB), r.stop == 2);
        EXPECT_EQ(bool(back.c_cflag & CRTSCTS), r.flctrl == 2);
        EXPECT_EQ(bool(back.c_iflag & IXON), r.flctrl == 1);
        EXPECT_EQ(bool(back.c_iflag & IXOFF), r.flctrl == 1);
        EXPECT_FALSE(back.c_lflag & ECHO);
        EXPECT_NE(fcntl(open.line.fd, F_GETFL) & O_NONBLOCK, 0);
    }
}

TEST(OpenSerialLine, FailuresReportTheCause) {
    TempHome home;
    const std::string plain = home.scratch("x") + "/not-a-tty";
    WriteFileBytes(plain, "x");
    struct Row {
        const char* name;
        std::string path;
        int error;
    } rows[] = {
        {"missing_device", home.root() + "/dev/ttyUSB9", ENOENT},
        {"plain_file", plain, ENOTTY},
        {"folder", home.root(), EISDIR},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const LineOpen l = OpenSerialLine(r.path, BuildLineSettings(4, 1, 1, 0, 0));
        EXPECT_EQ(l.fd, -1);
        EXPECT_EQ(l.error, r.error);
    }
}

TEST(SerialLine, BytesArriveInOrder) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    OpenLine open(pty.slave(), BuildLineSettings(4, 1, 1, 0, 0));
    ASSERT_GE(open.line.fd, 0);
    // Raw mode: LF must not become CR LF, and the bytes past 0x7F pass unchanged.
    const std::string plot = "\x1b.(IN;IW;\nPA0,0;PD100,100;\x03\xff\x80";
    ASSERT_EQ(WriteSome(open.line.fd, plot.data(), plot.size()), ssize_t(plot.size()));
    EXPECT_TRUE(DrainLine(open.line.fd));
    EXPECT_EQ(pty.Read(plot.size()), plot);
    EXPECT_EQ(WriteSome(open.line.fd, plot.data(), 0), 0);
}

TEST(SerialLine, FullLineGivesPartialWritesAndRoomComesBack) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    OpenLine open(pty.slave(), BuildLineSettings(8, 1, 1, 0, 0));
    ASSERT_GE(open.line.fd, 0);
    const int fd = open.line.fd;
    EXPECT_TRUE(WaitWritable(fd, 1000));

    // Nobody reads: the line must fill up and say so with short writes, never block.
    const std::string chunk(1000, 'A');
    size_t accepted = 0;
    bool sawShort = false;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!sawShort && Clock::now() < deadline) {
        const ssize_t n = WriteSome(fd, chunk.data(), chunk.size());
        ASSERT_GE(n, 0) << strerror(errno);
        accepted += static_cast<size_t>(n);
        sawShort = static_cast<size_t>(n) < chunk.size();
    }
    ASSERT_TRUE(sawShort) << "line never filled up";
    // Fill it to the brim (room trickles back as the kernel moves data to the master, so
    // neither a zero write nor poll's answer is stable enough to assert on).
    for (ssize_t n = 1; n > 0 && Clock::now() < deadline;) {
        n = WriteSome(fd, chunk.data(), chunk.size());
        accepted += static_cast<size_t>(n > 0 ? n : 0);
    }

    // The plotter reads: room comes back.
    const std::string got = pty.Read(accepted, std::chrono::seconds(5));
    EXPECT_EQ(got, std::string(accepted, 'A'));  // everything accepted arrives
    EXPECT_TRUE(WaitWritable(fd, 2000));
    EXPECT_GT(WriteSome(fd, chunk.data(), chunk.size()), 0);
}

TEST(SerialLine, WriteFailsWithEioAfterThePeerCloses) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    OpenLine open(pty.slave(), BuildLineSettings(4, 1, 1, 0, 0));
    ASSERT_GE(open.line.fd, 0);
    pty.CloseMaster();
    errno = 0;
    EXPECT_EQ(WriteSome(open.line.fd, "PA;", 3), -1);
    EXPECT_EQ(errno, EIO);
    EXPECT_FALSE(DrainLine(open.line.fd));
    // A dead line must not make the shut-down wait its full time.
    const auto start = Clock::now();
    WaitWritable(open.line.fd, 3000);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}
