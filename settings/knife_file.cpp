#include "settings/knife_file.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <string_view>
#include <vector>

#include "settings/key_lines.h"
#include "settings/store.h"

namespace {

// Four short lines; anything much longer is not a knife file.
constexpr qint64 kLongestFile = 4096;

// The knife file's keys in file order, each with the values the window can store.
struct Key {
    const char* name;
    int32_t low, high;
};
constexpr Key kKeys[] = {{"knife.use", 0, 1},
                         {"knife.tool", 1, kKnifeToolMax},
                         {"knife.offset", 0, kKnifeOffsetMax},
                         {"knife.overcut", 0, kKnifeOvercutMax}};
constexpr size_t kKeyCount = std::size(kKeys);

// The values as the file holds them, in the order of kKeys.
using Stored = std::array<int32_t, kKeyCount>;

Stored StoredOf(const KnifeSettings& knife) {
    return {knife.use ? 1 : 0, knife.tool, knife.offset, knife.overcut};
}

KnifeSettings KnifeOf(const Stored& v) { return {v[0] == 1, v[1], v[2], v[3]}; }

// Whole numbers only, one to a key: the window writes nothing else, and a value the shared
// reader would take in part ("12x") is a file edited by hand that says something else.
bool ReadWhole(const std::string& text, int32_t* value) {
    const auto r = std::from_chars(text.data(), text.data() + text.size(), *value);
    return !text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size();
}

}  // namespace

std::string KnifeFilePath() {
    const std::string settings = SettingsFilePath(nullptr);
    const size_t slash = settings.rfind('/');
    if (slash == std::string::npos) return {};
    return settings.substr(0, slash + 1) + product::kKnife;
}

KnifeFileState LoadKnifeFile(const std::string& path, KnifeSettings* knife, Note* problem) {
    *knife = KnifeSettings{};
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.exists()) return KnifeFileState::Absent;
    const auto unusable = [&](NoteId why, std::vector<Note> values = {}) {
        *knife = KnifeSettings{};
        values.insert(values.begin(), path);
        *problem = Note(why, std::move(values));
        return KnifeFileState::Unusable;
    };
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return unusable(NoteId::KnifeSettingsCannotRead);
    const QByteArray bytes = file.read(kLongestFile + 1);
    if (bytes.size() > kLongestFile) return unusable(NoteId::KnifeSettingsTooLong);
    Stored values{};
    std::array<bool, kKeyCount> seen{};
    std::vector<std::string> others;  // keys that are not the knife's, each once
    size_t bad = 0;
    const std::string_view text(bytes.constData(), static_cast<size_t>(bytes.size()));
    ForEachKeyLine(text, [&](const KeyFields& fields, size_t line) {
        const auto* key = std::find_if(std::begin(kKeys), std::end(kKeys),
                                       [&](const Key& k) { return fields[0] == k.name; });
        const size_t at = static_cast<size_t>(key - std::begin(kKeys));
        int32_t value = 0;
        const bool other = at == kKeyCount;
        const bool again =
            other ? std::count(others.begin(), others.end(), fields[0]) > 0 : seen[at];
        if (again || !fields[2].empty() || !ReadWhole(fields[1], &value)) {
            bad = line;
            return false;
        }
        if (other)
            others.push_back(fields[0]);
        else
            seen[at] = true, values[at] = value;
        return true;
    });
    if (bad) return unusable(NoteId::KnifeSettingsCannotReadLine, {std::to_string(bad)});
    for (size_t i = 0; i < kKeyCount; ++i)
        if (!seen[i]) return unusable(NoteId::KnifeSettingsHavePress, {kKeys[i].name});
    if (!others.empty()) return unusable(NoteId::KnifeSettingsHoldKey);
    if (values[0] != 0 && values[0] != 1)
        return unusable(NoteId::KnifeSettingsSayKnife, {std::to_string(values[0])});
    for (size_t i = 1; i < kKeyCount; ++i) {
        const Key& k = kKeys[i];
        if (values[i] < k.low || values[i] > k.high)
            return unusable(NoteId::KnifeSettingsGiveOutside,
                            {k.name, std::to_string(values[i]), std::to_string(k.low),
                             std::to_string(k.high)});
    }
    *knife = KnifeOf(values);
    return KnifeFileState::Loaded;
}

std::string FormatKnifeFile(const KnifeSettings& knife) {
    Stored values = StoredOf(knife);
    std::string out;
    for (size_t i = 0; i < kKeyCount; ++i) AppendKeyLine(out, kKeys[i].name, SlotOf(values[i]));
    return out;
}

bool SaveKnifeFile(const std::string& path, const KnifeSettings& knife, std::string* error) {
    if (!path.empty() && WriteSettingsFile(path, FormatKnifeFile(knife))) return true;
    *error =
        "cannot write " + path + ": " + (path.empty() ? "no product folder" : SettingsWriteError());
    return false;
}
