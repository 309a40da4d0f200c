#pragma once
// Waiting for the serial line to empty without freezing the window: a plotter that holds the
// line with flow control can keep bytes queued for minutes.

#include <functional>

// Returns once what was written to fd has left the port, as tcdrain does. While the driver
// reports bytes still queued (TIOCOUTQ), sleeps in slices sized from the line speed (at most
// 20 ms) and calls `serve` between them. Drivers that don't report their queue get a plain
// tcdrain. Returns false when `abandon` turned true before the queue emptied (the bytes stay
// queued and still go out) or the line failed.
bool DrainServing(int fd, const std::function<void()>& serve,
                  const std::function<bool()>& abandon);
