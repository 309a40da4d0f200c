#pragma once
// The plot slot: the product folder's two input files and the framed plot belong to one plot at
// a time. Whoever holds the exclusive flock on the folder's lock file owns them. trzn-plot takes
// it before writing the inputs and hands its descriptor down to the sender (`--lock-fd N`), so
// the slot stays taken while the sender works even if trzn-plot is killed; a sender started by
// the plug-in takes it itself.

#include <optional>
#include <string>

enum class SlotState {
    Held,         // the slot is this process's until the PlotSlot is gone
    Busy,         // another plot holds it; try again later
    Unavailable,  // no lock file can be opened (a read-only folder)
};

class PlotSlot {
public:
    // Takes the slot, waiting for it when `wait`. Nothing when another plot holds it and
    // waiting was not asked for (*busy), or when no lock file can be opened.
    static std::optional<PlotSlot> Acquire(const std::string& productFolder, bool wait, bool* busy);
    // Takes the slot without waiting. inheritedFd, a descriptor handed down by the caller or
    // -1, counts only when it is this folder's lock file and holds the lock; otherwise the
    // lock is taken anew. *slot is set when Held.
    static SlotState Take(const std::string& productFolder, int inheritedFd,
                          std::optional<PlotSlot>* slot);

    PlotSlot(PlotSlot&& other) noexcept;
    PlotSlot& operator=(PlotSlot&& other) noexcept;
    PlotSlot(const PlotSlot&) = delete;
    PlotSlot& operator=(const PlotSlot&) = delete;
    ~PlotSlot();

    // The descriptor of the locked file, for handing the lock to the sender.
    int fd() const { return fd_; }

private:
    explicit PlotSlot(int fd) : fd_(fd) {}
    int fd_ = -1;
};
