#pragma once
// Plotting an HP-GL file from the desktop: the file becomes the plot body in the product folder,
// the sender is started and waited for. The two input files and the sender's output file are one
// slot, so a job holds an exclusive lock on the product folder for as long as it uses them; the
// sender inherits that lock, so the slot stays taken while the sender lives, even when the
// command that started it is gone.

#include <QCoreApplication>
#include <optional>
#include <string>
#include <vector>

#include "plotjob/plot_slot.h"
#include "settings/records.h"

// The translation context of every text trzn-plot says itself (tools/plot_words.h).
struct TPlotWords {
    Q_DECLARE_TR_FUNCTIONS(TPlotWords)
};

enum class PlotOutcome {
    Delivered = 0,
    SenderFailed = 1,  // stopped by the user or failed: the sender's own exit status says which
    BadInput = 2,      // missing, empty or unreadable file; bad options
    Busy = 3,          // another plot holds the slot and wait was not asked for
    NoFolder = 4,      // the product folder can't be found or written
    NoSender = 5,      // TRZNSerSend can't be found or started (no display to start it on)
    Unconfigured = 6,  // no destination was ever set up, or the settings can't be read
};

// Plain-words reason why a file can't be plotted, or nothing when it can. The path is taken
// as the bytes given: names need not be UTF-8.
std::optional<std::string> CheckPlotFile(const std::string& path);

// Plain-words reason why an input window can't be used, or nothing when it can: four integers
// separated by commas, each within the plotter's coordinate range. The value goes verbatim into
// the framed plot's IW instruction, so anything else would become plotter instructions.
std::optional<std::string> CheckInputWindow(const std::string& brc);

// True when a program with windows can be started here: the Qt platform chosen (or, when none is,
// Wayland or X) has its display named, or needs none. Without one Qt aborts with a long text.
bool HasDisplay();

// The header lines for an HP-GL plot: a "BRC:" line when brc is set, else none.
std::string InputWindowHeader(const std::string& brc);

// Writes the header lines (as given) and the plot body (the file's bytes unchanged) into the
// product folder, each replaced whole. Nothing on success; else BadInput when the file can't be
// read, NoFolder when the product folder can't be written, with the reason in *error.
std::optional<PlotOutcome> WritePlotInputs(const std::string& productFolder,
                                           const std::string& file, const std::string& headerLines,
                                           std::string* error);

// The program `name` beside this program, in the build tree's folder `buildFolder`, or on PATH.
std::string FindProgram(const std::string& selfDir, const std::string& name,
                        const std::string& buildFolder);

enum class SettingsState { Loaded, Missing, Unreadable };

// The main settings file loaded as the sender loads it. Missing when there is none: the
// destination was never set up, and the records are cleared. Unreadable (the reason in
// *reason) when it is there but can't be read: the sender would then plot to whatever port
// comes first.
SettingsState LoadPlotSettings(RecordSet* records, std::string* reason);

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

enum class KilledStatus { Written, Unchanged, Failed };

// Marks the completion status in the main settings file as not done (2) for a sender that was
// killed before it could store its outcome, exactly as the sender stores it: every other byte
// stays. Unchanged when it already says 2; Failed when the file can't be read or written.
KilledStatus StoreKilledSenderStatus();

// The command-line argument that Qt decoded to `decoded`, as the raw bytes given: a file name
// that isn't UTF-8 does not survive decoding. The last match wins, skipping values of the
// options named in valueOptions; falls back to the decoded text as UTF-8.
std::string RawArgument(const std::vector<std::string>& rawArgs, const std::string& decoded,
                        const std::vector<std::string>& valueOptions);
