#include "drawing/read/pdf/pdf_paint.h"

#include <poppler-qt6.h>

#include <QPainter>

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/paint/pen_lines.h"
#include "drawing/paint/polyline_sink.h"
#include "drawing/read/collect_into.h"
#include "drawing/read/pdf/pdf_filter.h"
#include "drawing/read/pdf/pdf_prepare.h"
#include "drawing/read/qt_host.h"

namespace {

// A PDF ends with "%%EOF" (after its last update); poppler rebuilds a cut-off file as far as
// it goes and would plot part of a page without a word.
bool EndsLikePdf(const QByteArray& bytes) { return bytes.right(1024).contains("%%EOF"); }

// Poppler says what it finds wrong on the standard error; the plot says it once, as a note.
std::vector<std::string>* gPopplerSaid = nullptr;

int gSoftMasks = 0;

void HearPoppler(const QString& message, const QVariant&) {
    if (gPopplerSaid && gPopplerSaid->size() < 16)
        gPopplerSaid->push_back(message.simplified().toStdString());
}

// Poppler's QPainter backend leaves a transparency group used as a soft mask unpainted and
// says so through Qt, once per group.
void HearQt(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("transparency group that has not been painted"))) {
        ++gSoftMasks;
        return;
    }
    QtMessageCapture::PassOn(type, context, text);
}

class QuietPoppler {
public:
    explicit QuietPoppler(std::vector<std::string>* into) : _capture(HearQt) {
        gPopplerSaid = into;
        gSoftMasks = 0;
        Poppler::setDebugErrorFunction(HearPoppler, QVariant());
    }
    ~QuietPoppler() { gPopplerSaid = nullptr; }

private:
    QtMessageCapture _capture;
};

Note RefusalNote(const PdfRefusal& refusal) {
    const auto id = [](PdfRefusal::Why why) {
        switch (why) {
            case PdfRefusal::None:
                break;
            case PdfRefusal::PDFPageMakesMore:
                return NoteId::PDFPageMakesMore;
            case PdfRefusal::PDFPageMakesMoreDrawing:
                return NoteId::PDFPageMakesMoreDrawing;
            case PdfRefusal::PDFPageMakesMoreDrawingOperations:
                return NoteId::PDFPageMakesMoreDrawingOperations;
            case PdfRefusal::FormXObjectPDFDraws:
                return NoteId::FormXObjectPDFDraws;
            case PdfRefusal::PdfFormsXObjectsDrawn:
                return NoteId::PdfFormsXObjectsDrawn;
            case PdfRefusal::Type3FontPDF:
                return NoteId::Type3FontPDF;
            case PdfRefusal::ContentStreamPDFUnpacks:
                return NoteId::ContentStreamPDFUnpacks;
            case PdfRefusal::PdfPageTreeMore:
                return NoteId::PdfPageTreeMore;
            case PdfRefusal::PDFDocumentPagesCannot:
                return NoteId::PDFDocumentPagesCannot;
            case PdfRefusal::PDFDocumentCannotRead:
                return NoteId::PDFDocumentCannotRead;
        }
        return NoteId::PDFDocumentCannotReadSafely;
    };
    return Note(id(refusal.why), std::vector<Note>(refusal.values.begin(), refusal.values.end()));
}

}  // namespace

SourceOutcome PaintPdf(const QByteArray& bytes, int page, const PaintTarget& target) {
    EnsureQtGuiApplication();
    std::vector<std::string> said;
    QuietPoppler quiet(&said);
    if (!EndsLikePdf(bytes))
        return Failed(DrawingError::Malformed,
                      NoteId::PDFDocumentCutOff);
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::loadFromData(bytes);
    if (!doc)
        return Failed(DrawingError::Malformed, NoteId::PDFDocumentPopplerRead);
    if (doc->isLocked())
        return Failed(DrawingError::Refused,
                      NoteId::PDFDocumentProtectedPassword);
    SourceOutcome out;
    out.pages = doc->numPages();
    if (out.pages <= 0) return Failed(DrawingError::Malformed, NoteId::PdfHasNoPage);
    if (page < 1 || page > out.pages)
        return Failed(DrawingError::Refused,
                      Note(out.pages == 1 ? NoteId::PdfHasOnePageNoPage : NoteId::PdfHasPagesNoPage,
                           {std::to_string(out.pages), std::to_string(page)}));
    const PreparedPdf prepared = PreparePdf(bytes, page);
    if (prepared.refusal)
        return Failed(prepared.bounded ? DrawingError::Refused : DrawingError::Malformed,
                      RefusalNote(prepared.refusal));
    if (prepared.pdf.constData() != bytes.constData()) {
        doc = Poppler::Document::loadFromData(prepared.pdf);
        if (!doc || doc->numPages() != out.pages)
            return Failed(DrawingError::Malformed, NoteId::PDFDocumentCannotReadSafely);
    }
    std::unique_ptr<Poppler::Page> pdfPage = doc->page(page - 1);
    if (!pdfPage)
        return Failed(DrawingError::Malformed,
                      Note(NoteId::PagePDFDocumentCannot, {std::to_string(page)}));
    doc->setRenderBackend(Poppler::Document::QPainterBackend);
    // Painted at this resolution one PDF point is exactly its plotter units on the paper.
    const double unitsPerInch = 25.4 * kPlotUnitsPerMm * target.area.scale;

    int64_t shadings = 0;
    int images = 0;
    PenLines lines(target.pens, target.sink);
    {
        PathCollectorDevice device(target.area.width, target.area.height,
                                   CollectInto(target, lines, &out.shapes));
        // What lies beyond the page is not plotted, as a PDF viewer shows the page.
        const QSizeF sheet = pdfPage->pageSizeF() * (unitsPerInch / 72);
        if (sheet.width() > 0 && sheet.height() > 0) device.SetCanvas(QRectF(QPointF(0, 0), sheet));
        QPainter onward(&device);
        PdfPlotFilter filter(onward, target.area.width, target.area.height);
        QPainter painter(&filter);
        if (!pdfPage->renderToPainter(&painter, unitsPerInch, unitsPerInch))
            return Failed(DrawingError::Malformed,
                          Note(NoteId::PagePDFDocumentCannotPainted, {std::to_string(page)}));
        painter.end();
        filter.Finish();
        onward.end();
        images = filter.images() + device.rasterImages();
        shadings = filter.shadings();
    }
    if (lines.refusal()) return Failed(DrawingError::Refused, *lines.refusal());
    if (out.shapes == 0 && images > 0)
        return Failed(DrawingError::NothingToPlot,
                      NoteId::PageHoldsOnlyPictures);
    for (const Note& note : lines.notes()) AddNote(&out.notes, note);
    if (images > 0) AddNote(&out.notes, NoteId::ImagesSkipped);
    if (shadings > 0) AddNote(&out.notes, NoteId::ShadingsColourGradientsSkipped);
    if (gSoftMasks > 0) AddNote(&out.notes, NoteId::SoftMasksTransparencyUsed);
    if (!said.empty()) AddNote(&out.notes, Note(NoteId::PDFReaderFoundFaults, {said.front()}));
    if (target.sink.nonFinite() > 0)
        AddNote(&out.notes, NoteId::PointsInvalidNonFinite);
    return out;
}
