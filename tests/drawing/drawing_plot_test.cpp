#include "drawing/drawing_plot.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "drawing/read/svg/outside_refs.h"
#include "drawing/read/svg/svg_chunks.h"
#include "drawing/read/svg/svg_sanitize.h"
#include "plotjob/header_lines.h"
#include "settings/geometry.h"
#include "tests/support/temp_home.h"

namespace {

const char kOpen[] =
    "<svg xmlns='http://www.w3.org/2000/svg' width='210mm' height='297mm' viewBox='0 0 210 297'>";

struct Converted {
    DrawingResult result;
    std::string body;
};

// A4 portrait, sheet margins top 10, left 20, bottom 30, right 40 points unless given.
TPrint Page(int16_t scale, Rect margins = Rect{10, 20, 30, 40}) {
    TPrint print;
    std::memset(&print, 0, sizeof print);
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    config.cmargin = margins;
    CalcPageWidth(&print, &config, 595, 842, scale, 0);
    return print;
}

TPrConfig Pens(bool automatic, bool optimised) {
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    config.fautopen = automatic ? 0 : 1;  // stored inverted
    config.foptln = optimised ? 0 : 1;
    // Thickness 0: outlines only, as before pens had widths (fills are tested on their own).
    config.toollist[0] = {3, 0, 0, 0, 0, 1};          // black
    config.toollist[1] = {7, 0, 10000, 0, 0, 1};      // red
    config.toollist[2] = {2, 0, 0, 0, 10000, 1};      // blue
    config.toollist[3] = {9, 0, 10000, 10000, 0, 0};  // yellow shares, but no colour
    config.toollist[4] = {0, 0, 0, 10000, 0, 1};      // green; 0 is shown as pen 13
    return config;
}

Converted ConvertBytes(const std::string& bytes, const TPrint& print, const TPrConfig& config,
                       const std::string& name = "drawing.svg", bool everyOutline = false) {
    TempHome home;
    const std::string path = home.scratch("in") + "/" + name;
    WriteFileBytes(path, bytes);
    Converted out;
    char* data = nullptr;
    size_t size = 0;
    std::FILE* body = open_memstream(&data, &size);
    // One body: a drawing of many plots is refused.
    PlotSettings settings = DecodePlotSettings(print, config);
    settings.everyOutline = everyOutline;
    out.result = ConvertDrawing(path, settings, body);
    std::fclose(body);
    out.body.assign(data, size);
    std::free(data);
    return out;
}

Converted Convert(const std::string& shapes, int16_t scale = 100, bool automatic = true,
                  bool optimised = false, Rect margins = Rect{10, 20, 30, 40}) {
    return ConvertBytes(kOpen + shapes + "</svg>", Page(scale, margins),
                        Pens(automatic, optimised));
}

std::vector<long> Numbers(const std::string& body) {
    std::vector<long> all;
    static const std::regex number("-?[0-9]+");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), number);
         it != std::sregex_iterator(); ++it)
        all.push_back(std::stol(it->str()));
    return all;
}

// A square of side `mm` at (x, y) mm from the drawing's top-left corner.
struct PageCase {
    const char* name;
    int16_t scale;
    int x, y, side;
    const char* brc;
    const char* body;  // the square as plotted
    double clipRightMm;
    Rect margins = Rect{10, 20, 30, 40};  // top, left, bottom, right: points on the paper
};

class PageTable : public testing::TestWithParam<PageCase> {};

TEST_P(PageTable, SquareLandsOnThePrintableArea) {
    const PageCase& c = GetParam();
    const Converted out =
        Convert("<rect x='" + std::to_string(c.x) + "' y='" + std::to_string(c.y) + "' width='" +
                    std::to_string(c.side) + "' height='" + std::to_string(c.side) +
                    "' fill='none' stroke='black'/>",
                c.scale, true, false, c.margins);
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    EXPECT_EQ(out.result.brc, c.brc);
    EXPECT_NE(out.body.find(c.body), std::string::npos) << out.body;
    EXPECT_DOUBLE_EQ(out.result.clipRightMm, c.clipRightMm);
    EXPECT_EQ(out.result.clipLeftMm + out.result.clipTopMm + out.result.clipBottomMm, 0);
    EXPECT_EQ(DrawingHeaderLines(out.result)
                  .rfind("BRC:" + std::string(c.brc) + "\nNAME:drawing.svg\n", 0),
              0u);
}

// Area on the paper: 535 x 802 points (7549 x 11317 units), the input window whatever the
// orientation; at 200 % the record's truncation leaves 534 points across (7535 units). A turned
// page lies with its top along the paper's left edge and its left edge along the paper's
// bottom: the square's top-left corner (x, y) lands at (y, x), drawn upwards first.
INSTANTIATE_TEST_SUITE_P(
    Drawing, PageTable,
    testing::Values(
        PageCase{"Upright", 100, 10, 20, 100, "0,0,7549,11317",
                 "PU400,10517;PD4400,10517,4400,6517,400,6517,400,10517;", 0},
        PageCase{"Turned", -100, 10, 20, 100, "0,0,7549,11317",
                 "PU800,400;PD800,4400,4800,4400,4800,400,800,400;", 0},
        PageCase{"Half", 50, 10, 20, 100, "0,0,7549,11317",
                 "PU200,10917;PD2200,10917,2200,8917,200,8917,200,10917;", 0},
        PageCase{"TurnedHalf", -50, 10, 20, 100, "0,0,7549,11317",
                 "PU400,200;PD400,2200,2400,2200,2400,200,400,200;", 0},
        // Margins measured on the paper as it lies: across it left + right (40), along it
        // top + bottom (60), turned or not.
        PageCase{"TurnedMarginsSwapped", -100, 10, 20, 10, "0,0,7832,11035",
                 "PU800,400;PD800,800,1200,800,1200,400,800,400;", 0, Rect{40, 30, 20, 10}},
        PageCase{"TurnedHalfMarginsUneven", -50, 10, 20, 10, "0,0,7197,11599",
                 "PU400,200;PD400,400,600,400,600,200,400,200;", 0, Rect{5, 60, 15, 25}},
        PageCase{"TurnedDouble", -200, 10, 20, 10, "0,0,7535,11317",
                 "PU1600,800;PD1600,1600,2400,1600,2400,800,1600,800;", 0},
        PageCase{"TurnedDoubleNoMargins", -200, 10, 20, 10, "0,0,8382,11882",
                 "PU1600,800;PD1600,1600,2400,1600,2400,800,1600,800;", 0, Rect{0, 0, 0, 0}},
        // Turned, the page is 11317 units wide: from x 100 mm a 50 mm square at 200 % reaches
        // 17.1 mm beyond the page's right edge, which lies along the paper's top.
        PageCase{"TurnedDoubleClipped", -200, 100, 10, 50, "0,0,7535,11317",
                 "PU800,8000;PD800,11357;", (12000 - 11317) / 40.0},
        // 200 mm from x 20 mm reaches 220 mm: 31.6 mm beyond; cut at the reach, 1 mm out.
        PageCase{"DoubleClipped", 200, 10, 20, 100, "0,0,7535,11317", "PU800,9717;PD7575,9717;",
                 (8800 - 7535) / 40.0}),
    [](const testing::TestParamInfo<PageCase>& i) { return std::string(i.param.name); });

struct PenCase {
    const char* name;
    const char* shapes;
    bool automatic;
    bool optimised;
    const char* pens;  // the SP instructions of the body, in order
    bool everyOutline = false;
    bool whitePen = false;  // pen 6 is white (number 8), as a cutter with white vinyl has it
};

class PenTable : public testing::TestWithParam<PenCase> {};

TEST_P(PenTable, ShapesGoToTheNearestPen) {
    const PenCase& c = GetParam();
    TPrConfig config = Pens(c.automatic, c.optimised);
    if (c.whitePen) config.toollist[5] = {8, 0, 10000, 10000, 10000, 1};
    const Converted out = ConvertBytes(kOpen + std::string(c.shapes) + "</svg>", Page(100), config,
                                       "drawing.svg", c.everyOutline);
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    std::string pens;
    static const std::regex select("SP[0-9]+;");
    for (auto it = std::sregex_iterator(out.body.begin(), out.body.end(), select);
         it != std::sregex_iterator(); ++it)
        pens += it->str();
    EXPECT_EQ(pens, std::string(c.pens) + "SP0;");
}

#define SHAPE(attrs) "<rect width='10' height='10' " attrs "/>"
INSTANTIATE_TEST_SUITE_P(
    Drawing, PenTable,
    testing::Values(
        PenCase{"NavyToBlue", SHAPE("fill='none' stroke='#000080'"), true, false, "SP2;"},
        PenCase{"PinkToRed", SHAPE("fill='none' stroke='#ff8080'"), true, false, "SP7;"},
        PenCase{"FillWithoutStroke", SHAPE("fill='#00c000'"), true, false, "SP13;"},
        PenCase{"StrokeBeforeFill", SHAPE("fill='red' stroke='black'"), true, false, "SP3;"},
        PenCase{"ColourlessPenNeverChosen", SHAPE("fill='none' stroke='#ffff00'"), true, false,
                "SP13;"},
        PenCase{"TextByItsFill", "<text x='5' y='20' font-size='10' fill='#0000c0'>A</text>", true,
                false, "SP2;"},
        PenCase{"AutomaticOff", SHAPE("fill='none' stroke='#000080'"), false, false, "SP3;"},
        PenCase{"DocumentOrder", SHAPE("fill='red'") SHAPE("fill='black'") SHAPE("fill='red'"),
                true, false, "SP7;SP3;SP7;"},
        PenCase{"OneSelectionPerPen", SHAPE("fill='red'") SHAPE("fill='black'") SHAPE("fill='red'"),
                true, true, "SP3;SP7;"},
        // White is the paper: no line of its own, unless every outline is asked or a pen is
        // white; the white square lies between two red ones (black is the pen nearest white).
        PenCase{"WhiteIsThePaper", SHAPE("fill='red'") SHAPE("fill='white'") SHAPE("fill='red'"),
                true, false, "SP7;"},
        PenCase{"NearWhiteIsThePaper",
                SHAPE("fill='red'") SHAPE("fill='#fafafa'") SHAPE("fill='red'"), true, false,
                "SP7;"},
        PenCase{"LightYellowIsPlotted",
                SHAPE("fill='red'") SHAPE("fill='#ffffe0'") SHAPE("fill='red'"), true, false,
                "SP7;SP3;SP7;"},
        PenCase{"EveryOutlineDrawsWhite",
                SHAPE("fill='red'") SHAPE("fill='white'") SHAPE("fill='red'"), true, false,
                "SP7;SP3;SP7;", true},
        PenCase{"WhitePenTakesWhite", SHAPE("fill='red'") SHAPE("fill='white'") SHAPE("fill='red'"),
                true, false, "SP7;SP8;SP7;", false, true},
        // Without automatic selection no pen is chosen for being white.
        PenCase{"WhitePenUnusedWithoutSelection", SHAPE("fill='black'") SHAPE("fill='white'"),
                false, false, "SP3;", false, true},
        PenCase{"WhiteFillKeepsItsStroke", SHAPE("fill='white' stroke='red'"), true, false, "SP7;"},
        PenCase{"WhiteStrokeKeepsItsFill", SHAPE("fill='#0000c0' stroke='white'"), true, false,
                "SP2;"}),
    [](const testing::TestParamInfo<PenCase>& i) { return std::string(i.param.name); });

// What the drawing shows: a black 100 mm line along y = 50 mm (PU0,9317;PD4000,9317), then
// shapes painted over it, in document order with pens of no width (each shape its outline).
struct ShowsCase {
    const char* name;
    const char* shapes;  // after the line
    const char* body;    // the plot from the line's first PU on
    bool everyOutline = false;
    double clipRightMm = 0;
};

class ShowsTable : public testing::TestWithParam<ShowsCase> {};

TEST_P(ShowsTable, LinesUnderOpaqueShapesAreLeftOut) {
    const ShowsCase& c = GetParam();
    const Converted out = ConvertBytes(
        std::string(kOpen) + "<line x1='0' y1='50' x2='100' y2='50' stroke='black'/>" + c.shapes +
            "</svg>",
        Page(100), Pens(true, false), "drawing.svg", c.everyOutline);
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    std::string body = out.body;
    body.erase(std::remove(body.begin(), body.end(), '\n'), body.end());
    const size_t from = body.find("PU0,9317;");
    ASSERT_NE(from, std::string::npos) << body;
    EXPECT_EQ(body.substr(from, body.rfind("PU;SP0;") - from), c.body);
    EXPECT_DOUBLE_EQ(out.result.clipRightMm, c.clipRightMm);
}

#define SQUARE "<rect x='40' y='40' width='20' height='20' "
#define GREEN "<rect x='0' y='150' width='100' height='100' fill='#00a000'/>"
#define GREEN_LINES "SP13;PU0,5317;PD4000,5317,4000,1317,0,1317,0,5317;"
#define SQUARE_LINES "SP7;PU1600,9717;PD2400,9717,2400,8917,1600,8917,1600,9717;"
INSTANTIATE_TEST_SUITE_P(
    Drawing, ShowsTable,
    testing::Values(
        // Two runs of 40 mm and the square's 80 mm outline.
        ShowsCase{"OpaqueSquare", SQUARE "fill='red'/>",
                  "PU0,9317;PD1600,9317;PU2400,9317;PD4000,9317;" SQUARE_LINES},
        ShowsCase{"EveryOutline", SQUARE "fill='red'/>", "PU0,9317;PD4000,9317;" SQUARE_LINES,
                  true},
        ShowsCase{"HalfOpaqueFill", SQUARE "fill='red' fill-opacity='0.5'/>",
                  "PU0,9317;PD4000,9317;" SQUARE_LINES},
        ShowsCase{"AlmostOpaqueGroup", "<g opacity='0.99'>" SQUARE "fill='red'/></g>",
                  "PU0,9317;PD4000,9317;" SQUARE_LINES},
        // A pen not measured draws a stroke as its line, which hides no more than a line.
        ShowsCase{"StrokeOfAPenNotMeasured", SQUARE "fill='red' stroke='red' stroke-width='2'/>",
                  "PU0,9317;PD1600,9317;PU2400,9317;PD4000,9317;" SQUARE_LINES},
        // Only the clip's half of the square is painted, and hides.
        ShowsCase{"ClippedSquare",
                  "<clipPath id='c'><rect width='50' height='297'/></clipPath>" SQUARE
                  "fill='red' clip-path='url(#c)'/>",
                  "PU0,9317;PD1600,9317;PU2000,9317;PD4000,9317;"
                  "SP7;PU2000,8917;PD1600,8917,1600,9717,2000,9717,2000,8917;"},
        ShowsCase{"WideStrokeOfAPenNotMeasured",
                  "<line x1='50' y1='30' x2='50' y2='70' stroke='blue' stroke-width='4'/>",
                  "PU0,9317;PD4000,9317;SP2;PU2000,10117;PD2000,8517;"},
        // The fill's boundary runs out from its corner to the hole and back: that spur is no
        // line. Stroked, it is.
        ShowsCase{"SpurOfAFill",
                  "<path d='M10 70 H90 V90 H10 Z M10 70 L40 75 H60 V85 H40 V75 Z' fill='red'/>",
                  "PU0,9317;PD4000,9317;SP7;PU400,8517;PD3600,8517,3600,7717,400,7717,400,8517;"
                  "PU1600,8317;PD2400,8317,2400,7917,1600,7917,1600,8317;"},
        ShowsCase{"SpurOfAStroke",
                  "<path d='M10 70 H90 V90 H10 Z M10 70 L40 75 H60 V85 H40 V75 Z' fill='red' "
                  "stroke='red'/>",
                  "PU0,9317;PD4000,9317;SP7;PU400,8517;PD3600,8517,3600,7717,400,7717,400,8517;"
                  "PU400,8517;PD1600,8317,2400,8317,2400,7917,1600,7917,1600,8317,400,8517;"},
        // White is the paper: its edge shows only where it lies over a colour, as that
        // colour's boundary (in the colour's pen); beside the colour, nothing of it.
        ShowsCase{"WhiteOverColour",
                  GREEN "<rect x='30' y='180' width='40' height='40' fill='white'/>",
                  "PU0,9317;PD4000,9317;" GREEN_LINES
                  "PU2800,4117;PD1200,4117,1200,2517,2800,2517,2800,4117;"},
        // Its own coloured stroke outlines it already: no second line along it.
        ShowsCase{"WhiteOverColourStroked",
                  GREEN "<rect x='30' y='180' width='40' height='40' fill='white' stroke='red'/>",
                  "PU0,9317;PD4000,9317;" GREEN_LINES
                  "SP7;PU1200,4117;PD2800,4117,2800,2517,1200,2517,1200,4117;"},
        // A white line a pen draws as its line shows as that line where it crosses the colour.
        ShowsCase{"WhiteLineOverColour",
                  GREEN "<line x1='10' y1='200' x2='150' y2='200' stroke='white'/>",
                  "PU0,9317;PD4000,9317;" GREEN_LINES "PU400,3317;PD4000,3317;"},
        ShowsCase{"WhiteBesideColour",
                  GREEN "<rect x='130' y='180' width='40' height='40' fill='white'/>",
                  "PU0,9317;PD4000,9317;" GREEN_LINES},
        // What a clip hides beyond the page's edge is not said to be cut off there.
        ShowsCase{"ClippedBeyondTheEdge",
                  "<clipPath id='k'><rect width='100' height='297'/></clipPath><line x1='0' "
                  "y1='60' x2='400' y2='60' stroke='blue' clip-path='url(#k)'/>",
                  "PU0,9317;PD4000,9317;SP2;PU0,8917;PD4000,8917;"}),
    [](const testing::TestParamInfo<ShowsCase>& i) { return std::string(i.param.name); });

struct BadCase {
    const char* name;
    std::string bytes;
    DrawingError error;
    const char* message;  // part of the one-line message
};

std::string Laughs() {
    std::string dtd = "<!DOCTYPE svg [<!ENTITY l0 'lol'>";
    for (int i = 1; i <= 9; ++i) {
        dtd += "<!ENTITY l" + std::to_string(i) + " '";
        for (int k = 0; k < 10; ++k) dtd += "&l" + std::to_string(i - 1) + ";";
        dtd += "'>";
    }
    return dtd + "]>" + kOpen + "<text>&l9;</text></svg>";
}

// Ten uses of ten uses of ... a rectangle: 10^9 rectangles from a file of a few hundred bytes.
std::string UseFanOut() {
    std::string defs = "<defs><rect id='u0' width='1' height='1' stroke='black'/>";
    for (int i = 1; i <= 9; ++i) {
        defs += "<g id='u" + std::to_string(i) + "'>";
        for (int k = 0; k < 10; ++k) defs += "<use href='#u" + std::to_string(i - 1) + "'/>";
        defs += "</g>";
    }
    return std::string(kOpen) + defs + "</defs><use href='#u9'/></svg>";
}

class BadInput : public testing::TestWithParam<BadCase> {};

TEST_P(BadInput, IsRefusedWithOneLine) {
    const BadCase& c = GetParam();
    const Converted out = ConvertBytes(c.bytes, Page(100), Pens(true, true));
    EXPECT_EQ(out.result.error, c.error) << out.result.message;
    EXPECT_NE(NoteEnglish(out.result.message).find(c.message), std::string::npos)
        << out.result.message;
    EXPECT_EQ(NoteEnglish(out.result.message).find('\n'), std::string::npos);
    EXPECT_TRUE(out.body.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, BadInput,
    testing::Values(
        BadCase{"Malformed", std::string(kOpen) + "\n<rect>\n</svg>", DrawingError::Malformed,
                "line 3, column 6"},
        BadCase{"NotXml", "GIF89a\x01\x00\x01\x00", DrawingError::NotSvg, "not an SVG"},
        BadCase{"OtherXml", "<html><body/></html>", DrawingError::NotSvg, "<html>"},
        BadCase{
            "NothingVisible",
            std::string(kOpen) +
                SHAPE("stroke='black' style='display:none'") SHAPE(
                    "stroke='black' visibility='hidden'") SHAPE("stroke='black' opacity='0'")
                    SHAPE("fill='red' fill-opacity='0' stroke='black' stroke-opacity='0'") "</svg>",
            DrawingError::NothingToPlot, "no visible shape"},
        BadCase{"OffThePage", std::string(kOpen) + "<rect x='-50' width='10' height='10'/></svg>",
                DrawingError::NothingToPlot, "printable area"},
        // The line's own position, not the text's, decides where it lands.
        BadCase{
            "TextLineOffThePage",
            std::string(kOpen) +
                "<text x='10' y='20' font-size='10'><tspan x='-90' y='20'>I</tspan></text></svg>",
            DrawingError::NothingToPlot, "printable area"},
        BadCase{"BillionLaughs", Laughs(), DrawingError::Refused, "entities"},
        BadCase{"UseFanOut", UseFanOut(), DrawingError::Refused, "<use> elements multiply"},
        // A dashed line of a hundred million dashes, each two plotter units long: refused
        // before they are made (finer ones are drawn solid, with a note).
        BadCase{
            "DashesBeyondThePlot",
            std::string(kOpen) + "<line x2='1e7' stroke='black' stroke-dasharray='0.05'/></svg>",
            DrawingError::Refused, "more dashes than a plot holds"},
        BadCase{"DamagedSvgz", std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03garbage", 18),
                DrawingError::Malformed, "damaged"}),
    [](const testing::TestParamInfo<BadCase>& i) { return std::string(i.param.name); });

// Every way an SVG can name another file points at a FIFO holding one byte: QtSvg, librsvg or
// Inkscape, had one opened it, would have read the byte (or hung on the open).
TEST(Drawing, NothingOutsideTheFileIsRead) {
    TempHome home;
    const std::string fifo = home.scratch("fifo") + "/bait";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "x", 1), 1);
    const struct {
        const char* name;
        std::string svg;
        std::vector<std::string> notes;
    } rows[] = {
        {"qt_route",
         "<?xml version='1.0'?><?xml-stylesheet type='text/css' href='" + fifo +
             "'?><!DOCTYPE svg [<!ENTITY ext SYSTEM '" + fifo + "'>]>" + kOpen +
             "<style>@import url(" + fifo + ");</style><image href='" + fifo +
             "' width='10' height='10'/><image xlink:href='file://" + fifo +
             "' xmlns:xlink='http://www.w3.org/1999/xlink' width='9' height='9'/>"
             "<text x='5' y='5'>&ext;</text>" SHAPE("stroke='black'") "</svg>",
         {"raster images skipped", "external style sheets skipped"}},
        // Text on a path sends it to Inkscape, the marker to librsvg.
        {"inkscape_and_librsvg",
         std::string("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/"
                     "xlink' width='210mm' height='297mm' viewBox='0 0 210 297'><style>.m{marker-"
                     "end:URL(") +
             fifo + "#m)} .c{fill:u<![CDATA[rl(" + fifo + "#g)}]]><b/>.d{fill:u\\72l(" + fifo +
             ")}</style><defs><path id='p' d='M10 50 H200'/><marker id='m'><path d='M0 0L1 1' "
             "stroke='black'/></marker></defs><text font-size='9'><textPath href='" +
             fifo + "#p'>HH</textPath><textPath xlink:href=' file://" + fifo +
             "#p'>HH</textPath></text>"
             "<use href='data:image/svg+xml,%3Csvg/%3E'/><use href='" +
             fifo + "#p'/><g xml:base='" + fifo +
             "'><path class='m c d' d='M5 5L9 9' stroke='black' style='fill:url(\"" + fifo +
             "\") red;filter:url(" + fifo +
             "#f' marker-start='url(#m)'/></g>" SHAPE("stroke='black'") "</svg>",
         {NoteEnglish(kNoteOutsideRefs)}},
    };
    for (const auto& row : rows) {
        const Converted out = ConvertBytes(row.svg, Page(100), Pens(true, true));
        ASSERT_TRUE(out.result.ok()) << row.name << ": " << out.result.message;
        // What the sender reads of the header lines, said in English.
        const std::string header = DrawingHeaderLines(out.result);
        std::vector<std::string> said;
        for (const Note& note : HeaderLines::Read(header).notes) said.push_back(NoteEnglish(note));
        for (const std::string& note : row.notes)
            EXPECT_NE(std::find(said.begin(), said.end(), note), said.end()) << row.name << header;
    }
    char byte = 0;
    EXPECT_EQ(::read(fd, &byte, 1), 1) << "something read the FIFO";
    ::close(fd);
    // The drawing itself must be a plain file: a FIFO in its place is refused unopened.
    EXPECT_EQ(ConvertDrawing(fifo, DecodePlotSettings(Page(100), Pens(true, true)),
                             [](const DrawingPlot&) { return stdout; })
                  .error,
              DrawingError::Unreadable);

    // Text set along a path of another local file plots as if that file did not exist.
    const std::string other = home.scratch("other") + "/other.svg";
    WriteFileBytes(other, std::string(kOpen) + "<path id='p' d='M10 50 H200'/></svg>");
    const auto along = [&](const std::string& file) {
        return ConvertBytes(std::string(kOpen) + "<text font-size='9'><textPath href='" + file +
                                "#p'>HH</textPath></text>" SHAPE("stroke='black'") "</svg>",
                            Page(100), Pens(true, true))
            .body;
    };
    EXPECT_EQ(along(other), along(home.scratch("other") + "/missing.svg"));
}

// Why Inkscape failed reaches the user: in the note, and in the refusal when the text it could
// not set was all the drawing held. Inkscape that fails on demand is a script in its place.
TEST(Drawing, WhyInkscapeFailedIsSaid) {
    TempHome home;
    const std::string bin = home.scratch("bin");
    WriteFileBytes(bin + "/inkscape", "#!/bin/sh\necho 'Gtk: cannot open display' >&2\nexit 3\n");
    ASSERT_EQ(::chmod((bin + "/inkscape").c_str(), 0755), 0);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (bin + ":" + path).c_str(), 1);
    const std::string text =
        "<path id='p' d='M10 50H200'/><text font-size='9'><textPath href='#p'>HH</textPath></text>";
    const std::string why =
        "text on a path (textPath) skipped: Inkscape could not set it along its path (it ended "
        "with status 3: Gtk: cannot open display)";
    const Converted alone = Convert(text);
    EXPECT_EQ(alone.result.error, DrawingError::NothingToPlot) << alone.result.message;
    EXPECT_NE(
        NoteEnglish(alone.result.message).find("the drawing has no visible shape to plot: " + why),
        std::string::npos)
        << alone.result.message;
    const Converted beside = Convert(text + SHAPE("stroke='black'"));
    ASSERT_TRUE(beside.result.ok()) << beside.result.message;
    const std::string header = DrawingHeaderLines(beside.result);
    const std::vector<Note> notes = HeaderLines::Read(header).notes;
    EXPECT_TRUE(std::any_of(notes.begin(), notes.end(), [&](const Note& n) {
        return NoteEnglish(n) == why;
    })) << header;
    ::setenv("PATH", path.c_str(), 1);
}

TEST(Drawing, HugeAndNonFiniteCoordinatesStayInReach) {
    const Converted out =
        Convert("<path stroke='black' d='M1 1 L 1e300 1e300 M 2 2 L 1e120 3 L 3 1e120 Z'/>"
                "<path stroke='black' d='M 5 5 L nan 5 L 1e999 7 L 10 10'/>"
                "<g transform='scale(1e200)'>" SHAPE("stroke='black'") "</g>"
                "<g transform='translate(-1e15 1e15)'>" SHAPE("stroke='black'") "</g>"
                "<circle cx='1e7' cy='100' r='1e7' fill='none' stroke='black'/>");
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    EXPECT_EQ(out.body.find_first_of("naife"), std::string::npos) << out.body;
    for (long v : Numbers(out.body)) {
        EXPECT_GE(v, -40);
        EXPECT_LE(v, 11317 + 40);
    }
    // What lies beyond the canvas is cut off by it, not by the paper's edge, and said so.
    EXPECT_EQ(out.result.clipRightMm, 0);
    EXPECT_NE(std::find_if(out.result.notes.begin(), out.result.notes.end(),
                           [](const Note& n) { return n.id == NoteId::DrawingReachesBeyondCanvas; }),
              out.result.notes.end());
}

// Ellipses of radii rx, ry mm about (cx, cy) mm turned by `degrees`: every vertex and every
// chord's middle within one unit of the ellipse, and not many more vertices than that takes.
TEST(Drawing, CurvesFlattenWithinOneUnit) {
    struct Curve {
        std::string shape;
        double cx, cy, rx, ry, degrees;
    };
    const auto circle = [](double r) {
        return Curve{
            "<circle cx='100' cy='100' r='" + std::to_string(r) + "'/>", 100, 100, r, r, 0};
    };
    const Curve curves[] = {
        circle(1.0),
        circle(50.0),
        circle(90.0),
        // Arcs of path data, large enough that cubics of 90 degrees stray beyond a unit.
        {"<path d='M5 275 A180 180 0 0 1 185 95'/>", 185, 275, 180, 180, 0},
        {"<path d='m159,252.583302a130,70 60 11-4.378222-147.583302'/>", 94, 140, 130, 70, 60}};
    for (const Curve& e : curves) {
        const Converted out = Convert("<g fill='none' stroke='black'>" + e.shape + "</g>");
        ASSERT_TRUE(out.result.ok()) << out.result.message;
        const std::vector<long> v = Numbers(out.body);
        // Units off the ellipse, to first order (exact enough a unit away from it).
        const auto off = [&](double x, double y) {
            const double c = std::cos(e.degrees * M_PI / 180), s = std::sin(e.degrees * M_PI / 180);
            const double dx = x / 40 - e.cx, dy = (11317 - y) / 40 - e.cy;
            const double u = (c * dx + s * dy) / e.rx, w = (c * dy - s * dx) / e.ry;
            return 40 * (u * u + w * w - 1) / (2 * std::hypot(u / e.rx, w / e.ry));
        };
        std::vector<std::pair<double, double>> points;
        for (size_t i = 1; i + 3 < v.size(); i += 2) points.push_back({v[i], v[i + 1]});
        ASSERT_GE(points.size(), 8u);
        for (size_t i = 0; i < points.size(); ++i) {
            const auto [x, y] = points[i];
            EXPECT_NEAR(off(x, y), 0, 1.0) << e.shape << ", vertex " << i;
            if (i == 0) continue;
            const double mx = (x + points[i - 1].first) / 2, my = (y + points[i - 1].second) / 2;
            EXPECT_NEAR(off(mx, my), 0, 1.0) << e.shape << ", chord " << i;
        }
        // The fewest chords that stay within the band rounding to whole units leaves.
        const double fewest = M_PI / std::acos(1 - (1 - std::sqrt(0.5)) / (e.rx * 40));
        EXPECT_LE(points.size(), 1.3 * fewest + 8) << e.shape;
    }
}

// A big drawing is read in pieces as small as one element here: the plot must be the one of the
// drawing read whole, with references across pieces (forwards too), style sheets, gradients and
// the transforms and style the groups around an element give it.
TEST(Drawing, ReadInPiecesPlotsAsWhole) {
    const std::string svg =
        "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
        "width='210mm' height='297mm' viewBox='0 0 210 297'><style>.b { stroke: #00f }</style>"
        "<g transform='translate(20 30) rotate(10)' stroke='#f00' fill='none'>"
        "<path d='M0 0 C 10 20 30 -10 40 10'/><use xlink:href='#later' x='5'/>"
        "<g transform='scale(1.5)'><circle class='b' cx='20' cy='20' r='8'/>"
        "<path id='star' d='M10 50 l5 10 l5 -10 z' stroke='none' fill='url(#green)'/></g></g>"
        "<defs><linearGradient id='green'><stop offset='0' stop-color='#0f0'/></linearGradient>"
        "</defs><use xlink:href='#star' transform='translate(60 0)'/>"
        "<g id='later' stroke='#00f'><rect x='100' y='100' width='30' height='20'/></g></svg>";
    SvgChunking tiny;
    tiny.elements = 1;
    tiny.carried = 1e9;
    ASSERT_GT(SvgChunks(SanitizeSvg(QByteArray::fromStdString(svg)).xml, tiny).size(), 5u);
    TempHome home;
    const std::string path = home.scratch("in") + "/pieces.svg";
    WriteFileBytes(path, svg);
    for (const bool optimised : {false, true}) {
        std::string bodies[2];
        for (int i = 0; i < 2; ++i) {
            char* data = nullptr;
            size_t size = 0;
            std::FILE* body = open_memstream(&data, &size);
            const DrawingResult r = ConvertDrawing(
                path, DecodePlotSettings(Page(100), Pens(true, optimised)),
                [&](const DrawingPlot&) { return body; }, i ? tiny : SvgChunking{});
            std::fclose(body);
            bodies[i].assign(data, size);
            std::free(data);
            ASSERT_TRUE(r.ok()) << r.message;
            EXPECT_EQ(r.paths, 6);
        }
        EXPECT_EQ(bodies[1], bodies[0]) << "optimised " << optimised;
        for (const char* pen : {"SP7;", "SP2;", "SP13;"})
            EXPECT_NE(bodies[0].find(pen), std::string::npos) << pen;
    }
}

// Bodies of every plot a conversion writes, one string each.
struct ConvertedPlots {
    DrawingResult result;
    std::vector<std::string> bodies;
};

ConvertedPlots ConvertPlots(const std::string& svg, const TPrint& print, const TPrConfig& config) {
    TempHome home;
    const std::string path = home.scratch("in") + "/drawing.svg";
    WriteFileBytes(path, svg);
    std::vector<std::pair<char*, size_t>> buffers(1000);
    std::vector<std::FILE*> files;
    ConvertedPlots out;
    out.result = ConvertDrawing(
        path, DecodePlotSettings(print, config),
        [&](const DrawingPlot&) {
            auto& b = buffers[files.size()];
            files.push_back(open_memstream(&b.first, &b.second));
            return files.back();
        },
        SvgChunking{});
    for (size_t i = 0; i < files.size(); ++i) {
        std::fclose(files[i]);
        out.bodies.emplace_back(buffers[i].first, buffers[i].second);
        std::free(buffers[i].first);
    }
    return out;
}

// The polylines of a body, as PU and PD draw them.
std::vector<std::vector<std::pair<long, long>>> Polylines(const std::string& body) {
    std::vector<std::vector<std::pair<long, long>>> lines;
    size_t at = 0;
    while (at < body.size()) {
        const size_t end = body.find(';', at);
        std::string op = body.substr(at, end - at);
        at = end == std::string::npos ? body.size() : end + 1;
        op.erase(0, op.find_first_not_of('\n'));
        if (op.size() < 2 || (op.compare(0, 2, "PU") != 0 && op.compare(0, 2, "PD") != 0)) continue;
        const std::vector<long> v = Numbers(op.substr(2));
        if (op[1] == 'U' && !v.empty()) lines.emplace_back();
        if (lines.empty()) continue;
        for (size_t i = 0; i + 1 < v.size(); i += 2) lines.back().push_back({v[i], v[i + 1]});
    }
    return lines;
}

double Length(const std::vector<std::vector<std::pair<long, long>>>& lines) {
    double sum = 0;
    for (const auto& l : lines)
        for (size_t i = 1; i < l.size(); ++i)
            sum += std::hypot(l[i].first - l[i - 1].first, l[i].second - l[i - 1].second);
    return sum;
}

// Roll paper 100 mm wide, 709 points (10005 units) long, no margins; roll length 288 points
// (4064 units): stretches of 4064, 4064 and 1877 units.
struct PanelCase {
    const char* name;
    const char* shapes;  // in a 100 x 250 mm drawing (turned: 250 x 100 mm)
    int16_t scale;
    int16_t rollLength;
    bool split;
    int16_t first, last;
    std::vector<int> plotted;  // the panel numbers written
    int panels;
    double beyondMm;           // clipped without the split
    int firstStretch = 0;      // the stretch of panel 1 (those before hold nothing)
    const char* outside = "";  // the note on the panels the page range leaves out
};

void PrintTo(const PanelCase& c, std::ostream* os) { *os << c.name; }

constexpr int kStretch = 4064;

class PanelTable : public testing::TestWithParam<PanelCase> {};

TEST_P(PanelTable, CutAlongTheRollOnceAndExactly) {
    const PanelCase& c = GetParam();
    TPrint print;
    std::memset(&print, 0, sizeof print);
    TPrConfig config = Pens(true, false);
    CalcPageWidth(&print, &config, 284, 709, c.scale, 1);
    print.prJob.iFstPage = 1;  // as the window stores it beside the configuration's range
    print.prJob.iLstPage = 9999;
    const bool turned = c.scale < 0;
    const std::string svg = std::string("<svg xmlns='http://www.w3.org/2000/svg' ") +
                            (turned ? "width='250mm' height='100mm' viewBox='0 0 250 100'>"
                                    : "width='100mm' height='250mm' viewBox='0 0 100 250'>") +
                            c.shapes + "</svg>";
    const ConvertedPlots whole = ConvertPlots(svg, print, config);
    ASSERT_TRUE(whole.result.ok()) << whole.result.message;
    ASSERT_EQ(whole.bodies.size(), 1u);

    config.rlength = c.rollLength;
    config.fautosep = c.split ? 1 : 0;
    config.iFstPage = c.first;
    config.iLstPage = c.last;
    const ConvertedPlots cut = ConvertPlots(svg, print, config);
    ASSERT_TRUE(cut.result.ok()) << cut.result.message;
    EXPECT_EQ(cut.result.panels, c.panels);
    EXPECT_NEAR(cut.result.beyondRollMm, c.beyondMm, 0.05);
    ASSERT_EQ(cut.bodies.size(), c.plotted.size());
    // The notes as the sender reads them back and says them.
    std::string said;
    for (const Note& note : HeaderLines::Read(DrawingHeaderLines(cut.result, 0)).notes)
        said += NoteEnglish(note) + "\n";
    const std::string outside =
        *c.outside ? std::string(c.outside) + " set in Trazen Plotter Settings; not sent\n"
                   : std::string("outside the page range");
    EXPECT_EQ(said.find(outside) != std::string::npos, *c.outside != '\0') << said;

    // Every piece lies on its panel, which starts where the previous one ends; where a line
    // leaves one panel a piece of it starts in the next at the same x.
    double length = 0;
    std::multiset<long> leaving, entering;
    for (size_t i = 0; i < cut.bodies.size(); ++i) {
        const DrawingPlot& plot = cut.result.plots[i];
        EXPECT_EQ(plot.number, c.plotted[i]);
        const long stretch = c.firstStretch + plot.number - 1;
        const long height = c.rollLength == 0 || c.rollLength >= 709
                                ? 10005
                                : std::min<long>(kStretch, 10005 - stretch * kStretch);
        EXPECT_EQ(plot.brc, "0,0,4008," + std::to_string(height));
        EXPECT_NE(DrawingHeaderLines(cut.result, i)
                      .find(c.panels > 1 ? "NAME:drawing.svg (" + std::to_string(plot.number) +
                                               "/" + std::to_string(c.panels) + ")\n"
                                         : std::string("NAME:drawing.svg\n")),
                  std::string::npos);
        const auto lines = Polylines(cut.bodies[i]);
        length += Length(lines);
        for (const auto& l : lines) {
            for (const auto& [x, y] : l) {
                EXPECT_GE(y, stretch == 0 ? -40 : 0) << plot.number;
                EXPECT_LE(y, height + (plot.number == c.panels ? 40 : 0)) << plot.number;
            }
            // A line lying along the boundary is not one crossing it.
            for (const auto& [end, next] :
                 {std::pair(l.front(), l[1]), std::pair(l.back(), l[l.size() - 2])}) {
                if (next.second == end.second) continue;
                if (end.second == height && plot.number < c.panels) leaving.insert(end.first);
                if (end.second == 0 && plot.number > 1) entering.insert(end.first);
            }
        }
    }
    if (c.plotted.size() == static_cast<size_t>(c.panels)) {
        EXPECT_EQ(leaving, entering);
        // Nothing lost, nothing twice: a cut adds at most a unit's rounding each side.
        if (c.beyondMm == 0) EXPECT_NEAR(length, Length(Polylines(whole.bodies[0])), 4.0);
    }
}

// A diagonal across the whole length, a square across the first boundary (drawn from its
// top-left corner, so the cut is not where it starts), a line lying on that boundary
// (148.525 mm from the top) and a circle inside the last stretch.
#define ACROSS                                                                 \
    "<g fill='none' stroke='black'><path d='M5 5 L95 245'/>"                   \
    "<rect x='20' y='140' width='20' height='20'/><path d='M50 148.525 H90'/>" \
    "<circle cx='50' cy='30' r='10'/></g>"
// The same turned: its left edge runs along the roll's start.
#define ACROSS_TURNED                                        \
    "<g fill='none' stroke='black'><path d='M5 5 L245 95'/>" \
    "<rect x='90' y='20' width='20' height='20'/><circle cx='200' cy='50' r='10'/></g>"

INSTANTIATE_TEST_SUITE_P(
    Drawing, PanelTable,
    testing::Values(
        PanelCase{"NoRollLength", ACROSS, 100, 0, true, 1, 9999, {1}, 1, 0},
        PanelCase{"RollLongerThanThePaper", ACROSS, 100, 800, true, 1, 9999, {1}, 1, 0},
        PanelCase{"ThreePanels", ACROSS, 100, 288, true, 1, 9999, {1, 2, 3}, 3, 0},
        PanelCase{"SecondOnly",
                  ACROSS,
                  100,
                  288,
                  true,
                  2,
                  2,
                  {2},
                  3,
                  0,
                  0,
                  "panels 1 and 3 of 3 are outside the page range 2-2"},
        PanelCase{"FromTheSecondOn",
                  ACROSS,
                  100,
                  288,
                  true,
                  2,
                  9999,
                  {2, 3},
                  3,
                  0,
                  0,
                  "panel 1 of 3 is outside the page range 2-9999"},
        // A file whose configuration never held a range plots what the window shows: the
        // print record's job range.
        PanelCase{"RangeNeverStored", ACROSS, 100, 288, true, 0, 0, {1, 2, 3}, 3, 0},
        // The diagonal reaches 245 mm from the bottom edge; the roll takes 101.6.
        PanelCase{
            "ClippedWithoutSplit", ACROSS, 100, 288, false, 1, 9999, {1}, 1, (9805 - 4064) / 40.0},
        PanelCase{"TurnedBanner", ACROSS_TURNED, -100, 288, true, 1, 9999, {1, 2, 3}, 3, 0},
        // At half size the drawing lies in the upper two stretches only.
        PanelCase{"HalfScaleFitsTwo", ACROSS, 50, 288, true, 1, 9999, {1, 2}, 2, 0, 1}),
    [](const testing::TestParamInfo<PanelCase>& i) { return std::string(i.param.name); });

TEST(Drawing, PanelSettingsRefused) {
    // A3 roll paper (16807 units long), a line along nearly all of it: 5 stretches of 288
    // points, 1194 of 1 point.
    const std::string svg =
        "<svg xmlns='http://www.w3.org/2000/svg' width='210mm' height='420mm' "
        "viewBox='0 0 210 420'><path d='M5 1 V419' stroke='black'/></svg>";
    const struct {
        const char* name;
        int16_t rollLength, first, last;
        const char* says;
    } rows[] = {
        {"negative_roll", -5, 1, 9999, "roll length is negative"},
        {"upside_down", 288, 3, 2, "upside down"},
        {"beyond_the_panels", 288, 6, 9999, "selects none of the drawing's 5 panels"},
        {"beyond_one_page", 0, 2, 2, "selects none of the drawing's one page"},
        {"too_many_panels", 1, 1, 9999, "more than 999"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TPrint print;
        std::memset(&print, 0, sizeof print);
        TPrConfig config = Pens(true, false);
        CalcPageWidth(&print, &config, 842, 1191, 100, 1);
        config.rlength = row.rollLength;
        config.fautosep = 1;
        config.iFstPage = row.first;
        config.iLstPage = row.last;
        const ConvertedPlots out = ConvertPlots(svg, print, config);
        EXPECT_EQ(out.result.error, DrawingError::Refused);
        EXPECT_NE(NoteEnglish(out.result.message).find(row.says), std::string::npos)
            << out.result.message;
        EXPECT_TRUE(out.bodies.empty());
        if (std::string(row.name) != "upside_down") continue;
        // Its five panels, the range put right, do not go into one body: refused before
        // anything is written.
        config.iFstPage = 1;
        config.iLstPage = 9999;
        const Converted one = ConvertBytes(svg, print, config);
        EXPECT_EQ(one.result.error, DrawingError::Refused);
        EXPECT_TRUE(one.body.empty());
    }
}

}  // namespace
