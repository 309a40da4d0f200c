// Telling plots and drawings from everything else by content: a miss either refuses a real
// plot or sends a PDF's bytes to the plotter.

#include "tools/input_kind.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "drawing/read/drawing_source.h"

namespace {

using namespace std::string_literals;

TEST(InputKind, TellsPlotsAndDrawingsFromTheRest) {
    const struct {
        const char* name;
        std::string head;
        InputKind kind;
    } rows[] = {
        {"svg_bare", "<svg width='1'/>", InputKind::Svg},
        {"svg_bom_prolog",
         "\xEF\xBB\xBF  <?xml version=\"1.0\"?>\n<!-- made by hand -->\n"
         "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" \"x.dtd\" [<!ENTITY a \"b\">]>\n"
         "<?xml-stylesheet href=\"a.css\"?><svg xmlns=\"http://www.w3.org/2000/svg\">",
         InputKind::Svg},
        {"svg_prefixed_root", "<s:svg xmlns:s=\"http://www.w3.org/2000/svg\"><s:g/>",
         InputKind::Svg},
        {"svg_cut_in_prolog", "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY", InputKind::Svg},
        {"svg_broken_tag", "<svg width=\"1\" <g>", InputKind::Svg},
        {"svg_naming_pdf", "<!-- %PDF-1.4 --><svg/>", InputKind::Svg},
        {"xhtml", "<?xml version=\"1.0\"?><html><svg/></html>", InputKind::Other},
        {"gzip", "\x1F\x8B\x08\x00"s, InputKind::Svgz},
        {"hpgl_plain", "IN;SP1;PU0,0;PD1000,0,1000,1000;PU;SP0;", InputKind::HpGl},
        {"hpgl_framed", "\x1B.(IN;IW;IW0,0,10,10;\x1B.@1024;0:SP1;PD;\x1B.)", InputKind::HpGl},
        {"hpgl_lower_no_separators", "in sp1 pu0 0pd10 10\r\npu\x1A", InputKind::HpGl},
        {"hpgl_labels_any_byte", "IN;DT#;LBcaf\xE9 \x90\x7d!;#DT;LBx\x03PU;", InputKind::HpGl},
        {"hpgl_encoded_polyline", "IN;PE<=\xC1\xE2?@a_;SP0;", InputKind::HpGl},
        {"hpgl2_job_header",
         "\x1B%-12345X@PJL ENTER LANGUAGE=HPGL2\r\n\x1B"
         "E\x1B%0BIN;BP1,\"job\";SP1;"s,
         InputKind::HpGl},
        {"hpgl_makers_extension", "IN;!PG;!ST1;PA0,0;", InputKind::HpGl},
        {"hpgl_comment_and_junk",
         "CO made by hand;IN;PS5000,7000;SP1;PA1016,5080;PD:\nBZ1016,8128,5588,5080;SP0;PG\n",
         InputKind::HpGl},
        {"pdf", "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n", InputKind::Pdf},
        {"pdf_after_junk", "\r\n\r\n%PDF-1.4\n", InputKind::Pdf},
        {"ai_pdf_based", "%PDF-1.6\r%\xE2\xE3\xCF\xD3\r\n1 0 obj<</Illustrator 1>>", InputKind::Pdf},
        {"ai_postscript_based", "%!PS-Adobe-3.0 \r%%Creator: Adobe Illustrator(R) 8.0\r",
         InputKind::PostScript},
        {"eps", "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 10 10\n", InputKind::PostScript},
        {"eps_dos_preview", "\xC5\xD0\xD3\xC6\x20\x00\x00\x00"s, InputKind::PostScript},
        {"dxf", "  0\nSECTION\n  2\nHEADER\n", InputKind::Dxf},
        {"dxf_crlf_comment", "999\r\nmade by hand\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n",
         InputKind::Dxf},
        {"dxf_binary", "AutoCAD Binary DXF\r\n\x1A\x00"s, InputKind::Dxf},
        {"dxf_like_but_not", "  0\nSECTIONS\n", InputKind::Other},
        {"png", "\x89PNG\r\n\x1A\n"s, InputKind::Other},
        {"binary_nul", "IN;SP1;\0\0\x01\x02"s, InputKind::Other},
        {"prose_with_mnemonic_start", "In the beginning, the plotter drew.", InputKind::Other},
        {"prose_a_label_would_swallow", "PAM: Pluggable Authentication Modules.\n",
         InputKind::Other},
        {"unknown_first_mnemonic", "XQ;PU0,0;", InputKind::Other},
        {"blank", " \r\n\t", InputKind::Other},
    };
    // What trzn-plot takes as a drawing, the drawing reader reads as the same kind.
    const std::map<InputKind, SourceKind> reader = {{InputKind::Svg, SourceKind::Svg},
                                                    {InputKind::Pdf, SourceKind::Pdf},
                                                    {InputKind::PostScript, SourceKind::PostScript},
                                                    {InputKind::Dxf, SourceKind::Dxf}};
    for (const auto& row : rows) {
        std::string what;
        EXPECT_EQ(SniffInput(row.head, &what), row.kind) << row.name;
        if (reader.count(row.kind)) {
            EXPECT_EQ(SourceKindOf(row.head), reader.at(row.kind)) << row.name;
        }
    }
}

}  // namespace
