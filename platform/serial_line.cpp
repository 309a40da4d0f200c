#include "platform/serial_line.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "platform/serial_speed.h"

namespace {

// kBaudRates as termios constants; 28800 has none on Linux (0 here, set through BOTHER).
constexpr speed_t kBaudConstants[9] = {B300, B1200, B2400, B4800, B9600, B19200, 0, B38400, B57600};

// The speed the record asks for when it has no Bxxx constant, else 0.
uint32_t CustomSpeedOf(const termios& t) {
    return (t.c_cflag & CBAUD) == kCustomSpeedCode ? static_cast<uint32_t>(t.c_ospeed) : 0;
}

}  // namespace

termios BuildLineSettings(int16_t baud, int16_t data, int16_t stop, int16_t parity,
                          int16_t flctrl) {
    termios t{};
    cfmakeraw(&t);
    if (baud >= 0 && baud <= 8) {
        if (kBaudConstants[baud] != 0) {
            cfsetspeed(&t, kBaudConstants[baud]);
        } else {
            // glibc's cfsetspeed refuses speeds without a constant; record the wish in the
            // kernel's own form, OpenSerialLine applies it through termios2.
            t.c_cflag = (t.c_cflag & ~CBAUD) | kCustomSpeedCode;
            t.c_ispeed = t.c_ospeed = static_cast<speed_t>(kBaudRates[baud]);
        }
    }
    // The control flags are replaced wholesale, except the speed: on Linux it lives in c_cflag,
    // and dropping it would ask for B0, which hangs the line up instead of setting a speed.
    tcflag_t c = (t.c_cflag & CBAUD) | CREAD | CLOCAL;
    if (data == 0) c |= CS7;
    else if (data == 1) c |= CS8;
    if (stop == 2) c |= CSTOPB;
    if (parity == 1) c |= PARENB | PARODD;
    else if (parity == 2) c |= PARENB;
    if (flctrl == 1) {
        t.c_iflag |= IXON | IXOFF;
        t.c_cc[VSTART] = 0x11;
        t.c_cc[VSTOP] = 0x13;
    } else if (flctrl == 2) {
        c |= CRTSCTS;
    }
    t.c_cflag = c;
    return t;
}

LineOpen OpenSerialLine(const std::string& path, const termios& settings) {
    LineOpen result;
    const int fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    auto fail = [&]() {
        result.error = errno;
        close(fd);
        return result;
    };
    // A path that is no terminal (a plain file, a folder) fails here with ENOTTY.
    if (tcflush(fd, TCIFLUSH) != 0) return fail();
    if (tcsetattr(fd, TCSANOW, &settings) != 0) return fail();
    if (const uint32_t custom = CustomSpeedOf(settings); custom != 0) {
        if (!SetCustomLineSpeed(fd, custom)) return fail();
    }
    int bits = 0;
    if (ioctl(fd, TIOCMGET, &bits) == 0) {
        bits |= TIOCM_DTR;
        if (ioctl(fd, TIOCMSET, &bits) != 0 && errno != ENOTTY && errno != EINVAL) return fail();
    } else if (errno != ENOTTY && errno != EINVAL) {
        // ENOTTY/EINVAL: a line without modem control (a pty, some adapters), usable as it is.
        return fail();
    }
    result.fd = fd;
    return result;
}

ssize_t WriteSome(int fd, const void* data, size_t size) {
    if (size == 0) return 0;
    for (;;) {
        const ssize_t n = write(fd, data, size);
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
        return -1;
    }
}

bool DrainLine(int fd) {
    for (;;) {
        if (tcdrain(fd) == 0) return true;
        if (errno != EINTR) return false;
    }
}

bool WaitWritable(int fd, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{fd, POLLOUT, 0};
        const int rc = poll(&p, 1, left.count() < 0 ? 0 : static_cast<int>(left.count()));
        if (rc > 0) return (p.revents & POLLOUT) && !(p.revents & (POLLERR | POLLNVAL));
        if (rc == 0) return false;
        if (errno != EINTR) return false;
    }
}

void CloseSerialLine(int fd) {
    if (fd >= 0) close(fd);
}
