#include "tools/drawing_job.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "settings/geometry.h"

namespace {

// Rounded up to a tenth: a drawing 0.02 mm too big is said to be clipped by 0.1 mm, never 0.0.
std::string Tenths(double mm) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", std::ceil(mm * 10 - 1e-9) / 10);
    return text;
}

std::string ClipRemark(const DrawingResult& r) {
    const struct {
        double mm;
        const char* side;
    } sides[] = {{r.clipLeftMm, "on the left"},
                 {r.clipTopMm, "at the top"},
                 {r.clipRightMm, "on the right"},
                 {r.clipBottomMm, "at the bottom"}};
    std::string text;
    for (const auto& s : sides) {
        if (s.mm <= 0) continue;
        text += (text.empty() ? "" : ", ") + Tenths(s.mm) + " mm " + s.side;
    }
    return "the drawing reaches beyond the printable area by " + text +
           "; it is clipped there, not scaled";
}

std::vector<std::string> Remarks(const DrawingResult& r) {
    std::vector<std::string> out;
    for (const std::string& note : r.notes) {
        if (std::find(out.begin(), out.end(), note) == out.end()) out.push_back(note);
    }
    if (r.clipped()) out.push_back(ClipRemark(r));
    return out;
}

}  // namespace

ConvertedDrawing ConvertedDrawing::Convert(const std::string& path, const RecordSet& records) {
    ConvertedDrawing job;
    job._body = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/trzn-plot-XXXXXX");
    std::FILE* body = nullptr;
    if (job._body->open()) {
        const int fd = dup(job._body->handle());
        body = fd >= 0 ? fdopen(fd, "wb") : nullptr;
        if (fd >= 0 && !body) close(fd);
    }
    if (!body) {
        job._result.error = DrawingError::WriteFailed;
        job._result.message = "cannot make a temporary file in " + QDir::tempPath().toStdString() +
                              ": " + std::strerror(errno);
        return job;
    }
    job._result = ConvertDrawing(path, *records.print, *records.config, body);
    if (std::fclose(body) != 0 && job._result.ok()) {
        job._result.error = DrawingError::WriteFailed;
        job._result.message = "cannot write the plot body to " +
                              job._body->fileName().toStdString() + ": " + std::strerror(errno);
    }
    return job;
}

std::optional<PlotOutcome> ConvertedDrawing::failure() const {
    if (_result.ok()) return std::nullopt;
    return _result.error == DrawingError::WriteFailed ? PlotOutcome::NoFolder
                                                      : PlotOutcome::BadInput;
}

std::string ConvertedDrawing::bodyPath() const { return _body->fileName().toStdString(); }

std::string ConvertedDrawing::headerLines() const { return DrawingHeaderLines(_result); }

std::vector<std::string> ConvertedDrawing::remarks() const { return Remarks(_result); }

std::optional<PlotOutcome> WriteKeptPlot(const ConvertedDrawing& drawing, const std::string& output,
                                         std::string* error) {
    const bool toStdout = output == "-";
    QSaveFile file(QString::fromLocal8Bit(output.c_str()));
    QFile stdoutFile;
    QIODevice& out = toStdout ? static_cast<QIODevice&>(stdoutFile) : file;
    const bool opened = toStdout ? stdoutFile.open(STDOUT_FILENO, QIODevice::WriteOnly,
                                                   QFileDevice::DontCloseHandle)
                                 : file.open(QIODevice::WriteOnly);
    auto failed = [&](const QString& reason) {
        *error = "cannot write " + (toStdout ? std::string("the standard output") : output) + ": " +
                 reason.toStdString();
        return PlotOutcome::NoFolder;
    };
    if (!opened) return failed(out.errorString());

    const std::string& brc = drawing.result().brc;
    const QByteArray window =
        brc.empty() ? QByteArray() : "IW" + QByteArray::fromStdString(brc) + ";";
    QFile body(QString::fromStdString(drawing.bodyPath()));
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

void UseDefaultPage(RecordSet* records) {
    mkDefault(records->print.get(), records->config.get(), records->paper.get());
}
