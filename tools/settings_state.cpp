#include "tools/settings_state.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "settings/completion_status.h"
#include "settings/store.h"

SettingsState LoadPlotSettings(RecordSet* records, std::string* reason) {
    const std::string path = SettingsFilePath(nullptr);
    struct stat st {};
    if (path.empty() || (stat(path.c_str(), &st) != 0 && errno == ENOENT)) {
        ClearRecords(records->print.get(), records->paper.get(), records->config.get(),
                     records->serial.get());
        return SettingsState::Missing;
    }
    if (!LoadSettings(records)) {
        *reason = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : std::strerror(errno);
        return SettingsState::Unreadable;
    }
    return SettingsState::Loaded;
}

KilledStatus StoreKilledSenderStatus() {
    RecordSet r;
    if (!LoadSettings(&r)) {
        // Nothing readable: writing now would replace the settings with cleared records.
        return KilledStatus::Failed;
    }
    const auto cancelled = static_cast<int64_t>(Completion::Cancelled);
    if (*r.refCon == cancelled) return KilledStatus::Unchanged;
    // Only the status line: the window may have saved other settings since the sender started.
    return StoreCompletionStatus(Completion::Cancelled, PrintLines::Sender) ? KilledStatus::Written
                                                                            : KilledStatus::Failed;
}
