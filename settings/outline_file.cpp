#include "settings/outline_file.h"

#include <QFile>
#include <QFileInfo>

#include "plotjob/product_folder.h"
#include "settings/key_lines.h"
#include "settings/store.h"

namespace {

constexpr char kKey[] = "outlines.every";
// One short line, and room for comments a hand may add; anything much longer is another file.
constexpr qint64 kLongestFile = 4096;

}  // namespace

std::string OutlineFilePath() {
    const std::string folder = ProductFolder();
    return folder.empty() ? std::string() : ProductFile(folder, product::kOutlines);
}

OutlineFileState LoadOutlineFile(const std::string& path, bool* everyOutline, Note* problem) {
    *everyOutline = false;
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.exists()) return OutlineFileState::Absent;
    QByteArray bytes;
    if (QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly))
        bytes = file.read(kLongestFile + 1);
    size_t bad = 0;
    int value = -1;
    // The key once, as 0 or 1 and nothing else: the window writes nothing else, and a value read
    // in part ("1x") is a hand's edit that means something the plot can't know.
    ForEachKeyLine(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                   [&](const KeyFields& fields, size_t line) {
                       const bool one = fields[1] == "0" || fields[1] == "1";
                       if (fields[0] != kKey || value >= 0 || !one || !fields[2].empty()) {
                           bad = line;
                           return false;
                       }
                       value = fields[1] == "1" ? 1 : 0;
                       return true;
                   });
    if (bad) {
        *problem = Note(NoteId::OutlineChoiceCannotReadLine, {path, std::to_string(bad)});
        return OutlineFileState::Unusable;
    }
    if (value < 0 || bytes.size() > kLongestFile) {
        *problem = Note(NoteId::OutlineChoiceCannotRead, {path});
        return OutlineFileState::Unusable;
    }
    *everyOutline = value == 1;
    return OutlineFileState::Loaded;
}

std::string FormatOutlineFile(bool everyOutline) {
    int32_t value = everyOutline ? 1 : 0;
    std::string out;
    AppendKeyLine(out, kKey, SlotOf(value));
    return out;
}

bool SaveOutlineFile(const std::string& path, bool everyOutline, std::string* error) {
    if (!path.empty() && WriteSettingsFile(path, FormatOutlineFile(everyOutline))) return true;
    *error =
        "cannot write " + path + ": " + (path.empty() ? "no product folder" : SettingsWriteError());
    return false;
}
