#include "sender/line_drain.h"

#include <sys/ioctl.h>
#include <termios.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/serial_line.h"
#include "platform/serial_speed.h"

namespace {

// The window is served at least this often while the line holds bytes.
constexpr auto kLongestSlice = std::chrono::microseconds(20000);
// Below this a sleep costs more in wake-ups than it saves in line time.
constexpr auto kShortestSlice = std::chrono::microseconds(200);

// Bytes the driver still holds for sending, or -1 when it can't say.
int Queued(int fd) {
    int queued = 0;
    for (;;) {
        if (ioctl(fd, TIOCOUTQ, &queued) == 0) return std::max(queued, 0);
        if (errno != EINTR) return -1;
    }
}

}  // namespace

bool DrainServing(int fd, const std::function<void()>& serve,
                  const std::function<bool()>& abandon) {
    int queued = Queued(fd);
    if (queued < 0) return DrainLine(fd);
    if (queued > 0) {
        // A character is about ten bit times (start, 8 data, stop; more with parity or two
        // stop bits): sleeping that long per queued byte wakes just before the queue empties,
        // and a line speed the kernel won't tell is taken as the fastest, which only wakes early.
        uint32_t speed = ReadLineSpeed(fd);
        if (speed == 0) speed = 57600;
        const double perByteUs = 10.0 * 1e6 / speed;
        while (queued > 0) {
            serve();
            if (abandon()) return false;
            const auto wait = std::chrono::microseconds(static_cast<long long>(queued * perByteUs));
            std::this_thread::sleep_for(std::clamp<std::chrono::microseconds>(
                wait, kShortestSlice, kLongestSlice));
            queued = Queued(fd);
            if (queued < 0) break;
        }
    }
    // The queue count leaves out the last characters in the port's own FIFO; tcdrain waits
    // for those, so the tick still returns only when everything has left the port.
    return DrainLine(fd);
}
