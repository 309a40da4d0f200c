#pragma once
// The sender started from trzn-plot: found beside it or on PATH, run, and waited for.

#include <string>
#include <vector>

// The program `name` beside this program, in the build tree's folder `buildFolder`, or on PATH.
std::string FindProgram(const std::string& selfDir, const std::string& name,
                        const std::string& buildFolder);

struct SenderExit {
    enum class How { NotStarted, Exited, Killed };
    How how = How::NotStarted;
    int value = 0;  // the exit status, or the signal that ended it
};

// Runs the sender and waits. lockFd (when >= 0) is inherited by the sender under the same number,
// and the sender is told so with "--lock-fd N". While it waits, an interrupt, quit or hang-up
// from the terminal is left to the sender, so that this side lives to see how it ended.
SenderExit RunSender(const std::string& senderPath, const std::vector<std::string>& args,
                     int lockFd = -1);
