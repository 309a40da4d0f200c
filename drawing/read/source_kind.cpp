#include "drawing/read/source_kind.h"

#include <string>

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
