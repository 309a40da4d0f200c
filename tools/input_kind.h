#pragma once
// What a file given to trzn-plot holds, told by its first bytes, never by its name: file
// managers and users name files freely, and a PDF or a picture sent as a plot makes the plotter
// draw garbage or hang.

#include <string>
#include <string_view>

enum class InputKind {
    HpGl,  // plotter instructions, sent as they are
    Svg,   // an XML document whose root element is svg
    Svgz,  // gzip-compressed (an SVG inside, as far as anyone can tell before inflating it)
    Pdf,         // a PDF document, or an Illustrator file saved PDF-based
    PostScript,  // EPS or PostScript, or an Illustrator file saved PostScript-based
    Dxf,         // a DXF drawing (text or binary, which the reader refuses by name)
    Other,
};

// How many leading bytes SniffInput wants to see (fewer when the file is shorter).
inline constexpr size_t kSniffBytes = 64 * 1024;

// The kind of the file that starts with `head`. For Other, *what names what it seems to be
// ("a PDF document", "an XML document whose root element is html") or is left empty.
//
// XML: after an optional byte order mark and blanks, a '<'. The root element decides; when it
// can't be reached within `head` (a prolog cut short or broken) the file counts as an SVG, so
// that the drawing reader, which reads all of it, says exactly what is wrong and where.
//
// PDF, PostScript and DXF: as the drawing reader tells them (drawing_source.h), so that what
// trzn-plot takes is what the reader reads.
//
// HP-GL: the first few kilobytes read as instructions: two-letter mnemonics with their
// parameters, separators, and the escape sequences of device control, mode switches and printer
// job headers. Label texts, quoted strings, comments and encoded polylines may hold any byte.
// The file must begin with a known instruction (after separators and escapes); after that,
// bytes no instruction can hold (a NUL, a letter alone, punctuation of prose) are tolerated
// as plotters tolerate them, up to one in 64.
InputKind SniffInput(std::string_view head, std::string* what);

// The first kSniffBytes bytes of the file, or fewer; empty when it can't be read.
std::string ReadHead(const std::string& path);
