#!/usr/bin/env python3
"""Writes small drawings a hostile sender could make, one file each into DIR (made for the
tests and for bench/hostile_figures.sh alike): pictures declaring billions of pixels, forms
drawn within forms, DXF lines longer than dxflib's buffer, counts declared far beyond the data,
numbers that are none, one short line drawn over and over, clips, markers and patterns that
refer to themselves, a dash pattern with a negative dash and ones finer than a plotter draws,
markers drawn within markers, text on a path many times over or along another file's path, and
what else multiplies: tiling cells, Type 3 glyphs within glyphs, page trees, inserted blocks and
linetype dashes."""
import random
import math
import sys
import zlib

LINE = b"0 0 0 RG 10 10 m 100 10 l S\n"


def pdf_objects(objects):
    out, offsets = b"%PDF-1.4\n", []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n%s\nendobj\n" % (number, body)
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    out += b"".join(b"%010d 00000 n \n" % at for at in offsets)
    return out + b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, xref)


def pdf(content, resources=b"<< >>", more=(), keys=b""):
    return pdf_objects([b"<< /Type /Catalog /Pages 2 0 R >>",
                        b"<< /Type /Pages /Count 1 /Kids [3 0 R] >>",
                        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Resources " +
                        resources + b" /Contents 4 0 R >>", stream(content, keys)] + list(more))


def svg(body):
    """A drawing 100 mm square whose shapes are stroked black."""
    return (b"<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='100mm' "
            b"viewBox='0 0 100 100' stroke='black'>" + body + b"</svg>")


def stream(data, keys=b""):
    return b"<< /Length %d %s >>\nstream\n%s\nendstream" % (len(data), keys, data)


def image(side):
    keys = b"/Subtype /Image /Width %d /Height %d /ColorSpace /DeviceGray /BitsPerComponent 8" % (
        side, side)
    return pdf(LINE + b"q 100 0 0 100 50 50 cm /Im Do Q\n", b"<< /XObject << /Im 5 0 R >> >>",
               [stream(b"\0" * 100, keys)])


def forms(depth, fan):
    # Form k draws form k - 1 `fan` times; form 0 draws a line. Objects 5.. are the forms.
    more = [stream(LINE, b"/Subtype /Form /BBox [0 0 200 200]")]
    for k in range(1, depth):
        more.append(stream(b"/F Do " * fan, b"/Subtype /Form /BBox [0 0 200 200] "
                           b"/Resources << /XObject << /F %d 0 R >> >>" % (4 + k)))
    return pdf(b"/F Do\n", b"<< /XObject << /F %d 0 R >> >>" % (4 + depth), more)


def form_pdf(form_content, form_keys=b""):
    return pdf(b"/F Do\n", b"<< /XObject << /F 5 0 R >> >>",
               [stream(form_content, b"/Subtype /Form /BBox [0 0 200 200] " + form_keys)])


def coincident_pdf(copies):
    data = zlib.compress(b"0 0 0 RG " + b"10 10 m 12 10 l S\n" * copies, 9)
    return pdf(data, keys=b"/Filter /FlateDecode")


def markers(wide, deep):
    """Markers whose shapes carry markers: `wide` vertices each, `deep` levels."""
    vertices = b"M0 0" + b"L1 0" * (wide - 1)
    body = b"<marker id='m0' overflow='visible'><path d='M0 0L1 0'/></marker>"
    for level in range(1, deep):
        body += (b"<marker id='m%d' overflow='visible'><path d='%s' marker-mid='url(#m%d)'/>"
                 b"</marker>" % (level, vertices, level - 1))
    return svg(body + b"<path d='%s' marker-mid='url(#m%d)'/>" % (vertices, deep - 1))


def dashed(dash, librsvg):
    """A line dashed `dash` user units (millimetres) long; a mask sends it to librsvg."""
    mask = b"<mask id='k'><rect width='100' height='100' fill='white'/></mask>" if librsvg else b""
    return svg(mask + b"<line x2='90' y1='10' y2='10' stroke-width='0.1' stroke-dasharray='%s'%s/>"
               % (dash, b" mask='url(#k)'" if librsvg else b""))


def dxf(entities, opening=""):
    return (opening + "  0\nSECTION\n  2\nHEADER\n  9\n$INSUNITS\n 70\n4\n  0\nENDSEC\n"
            "  0\nSECTION\n  2\nENTITIES\n" + entities + "  0\nENDSEC\n  0\nEOF\n").encode()


def line(x2="100"):
    return "  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n" + x2 + "\n 21\n0\n"


def ellipse(ratio):
    return "  0\nELLIPSE\n  8\n0\n 10\n0\n 20\n0\n 11\n20\n 21\n0\n 40\n" + ratio + "\n"


def linetype(name, *elements):
    # A TABLES section of one LTYPE, for the opening of dxf().
    return ("  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLTYPE\n  0\nLTYPE\n  2\n" + name +
            "\n 70\n0\n 72\n65\n 73\n%d\n 40\n%s\n" % (len(elements), sum(elements)) +
            "".join(" 49\n%s\n 74\n0\n" % e for e in elements) + "  0\nENDTAB\n  0\nENDSEC\n")


def dashed_line(name, x2):
    return "  0\nLINE\n  8\n0\n  6\n" + name + "\n 10\n0\n 20\n0\n 11\n" + x2 + "\n 21\n0\n"


def tiling(step):
    # A page filled with a pattern whose cell is `step` points square.
    cell = stream(b"0 0 m %g %g l S" % (step, step), b"/PatternType 1 /PaintType 1 /TilingType 1 "
                  b"/BBox [0 0 %g %g] /XStep %g /YStep %g /Resources << >>" % ((step,) * 4))
    return pdf(b"/Pattern cs /P scn 0 0 200 200 re f\n", b"<< /Pattern << /P 5 0 R >> >>", [cell])


def type3(levels, shown):
    # Font k (object 5 + 2k, its glyph 6 + 2k) shows glyph "a" of font k + 1 `shown` times; the
    # last font's glyph shows itself when `levels` is 0, else draws a line.
    def font(k, nxt):
        return (b"<< /Type /Font /Subtype /Type3 /FontBBox [0 0 750 750] /FontMatrix [0.001 0 0 "
                b"0.001 0 0] /CharProcs << /a %d 0 R >> /Encoding << /Type /Encoding /Differences "
                b"[97 /a] >> /FirstChar 97 /LastChar 97 /Widths [1000] /Resources << /Font << /F "
                b"%d 0 R >> >> >>" % (6 + 2 * k, nxt))
    more = []
    for k in range(max(levels, 1)):
        last = k == max(levels, 1) - 1
        nxt = 5 + 2 * (k + 1) if not last else 5 + 2 * k
        body = b"1000 0 0 0 750 750 d1 "
        body += (b"0 0 m 750 0 l S" if levels and last else b"BT /F 1 Tf (" + b"a" * shown +
                 b") Tj ET")
        more += [font(k, nxt), stream(body)]
    return pdf(b"BT /F 12 Tf 10 10 Td (a) Tj ET\n", b"<< /Font << /F 5 0 R >> >>", more)


def page_tree(depth):
    # Pages within pages `depth` deep, one page at the bottom.
    objects = [b"<< /Type /Catalog /Pages 2 0 R >>"]
    for k in range(depth):
        objects.append(b"<< /Type /Pages /Count 1 /Kids [%d 0 R] >>" % (3 + k))
    objects.append(b"<< /Type /Page /Parent %d 0 R /MediaBox [0 0 200 200] /Contents %d 0 R >>"
                   % (depth + 1, depth + 3))
    objects.append(stream(LINE))
    return pdf_objects(objects)


def dxf_blocks(blocks, entities, opening=""):
    return dxf(entities, opening + "  0\nSECTION\n  2\nBLOCKS\n" + blocks + "  0\nENDSEC\n")


def block(name, entities):
    return ("  0\nBLOCK\n  8\n0\n  2\n" + name + "\n 70\n0\n 10\n0\n 20\n0\n" + entities +
            "  0\nENDBLK\n")


def insert_array(name, cols, rows, step):
    return ("  0\nINSERT\n  8\n0\n  2\n" + name + "\n 10\n0\n 20\n0\n 70\n%d\n 71\n%d\n"
            " 44\n%g\n 45\n%g\n" % (cols, rows, step, step))


def polyline(vertices):
    return ("  0\nLWPOLYLINE\n  8\n0\n 90\n%d\n" % vertices +
            "".join(" 10\n%d\n 20\n%d\n" % (i % 100, i // 100 % 2) for i in range(vertices)))


def hatch(step, dashes=()):
    # A 20 mm square hatched with lines along x, `step` apart, dashed by `dashes`.
    corners = [(0, 0), (20, 0), (20, 20), (0, 20)]
    edges = "".join(" 72\n1\n 10\n%d\n 20\n%d\n 11\n%d\n 21\n%d\n" % (a + b)
                    for a, b in zip(corners, corners[1:] + corners[:1]))
    return ("  0\nHATCH\n  8\n0\n  2\nP\n 70\n0\n 71\n0\n 91\n1\n 92\n1\n 93\n4\n" + edges +
            " 97\n0\n 75\n0\n 76\n1\n 52\n0\n 41\n1\n 77\n0\n 78\n1\n 53\n0\n 43\n0\n"
            " 44\n0\n 45\n0\n 46\n" + step + "\n 79\n%d\n" % len(dashes) +
            "".join(" 49\n%s\n" % d for d in dashes) + " 98\n0\n")


def fit_spline(points):
    return ("  0\nSPLINE\n  8\n0\n 70\n8\n 71\n3\n 72\n0\n 73\n0\n 74\n%d\n" % len(points) +
            "".join(" 11\n%.6f\n 21\n%.6f\n" % p for p in points))
def style(name, font):
    # A TABLES section of one text style, for the opening of dxf().
    return ("  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nSTYLE\n  0\nSTYLE\n  2\n" + name +
            "\n 70\n0\n 40\n0\n 41\n1\n 50\n0\n 71\n0\n 42\n2.5\n  3\n" + font +
            "\n  4\n\n  0\nENDTAB\n  0\nENDSEC\n")


def styled_text(name, words):
    return "  0\nTEXT\n  8\n0\n  7\n" + name + "\n 10\n0\n 20\n20\n 40\n5\n  1\n" + words + "\n"


def mtext(chunks, words):
    # An MTEXT of `chunks` pieces of 250 characters (group 3) and its last piece (group 1).
    return ("  0\nMTEXT\n  8\n0\n 10\n0\n 20\n0\n 40\n5\n" + (" 3\n" + words * 250 + "\n") * chunks
            + "  1\nH\n")


def mtext_fonts(runs):
    # An MTEXT whose every letter is in a font of its own, in pieces of 250 characters.
    codes = "".join("{\\fF%d;H}" % i for i in range(runs))
    return ("  0\nMTEXT\n  8\n0\n 10\n0\n 20\n0\n 40\n5\n" +
            "".join(" 3\n" + codes[i:i + 250] + "\n" for i in range(0, len(codes), 250)) +
            "  1\nH\n")


def dimension(kind, block):
    return "  0\nDIMENSION\n  8\n0\n  2\n" + block + "\n 70\n" + kind + "\n"


def files():
    rng = random.Random(34)
    text = "  0\nTEXT\n  8\n0\n 10\n0\n 20\n20\n 40\n5\n  1\n" + "H" * 2000 + "\n"
    huge = "666666666666666666"
    return {
        "image_46342.pdf": image(46342),
        "image_20000.pdf": image(20000),
        "image_100000.pdf": image(100000),
        "inline_image_46342.pdf": pdf(LINE + b"q 100 0 0 100 50 50 cm BI /W 46342 /H 46342 "
                                      b"/CS /G /BPC 8 ID " + b"\0" * 100 + b" EI Q\n"),
        "imagemask_46342.ps": b"%!PS\n/s 100 string def\n10 10 moveto 100 10 lineto stroke\n"
                              b"46342 46342 true [46342 0 0 46342 0 0] {s} imagemask\nshowpage\n",
        "forms_30_deep.pdf": forms(30, 10),
        "forms_3_deep.pdf": forms(3, 3),
        "form_draws_itself.pdf": form_pdf(LINE + b"/F Do\n",
                                          b"/Resources << /XObject << /F 5 0 R >> >>"),
        "inline_image_in_form.pdf": form_pdf(LINE + b"BI /W 46342 /H 46342 /CS /G /BPC 8 ID " +
                                             b"\0" * 100 + b" EI\n"),
        "lines_100000.pdf": coincident_pdf(100_000),
        "lines_1000000.pdf": coincident_pdf(1_000_000),
        "lines_100000.svg": b"<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='100mm'>"
                            + b"<line x1='10' y1='10' x2='12' y2='10' stroke='black'/>" * 100_000
                            + b"</svg>",
        "clip_self.svg": svg(b"<clipPath id='a' clip-path='url(#a)'><rect width='50' height='50'/>"
                             b"</clipPath><line x2='100' y1='10' y2='10' clip-path='url(#a)'/>"),
        "clip_cycle.svg": svg(b"<clipPath id='a' clip-path='url(#b)'><rect width='50' height='50'/>"
                              b"</clipPath><clipPath id='b' clip-path='url(#a)'><rect width='9' "
                              b"height='9'/></clipPath><line x2='100' y1='5' y2='5' clip-path='url(#a)'/>"),
        "marker_self.svg": svg(b"<marker id='m' markerWidth='9' markerHeight='9'><path d='M0 0 L5 5' "
                               b"marker-end='url(#m)'/></marker><path d='M0 9 L90 9' marker-end='url(#m)'/>"),
        "pattern_self.svg": svg(b"<pattern id='p' width='5' height='5' patternUnits='userSpaceOnUse'>"
                                b"<rect width='5' height='5' fill='url(#p)'/></pattern>"
                                b"<rect width='50' height='50' fill='url(#p)'/>"),
        "clip_by_use_cycle.svg": svg(b"<clipPath id='c'><use href='#u'/></clipPath><g id='u' "
                                     b"clip-path='url(#c)'><circle r='9'/></g>"
                                     b"<line x2='100' y1='5' y2='5' clip-path='url(#c)'/><line x2='100' y1='50' y2='50'/>"),
        "mask_self.svg": svg(b"<mask id='k'><rect width='50' height='50' fill='white' mask='url(#k)'/>"
                             b"</mask><line x2='100' y1='5' y2='5' mask='url(#k)'/>"),
        "pattern_tile_1e-6.svg": b"<svg xmlns='http://www.w3.org/2000/svg'><pattern id='p' "
                                 b"width='1e-6' height='1e-6' patternUnits='userSpaceOnUse'><path "
                                 b"d='M0 0L1e-6 1e-6' stroke='black'/></pattern><rect width='100' "
                                 b"height='100' fill='url(#p)'/></svg>",
        "dash_negative.svg": svg(b"<line x2='100' y1='10' y2='10' stroke-dasharray='5,-2'/>"),
        "markers_600_3_deep.svg": markers(600, 3),
        "markers_300_3_deep.svg": markers(300, 3),
        "markers_30_3_deep.svg": markers(30, 3),
        "textpath_100000.svg": svg(b"<path id='p' d='M0 50H100'/><text>" +
                                   b"<textPath href='#p'>H</textPath>" * 100_000 + b"</text>"),
        "textpath_names_a_file.svg": svg(b"<text><textPath href='/etc/passwd'>H</textPath></text>"
                                         b"<line x2='100' y1='10' y2='10'/>"),
        "dash_1e-9_qt.svg": dashed(b"1e-9", False),
        "dash_1e-9_librsvg.svg": dashed(b"1e-9", True),
        "dash_0.001_qt.svg": dashed(b"0.001", False),
        "dash_0.001_librsvg.svg": dashed(b"0.001", True),
        "comment_1024.dxf": dxf(line(), "999\n" + "c" * 1024 + "\n"),
        "text_2000.dxf": dxf(line() + text),
        "number_1500.dxf": dxf(line("1" + "0" * 1500)),
        "random_tail.dxf": dxf(line())[:-20] + bytes(rng.randrange(256) for _ in range(65536)),
        "spline_counts.dxf": ("  0\nSECTION\n  2\nENTITIES\n  0\nSPLINE\n 72\n" + huge + "\n 73\n" +
                              huge + "\n 40\n0\n 10\n0\n 20\n0\n  0\nENDSEC\n  0\nEOF\n").encode(),
        "spline_count_wraps.dxf": ("  0\nSECTION\n  2\nENTITIES\n  0\nSPLINE\n 72\n-2147483649\n"
                                   " 40\n0\n  0\nENDSEC\n  0\nEOF\n").encode(),
        "spline_code_unreadable.dxf": b"  0\nSECTION\n  2\nENTITIES\n\xaf 0\nSPLINE\n 73\n" +
                                      huge.encode() + b"\n 10\n0\n  0\nENDSEC\n  0\nEOF\n",
        "lwpolyline_count.dxf": dxf("  0\nLWPOLYLINE\n  8\n0\n 90\n" + huge +
                                    "\n 10\n0\n 20\n0\n 10\n50\n 20\n0\n"),
        "nan_inf.dxf": dxf(line() + line("nan") + line("inf") + line("-Infinity")),
        "ellipse_degenerate.dxf": dxf(line() + ellipse("0") + ellipse("-1") + ellipse("nan")),
        "linetype_1e-300.dxf": dxf(dashed_line("FINE", "1e8"), linetype("FINE", 1e-300, -1e-300)),
        "linetype_2000000_dashes.dxf": dxf(dashed_line("D", "1e5"), linetype("D", 0.05, -0.05)),
        "linetype_of_no_length.dxf": dxf(dashed_line("NIL", "100"), linetype("NIL", 0, -0.0)),
        "tiling_cell_0.01.pdf": tiling(0.01),
        "tiling_cell_20.pdf": tiling(20),
        "type3_draws_itself.pdf": type3(0, 1),
        "type3_6_deep.pdf": type3(6, 100),
        "page_tree_50000.pdf": page_tree(50_000),
        "dashed_insert_array.dxf": dxf_blocks(block("B", dashed_line("D", "100")),
                                              insert_array("B", 1000, 1000, 1),
                                              linetype("D", 0.05, -0.05)),
        "block_100k_vertices_inserted_1000x1000.dxf": dxf_blocks(block("P", polyline(100_000)),
                                                                 insert_array("P", 1000, 1000, 1)),
        "lines_2000_of_a_million_dashes.dxf": dxf(dashed_line("D", "49000") * 2000,
                                                  linetype("D", 0.05, -0.05)),
        "hatch_lines_1e-6_apart.dxf": dxf(hatch("1e-6")),
        "hatch_lines_without_offset.dxf": dxf(hatch("0")),
        "hatch_dashes_1e-9.dxf": dxf(hatch("1", ("1e-9", "-1e-9"))),
        "spline_1000000_fit_points.dxf": dxf(fit_spline([(i / 1e4, math.sin(i / 1e5))
                                                         for i in range(1_000_000)])),
        "spline_one_point_repeated.dxf": dxf(line() + fit_spline([(5, 5)] * 1000)),
        "font_name_1000.dxf": dxf(line() + styled_text("LONG", "HH"), style("LONG", "r" * 996 + ".shx")),
        "font_name_1000_outline.dxf": dxf(line() + styled_text("LONG", "HH"),
                                          style("LONG", "a" * 996 + ".ttf")),
        "mtext_1000000.dxf": dxf(line() + mtext(4000, "H")),
        "mtext_1000000_japanese.dxf": dxf(line() + mtext(4000, "\u65e5")),
        "mtext_fonts_100000.dxf": dxf(line() + mtext_fonts(100000)),
        # dxflib skips a DIMENSION of type 7: the next one must still name its own block.
        "dimension_blocks_missing.dxf": dxf(line() + dimension("7", "*DA") +
                                            dimension("0", "*DB")),
    }


if __name__ == "__main__":
    for name, data in files().items():
        with open(sys.argv[1] + "/" + name, "wb") as out:
            out.write(data)
