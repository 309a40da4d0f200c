#pragma once
// The plot slot: the product folder's two input files and the framed plot belong to one plot at
// a time. Whoever holds the exclusive flock on "<product folder>/.plot.lock" owns them.
// trzn-plot takes it before writing the inputs and hands its descriptor down to the sender
// (`--lock-fd N`), so the slot stays taken while the sender works even if trzn-plot is killed;
// a sender started by the plug-in takes it itself.

#include <string>

enum class SlotState {
    Held,         // *fd holds the lock until closed
    Busy,         // another plot holds it; try again later
    Unavailable,  // no lock file can be opened (a read-only folder): go on without one
};

// inheritedFd: a descriptor handed down by the caller, or -1. It counts only when it is this
// folder's lock file; otherwise the lock is taken anew.
SlotState TakePlotSlot(const std::string& productFolder, int inheritedFd, int* fd);
