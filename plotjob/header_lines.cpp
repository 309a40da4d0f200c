#include "plotjob/header_lines.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cstring>

#include "hpgl/hpgl_options.h"

namespace {

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

QJsonArray NoteArray(const Note& note) {
    QJsonArray array{
        QString::fromUtf8(NoteKey(note.id).data(), qsizetype(NoteKey(note.id).size()))};
    for (const Note& v : note.values) {
        if (v.id == NoteId::Text)
            array.append(QString::fromStdString(v.text));
        else
            array.append(NoteArray(v));
    }
    return array;
}

// The note an array names, or none when a key is not known (a newer writer's).
std::optional<Note> ArrayNote(const QJsonArray& array, int depth) {
    if (depth > 8 || array.isEmpty() || !array.first().isString()) return std::nullopt;
    const std::optional<NoteId> id = NoteIdOfKey(array.first().toString().toStdString());
    if (!id) return std::nullopt;
    Note note(*id);
    for (qsizetype i = 1; i < array.size(); ++i) {
        if (array[i].isString()) {
            note.values.emplace_back(array[i].toString().toStdString());
        } else if (array[i].isArray()) {
            std::optional<Note> inner = ArrayNote(array[i].toArray(), depth + 1);
            if (!inner) return std::nullopt;
            note.values.push_back(std::move(*inner));
        } else {
            return std::nullopt;
        }
    }
    return note;
}

// The plug-in's reading of the input window: pieces of at most 80 bytes, each ending at an LF,
// after the last byte, or when full; the first piece starting "BRC:" counts.
std::string BrcValue(std::string_view text) {
    constexpr size_t kPieceSize = 80;
    size_t at = 0;
    while (at < text.size()) {
        size_t len = 0;
        while (len < kPieceSize && at + len < text.size()) {
            if (text[at + len++] == '\n') break;
        }
        const std::string_view piece = text.substr(at, len);
        at += len;
        if (piece.size() < 4 || piece.substr(0, 4) != "BRC:") continue;
        size_t end = piece.size();
        // The terminator is dropped; an unterminated last line keeps its last byte.
        const bool lastByteIsEnd = piece.back() == '\n' || at == text.size();
        if (lastByteIsEnd && piece[end - 1] == '\n') --end;
        for (int i = 0; i < 2; ++i)
            if (end > 4 && (piece[end - 1] == '\r' || piece[end - 1] == '\n')) --end;
        // A NUL ends the value, as it ends a text everywhere else.
        const std::string_view value = piece.substr(4, end - 4);
        return std::string(value.substr(0, std::min(value.size(), value.find('\0'))));
    }
    return {};
}

int StepsPerInch(std::string_view value) {
    int steps = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), steps);
    // A unit that can't be read is no unit: the plot is drawn in HP-GL's own.
    if (error == std::errc() && end == value.data() + value.size() &&
        steps >= kFewestStepsPerInch && steps <= kMostStepsPerInch)
        return steps;
    return kHpglStepsPerInch;
}

}  // namespace

std::string FormatNoteLine(const Note& note) {
    if (note.id == NoteId::Text) return OneLine(note.text);
    return QJsonDocument(NoteArray(note)).toJson(QJsonDocument::Compact).toStdString();
}

Note ReadNoteLine(std::string_view line) {
    if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
        const QJsonDocument json =
            QJsonDocument::fromJson(QByteArray(line.data(), qsizetype(line.size())));
        if (json.isArray())
            if (std::optional<Note> note = ArrayNote(json.array(), 0)) return *note;
    }
    return Note(std::string(line));
}

std::string HeaderLines::Format(std::string_view end) const {
    std::string lines;
    if (!brc.empty()) lines.append("BRC:").append(brc).append(end);
    // Only another step is said: the header lines of HP-GL's own stay as they always were.
    if (stepsPerInch != kHpglStepsPerInch)
        lines.append("UNIT:").append(std::to_string(stepsPerInch)).append(end);
    if (!name.empty()) lines.append("NAME:").append(OneLine(name)).append(end);
    for (const Note& note : notes) lines.append("NOTE:").append(FormatNoteLine(note)).append(end);
    return lines;
}

HeaderLines HeaderLines::Read(std::string_view text) {
    HeaderLines out;
    out.brc = BrcValue(text);
    // Notes, name and unit are a few lines; a header file of megabytes is not read to its end.
    constexpr size_t kLinesLimit = 64 * 1024;
    const bool cut = text.size() > kLinesLimit;
    const std::string_view head = text.substr(0, kLinesLimit);
    bool named = false, united = false;
    for (size_t start = 0; start < head.size();) {
        size_t end = head.find('\n', start);
        // A line the limit cut in two is not a line as written.
        if (end == std::string_view::npos && cut) break;
        if (end == std::string_view::npos) end = head.size();
        std::string_view line = head.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::string_view key = line.substr(0, 5),
                               value = line.substr(std::min<size_t>(5, line.size()));
        if (key == "NAME:" && !named) {
            out.name = std::string(value);
            named = true;
        } else if (key == "UNIT:" && !united) {
            out.stepsPerInch = StepsPerInch(value);
            united = true;
        } else if (key == "NOTE:" && !value.empty()) {
            Note note = ReadNoteLine(value);
            if (std::find(out.notes.begin(), out.notes.end(), note) == out.notes.end())
                out.notes.push_back(std::move(note));
        }
    }
    return out;
}
