#pragma once
// EPS and PostScript (and Illustrator files saved PostScript-based) made into a PDF by
// ghostscript, run as a program of its own: the PostScript is a program too, and may loop,
// write files or fill the disk. -dSAFER keeps it from every file but its own; a time limit, an
// output limit and a memory limit stop the rest. The PDF then goes the PDF way.

#include <QByteArray>
#include <string>

#include "drawing/read/reader_contract.h"

struct PostScriptLimits {
    int seconds = 30;                               // a `{} loop` is stopped after this
    qint64 maxPdfBytes = 256LL * 1024 * 1024;       // what ghostscript may write
    qint64 maxMemoryBytes = 2048LL * 1024 * 1024;   // its address space
};

struct PostScriptPdf : ReadStatus {
    QByteArray pdf;
};

// Runs `gs` on `bytes`, the PostScript as read from its file (an EPS is cropped to its bounding
// box). Ghostscript gets a copy in a temporary folder of its own, so it reads exactly what was
// read and checked, and nothing the file's name could lead to; the folder is removed after.
PostScriptPdf PostScriptToPdf(const QByteArray& bytes, const PostScriptLimits& limits);

// The PostScript in `bytes` made into a PDF as above, and its page `page` painted into `target`.
SourceOutcome PaintPostScript(const QByteArray& bytes, int page, const PaintTarget& target);
