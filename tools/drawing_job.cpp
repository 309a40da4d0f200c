#include "tools/drawing_job.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "settings/geometry.h"
#include "settings/knife_file.h"
#include "settings/outline_file.h"
#include "tools/reading_child.h"

namespace {

// Rounded up to a tenth: a drawing 0.02 mm too big is said to be clipped by 0.1 mm, never 0.0.
std::string Tenths(double mm) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", std::ceil(mm * 10 - 1e-9) / 10);
    return text;
}

Note ClipRemark(const DrawingResult& r) {
    const struct {
        double mm;
        NoteId side;
    } sides[] = {{r.clipLeftMm, NoteId::MmOnTheLeft},
                 {r.clipTopMm, NoteId::MmAtTheTop},
                 {r.clipRightMm, NoteId::MmOnTheRight},
                 {r.clipBottomMm, NoteId::MmAtTheBottom}};
    Note list(NoteId::List);
    for (const auto& s : sides)
        if (s.mm > 0) list.values.push_back(Note(s.side, {Tenths(s.mm)}));
    return Note(NoteId::DrawingReachesBeyondPrintable, {std::move(list)});
}

std::vector<Note> Remarks(const DrawingResult& r) {
    std::vector<Note> out;
    for (const Note& note : r.notes) {
        if (std::find(out.begin(), out.end(), note) == out.end()) out.push_back(note);
    }
    if (r.clipped()) out.push_back(ClipRemark(r));
    if (r.beyondRollMm > 0)
        out.push_back(Note(NoteId::DrawingReachesMmBeyond, {Tenths(r.beyondRollMm), Tenths(r.rollLengthMm)}));
    return out;
}

}  // namespace

ConvertedDrawing ConvertedDrawing::Convert(const std::string& path, const RecordSet& records,
                                           std::optional<bool> everyOutline,
                                           const SheetChoice& sheet) {
    ConvertedDrawing job;
    Note error;
    std::optional<TempFolder> folder = TempFolder::Make(QDir::tempPath().toStdString(), &error);
    if (!folder) {
        job._result.error = DrawingError::WriteFailed;
        job._result.message = error;
        return job;
    }
    job._folder = std::make_unique<TempFolder>(std::move(*folder));
    job._cleanup = std::make_unique<CleanupOnSignal>(job._folder->path());
    ReadingRequest request{path, *records.print, *records.config, *records.serial, {}, false, sheet};
    Note unusable;
    bool refused = LoadKnifeFile(KnifeFilePath(), &request.knife, &unusable) ==
                   KnifeFileState::Unusable;
    // The command line's choice goes first: a plot that gives one needs no file to hold it.
    if (everyOutline)
        request.everyOutline = *everyOutline;
    else if (!refused)
        refused = LoadOutlineFile(OutlineFilePath(), &request.everyOutline, &unusable) ==
                  OutlineFileState::Unusable;
    if (refused) {
        job._result.error = DrawingError::Refused;
        job._result.message = unusable;
        return job;
    }
    job._result = ConvertInReadingProcess(request, job._folder->path(),
                                          ReadingLimits::FromEnvironment(), &job._bodies);
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
        part.body = _bodies[i];
        part.headerLines = DrawingHeaderLines(_result, i);
        part.brc = _result.plots[i].brc;
        part.number = _result.plots[i].number;
        part.count = _result.panels;
        part.page = _result.pages;
        out.push_back(std::move(part));
    }
    return out;
}

std::vector<Note> ConvertedDrawing::remarks() const { return Remarks(_result); }
