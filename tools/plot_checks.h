#pragma once
// What is checked before anything is plotted: the file, the input window given for it, and a
// display to start the sender on.

#include <optional>
#include <string>

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
