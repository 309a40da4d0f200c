#include "drawing/read/drawing_source.h"

#include <algorithm>

#include "drawing/read/dxf/dxf_paint.h"
#include "drawing/read/pdf/pdf_paint.h"
#include "drawing/read/pdf/postscript_pdf.h"
#include "drawing/read/source_kind.h"
#include "drawing/read/svg/svg_reader.h"
#include "drawing/read/svg/svg_source.h"

SourceOutcome PaintDrawingFile(const std::string& path, int page, const SvgChunking& chunking,
                               const PaintTarget& target, const SheetChoice& sheet) {
    // Read once, bounded, from the plain file only; every reader takes the bytes from here.
    SvgBytes head = ReadSvgBytes(path);
    if (head.error != DrawingError::None) return Failed(head.error, head.message);
    const SourceKind kind = SourceKindOf(
        std::string_view(head.xml.constData(), std::min<size_t>(head.xml.size(), 4096)));
    // A kind without pages is its one page, whatever page range the window holds.
    if (kind == SourceKind::Svg) return PaintSvgBytes(head, chunking, target);
    if (page > kMaxDocumentPage)
        return Failed(DrawingError::Refused,
                      Note(NoteId::PageBeyondPagesPlotted,
                           {std::to_string(page), std::to_string(kMaxDocumentPage)}));
    switch (kind) {
        case SourceKind::Pdf:
            return PaintPdf(head.xml, page, target);
        case SourceKind::PostScript:
            return PaintPostScript(head.xml, page, target);
        case SourceKind::Dxf:
            return PaintDxf(head.xml, page, sheet, target);
        case SourceKind::Svg:
            break;
    }
    return {};
}
