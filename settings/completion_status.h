#pragma once
// The completion status put into the main settings file as it stands on disk. A program that
// loaded the settings long ago (a sender whose failure message stayed open while the user
// mended the settings in the configuration window) must not write its old records back to
// say how it ended: only the status line changes, every other byte stays as it is.

#include <string>
#include <string_view>

#include "settings/records.h"
#include "settings/store.h"

// The file's bytes with every line the loader reads as refine_con saying value, each keeping
// its own line end. A file without one gets the line where a whole save puts it: before
// preset_name, else before the blank line ahead of the status record, else at the end.
std::string WithCompletion(std::string_view file, int64_t value);

// Writes value as the main settings file's completion status, under the settings lock and
// atomically. With no settings file yet, the default setup is written with it (in the form
// lines gives), so that whoever waits for the status finds it and the configuration window
// still starts from the default setup. False when the file can't be read or written:
// SettingsWriteError() then says why, and the file is as it was.
bool StoreCompletionStatus(Completion value, PrintLines lines);
