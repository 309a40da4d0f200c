#pragma once
// The temporary folder of one trzn-plot run: what the drawing is read into (the plot bodies,
// ghostscript's copy of a PostScript file and its page PDF) lives in it and nowhere else. A lock
// file inside, held for as long as the run lives, tells a live folder from one left by a run
// that was killed outright; the next start removes those, so a copy of a user's drawing never
// outlives the run that made it by more than that.

#include <optional>
#include <string>

#include "plotjob/plot_note.h"

class TempFolder {
public:
    // Makes TEMP/trzn-plot-XXXXXX (only the user may enter it) and locks it. Nothing, with the
    // reason in *error, when it can't be made.
    static std::optional<TempFolder> Make(const std::string& tempPath, Note* error);
    TempFolder(TempFolder&& other) noexcept;
    TempFolder& operator=(TempFolder&&) = delete;
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();  // removes the folder with everything in it

    const std::string& path() const { return _path; }

private:
    TempFolder(std::string path, int lockFd) : _path(std::move(path)), _lockFd(lockFd) {}
    std::string _path;
    int _lockFd = -1;
};

// Removes the trzn-plot-* folders in `tempPath` that belong to this user and that no live run
// holds: those whose lock file can be locked, and those without one (a run killed before it
// took its lock, or a version before the lock) older than a minute. Returns how many went.
int RemoveStaleTempFolders(const std::string& tempPath);

// Removes `path` and everything below it without following links. Safe in a signal handler: no
// allocation, only system calls. A file that appears meanwhile (a process being killed may
// still finish a write) is caught by a few retries.
bool RemoveTree(const char* path);
