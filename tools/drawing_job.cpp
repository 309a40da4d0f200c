#include "tools/drawing_job.h"

#include <unistd.h>

#include <QDir>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "drawing/svg_chunks.h"
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
    if (r.beyondRollMm > 0)
        out.push_back("the drawing reaches " + Tenths(r.beyondRollMm) +
                      " mm beyond the roll length (" + Tenths(r.rollLengthMm) +
                      " mm); it is clipped there (Auto split plots it in panels)");
    return out;
}

}  // namespace

ConvertedDrawing ConvertedDrawing::Convert(const std::string& path, const RecordSet& records) {
    ConvertedDrawing job;
    std::vector<std::FILE*> files;
    std::string failure;
    const auto open = [&](const DrawingPlot&) -> std::FILE* {
        auto body = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/trzn-plot-XXXXXX");
        std::FILE* file = nullptr;
        if (body->open()) {
            const int fd = dup(body->handle());
            file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
            if (fd >= 0 && !file) close(fd);
        }
        if (!file) {
            failure = "cannot make a temporary file in " + QDir::tempPath().toStdString() + ": " +
                      std::strerror(errno);
            return nullptr;
        }
        job._bodies.push_back(std::move(body));
        files.push_back(file);
        return file;
    };
    job._result = ConvertDrawing(path, *records.print, *records.config, open, SvgChunking{});
    if (!failure.empty()) job._result.message = failure;
    for (size_t i = 0; i < files.size(); ++i) {
        if (std::fclose(files[i]) != 0 && job._result.ok()) {
            job._result.error = DrawingError::WriteFailed;
            job._result.message = "cannot write the plot body to " +
                                  job._bodies[i]->fileName().toStdString() + ": " +
                                  std::strerror(errno);
        }
    }
    return job;
}

std::optional<PlotOutcome> ConvertedDrawing::failure() const {
    if (_result.ok()) return std::nullopt;
    return _result.error == DrawingError::WriteFailed ? PlotOutcome::NoFolder
                                                      : PlotOutcome::BadInput;
}

std::vector<PlotPart> ConvertedDrawing::parts() const {
    std::vector<PlotPart> out;
    for (size_t i = 0; i < _result.plots.size() && i < _bodies.size(); ++i) {
        PlotPart part;
        part.body = _bodies[i]->fileName().toStdString();
        part.headerLines = DrawingHeaderLines(_result, i);
        part.brc = _result.plots[i].brc;
        part.number = _result.plots[i].number;
        part.count = _result.panels;
        part.page = _result.pages;
        out.push_back(std::move(part));
    }
    return out;
}

std::vector<std::string> ConvertedDrawing::remarks() const { return Remarks(_result); }

void UseDefaultPage(RecordSet* records) {
    mkDefault(records->print.get(), records->config.get(), records->paper.get());
}
