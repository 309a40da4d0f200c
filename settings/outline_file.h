#pragma once
// Which outlines a drawing's plot holds, kept in a file of its own beside the settings file:
// the settings file's lines are fixed by the plug-in, and the knife file holds the knife alone
// (a key of another kind there would make its older readers refuse the knife). One key = value
// line with a CR LF end, read by the settings files' rules:
//   outlines.every = 0 (what the drawing shows: hidden lines and the paper's white left out)
//                  or 1 (every outline, white ones too).

#include <string>

#include "plotjob/plot_note.h"

enum class OutlineFileState { Absent, Loaded, Unusable };

// TRZNOutlines.ini in the product folder; empty when that folder can't be found.
std::string OutlineFilePath();

// Reads the file at `path` into *everyOutline. Absent leaves it false (the default); Unusable
// (a file that can't be read, too long, without the key, with another line or value) says why in
// *problem and leaves it false as well.
OutlineFileState LoadOutlineFile(const std::string& path, bool* everyOutline, Note* problem);

std::string FormatOutlineFile(bool everyOutline);

// Replaces the file whole (or not at all: the old one stays); false with the reason in *error.
bool SaveOutlineFile(const std::string& path, bool everyOutline, std::string* error);
