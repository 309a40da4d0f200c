#pragma once
// The drag knife's settings, kept in a file of our own beside the settings file (the settings
// file's lines are fixed by the plug-in, which has no knife): key = value lines with CR LF ends,
//   knife.use = 0 or 1, knife.tool = the pen number (1 to 10),
//   knife.offset = the blade offset, knife.overcut = the overcut, both in 0.01 mm.

#include <cstdint>
#include <string>

#include "plotjob/plot_note.h"

struct KnifeSettings {
    bool use = false;
    int tool = 1;
    int offset = 25;    // 0.01 mm: 0.25 mm, a common blade's
    int overcut = 100;  // 0.01 mm
    friend bool operator==(const KnifeSettings&, const KnifeSettings&) = default;
};

inline constexpr int kKnifeToolMax = 10;       // the tool menus' ten numbers
inline constexpr int kKnifeOffsetMax = 500;    // 5 mm: beyond any drag blade
inline constexpr int kKnifeOvercutMax = 5000;  // 50 mm

enum class KnifeFileState { Absent, Loaded, Unusable };

// TRZNKnife.ini in the product folder; empty when the settings file's place is not known.
std::string KnifeFilePath();

// Reads the knife file at `path`. Absent leaves *knife at its defaults (no knife); Unusable
// (a file cut off, empty, with a line it can't read or a value out of range) says why in
// *problem and leaves *knife at its defaults as well.
KnifeFileState LoadKnifeFile(const std::string& path, KnifeSettings* knife, Note* problem);

// The file's text for `knife`.
std::string FormatKnifeFile(const KnifeSettings& knife);

// Replaces the file whole (or not at all: the old one stays); false with the reason in *error.
bool SaveKnifeFile(const std::string& path, const KnifeSettings& knife, std::string* error);
