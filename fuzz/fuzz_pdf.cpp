// Any PDF must come out of the preparation for poppler's painter (qpdf's reading, the walk over
// what a page paints, pictures made one pixel) prepared or refused, without crash, overrun,
// undefined behaviour, leak or hang. Poppler's own painting is fuzzed where poppler is made.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "drawing/read/pdf/pdf_prepare.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const PreparedPdf first = PreparePdf(bytes, 1 + static_cast<int>(size % 2));
    if (first.refusal) {
        for (const std::string& value : first.refusal.values)
            if (value.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    // What was prepared is prepared: read again it is not refused, and no inline image shows
    // that the first reading missed (damaged content may read as fewer once its pictures are
    // pixels: what followed a picture without its ID is then read as content).
    if (first.pdf.constData() == bytes.constData()) return 0;
    const PreparedPdf again = PreparePdf(first.pdf, 1 + static_cast<int>(size % 2));
    if (again.refusal || again.inlineImages > first.inlineImages) std::abort();
    return 0;
}
