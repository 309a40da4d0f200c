#pragma once
// The main settings file as trzn-plot reads it before a plot, and the completion status it
// stores for a sender that was killed before it could.

#include <string>

#include "settings/records.h"

enum class SettingsState { Loaded, Missing, Unreadable };

// The main settings file loaded as the sender loads it. Missing when there is none: the
// destination was never set up, and the records are cleared. Unreadable (the reason in
// *reason) when it is there but can't be read: the sender would then plot to whatever port
// comes first.
SettingsState LoadPlotSettings(RecordSet* records, std::string* reason);

enum class KilledStatus { Written, Unchanged, Failed };

// Marks the completion status in the main settings file as not done (2) for a sender that was
// killed before it could store its outcome, exactly as the sender stores it: every other byte
// stays. Unchanged when it already says 2; Failed when the file can't be read or written.
KilledStatus StoreKilledSenderStatus();
