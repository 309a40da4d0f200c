#pragma once
// Plotting an HP-GL file from the desktop: the file becomes the plot body in the product folder,
// the sender is started and waited for. The two input files and the sender's output file are one
// slot, so a job holds an exclusive lock on the product folder for as long as it uses them.

#include <optional>
#include <string>
#include <vector>

struct PlotRequest {
    std::string file;  // the HP-GL file to plot
    std::string brc;   // input window for the header lines ("x1,y1,x2,y2"); empty: none
    bool wait = true;  // wait for a plot being sent, or refuse at once
};

enum class PlotOutcome {
    Delivered = 0,
    SenderFailed = 1,  // stopped by the user or failed: the sender's own exit status says which
    BadInput = 2,      // missing, empty or unreadable file; bad options
    Busy = 3,          // another plot holds the slot and wait was not asked for
    NoFolder = 4,      // the product folder can't be found or written
    NoSender = 5,      // TRZNSerSend can't be found or started
};

// Plain-words reason why a file can't be plotted, or nothing when it can.
std::optional<std::string> CheckPlotFile(const std::string& path);

// The slot lock: held from creation until destruction. Empty when busy (and !wait) or on error.
class PlotSlot {
public:
    static std::optional<PlotSlot> Acquire(const std::string& productFolder, bool wait,
                                           bool* busy);
    PlotSlot(PlotSlot&& other) noexcept;
    PlotSlot& operator=(PlotSlot&& other) noexcept;
    PlotSlot(const PlotSlot&) = delete;
    PlotSlot& operator=(const PlotSlot&) = delete;
    ~PlotSlot();

private:
    explicit PlotSlot(int fd) : fd_(fd) {}
    int fd_ = -1;
};

// Writes "Trazen Prefs" (the plot body, the file's bytes unchanged) and "Trazen Sender Prefs"
// (a "BRC:" line when brc is set, else empty) into the product folder, each replaced whole.
bool WritePlotInputs(const std::string& productFolder, const std::string& file,
                     const std::string& brc, std::string* error);

// TRZNSerSend beside this program, in the build tree's sender folder, or on PATH.
std::string FindSender(const std::string& selfDir);

// Runs the sender and waits; returns its exit status, or -1 when it could not be started.
int RunSender(const std::string& senderPath, const std::vector<std::string>& args);
