#pragma once
// How a plot from the desktop ends: trzn-plot's exit status, which scripts and the file
// manager's actions read.

enum class PlotOutcome {
    Delivered = 0,
    SenderFailed = 1,  // stopped by the user or failed: the sender's own exit status says which
    BadInput = 2,      // missing, empty or unreadable file; bad options
    Busy = 3,          // another plot holds the slot and wait was not asked for
    NoFolder = 4,      // the product folder can't be found or written
    NoSender = 5,      // TRZNSerSend can't be found or started (no display to start it on)
    Unconfigured = 6,  // no destination was ever set up, or the settings can't be read
};
