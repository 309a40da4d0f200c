#pragma once
// The serial line to the plotter: raw termios, non-blocking writes.

#include <termios.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

// Indexed by THSrConfig.baud.
inline constexpr int kBaudRates[9] = {300, 1200, 2400, 4800, 9600, 19200, 28800, 38400, 57600};

// THSrConfig.flctrl: the line runs without flow control of its own, and the sender paces itself
// by the room the plotter reports in its buffer. Elsewhere a code other than 1 and 2 means none.
inline constexpr int16_t kFlowPlotterBuffer = 3;

// The termios record the sender applies: cfmakeraw on a zeroed record, speed from the table
// (left zero outside 0..8), c_cflag replaced by CREAD|CLOCAL plus data/stop/parity/flow.
termios BuildLineSettings(int16_t baud, int16_t data, int16_t stop, int16_t parity,
                          int16_t flctrl);

struct LineOpen {
    int fd = -1;  // -1 when the open failed
    int error = 0;  // errno of the failing step
};
// Opens read-write, non-blocking, flushes input (TCIFLUSH), applies settings (TCSANOW), raises
// DTR. A device without modem lines (a pty) keeps the line open.
LineOpen OpenSerialLine(const std::string& path, const termios& settings);

// One write: retries EINTR, returns the bytes accepted (0 when the line is full, EAGAIN), or -1
// with errno set on a real failure.
ssize_t WriteSome(int fd, const void* data, size_t size);

bool DrainLine(int fd);                         // tcdrain
bool WaitWritable(int fd, int timeoutMs);       // select for writing
void CloseSerialLine(int fd);
