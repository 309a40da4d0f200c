#pragma once
// A PDF made safe for poppler's painter before it paints, with qpdf's library. The painter
// decodes every picture it is handed whole, at the size the picture declares (a picture of
// 46342 x 46342 pixels in 100 bytes of data crashes it; one of 20000 x 20000 takes 1.6 GB),
// and a plot has no use for pictures at all: so each picture becomes one of a single pixel
// before poppler sees it, still a picture (skipped with a note, as before) and never decoded.
// - every image XObject of the document: replaced in place, whoever draws it;
// - inline images in the content the page paints (its contents, forms, tiling patterns,
//   Type 3 glyphs, soft masks, annotations): replaced in that content.
// The same walk counts what the page's content makes poppler do, forms drawn within forms
// multiplied out: beyond kMaxPdfOperations, or a form that draws itself, the page is refused
// before poppler spends minutes on it. A document without pictures is handed on unchanged.

#include <QByteArray>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Why the page is not painted, with the values its words need (numbers, qpdf's own words, one
// line each). The words are the notes' (pdf_paint.cpp says it): pdf_prepare.cpp is built as
// C++17 for qpdf's headers and can't hold a note, so each reason is named as the note saying it.
struct PdfRefusal {
    enum Why {
        None,
        PDFPageMakesMore,         // the forms, drawn within each other, multiply the operations
        PDFPageMakesMoreDrawing,  // Type 3 glyphs shown within each other multiply them
        PDFPageMakesMoreDrawingOperations,  // a tiling pattern's cell repeats over the page
        FormXObjectPDFDraws,
        PdfFormsXObjectsDrawn,
        Type3FontPDF,
        ContentStreamPDFUnpacks,
        PdfPageTreeMore,
        PDFDocumentPagesCannot,
        PDFDocumentCannotRead,
    };
    Why why = None;
    std::vector<std::string> values;

    PdfRefusal() = default;
    PdfRefusal(Why reason, std::vector<std::string> reasonValues = {})  // NOLINT: a reason is one
        : why(reason), values(std::move(reasonValues)) {}
    explicit operator bool() const { return why != None; }
};

struct PreparedPdf {
    QByteArray pdf;        // what poppler paints: the document itself when nothing was replaced
    PdfRefusal refusal;    // set: the page is not painted
    bool bounded = false;  // refused for a bound, not for what qpdf could not read
    int64_t images = 0;    // image XObjects replaced in the document
    int64_t inlineImages = 0;
};

// Page `page` (1-based) of the PDF in `bytes`, which poppler has already opened and found not
// locked.
PreparedPdf PreparePdf(const QByteArray& bytes, int page);

// What the page's content may make poppler do, counting each operator of a form as often as
// the form is drawn.
inline constexpr int64_t kMaxPdfOperations = 20'000'000;
// Content a single stream may unpack to.
inline constexpr int64_t kMaxPdfContentBytes = 256 << 20;
// Forms drawn within forms.
inline constexpr int kMaxPdfFormNesting = 64;
