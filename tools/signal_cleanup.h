#pragma once
// SIGTERM, SIGHUP or SIGINT while trzn-plot holds its temporary folder: the reading process
// and its ghostscript are ended and the folder removed, then trzn-plot ends of the signal as it
// would have without this. Ctrl-C reaches trzn-plot alone (the reading process leads a process
// group of its own), so this is also what a terminal's interrupt does.

#include <signal.h>
#include <sys/types.h>

#include <string>

class CleanupOnSignal {
public:
    explicit CleanupOnSignal(const std::string& folder);
    ~CleanupOnSignal();  // the actions that were there before come back
    CleanupOnSignal(const CleanupOnSignal&) = delete;
    CleanupOnSignal& operator=(const CleanupOnSignal&) = delete;

    // The process group of the reading process while it runs; 0 once it has been waited for.
    static void SetReadingGroup(pid_t group);

private:
    struct sigaction _old[3];
};
