#include "drawing/drawing_source.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>

#include "drawing/dxf_paint.h"
#include "drawing/pdf_paint.h"
#include "drawing/postscript_pdf.h"
#include "drawing/svg_paint.h"
#include "drawing/svg_sanitize.h"
#include "drawing/svg_source.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A text DXF is pairs of lines, a group code then its value; it opens with a section ("0",
// "SECTION"), after comments (999) if any.
bool LooksLikeDxf(std::string_view head) {
    size_t p = 0;
    const auto line = [&]() {
        const size_t end = head.find('\n', p);
        std::string_view text = head.substr(p, end == std::string_view::npos ? head.npos : end - p);
        p = end == std::string_view::npos ? head.size() : end + 1;
        while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
        while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
        return text;
    };
    for (int pair = 0; pair < 64 && p < head.size(); ++pair) {
        const std::string_view code = line();
        const std::string_view value = line();
        if (code == "999") continue;
        return code == "0" && value == "SECTION";
    }
    return false;
}

SourceOutcome Failed(DrawingError error, std::string message) {
    SourceOutcome out;
    out.error = error;
    out.message = std::move(message);
    return out;
}

SourceOutcome PaintSvgBytes(SvgBytes& bytes, const SvgChunking& chunking,
                            const PaintTarget& target) {
    SanitizedSvg svg = SanitizeSvg(bytes.xml);
    bytes.xml.clear();
    if (svg.error != DrawingError::None) return Failed(svg.error, svg.message);
    SourceOutcome out;
    out.notes = svg.notes;
    const PaintOutcome painted = PaintSvg(svg, target.area, target.pens, target.sink, target.store,
                                          target.maxPoints, chunking);
    svg.xml.clear();
    if (!painted.loaded) {
        std::string why = painted.loadError;
        std::replace(why.begin(), why.end(), '\n', ' ');
        return Failed(DrawingError::NotSvg, "not an SVG drawing Qt can read: " + why);
    }
    if (!painted.refusal.empty()) return Failed(DrawingError::Refused, painted.refusal);
    for (const std::string& note : painted.notes) AddNote(&out.notes, note);
    out.shapes = painted.shapes;
    return out;
}

SourceOutcome PaintPostScript(const QByteArray& bytes, int page, const PaintTarget& target) {
    const PostScriptPdf pdf = PostScriptToPdf(bytes, PostScriptLimits{});
    if (pdf.error != DrawingError::None) return Failed(pdf.error, pdf.message);
    SourceOutcome out = PaintPdf(pdf.pdf, page, target);
    if (out.error == DrawingError::Malformed)
        out.message = "ghostscript made nothing readable of the PostScript: " + out.message;
    return out;
}

}  // namespace

SourceKind SourceKindOf(std::string_view head) {
    // XML is an SVG's (or nobody's) whatever it mentions: "%PDF-" in a comment changes nothing.
    std::string_view text = head.substr(0, 3) == "\xEF\xBB\xBF" ? head.substr(3) : head;
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    if (text.substr(0, 1) == "<" || head.substr(0, 2) == "\xFF\xFE" ||
        head.substr(0, 2) == "\xFE\xFF")
        return SourceKind::Svg;
    // A PDF may carry a few bytes of something else before its header; readers accept that.
    const size_t pdf = head.substr(0, 1024).find("%PDF-");
    if (pdf != std::string_view::npos) return SourceKind::Pdf;
    if (head.substr(0, 2) == "%!") return SourceKind::PostScript;
    // An EPS with a preview picture for DOS starts with a binary header that says where the
    // PostScript is; ghostscript reads it.
    if (head.substr(0, 4) == "\xC5\xD0\xD3\xC6") return SourceKind::PostScript;
    if (head.substr(0, 18) == "AutoCAD Binary DXF" || LooksLikeDxf(head.substr(0, 4096)))
        return SourceKind::Dxf;
    return SourceKind::Svg;
}

SourceOutcome PaintDrawingFile(const std::string& path, int page, const SvgChunking& chunking,
                               const PaintTarget& target) {
    // Read once, bounded, from the plain file only; every reader takes the bytes from here.
    SvgBytes head = ReadSvgBytes(path);
    if (head.error != DrawingError::None) return Failed(head.error, head.message);
    const SourceKind kind = SourceKindOf(
        std::string_view(head.xml.constData(), std::min<size_t>(head.xml.size(), 4096)));
    // A kind without pages is its one page, whatever page range the window holds.
    if (kind == SourceKind::Svg) return PaintSvgBytes(head, chunking, target);
    if (page > kMaxDocumentPage)
        return Failed(DrawingError::Refused, "page " + std::to_string(page) +
                                                 " is beyond the " +
                                                 std::to_string(kMaxDocumentPage) +
                                                 " pages plotted from one document");
    switch (kind) {
        case SourceKind::Pdf:
            return PaintPdf(head.xml, page, target);
        case SourceKind::PostScript:
            return PaintPostScript(head.xml, page, target);
        case SourceKind::Dxf:
            return PaintDxf(head.xml, target);
        case SourceKind::Svg:
            break;
    }
    return {};
}

PaintedPathSink CollectInto(const PaintTarget& target, PenLines& lines, int64_t* shapes) {
    return [&target, &lines, shapes](const PaintedPath& p) {
        if (target.sink.full() || target.store.points() >= target.maxPoints ||
            !lines.refusal().empty())
            return;
        ++*shapes;
        // Hatching past what the plot can still hold is refused before it is made, not after
        // it has filled memory.
        lines.SetRoom(target.maxPoints - target.store.points());
        lines.Draw(p);
        target.store.Take(target.sink.paths(), target.sink.pens());
    };
}

void EnsureQtGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 3;
    static char arg0[] = "trzn-drawing", arg1[] = "-platform", arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}
