#include "tools/hpgl_commands.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <memory>

#include "settings/device_commands.h"

namespace {

// Enough of the file's start for a kept plot's input window and the longest header.
constexpr size_t kHeadBytes = 4096;

}  // namespace

CommandedHpgl CommandedHpgl::Make(const std::string& file, const OutputSetup& output) {
    CommandedHpgl out;
    out._body = file;
    const std::string& header = output.header;
    const std::string& footer = output.footer;
    if (!output.headerProblem.empty() || !output.footerProblem.empty()) {
        out._problem = output.headerProblem.empty()
                           ? Note(NoteId::FooterCannotSent, {output.footerProblem})
                           : Note(NoteId::HeaderCannotSent, {output.headerProblem});
        out._failure = PlotOutcome::BadInput;
        return out;
    }
    if (header.empty() && footer.empty()) return out;
    // The name as the bytes given: it need not be UTF-8.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file.c_str(), "rbe"),
                                                       std::fclose);
    // What can't be read is said when the file is sent, as without a header.
    if (!in) return out;
    std::string head(kHeadBytes, '\0'), tail(footer.size(), '\0');
    head.resize(std::fread(head.data(), 1, head.size(), in.get()));
    const bool tailRead = std::fseek(in.get(), -static_cast<long>(footer.size()), SEEK_END) == 0 &&
                          std::fread(tail.data(), 1, tail.size(), in.get()) == tail.size();
    if (CarriesDeviceCommands(head, header, "") && tailRead && tail == footer) return out;

    Note noFolder;
    std::optional<TempFolder> folder = TempFolder::Make(QDir::tempPath().toStdString(), &noFolder);
    if (!folder) {
        out._problem = std::move(noFolder);
        out._failure = PlotOutcome::NoFolder;
        return out;
    }
    out._folder = std::make_unique<TempFolder>(std::move(*folder));
    const std::string copy = out._folder->path() + "/plot";
    QSaveFile body(QFile::decodeName(copy.c_str()));
    bool ok = body.open(QIODevice::WriteOnly) && std::fseek(in.get(), 0, SEEK_SET) == 0 &&
              body.write(header.data(), static_cast<qint64>(header.size())) ==
                  static_cast<qint64>(header.size());
    std::string piece(1 << 16, '\0');
    while (ok) {
        const size_t got = std::fread(piece.data(), 1, piece.size(), in.get());
        if (got == 0) break;
        ok = body.write(piece.data(), static_cast<qint64>(got)) == static_cast<qint64>(got);
    }
    ok = ok && !std::ferror(in.get()) &&
         body.write(footer.data(), static_cast<qint64>(footer.size())) ==
             static_cast<qint64>(footer.size());
    if (!ok || !body.commit()) {
        out._problem = Note(NoteId::CannotWriteFile, {copy, body.errorString().toStdString()});
        out._failure = PlotOutcome::NoFolder;
        return out;
    }
    out._body = copy;
    return out;
}
