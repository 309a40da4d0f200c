#include "drawing/read/pdf/postscript_pdf.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "drawing/read/bounded_child.h"

namespace {

// Ghostscript's own account of a fault: its "Error: ..." line, else its last line.
std::string GhostscriptSaid(const QByteArray& errors) {
    const QList<QByteArray> lines = errors.split('\n');
    for (const QByteArray& line : lines) {
        const QByteArray text = line.simplified();
        if (text.startsWith("Error:")) return text.left(200).toStdString();
    }
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        const QByteArray text = it->simplified();
        if (!text.isEmpty()) return text.left(200).toStdString();
    }
    return "no reason given";
}

}  // namespace

PostScriptPdf PostScriptToPdf(const QByteArray& bytes, const PostScriptLimits& limits) {
    QTemporaryDir dir;
    if (!dir.isValid())
        return Failed<PostScriptPdf>(DrawingError::WriteFailed,
                                     NoteId::NoTemporaryFolderForGhostscript);
    const QString output = dir.filePath(QStringLiteral("page.pdf"));
    const QString input = dir.filePath(QStringLiteral("drawing.ps"));
    QFile copy(input);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size() || !copy.flush())
        return Failed<PostScriptPdf>(
            DrawingError::WriteFailed,
            "can't copy the PostScript for ghostscript: " + copy.errorString().toStdString());
    copy.close();

    QProcess gs;
    // Ghostscript says a PostScript error on its standard output, other faults on the error.
    gs.setProcessChannelMode(QProcess::MergedChannels);
    gs.setStandardInputFile(QProcess::nullDevice());
    gs.setWorkingDirectory(dir.path());
    // Ghostscript's own scratch files go into the folder that goes with this call, also when
    // it is killed and can't remove them itself.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), dir.path());
    gs.setProcessEnvironment(environment);
    // The time limit holds when this process is gone too: a loop never runs past its time on
    // its own.
    BoundChild(gs, limits.maxMemoryBytes, limits.seconds + 5);
    gs.start(QStringLiteral("gs"),
             {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
              QStringLiteral("-dNOPAUSE"), QStringLiteral("-dEPSCrop"),
              // Pages as drawn: never turned by which way their text runs.
              QStringLiteral("-dAutoRotatePages=/None"), QStringLiteral("-sDEVICE=pdfwrite"),
              QStringLiteral("-sOutputFile=") + output, QStringLiteral("-f"), input});
    if (!gs.waitForStarted(10000))
        return Failed<PostScriptPdf>(DrawingError::Unreadable,
                                     "ghostscript (gs) can't be started to read the PostScript: " +
                                         gs.errorString().toStdString());

    QElapsedTimer clock;
    clock.start();
    QByteArray errors;
    std::string stopped;
    while (!gs.waitForFinished(50)) {
        errors += gs.readAllStandardOutput().left(64 * 1024 - errors.size());
        if (clock.elapsed() > limits.seconds * 1000LL)
            stopped = "the PostScript still ran after " + std::to_string(limits.seconds) +
                      " s and was stopped (a program that never ends?)";
        else if (QFileInfo(output).size() > limits.maxPdfBytes)
            stopped = "the PostScript makes more than " +
                      std::to_string(limits.maxPdfBytes / (1024 * 1024)) +
                      " MB of drawing and was stopped";
        if (!stopped.empty()) {
            gs.kill();
            gs.waitForFinished(5000);
            return Failed<PostScriptPdf>(DrawingError::Refused, stopped);
        }
    }
    errors += gs.readAllStandardOutput().left(64 * 1024 - errors.size());
    if (gs.exitStatus() != QProcess::NormalExit || gs.exitCode() != 0)
        return Failed<PostScriptPdf>(
            DrawingError::Malformed,
            "ghostscript can't read the PostScript: " + GhostscriptSaid(errors));
    QFile pdf(output);
    if (pdf.size() > limits.maxPdfBytes)
        return Failed<PostScriptPdf>(DrawingError::Refused,
                                     "the PostScript makes more than " +
                                         std::to_string(limits.maxPdfBytes / (1024 * 1024)) +
                                         " MB of drawing");
    if (!pdf.open(QIODevice::ReadOnly))
        return Failed<PostScriptPdf>(
            DrawingError::Malformed,
            "ghostscript made no PDF of the PostScript (" + GhostscriptSaid(errors) + ")");
    PostScriptPdf out;
    out.pdf = pdf.readAll();
    return out;
}
