#include "settings/completion_status.h"

#include <cstdio>
#include <vector>

#include "settings/default_setup.h"
#include "settings/settings_lock.h"

namespace {

constexpr std::string_view kStatusKey = "refine_con";

struct FileLine {
    size_t start;
    size_t length;  // without its line end
    std::string key;
};

// The lines as the loader takes them: CR LF, CR or LF ends one, and a NUL ends what is read.
std::vector<FileLine> Lines(std::string_view file) {
    std::vector<FileLine> lines;
    size_t pos = 0;
    while (pos < file.size()) {
        size_t end = pos;
        while (end < file.size() && file[end] != '\r' && file[end] != '\n') ++end;
        lines.push_back({pos, end - pos, SettingsLineKey(file.substr(pos, end - pos))});
        if (end < file.size() && file[end] == '\r') ++end;
        if (end < file.size() && file[end] == '\n') ++end;
        pos = end;
    }
    return lines;
}

std::string StatusLine(int64_t value) {
    // As a whole save writes it: the value's low 32 bits.
    char buf[48];
    std::snprintf(buf, sizeof buf, "refine_con = %d", static_cast<int32_t>(value));
    return buf;
}

// Where a whole save would have put the status line: offset into file.
size_t StatusPlace(std::string_view file, const std::vector<FileLine>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].key == "preset_name") return lines[i].start;
        if (lines[i].key.starts_with("tPldStatRes.")) {
            const bool blankBefore = i > 0 && lines[i - 1].length == 0;
            return blankBefore ? lines[i - 1].start : lines[i].start;
        }
    }
    return file.size();
}

}  // namespace

std::string WithCompletion(std::string_view file, int64_t value) {
    // What follows a NUL is never read: a status put there would not be either.
    const std::string_view readable = file.substr(0, file.find('\0'));
    const std::vector<FileLine> lines = Lines(readable);
    const std::string status = StatusLine(value);
    std::string out;
    out.reserve(file.size() + status.size() + 4);
    size_t copied = 0;
    for (const FileLine& line : lines) {
        if (line.key != kStatusKey) continue;
        out.append(file.substr(copied, line.start - copied));
        out += status;
        copied = line.start + line.length;
    }
    if (copied > 0) {
        out.append(file.substr(copied));
        return out;
    }
    const size_t at = StatusPlace(readable, lines);
    out.append(file.substr(0, at));
    if (at > 0 && out.back() != '\r' && out.back() != '\n') out += "\r\n";
    out += status;
    out += "\r\n";
    out.append(file.substr(at));
    return out;
}

bool StoreCompletionStatus(Completion value, PrintLines lines) {
    const std::string path = SettingsFilePath(nullptr);
    if (path.empty()) return false;
    const SettingsLock turn;
    std::string bytes;
    switch (ReadSettingsFile(path, &bytes)) {
        case SettingsRead::Failed:
            return false;
        case SettingsRead::Read:
            return WriteSettingsFile(path, WithCompletion(bytes, static_cast<int64_t>(value)));
        case SettingsRead::Missing:
            break;
    }
    RecordSet setup;
    DefaultSetup(&setup);
    *setup.refCon = static_cast<int64_t>(value);
    return WriteSettingsFile(
        path, FormatPrefarence(setup.print.get(), setup.paper.get(), setup.config.get(),
                               setup.serial.get(), setup.refCon.get(), setup.presetName,
                               &setup.stat, lines));
}
