#pragma once
// Plotting an HP-GL file from the desktop: the file becomes the plot body in the product folder,
// the sender is started and waited for. The two input files and the sender's output file are one
// slot, so a job holds an exclusive lock on the product folder for as long as it uses them; the
// sender inherits that lock, so the slot stays taken while the sender lives, even when the
// command that started it is gone.

#include <optional>
#include <string>

#include "tools/plot_outcome.h"

// The header lines for an HP-GL plot: a "BRC:" line when brc is set, else none.
std::string InputWindowHeader(const std::string& brc);

// Writes the header lines (as given) and the plot body (the file's bytes unchanged) into the
// product folder, each replaced whole. Nothing on success; else BadInput when the file can't be
// read, NoFolder when the product folder can't be written, with the reason in *error.
std::optional<PlotOutcome> WritePlotInputs(const std::string& productFolder,
                                           const std::string& file, const std::string& headerLines,
                                           std::string* error);
