#pragma once
// The framed plot: what the plug-in left in the product folder (header lines and plot body),
// wrapped in the plotter-on, initialise, input-window and plotter-off instructions.

#include <string>

inline constexpr const char* kHeaderFileName = "/Trazen Sender Prefs";
inline constexpr const char* kBodyFileName = "/Trazen Prefs";
inline constexpr const char* kOutputFileName = "/Trazen.tmp";

// Builds folder + "/Trazen.tmp" from the two plug-in files in folder. Failures are silent: the
// output then holds whatever could be written (see the definition for which parts).
void CreateSerPltFile(const std::string& folder);

// Makes sure the file exists without touching its contents.
void CreateNewFile(const std::string& path);

// The BRC value of the header lines (the input window), or empty when there is none.
// Exposed for tests; CreateSerPltFile uses it.
std::string ScanBrcValue(int fd);
