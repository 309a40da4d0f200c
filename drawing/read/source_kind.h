#pragma once
// The kind of a drawing file, told by its first bytes, never by its name.

#include <string_view>

enum class SourceKind {
    Svg,         // SVG or SVGZ; also whatever is none of the others, so the SVG reader says why
    Pdf,         // PDF, and Illustrator files saved PDF-based
    PostScript,  // EPS, PostScript, and Illustrator files saved PostScript-based
    Dxf,         // DXF, as text or binary (the binary one is refused by the DXF reader)
};

// The kind of the file that starts with `head` (a few hundred bytes are enough).
SourceKind SourceKindOf(std::string_view head);
