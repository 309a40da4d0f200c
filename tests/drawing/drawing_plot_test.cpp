#include "drawing/drawing_plot.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "drawing/svg_chunks.h"
#include "drawing/svg_sanitize.h"
#include "settings/geometry.h"
#include "tests/support/temp_home.h"

namespace {

const char kOpen[] =
    "<svg xmlns='http://www.w3.org/2000/svg' width='210mm' height='297mm' viewBox='0 0 210 297'>";

struct Converted {
    DrawingResult result;
    std::string body;
};

// A4 portrait, sheet margins top 10, left 20, bottom 30, right 40 points.
TPrint Page(int16_t scale) {
    TPrint print;
    std::memset(&print, 0, sizeof print);
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    config.cmargin = Rect{10, 20, 30, 40};
    CalcPageWidth(&print, &config, 595, 842, scale, 0);
    return print;
}

TPrConfig Pens(bool automatic, bool optimised) {
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    config.fautopen = automatic ? 0 : 1;  // stored inverted
    config.foptln = optimised ? 0 : 1;
    config.toollist[0] = {3, 30, 0, 0, 0, 1};          // black
    config.toollist[1] = {7, 30, 10000, 0, 0, 1};      // red
    config.toollist[2] = {2, 30, 0, 0, 10000, 1};      // blue
    config.toollist[3] = {9, 30, 10000, 10000, 0, 0};  // yellow shares, but no colour
    config.toollist[4] = {0, 30, 0, 10000, 0, 1};      // green; 0 is shown as pen 13
    return config;
}

Converted ConvertBytes(const std::string& bytes, const TPrint& print, const TPrConfig& config,
                       const std::string& name = "drawing.svg") {
    TempHome home;
    const std::string path = home.scratch("in") + "/" + name;
    WriteFileBytes(path, bytes);
    Converted out;
    char* data = nullptr;
    size_t size = 0;
    std::FILE* body = open_memstream(&data, &size);
    out.result = ConvertDrawing(path, print, config, body);
    std::fclose(body);
    out.body.assign(data, size);
    std::free(data);
    return out;
}

Converted Convert(const std::string& shapes, int16_t scale = 100, bool automatic = true,
                  bool optimised = false) {
    return ConvertBytes(kOpen + shapes + "</svg>", Page(scale), Pens(automatic, optimised));
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
};

class PageTable : public testing::TestWithParam<PageCase> {};

TEST_P(PageTable, SquareLandsOnThePrintableArea) {
    const PageCase& c = GetParam();
    const Converted out =
        Convert("<rect x='" + std::to_string(c.x) + "' y='" + std::to_string(c.y) + "' width='" +
                    std::to_string(c.side) + "' height='" + std::to_string(c.side) +
                    "' fill='none' stroke='black'/>",
                c.scale);
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    EXPECT_EQ(out.result.brc, c.brc);
    EXPECT_NE(out.body.find(c.body), std::string::npos) << out.body;
    EXPECT_DOUBLE_EQ(out.result.clipRightMm, c.clipRightMm);
    EXPECT_EQ(out.result.clipLeftMm + out.result.clipTopMm + out.result.clipBottomMm, 0);
    EXPECT_EQ(DrawingHeaderLines(out.result)
                  .rfind("BRC:" + std::string(c.brc) + "\nNAME:drawing.svg\n", 0),
              0u);
}

// Area on the paper: 535 x 802 points upright (7549 x 11317 units), turned 802 x 535; at 200 %
// the record's truncation leaves 534 points across (7535 units).
INSTANTIATE_TEST_SUITE_P(
    Drawing, PageTable,
    testing::Values(
        PageCase{"Upright", 100, 10, 20, 100, "0,0,7549,11317",
                 "PU400,10517;PD4400,10517,4400,6517,400,6517,400,10517;", 0},
        PageCase{"Turned", -100, 10, 20, 100, "0,0,11317,7549",
                 "PU400,6749;PD4400,6749,4400,2749,400,2749,400,6749;", 0},
        PageCase{"Half", 50, 10, 20, 100, "0,0,7549,11317",
                 "PU200,10917;PD2200,10917,2200,8917,200,8917,200,10917;", 0},
        PageCase{"TurnedHalf", -50, 10, 20, 100, "0,0,11317,7549",
                 "PU200,7149;PD2200,7149,2200,5149,200,5149,200,7149;", 0},
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
};

class PenTable : public testing::TestWithParam<PenCase> {};

TEST_P(PenTable, ShapesGoToTheNearestPen) {
    const PenCase& c = GetParam();
    const Converted out = Convert(c.shapes, 100, c.automatic, c.optimised);
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
                true, true, "SP3;SP7;"}),
    [](const testing::TestParamInfo<PenCase>& i) { return std::string(i.param.name); });

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
    EXPECT_NE(out.result.message.find(c.message), std::string::npos) << out.result.message;
    EXPECT_EQ(out.result.message.find('\n'), std::string::npos);
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
        BadCase{"DamagedSvgz", std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03garbage", 18),
                DrawingError::Malformed, "damaged"}),
    [](const testing::TestParamInfo<BadCase>& i) { return std::string(i.param.name); });

// Every way an SVG can name another file points at a FIFO holding one byte: QtSvg, had it
// opened one, would have read the byte (or hung on the open).
TEST(Drawing, NothingOutsideTheFileIsRead) {
    TempHome home;
    const std::string fifo = home.scratch("fifo") + "/bait";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "x", 1), 1);
    const std::string svg = "<?xml version='1.0'?><?xml-stylesheet type='text/css' href='" + fifo +
                            "'?><!DOCTYPE svg [<!ENTITY ext SYSTEM '" + fifo + "'>]>" + kOpen +
                            "<style>@import url(" + fifo + ");</style><image href='" + fifo +
                            "' width='10' height='10'/><image xlink:href='file://" + fifo +
                            "' xmlns:xlink='http://www.w3.org/1999/xlink' width='9' height='9'/>"
                            "<text x='5' y='5'>&ext;</text>" SHAPE("stroke='black'") "</svg>";
    const Converted out = ConvertBytes(svg, Page(100), Pens(true, true));
    char byte = 0;
    EXPECT_EQ(::read(fd, &byte, 1), 1) << "something read the FIFO";
    ::close(fd);
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    const std::string header = DrawingHeaderLines(out.result);
    EXPECT_NE(header.find("NOTE:raster images skipped\n"), std::string::npos) << header;
    EXPECT_NE(header.find("NOTE:external style sheets skipped\n"), std::string::npos) << header;
    // The drawing itself must be a plain file: a FIFO in its place is refused unopened.
    EXPECT_EQ(ConvertDrawing(fifo, Page(100), Pens(true, true), stdout).error,
              DrawingError::Unreadable);
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
    EXPECT_GT(out.result.clipRightMm, 1e6);
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
            const DrawingResult r = ConvertDrawing(path, Page(100), Pens(true, optimised), body,
                                                   i ? tiny : SvgChunking{});
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

}  // namespace
