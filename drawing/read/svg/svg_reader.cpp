#include "drawing/read/svg/svg_reader.h"

#include <algorithm>
#include <optional>

#include "drawing/paint/pen_lines.h"
#include "drawing/read/pdf/pdf_paint.h"
#include "drawing/read/svg/clip_marks.h"
#include "drawing/read/svg/fine_dashes.h"
#include "drawing/read/svg/svg_as_pdf.h"
#include "drawing/read/svg/svg_for_rsvg.h"
#include "drawing/read/svg/svg_paint.h"
#include "drawing/read/svg/svg_sanitize.h"
#include "drawing/read/svg/text_on_path.h"

namespace {

// A drawing using what Qt's SVG module leaves out: librsvg paints it into a PDF, plotted as
// one. Nothing when the drawing gives its canvas no size (Qt's reader then takes it).
std::optional<SourceOutcome> PaintSvgAsPdf(const SanitizedSvg& svg, const PaintTarget& target) {
    const RsvgReady ready = PrepareForRsvg(svg.xml);
    const QByteArray& xml = ready.changed ? ready.xml : svg.xml;
    const SvgAsPdf pdf = SvgToPdf(xml.constData(), static_cast<size_t>(xml.size()));
    if (!pdf.sized && !pdf.error) return std::nullopt;
    if (pdf.error)
        return Failed(DrawingError::NotSvg, Note(NoteId::SVGDrawingLibrsvgRead, {*pdf.error}));
    SourceOutcome out = PaintPdf(
        QByteArray::fromRawData(pdf.pdf.data(), static_cast<qsizetype>(pdf.pdf.size())), 1, target);
    if (!out.ok()) return out;
    std::vector<Note> notes = svg.notes;
    for (const Note& note : ready.notes) AddNote(&notes, note);
    const SolidDashes solid = DashesDrawnSolid(xml);
    if (solid != SolidDashes::None)
        AddNote(&notes, solid == SolidDashes::Fine ? kNoteFineDashes : kNoteDashesUserUnit);
    for (const Note& note : out.notes) AddNote(&notes, note);
    out.notes = std::move(notes);
    return out;
}

// The drawing with its text set along its paths by Inkscape, read again as any drawing; as it
// was, with a note, where that can't be done: the note, to say why when nothing else is drawn.
std::optional<Note> SetTextAlongPaths(SanitizedSvg& svg) {
    TextAlongPaths set = SetTextAlongPaths(svg.xml);
    SanitizedSvg again;
    if (!set.xml.isEmpty()) again = SanitizeSvg(set.xml);
    if (set.xml.isEmpty() || again.error != DrawingError::None) {
        const Note note = set.xml.isEmpty() ? set.note : Note(kNoteTextPath);
        AddNote(&svg.notes, note);
        std::erase(svg.qtNotes, Note(kNoteTextPath));  // said above, with why
        return note;
    }
    for (const Note& note : svg.notes) AddNote(&again.notes, note);
    svg = std::move(again);
    return std::nullopt;
}

// Inkscape takes about 2 ms for each text it sets on a path (23 s for 10 000): past this many
// its time limit would be spent.
constexpr int64_t kMaxTextPaths = 2'000;

// The drawing's clips and pattern fills marked for Qt's route (clip_marks.h); false when they
// can't be, and the drawing is left as it was.
bool MarkForQt(SanitizedSvg& svg) {
    ClipMarked marked = MarkClips(svg.xml);
    if (!marked.ok) return false;
    svg.xml = std::move(marked.xml);
    svg.clipsMarked = true;
    std::erase(svg.qtNotes, Note(NoteId::ClipPathsAppliedClipped));
    if (!marked.patternsLeft) std::erase(svg.qtNotes, Note(NoteId::PatternFillsTilesLeft));
    return true;
}

// The sanitized drawing read by librsvg or Qt's SVG module.
SourceOutcome PaintSvgRead(SanitizedSvg& svg, const SvgChunking& chunking,
                           const PaintTarget& target) {
    // Clips Qt's route can carry spare the drawing librsvg and a PDF.
    if (svg.clips && !svg.beyondQt && !MarkForQt(svg)) svg.beyondQt = true;
    if (svg.beyondQt)
        if (std::optional<SourceOutcome> out = PaintSvgAsPdf(svg, target)) return *std::move(out);
    // Qt's route after all: its clips and patterns applied where they can be.
    if (!svg.clipsMarked && (svg.clips || svg.patterns)) MarkForQt(svg);
    SourceOutcome out;
    out.notes = svg.notes;
    for (const Note& note : svg.qtNotes) AddNote(&out.notes, note);
    const PaintOutcome painted = PaintSvg(svg, target, chunking);
    svg.xml.clear();
    if (!painted.loaded) {
        Note why = painted.loadError;
        std::replace(why.text.begin(), why.text.end(), '\n', ' ');
        return Failed(DrawingError::NotSvg, Note(NoteId::SVGDrawingQtRead, {why}));
    }
    if (painted.refusal) return Failed(DrawingError::Refused, *painted.refusal);
    for (const Note& note : painted.notes) AddNote(&out.notes, note);
    out.shapes = painted.shapes;
    return out;
}

}  // namespace

SourceOutcome PaintSvgBytes(SvgBytes& bytes, const SvgChunking& chunking,
                            const PaintTarget& target) {
    SanitizedSvg svg = SanitizeSvg(bytes.xml);
    bytes.xml.clear();
    if (svg.error != DrawingError::None) return Failed(svg.error, svg.message);
    if (svg.textPaths > kMaxTextPaths)
        return Failed(DrawingError::Refused,
                      Note(NoteId::DrawingSetsTextPath,
                           {std::to_string(svg.textPaths), std::to_string(kMaxTextPaths)}));
    const std::optional<Note> unset =
        svg.textOnPath ? SetTextAlongPaths(svg) : std::optional<Note>();
    SourceOutcome out = PaintSvgRead(svg, chunking, target);
    // Where the text Inkscape could not set was all there was, why is the answer.
    if (out.ok() && out.shapes == 0 && unset)
        return Failed(DrawingError::NothingToPlot, Note(NoteId::NoVisibleShapeBecause, {*unset}));
    return out;
}
