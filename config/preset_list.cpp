#include "config/preset_list.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/encoding.h"
#include "settings/store.h"

namespace {

constexpr std::string_view kExtension = ".ini";

// Converts all of src or nothing. Three UTF-8 bytes per Shift-JIS byte is the most any
// character needs in either direction.
std::optional<std::string> ConvertWhole(TextEncoding from, TextEncoding to, std::string_view src) {
    if (src.empty()) return std::string();
    std::string out(src.size() * 3 + 1, '\0');
    const ConversionResult r =
        ConvertText(from, to, src.data(), src.size(), out.data(), out.size());
    if (r.status != 0 || r.read != src.size()) return std::nullopt;
    out.resize(r.written);
    return out;
}

// Only plain files (or links to them) are presets: a folder is skipped as the listing rule says,
// and a pipe or device named like a preset would block or misbehave when loaded.
bool IsPlainFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::optional<std::string> PresetNameOfFile(std::string_view fileName) {
    size_t pos = fileName.find(".INI");
    if (pos == std::string_view::npos) pos = fileName.find(kExtension);
    if (pos == std::string_view::npos || pos == 0) return std::nullopt;
    return std::string(fileName.substr(0, pos));
}

void InsertPresetEntry(std::vector<PresetEntry>& list, PresetEntry entry) {
    // std::string compares as unsigned bytes (char_traits<char>::compare), so "A" < "a" < "b"
    // and UTF-8 names sort by code point.
    const auto at = std::upper_bound(
        list.begin(), list.end(), entry.name,
        [](const std::string& name, const PresetEntry& e) { return name < e.name; });
    list.insert(at, std::move(entry));
}

std::vector<PresetEntry> ListPresetFolder(const std::string& folder) {
    std::vector<PresetEntry> list;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) return list;
    while (static_cast<int>(list.size()) < kPresetListMax) {
        const dirent* entry = ::readdir(dir.get());
        if (!entry) break;
        const std::string fileName = entry->d_name;
        std::optional<std::string> name = PresetNameOfFile(fileName);
        if (!name || !IsPlainFile(folder + "/" + fileName)) continue;
        // Choosing an item finds its file through the Shift-JIS name; a name that comes back
        // different would load another (or no) file and wipe the settings on screen.
        const std::optional<std::string> sjis = PresetSjisForm(*name);
        if (!sjis) continue;
        const std::optional<std::string> back = PresetFileForm(*sjis);
        if (!back || *back != *name) continue;
        InsertPresetEntry(list, PresetEntry{std::move(*name), fileName});
    }
    return list;
}

bool LoadPresetFile(const std::string& path, THPrint print, THPrPaper paper, THPrConfig config,
                    THSrConfig serial) {
    ClearRecords(print, paper, config, serial);
    if (!IsPlainFile(path)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    LoadPrefarenceBytes(bytes.data(), bytes.size(), print, paper, config, serial, nullptr, nullptr,
                        nullptr);
    return true;
}

bool SavePresetFile(const std::string& path, THPrint print, THPrPaper paper, THPrConfig config,
                    THSrConfig serial) {
    const std::string text =
        FormatPrefarence(print, paper, config, serial, nullptr, nullptr, nullptr, PrintLines::Config);
    return WriteSettingsFile(path, text);
}

std::optional<std::string> PresetFileForm(std::string_view sjis) {
    return ConvertWhole(TextEncoding::ShiftJIS, TextEncoding::UTF8, sjis);
}

std::optional<std::string> PresetSjisForm(std::string_view utf8) {
    std::optional<std::string> sjis = ConvertWhole(TextEncoding::UTF8, TextEncoding::ShiftJIS, utf8);
    if (sjis && sjis->size() > kPresetNameBytes) return std::nullopt;
    return sjis;
}

bool PresetFileOpens(const std::string& folder, const std::string& fileName) {
    const std::string path = folder + "/" + fileName;
    // O_NOFOLLOW is not wanted: a preset may be a link the user made. A folder fails O_RDWR.
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

std::string ProposePresetName(const std::string& folder) {
    std::string name = "UNTITLED";
    for (int n = 1; PresetFileOpens(folder, name + std::string(kExtension)); ++n) {
        name = "UNTITLED-" + std::to_string(n);
    }
    return name;
}

PresetNameFault CheckPresetName(std::string_view sjis, const std::string& folder) {
    if (sjis.empty()) return PresetNameFault::Empty;
    // Shift-JIS trail bytes are 0x40 and above, so these ASCII bytes can't be half a character.
    for (const char c : sjis) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return PresetNameFault::Control;
    }
    if (sjis.find('/') != std::string_view::npos) return PresetNameFault::Separator;
    if (sjis.find('"') != std::string_view::npos) return PresetNameFault::Quote;
    if (sjis == "." || sjis == "..") return PresetNameFault::DotName;
    if (sjis.size() > kPresetNameBytes) return PresetNameFault::TooLong;

    const std::optional<std::string> form = PresetFileForm(sjis);
    if (!form) return PresetNameFault::NotConvertible;
    const std::optional<std::string> back = PresetSjisForm(*form);
    if (!back || *back != sjis) return PresetNameFault::NotConvertible;

    const std::string fileName = *form + std::string(kExtension);
    if (PresetNameOfFile(fileName) != *form) return PresetNameFault::Extension;
    if (fileName.size() > kPresetFileNameMax) return PresetNameFault::TooLong;
    if (folder.size() + 1 + fileName.size() > kPresetPathMax) return PresetNameFault::TooLong;
    return PresetNameFault::None;
}
