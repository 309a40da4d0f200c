#pragma once
// The settings store: the main settings file and the preset files, key = value lines in
// Shift-JIS with CR LF ends. The drawing program's plug-in reads the same file, so the line
// formats and their order are fixed byte for byte.

#include <string>
#include <string_view>

#include "plotjob/product_folder.h"
#include "settings/records.h"

// The sender writes two extra lines (pIdleProc, pFileName) in the print block; the
// configuration window does not. Either loader reads either file.
enum class PrintLines { Config, Sender };

// Clears the records, then loads them from the main settings file (preset == nullptr) or from
// the preset file of that name. refCon, presetName (256 bytes) and stat are cleared and loaded
// when given; when null their keys are ignored. Returns false when no file could be read (the
// records are then in the cleared state).
bool GetPrefarence(const char* preset, THPrint print, THPrPaper paper, THPrConfig config,
                   THSrConfig serial, THRefCon refCon = nullptr, char* presetName = nullptr,
                   tPldStatRes* stat = nullptr);

// Writes the records to the file that preset selects. The file is replaced whole (temporary
// file and rename), so a reader sees the old or the new content, never a part. Returns false
// when nothing was written; the previous file is then left as it was. The main settings file
// is written under the settings lock (settings_lock.h).
bool SetPrefarence(const char* preset, THPrint print, THPrPaper paper, THPrConfig config,
                   THSrConfig serial, THRefCon refCon = nullptr, const char* presetName = nullptr,
                   const tPldStatRes* stat = nullptr, PrintLines lines = PrintLines::Config);

// The main settings file (preset == nullptr) as a whole: the four blocks, the completion status,
// the preset name and the status record, through GetPrefarence and SetPrefarence. A preset file
// holds the four blocks only: loading one leaves the rest of *records as it was, and saving one
// writes no status, name or status record.
bool LoadSettings(RecordSet* records, const char* preset = nullptr);
bool SaveSettings(const RecordSet& records, const char* preset = nullptr,
                  PrintLines lines = PrintLines::Config);

// Parses settings-file bytes into the records (already cleared by the caller as GetPrefarence
// does). Any byte sequence is accepted. Exposed for the fuzz target and tests.
void LoadPrefarenceBytes(const char* data, size_t size, THPrint print, THPrPaper paper,
                         THPrConfig config, THSrConfig serial, THRefCon refCon, char* presetName,
                         tPldStatRes* stat);

// Formats the records as the settings file holds them.
std::string FormatPrefarence(THPrint print, THPrPaper paper, THPrConfig config, THSrConfig serial,
                             THRefCon refCon, const char* presetName, const tPldStatRes* stat,
                             PrintLines lines);

// Replaces the file at path with text whole (temporary beside it, renamed over it; a link is
// written through). False when nothing was written; the previous file then stays as it was.
bool WriteSettingsFile(const std::string& path, const std::string& text);

// Why the last failed write (or ReadSettingsFile) of this thread failed, in the system's words
// ("No space left on device"); empty after a write that succeeded.
std::string SettingsWriteError();

enum class SettingsRead { Read, Missing, Failed };
// The file's bytes as they are. Missing: there is no such file (a dangling link is not
// missing: it can't be read). Failed: SettingsWriteError() says why.
SettingsRead ReadSettingsFile(const std::string& path, std::string* bytes);

// The key the loader finds on one line of a settings file (no line end in it): empty for a
// blank line or a comment.
std::string SettingsLineKey(std::string_view line);

// Path of the main settings file (preset == nullptr) or of a preset file; empty on failure or
// when the path would not fit in 511 bytes.
std::string SettingsFilePath(const char* preset);
