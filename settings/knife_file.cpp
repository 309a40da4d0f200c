#include "settings/knife_file.h"

#include <QFile>
#include <QFileInfo>
#include <charconv>
#include <map>
#include <string_view>

#include "settings/store.h"

namespace {

// Four short lines; anything much longer is not a knife file.
constexpr qint64 kLongestFile = 4096;

struct Key {
    const char* name;
    int KnifeSettings::*field;
    int low, high;
};

// Whole numbers only: the window writes nothing else.
bool ReadWhole(std::string_view text, int* value) {
    const auto r = std::from_chars(text.data(), text.data() + text.size(), *value);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::string KnifeFilePath() {
    const std::string settings = SettingsFilePath(nullptr);
    const size_t slash = settings.rfind('/');
    if (slash == std::string::npos) return {};
    return settings.substr(0, slash + 1) + product::kKnife;
}

KnifeFileState LoadKnifeFile(const std::string& path, KnifeSettings* knife, std::string* problem) {
    *knife = KnifeSettings{};
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.exists()) return KnifeFileState::Absent;
    const auto unusable = [&](const std::string& why) {
        *knife = KnifeSettings{};
        *problem = "the knife settings " + path + " " + why +
                   ": press OK in TRZNSerConfig to write them again";
        return KnifeFileState::Unusable;
    };
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return unusable("can't be read");
    const QByteArray bytes = file.read(kLongestFile + 1);
    if (bytes.size() > kLongestFile) return unusable("are too long to be knife settings");
    int use = 0;
    const Key keys[] = {{"knife.tool", &KnifeSettings::tool, 1, kKnifeToolMax},
                        {"knife.offset", &KnifeSettings::offset, 0, kKnifeOffsetMax},
                        {"knife.overcut", &KnifeSettings::overcut, 0, kKnifeOvercutMax}};
    std::map<std::string, int> seen;
    const std::string_view text(bytes.constData(), static_cast<size_t>(bytes.size()));
    size_t start = 0, number = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        ++number;
        if (line.empty()) continue;
        const size_t eq = line.find('=');
        int value = 0;
        const std::string key(Trimmed(line.substr(0, eq == std::string_view::npos ? 0 : eq)));
        if (eq == std::string_view::npos || !ReadWhole(Trimmed(line.substr(eq + 1)), &value) ||
            seen.count(key))
            return unusable("can't be read at line " + std::to_string(number));
        seen[key] = value;
    }
    for (const char* name : {"knife.use", "knife.tool", "knife.offset", "knife.overcut"})
        if (!seen.count(name)) return unusable(std::string("have no ") + name);
    if (seen.size() != 4) return unusable("hold a key that is not a knife setting");
    use = seen["knife.use"];
    if (use != 0 && use != 1) return unusable("say knife.use " + std::to_string(use));
    for (const Key& k : keys) {
        const int v = seen[k.name];
        if (v < k.low || v > k.high)
            return unusable(std::string("give ") + k.name + " " + std::to_string(v) + ", outside " +
                            std::to_string(k.low) + " to " + std::to_string(k.high));
        knife->*k.field = v;
    }
    knife->use = use == 1;
    return KnifeFileState::Loaded;
}

std::string FormatKnifeFile(const KnifeSettings& knife) {
    return "knife.use = " + std::to_string(knife.use ? 1 : 0) +
           "\r\nknife.tool = " + std::to_string(knife.tool) +
           "\r\nknife.offset = " + std::to_string(knife.offset) +
           "\r\nknife.overcut = " + std::to_string(knife.overcut) + "\r\n";
}

bool SaveKnifeFile(const std::string& path, const KnifeSettings& knife, std::string* error) {
    if (!path.empty() && WriteSettingsFile(path, FormatKnifeFile(knife))) return true;
    *error =
        "cannot write " + path + ": " + (path.empty() ? "no product folder" : SettingsWriteError());
    return false;
}
