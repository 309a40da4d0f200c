#pragma once
// A plot started from the file manager or Inkscape before anything is set up: the
// configuration window opens, saying why, and the plot goes on once the user has pressed OK
// there (completion status 1). Cancel, or a window closed any other way, plots nothing.

#include <QString>
#include <optional>

// `missing` says what is not set up, `file` the plot that waits. Opens the window and waits for
// it; nothing when the user pressed OK (the settings are to be loaded again), else the exit
// status, the reason said.
std::optional<int> SetUpBeforePlotting(const QString& missing, const QString& file);
