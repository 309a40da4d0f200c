#include "drawing/read/pdf/postscript_pdf.h"

#include <QFile>

#include "drawing/read/bounded_child.h"
#include "drawing/read/pdf/pdf_paint.h"

namespace {

// Ghostscript's own account of a fault: its "Error: ..." line, else its last line.
Note GhostscriptSaid(const QByteArray& errors) {
    const QList<QByteArray> lines = errors.split('\n');
    for (const QByteArray& line : lines) {
        const QByteArray text = line.simplified();
        if (text.startsWith("Error:")) return text.left(200).toStdString();
    }
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        const QByteArray text = it->simplified();
        if (!text.isEmpty()) return text.left(200).toStdString();
    }
    return NoteId::NoReasonGiven;
}

}  // namespace

PostScriptPdf PostScriptToPdf(const QByteArray& bytes, const PostScriptLimits& limits) {
    BoundedChild gs;
    if (!gs.hasFolder())
        return Failed<PostScriptPdf>(DrawingError::WriteFailed,
                                     NoteId::NoTemporaryFolderForGhostscript);
    const QString output = gs.file(QStringLiteral("page.pdf"));
    const QString input = gs.file(QStringLiteral("drawing.ps"));
    if (QString why; !gs.Give(QStringLiteral("drawing.ps"), bytes, &why))
        return Failed<PostScriptPdf>(DrawingError::WriteFailed,
                                     Note(NoteId::CannotCopyPostScriptFor, {why.toStdString()}));

    ChildBounds bounds;
    bounds.seconds = limits.seconds;
    // The time limit holds when this process is gone too: a loop never runs past its time on
    // its own.
    bounds.cpuSeconds = limits.seconds + 5;
    bounds.memoryBytes = limits.maxMemoryBytes;
    bounds.watchedFile = output;
    bounds.maxFileBytes = limits.maxPdfBytes;
    // Ghostscript says a PostScript error on its standard output, other faults on the error.
    bounds.keepsOutput = true;
    bounds.workingDirectory = gs.folder();
    const ChildEnd end =
        gs.Run(QStringLiteral("gs"),
               {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
                QStringLiteral("-dNOPAUSE"), QStringLiteral("-dEPSCrop"),
                // Pages as drawn: never turned by which way their text runs.
                QStringLiteral("-dAutoRotatePages=/None"), QStringLiteral("-sDEVICE=pdfwrite"),
                QStringLiteral("-sOutputFile=") + output, QStringLiteral("-f"), input},
               bounds);
    if (end.how == ChildEnd::How::NotStarted)
        return Failed<PostScriptPdf>(
            DrawingError::Unreadable,
            Note(NoteId::GhostscriptGsCannotStarted, {end.startError.toStdString()}));
    if (end.how == ChildEnd::How::TimedOut)
        return Failed<PostScriptPdf>(DrawingError::Refused, Note(NoteId::PostScriptStillRanAfter,
                                                                 {std::to_string(limits.seconds)}));
    if (end.how == ChildEnd::How::FileTooLarge)
        return Failed<PostScriptPdf>(DrawingError::Refused,
                                     Note(NoteId::PostScriptMakesMoreMB,
                                          {std::to_string(limits.maxPdfBytes / (1024 * 1024))}));
    const QByteArray& errors = gs.saidFirst();
    if (!end.ok())
        return Failed<PostScriptPdf>(
            DrawingError::Malformed,
            Note(NoteId::GhostscriptCannotReadPostScript, {GhostscriptSaid(errors)}));
    QFile pdf(output);
    if (pdf.size() > limits.maxPdfBytes)
        return Failed<PostScriptPdf>(DrawingError::Refused,
                                     Note(NoteId::PostScriptMakesMoreMBDrawing,
                                          {std::to_string(limits.maxPdfBytes / (1024 * 1024))}));
    if (!pdf.open(QIODevice::ReadOnly))
        return Failed<PostScriptPdf>(
            DrawingError::Malformed,
            Note(NoteId::GhostscriptMadePDFPostScript, {GhostscriptSaid(errors)}));
    PostScriptPdf out;
    out.pdf = pdf.readAll();
    return out;
}

SourceOutcome PaintPostScript(const QByteArray& bytes, int page, const PaintTarget& target) {
    const PostScriptPdf pdf = PostScriptToPdf(bytes, PostScriptLimits{});
    if (pdf.error != DrawingError::None) return Failed(pdf.error, pdf.message);
    SourceOutcome out = PaintPdf(pdf.pdf, page, target);
    if (out.error == DrawingError::Malformed)
        out.message = Note(NoteId::GhostscriptMadeNothingReadable, {out.message});
    return out;
}
