#pragma once
// Presets as files: which entries of the preset folder are presets, the name a new preset is
// offered, and which typed names can become a preset file.
//
// A preset name is Shift-JIS in the records and in the main settings file; its file name is the
// UTF-8 form of the name followed by ".ini", so that the desktop shows it readably and the
// pop-up (which shows UTF-8) lists it under the same name it was saved under.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/records.h"

inline constexpr int kPresetListMax = 100;         // names listed at most
inline constexpr size_t kPresetNameBytes = 255;    // a name without its NUL, either form
inline constexpr size_t kPresetFileNameMax = 255;  // what a Linux file system takes (NAME_MAX)
inline constexpr size_t kPresetPathMax = 511;      // folder, "/", name and ".ini"

// One listed preset: its name as the pop-up shows it (UTF-8) and the file it was found as.
// The file may differ from name + ".ini" ("A.INI", "x.INI.ini"); loading and deleting use it.
struct PresetEntry {
    std::string name;
    std::string fileName;
};

// The preset name a folder entry stands for: the part before the first ".INI", or when there
// is none before the first ".ini", when that part is not empty.
std::optional<std::string> PresetNameOfFile(std::string_view fileName);

// Inserts keeping ascending byte order of the names; an equal name goes after the ones listed.
void InsertPresetEntry(std::vector<PresetEntry>& list, PresetEntry entry);

// The presets of a folder: entries in the order the file system gives them, folders skipped,
// names that don't survive the trip to Shift-JIS and back skipped (choosing one could not find
// its file again), at most kPresetListMax of them, sorted. Empty when the folder can't be read.
std::vector<PresetEntry> ListPresetFolder(const std::string& folder);

// Loads the four records from the preset file at path, clearing them first as the store does.
// For presets listed from a file the store wouldn't name ("A.INI", "x.INI.ini"). False when the
// file can't be read; the records are then cleared.
bool LoadPresetFile(const std::string& path, THPrint print, THPrPaper paper, THPrConfig config,
                    THSrConfig serial);

// Writes the four records to the preset file at path as the store writes a preset file: the
// file is replaced whole, and a link the user made is written through. For replacing a preset
// listed from a file the store wouldn't name ("A.INI"). False when nothing was written.
bool SavePresetFile(const std::string& path, THPrint print, THPrPaper paper, THPrConfig config,
                    THSrConfig serial);

// The file-name form (UTF-8) of a Shift-JIS name, or nothing when a byte doesn't convert.
std::optional<std::string> PresetFileForm(std::string_view sjis);
// The Shift-JIS form of a UTF-8 name, or nothing when a character has no Shift-JIS form or the
// result is longer than kPresetNameBytes.
std::optional<std::string> PresetSjisForm(std::string_view utf8);

// True when folder/fileName can be opened for reading and writing, the test for "exists" when
// offering and confirming names.
bool PresetFileOpens(const std::string& folder, const std::string& fileName);

// The name offered for a new preset: "UNTITLED", else "UNTITLED-1", "UNTITLED-2", ... the first
// whose file does not open.
std::string ProposePresetName(const std::string& folder);

// Why a typed name can't be a preset.
enum class PresetNameFault {
    None,
    Empty,
    DotName,        // "." or "..": the folder itself or its parent
    Separator,      // '/' would put the file outside the preset folder
    Control,        // NUL, TAB, CR, LF and the like: cut or dropped by the settings file
    Quote,          // '"' can't be kept inside the quoted preset_name value
    NotConvertible, // no UTF-8 form, or the UTF-8 form doesn't give the same name back
    Extension,      // contains ".INI" or ".ini": its file would list under a shorter name
    TooLong,        // over 255 bytes, or its file name or path too long
};

// Checks a typed name given in Shift-JIS against the preset folder it would be saved in.
PresetNameFault CheckPresetName(std::string_view sjis, const std::string& folder);
