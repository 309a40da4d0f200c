#include "tools/plot_parts.h"

#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <utility>

#include "tools/plot_tr.h"

Note PartLabel(const PlotPart& part) {
    return Note(part.page ? NoteId::PageOfPages : NoteId::PanelOfPanels,
                {std::to_string(part.number), std::to_string(part.count)});
}

std::string KeptPlotName(const std::string& output, const PlotPart& part, size_t plots) {
    // The standard output takes one plot whatever its number (a range may choose one of many).
    if (plots <= 1 || part.count <= 1 || output == "-") return output;
    std::string stem = output;
    const std::string plt = ".plt";
    if (stem.size() > plt.size() && stem.compare(stem.size() - plt.size(), plt.size(), plt) == 0)
        stem.resize(stem.size() - plt.size());
    return stem + "-" + std::to_string(part.number) + plt;
}

std::vector<Note> KeptRemarks(const std::vector<Note>& remarks) {
    const std::pair<NoteId, NoteId> kept[] = {
        {NoteId::PagesOutsideRangeNotSent, NoteId::PagesOutsideRangeNotConverted},
        {NoteId::PageOutsideRangeNotSent, NoteId::PageOutsideRangeNotConverted},
        {NoteId::PanelsOutsideRangeNotSent, NoteId::PanelsOutsideRangeNotConverted},
        {NoteId::PanelOutsideRangeNotSent, NoteId::PanelOutsideRangeNotConverted}};
    const std::string sent = " set in Trazen Plotter Settings; not sent";
    std::vector<Note> out;
    for (Note remark : remarks) {
        for (const auto& [sending, keeping] : kept)
            if (remark.id == sending) remark.id = keeping;
        std::string& text = remark.text;
        if (text.size() > sent.size() &&
            text.compare(text.size() - sent.size(), sent.size(), sent) == 0)
            text.replace(text.size() - 4, 4, "converted");
        out.push_back(std::move(remark));
    }
    return out;
}

std::optional<Note> NotSent(const std::vector<PlotPart>& parts, size_t from) {
    if (from >= parts.size()) return std::nullopt;
    std::string numbers;
    for (size_t i = from; i < parts.size(); ++i)
        numbers += (i == from ? "" : ", ") + std::to_string(parts[i].number);
    const bool one = from + 1 == parts.size();
    const NoteId id = parts[from].page ? (one ? NoteId::PageWasNotSent : NoteId::PagesWasNotSent)
                                       : (one ? NoteId::PanelWasNotSent : NoteId::PanelsWasNotSent);
    return Note(id, {numbers, std::to_string(parts[from].count)});
}

std::optional<PlotOutcome> WriteKeptPlot(const PlotPart& part, const std::string& output,
                                         std::string* error) {
    const bool toStdout = output == "-";
    QSaveFile file(QString::fromLocal8Bit(output.c_str()));
    QFile stdoutFile;
    QIODevice& out = toStdout ? static_cast<QIODevice&>(stdoutFile) : file;
    const bool opened = toStdout ? stdoutFile.open(STDOUT_FILENO, QIODevice::WriteOnly,
                                                   QFileDevice::DontCloseHandle)
                                 : file.open(QIODevice::WriteOnly);
    auto failed = [&](const QString& reason) {
        const QString where = toStdout ? TPlotWords::tr("the standard output")
                                       : QString::fromLocal8Bit(output.c_str());
        *error =
            TPlotWords::tr("cannot write %1: %2").arg(where, reason).toLocal8Bit().toStdString();
        return PlotOutcome::NoFolder;
    };
    if (!opened) return failed(out.errorString());

    const QByteArray window =
        part.brc.empty() ? QByteArray() : "IW" + QByteArray::fromStdString(part.brc) + ";";
    QFile body(QString::fromStdString(part.body));
    if (!body.open(QIODevice::ReadOnly)) return failed(body.errorString());
    bool ok = out.write(window) == window.size();
    while (ok && !body.atEnd()) {
        const QByteArray piece = body.read(1 << 16);
        ok = !piece.isEmpty() && out.write(piece) == piece.size();
    }
    if (!ok) {
        if (!toStdout) file.cancelWriting();
        return failed(out.errorString());
    }
    if (toStdout ? !stdoutFile.flush() : !file.commit()) return failed(out.errorString());
    return std::nullopt;
}
