// PDF, EPS, PostScript and DXF drawings through their libraries into the plot. The files are
// made here: rsvg-convert and ghostscript from an SVG written by the test, python3-ezdxf for
// DXF, and by hand only where the file is meant to be broken.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineF>
#include <algorithm>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "drawing/drawing_plot.h"
#include "drawing/read/bounded_child.h"
#include "drawing/read/dxf/dxf_paint.h"
#include "drawing/read/dxf/stroke_font.h"
#include "drawing/read/pdf/postscript_pdf.h"
#include "drawing/read/svg/svg_chunks.h"
#include "settings/geometry.h"
#include "tests/support/temp_home.h"

namespace {

// A4 portrait, sheet margins top 10, left 20, bottom 30, right 40 points: 7549 x 11317 units.
constexpr long kAreaHeight = 11317;

TPrint Page(int16_t roll = 0, int16_t width = 595, int16_t height = 842) {
    TPrint print;
    std::memset(&print, 0, sizeof print);
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    config.cmargin = Rect{10, 20, 30, 40};
    CalcPageWidth(&print, &config, width, height, 100, roll);
    return print;
}

// Automatic pens: black SP3, red SP7, blue SP2.
TPrConfig Pens() {
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    config.fautopen = 0;  // stored inverted: ticked
    config.foptln = 1;
    config.toollist[0] = {3, 30, 0, 0, 0, 1};
    config.toollist[1] = {7, 30, 10000, 0, 0, 1};
    config.toollist[2] = {2, 30, 0, 0, 10000, 1};
    return config;
}

struct Plot {
    DrawingResult result;
    std::string body;                 // the first plot's
    std::vector<std::string> bodies;  // every plot's
};

// With the page range `first` to `last` of the configuration window; on roll paper when a
// roll length (points) is given, cut into panels with `split`.
Plot ConvertFile(const std::string& path, int16_t first = 1, int16_t last = 1,
                 int16_t rollLength = 0, bool split = false, const SheetChoice& sheet = {},
                 bool landscape = false, bool everyOutline = false) {
    TPrConfig config = Pens();
    config.iFstPage = first;
    config.iLstPage = last;
    config.rlength = rollLength;
    config.fautosep = split ? 1 : 0;
    std::vector<std::FILE*> files;
    Plot out;
    PlotSettings settings = DecodePlotSettings(
        landscape ? Page(rollLength > 0 ? 1 : 0, 842, 595) : Page(rollLength > 0 ? 1 : 0), config);
    settings.everyOutline = everyOutline;
    out.result = ConvertDrawing(
        path, settings,
        [&](const DrawingPlot&) {
            files.push_back(std::tmpfile());
            return files.back();
        },
        SvgChunking{}, sheet);
    for (std::FILE* f : files) {
        std::string body;
        std::rewind(f);
        char chunk[4096];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) body.append(chunk, n);
        std::fclose(f);
        out.bodies.push_back(body);
    }
    if (!out.bodies.empty() && out.result.ok()) out.body = out.bodies.front();
    return out;
}

void Shell(const std::string& command) {
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// The box of every point plotted, per pen (0: all pens).
struct Box {
    long x0 = LONG_MAX, y0 = LONG_MAX, x1 = LONG_MIN, y1 = LONG_MIN;
    long width() const { return x1 - x0; }
    long height() const { return y1 - y0; }
};
std::map<int, Box> LineBoxes(const std::string& body) {
    std::map<int, Box> boxes;
    static const std::regex instruction("(SP|PU|PD)([-0-9,]*)");
    int pen = 0;
    for (auto it = std::sregex_iterator(body.begin(), body.end(), instruction);
         it != std::sregex_iterator(); ++it) {
        const std::string args = (*it)[2].str();
        if ((*it)[1] == "SP") {
            pen = std::atoi(args.c_str());
            continue;
        }
        std::vector<long> n;
        static const std::regex number("-?[0-9]+");
        for (auto m = std::sregex_iterator(args.begin(), args.end(), number);
             m != std::sregex_iterator(); ++m)
            n.push_back(std::stol(m->str()));
        for (size_t i = 0; i + 1 < n.size(); i += 2) {
            for (Box* b : {&boxes[pen], &boxes[0]}) {
                b->x0 = std::min(b->x0, n[i]);
                b->x1 = std::max(b->x1, n[i]);
                b->y0 = std::min(b->y0, n[i + 1]);
                b->y1 = std::max(b->y1, n[i + 1]);
            }
        }
    }
    return boxes;
}

int Count(const std::string& body, const std::string& what) {
    int n = 0;
    for (size_t at = body.find(what); at != std::string::npos; at = body.find(what, at + 1)) ++n;
    return n;
}

// The share of pen-down runs that end where they start: a letter drawn as its outline closes
// on itself, a stroke doesn't.
double ClosedShare(const std::string& body) {
    static const std::regex instruction("(SP|PU|PD)([-0-9,]*)");
    static const std::regex number("-?[0-9]+");
    long x = 0, y = 0, startX = 0, startY = 0;
    bool down = false;
    int runs = 0, closed = 0;
    const auto end = [&] {
        if (down) closed += x == startX && y == startY;
        down = false;
    };
    for (auto it = std::sregex_iterator(body.begin(), body.end(), instruction);
         it != std::sregex_iterator(); ++it) {
        const std::string args = (*it)[2].str();
        if ((*it)[1] != "PD") end();
        if ((*it)[1] == "PD" && !down) {
            down = true;
            ++runs;
            startX = x;
            startY = y;
        }
        std::vector<long> n;
        for (auto m = std::sregex_iterator(args.begin(), args.end(), number);
             m != std::sregex_iterator(); ++m)
            n.push_back(std::stol(m->str()));
        if ((*it)[1] != "SP" && n.size() >= 2) {
            x = n[n.size() - 2];
            y = n.back();
        }
    }
    end();
    return runs == 0 ? 0 : static_cast<double>(closed) / runs;
}

const char kDrawing[] =
    "<svg xmlns='http://www.w3.org/2000/svg' width='210mm' height='297mm' viewBox='0 0 210 297'>"
    "<rect x='10' y='20' width='100' height='60' fill='none' stroke='black'/>"
    "<circle cx='140' cy='120' r='25' fill='yellow' stroke='red'/>"
    "<path d='M 20 250 C 40 200 80 300 150 240' fill='none' stroke='blue'/>"
    "<text x='30' y='150' font-size='12' fill='black'>Plot 24</text></svg>";

struct KindCase {
    const char* name;
    const char* make;  // rsvg-convert's format
    const char* file;  // the name it gets: the content decides, never the name
    bool pagePlaced;   // a page keeps the SVG's place; an EPS is its bounding box
};

class KindTable : public testing::TestWithParam<KindCase> {};

TEST_P(KindTable, PlotsLikeTheSvgItCameFrom) {
    const KindCase& c = GetParam();
    TempHome home;
    const std::string dir = home.scratch("in");
    WriteFileBytes(dir + "/drawing.svg", kDrawing);
    Shell("rsvg-convert -f " + std::string(c.make) + " -o '" + dir + "/" + c.file + "' '" + dir +
        "/drawing.svg'");
    const Plot svg = ConvertFile(dir + "/drawing.svg");
    const Plot other = ConvertFile(dir + "/" + c.file);
    ASSERT_TRUE(svg.result.ok()) << svg.result.message;
    ASSERT_TRUE(other.result.ok()) << other.result.message;
    EXPECT_EQ(other.result.plots.size(), 1u);
    EXPECT_EQ(PlotName(other.result, 0), c.file);
    const auto a = LineBoxes(svg.body), b = LineBoxes(other.body);
    // Half a millimetre is 20 units; every pen draws where it drew.
    for (int pen : {2, 7}) {
        ASSERT_EQ(b.count(pen), 1u) << "pen " << pen;
        EXPECT_NEAR(b.at(pen).width(), a.at(pen).width(), 20) << pen;
        EXPECT_NEAR(b.at(pen).height(), a.at(pen).height(), 20) << pen;
        if (c.pagePlaced) {
            EXPECT_NEAR(b.at(pen).x0, a.at(pen).x0, 20) << pen;
            EXPECT_NEAR(b.at(pen).y1, a.at(pen).y1, 20) << pen;
        }
    }
    // The text comes as glyph outlines with the black pen; its font may differ from Qt's.
    ASSERT_EQ(b.count(3), 1u);
    EXPECT_NEAR(b.at(0).width(), a.at(0).width(), 20);
    EXPECT_NEAR(b.at(0).height(), a.at(0).height(), 20);
    if (!c.pagePlaced) {
        // Laid by its bounding box: the ink starts within a point of the area's corner.
        EXPECT_LE(b.at(0).x0, 40);
        EXPECT_GE(b.at(0).y1, kAreaHeight - 40);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Readers, KindTable,
    testing::Values(KindCase{"Pdf", "pdf", "drawing.pdf", true},
                    KindCase{"IllustratorPdfBased", "pdf", "drawing.ai", true},
                    KindCase{"PostScript", "ps", "drawing.ps", true},
                    KindCase{"IllustratorPostScriptBased", "ps", "drawing.ai", true},
                    KindCase{"Eps", "eps", "drawing.eps", false},
                    KindCase{"EpsNamedPdf", "eps", "drawing.pdf", false}),
    [](const testing::TestParamInfo<KindCase>& i) { return std::string(i.param.name); });

// Only lines reach the plot: an image and a soft mask are skipped with a note each; a shading
// handed over whole (linear) and one poppler cuts into bands (radial), each painted under its
// shape's clip, plot that shape (what the mask lets through
// is drawn, as an SVG reader draws it); a box filled and clipped to a circle plots the circle; a
// group drawn half transparent (poppler plays it back from a picture) lands where it belongs.
TEST(Readers, PdfPartsWithoutLinesAreSkippedWithANote) {
    TempHome home;
    const std::string dir = home.scratch("in");
    WriteFileBytes(
        dir + "/shaded.svg",
        "<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='100mm' "
        "viewBox='0 0 100 100'><defs><linearGradient id='g'><stop offset='0' stop-color='red'/>"
        "<stop offset='1' stop-color='blue'/></linearGradient>"
        "<radialGradient id='r'><stop offset='0' stop-color='yellow'/>"
        "<stop offset='1' stop-color='blue'/></radialGradient>"
        "<linearGradient id='fade'><stop offset='0' stop-color='white'/>"
        "<stop offset='1' stop-color='white' stop-opacity='0'/></linearGradient>"
        "<mask id='m'><rect width='100' height='100' fill='url(#fade)'/></mask>"
        "<clipPath id='c'><circle cx='80' cy='20' r='10'/></clipPath></defs>"
        "<rect x='50' y='50' width='40' height='40' fill='url(#g)'/>"
        "<circle cx='20' cy='80' r='15' fill='url(#r)'/>"
        "<rect x='5' y='2' width='20' height='5' fill='black' mask='url(#m)'/>"
        "<image x='0' y='50' width='10' height='10' href='data:image/png;base64,iVBORw0KGgoAAAANSU"
        "hEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg=='/>"
        "<rect width='100' height='100' fill='red' clip-path='url(#c)'/>"
        "<g opacity='0.5'><rect x='60' y='5' width='20' height='10' fill='none' stroke='blue' "
        "stroke-width='0.2'/></g>"
        "<line x1='0' y1='0' x2='40' y2='0' stroke='black' stroke-width='0.2'/></svg>");
    Shell("rsvg-convert -f pdf -o '" + dir + "/shaded.pdf' '" + dir + "/shaded.svg'");
    const Plot out = ConvertFile(dir + "/shaded.pdf");
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    const auto& notes = out.result.notes;
    for (const char* note : {"images skipped", "soft masks (transparency used as a mask) skipped"})
        EXPECT_TRUE(std::any_of(notes.begin(), notes.end(),
                                [&](const Note& n) { return NoteEnglish(n) == note; }))
            << note;
    const auto boxes = LineBoxes(out.body);
    EXPECT_EQ(boxes.size(), 4u);  // all pens, black, red and blue
    EXPECT_EQ(boxes.at(3).width(), 1600);
    EXPECT_NEAR(boxes.at(7).width(), 800, 2);
    EXPECT_NEAR(boxes.at(7).height(), 800, 2);
    EXPECT_NEAR(boxes.at(2).x0, 2000, 2);  // the blue box and the shaded square's mean colour
    EXPECT_NEAR(boxes.at(2).y1, kAreaHeight - 200, 2);
    EXPECT_NEAR(boxes.at(2).width(), 1600, 2);
    EXPECT_NEAR(boxes.at(0).width(), 3600, 2);
    EXPECT_NEAR(boxes.at(0).height(), 3800, 2);  // down to the shaded circle
}

// "[3] 0 d" is 3 on, 3 off, as "[3 3] 0 d" is; Qt would pad the odd pattern with a gap of one
// pen width. Through ghostscript's PDF, which keeps the array as written.
TEST(Readers, AnOddDashArrayRepeatsAsAnEvenOne) {
    TempHome home;
    const std::string dir = home.scratch("in");
    std::string bodies[2];
    for (int even = 0; even < 2; ++even) {
        const std::string ps = dir + "/dash" + std::to_string(even) + ".ps";
        WriteFileBytes(ps, std::string("%!PS\n<< /PageSize [200 100] >> setpagedevice 0.5 "
                                       "setlinewidth [") +
                               (even ? "30 30" : "30") +
                               "] 0 setdash 10 50 moveto 190 50 lineto stroke showpage\n");
        const Plot out = ConvertFile(ps);
        ASSERT_TRUE(out.result.ok()) << out.result.message;
        bodies[even] = out.body;
    }
    EXPECT_EQ(Count(bodies[0], "PD"), 3);
    EXPECT_EQ(bodies[0], bodies[1]);
}

// The pen-down runs of a plot: how many, their length and box (plotter units).
struct Runs {
    int count = 0;
    double length = 0;
    Box box;
};
// Those of pen `pen` alone unless it is 0.
Runs PenDownRuns(const std::string& body, int pen = 0) {
    Runs runs;
    static const std::regex instruction("(PU|PD|SP)([-0-9,]*)");
    double x = 0, y = 0;
    int selected = 0;
    for (auto it = std::sregex_iterator(body.begin(), body.end(), instruction);
         it != std::sregex_iterator(); ++it) {
        std::vector<long> n;
        const std::string args = (*it)[2].str();
        if ((*it)[1] == "SP") {
            selected = std::atoi(args.c_str());
            continue;
        }
        static const std::regex number("-?[0-9]+");
        for (auto m = std::sregex_iterator(args.begin(), args.end(), number);
             m != std::sregex_iterator(); ++m)
            n.push_back(std::stol(m->str()));
        const bool down = (*it)[1] == "PD" && (pen == 0 || selected == pen);
        if (down && !n.empty()) ++runs.count;
        for (size_t i = 0; i + 1 < n.size(); i += 2) {
            if (down) {
                runs.length += std::hypot(n[i] - x, n[i + 1] - y);
                for (long px : {static_cast<long>(x), n[i]}) {
                    runs.box.x0 = std::min(runs.box.x0, px);
                    runs.box.x1 = std::max(runs.box.x1, px);
                }
            }
            x = n[i];
            y = n[i + 1];
        }
    }
    return runs;
}

// Dashes, clips, markers and symbols as the drawing has them, to the plotter unit, read from
// the SVG and from the PDF rsvg-convert makes of it. Lines run along y = 10 mm of a 200 mm
// wide drawing; x in plotter units from the page's left. Strokes thinner than the pens, so
// that each is one line.
TEST(Readers, DashesClipsMarkersAndSymbolsPlotExactly) {
    const struct {
        const char* name;
        const char* body;
        int runs;               // 0: not checked
        double length, within;  // plotter units
        long x0, x1;            // the box of the pen-down lines; -1: not checked
        bool svgOnly = false;   // cairo's PDF of it holds a soft mask or tiles, not this
        int pen = 0;            // the runs of this pen alone (0: all)
        bool everyOutline = false;
    } rows[] = {
        // Under a red square painted after it, the line is cut where the square's edges cross
        // it; a square that lets it show through hides nothing, nor does any with every outline.
        {"line_under_an_opaque_square",
         "<line x1='0' y1='10' x2='100' y2='10' stroke='black' stroke-width='0.2'/>"
         "<rect x='40' y='0' width='20' height='20' fill='red'/>",
         2, 3200, 1, 0, 4000, false, 3},
        {"line_under_a_half_opaque_square",
         "<line x1='0' y1='10' x2='100' y2='10' stroke='black' stroke-width='0.2'/>"
         "<rect x='40' y='0' width='20' height='20' fill='red' fill-opacity='0.5'/>",
         1, 4000, 1, 0, 4000, false, 3},
        // A stroke wider than its pen hides its band: the line is cut 2 mm either side.
        {"line_under_a_wide_stroke",
         "<line x1='0' y1='10' x2='100' y2='10' stroke='black' stroke-width='0.2'/>"
         "<line x1='50' y1='0' x2='50' y2='20' stroke='blue' stroke-width='4'/>",
         2, 3840, 1, 0, 4000, false, 3},
        {"line_under_an_opaque_square_every_outline",
         "<line x1='0' y1='10' x2='100' y2='10' stroke='black' stroke-width='0.2'/>"
         "<rect x='40' y='0' width='20' height='20' fill='red'/>",
         1, 4000, 1, 0, 4000, false, 3, true},
        {"dash_5_2",
         "<line x1='0' y1='10' x2='100' y2='10' stroke='black' stroke-width='0.2' "
         "stroke-dasharray='5,2'/>",
         15, 2880, 2, 0, 4000},
        {"dash_offset_3",
         "<line x1='0' y1='10' x2='100' y2='10' stroke='black' stroke-width='0.2' "
         "stroke-dasharray='5 2' stroke-dashoffset='3'/>",
         15, 2880, 2, 0, 4000},
        {"dash_in_a_scaled_group",
         "<g transform='scale(2)'><line x1='0' y1='5' x2='50' y2='5' "
         "stroke='black' stroke-width='0.1' stroke-dasharray='2.5,1'/>"
         "</g>",
         15, 2880, 2, 0, 4000},
        {"dash_css",
         "<line x1='0' y1='10' x2='100' y2='10' style='stroke:black;"
         "stroke-width:0.2;stroke-dasharray:5,2'/>",
         15, 2880, 2, 0, 4000},
        {"square_dashed_10_10",
         "<rect x='0' y='10' width='40' height='40' fill='none' "
         "stroke='black' stroke-width='0.2' stroke-dasharray='10,10'/>",
         8, 3200, 2, 0, 1600},
        // One dash along the top edge's first half; the fill's outline goes all round (its
        // hatching alone stops half a pen short of the right edge, at 1594).
        {"filled_square_dashed_outlined_whole",
         "<rect x='0' y='10' width='40' height='40' fill='#ccc' stroke='black' "
         "stroke-width='0.2' stroke-dasharray='20,140'/>",
         0, 0, -1, 0, 1600},
        {"line_across_a_circular_clip",
         "<clipPath id='c'><circle cx='50' cy='10' r='20'/></clipPath><line x1='0' y1='10' "
         "x2='100' y2='10' stroke='black' stroke-width='0.2' clip-path='url(#c)'/>",
         1, 1600, 1, 1200, 2800},
        // Dashes where the whole line has them, cut by the clip (at 16 mm mid-dash): 16-19,
        // 21-26, ... 49-50 mm.
        {"dashes_of_a_clipped_line_fall_as_the_whole_line_s",
         "<clipPath id='c'><rect x='16' width='34' height='100'/></clipPath><line x1='0' "
         "y1='10' x2='100' y2='10' stroke='black' stroke-width='0.2' stroke-dasharray='5,2' "
         "clip-path='url(#c)'/>",
         6, 960, 2, 640, 2000},
        {"dashed_in_a_scaled_group_clipped_in_its_units",
         "<clipPath id='c'><circle cx='16.5' cy='5' r='8.5'/></clipPath><g transform='scale(2)'>"
         "<line x1='0' y1='5' x2='50' y2='5' stroke='black' stroke-width='0.1' "
         "stroke-dasharray='2.5,1' stroke-dashoffset='-1' clip-path='url(#c)'/></g>",
         5, 1000, 2, 640, 1960},
        // A clip in the units of the group's box (x 0-100, y 0-20 mm) lets its middle half show.
        {"clip_in_the_box_of_a_group",
         "<clipPath id='b' clipPathUnits='objectBoundingBox'><rect x='0.25' width='0.5' "
         "height='1'/></clipPath><g clip-path='url(#b)' stroke='black' stroke-width='0.2'>"
         "<line x1='0' y1='10' x2='100' y2='10'/><line x1='0' y1='0' x2='0' y2='20'/></g>",
         1, 2000, 1, 1000, 3000},
        // A box clip within a box clip: each in its own element's box (the inner 40-80 mm,
        // showing 50-70 mm), the inner's shapes waiting inside the outer's. Cairo's PDF of it
        // loses the inner group.
        {"box_clip_within_a_box_clip",
         "<clipPath id='b' clipPathUnits='objectBoundingBox'><rect x='0.25' width='0.5' "
         "height='1'/></clipPath><g clip-path='url(#b)' stroke='black' stroke-width='0.2'>"
         "<line x1='0' y1='10' x2='100' y2='10'/><line x1='0' y1='0' x2='0' y2='20'/>"
         "<g clip-path='url(#b)'><line x1='40' y1='15' x2='80' y2='15'/><line x1='40' y1='12' "
         "x2='40' y2='18'/></g></g>",
         2, 2800, 2, 1000, 3000, true},
        // Every shape of a clip path lets through (20-30 and 60-70 mm); an even-odd ring only
        // its band (10-20 and 80-90 mm).
        {"clip_of_two_shapes_and_of_a_ring",
         "<clipPath id='t'><rect x='20' width='10' height='100'/><rect x='60' width='10' "
         "height='100'/></clipPath><clipPath id='r' clip-rule='evenodd'><path d='M10 0H90V100H10Z"
         "M20 0H80V100H20Z'/></clipPath><line x1='0' y1='10' x2='100' y2='10' stroke='black' "
         "stroke-width='0.2' clip-path='url(#t)'/><line x1='0' y1='12' x2='100' y2='12' "
         "stroke='black' stroke-width='0.2' clip-path='url(#r)'/>",
         4, 1600, 2, 400, 3600},
        // The line's own clip is in its units, its transform included, within its group's.
        {"clip_within_a_clip_in_moved_units",
         "<clipPath id='a'><rect x='20' width='60' height='100'/></clipPath><clipPath id='b'>"
         "<rect x='10' width='30' height='100'/></clipPath><g clip-path='url(#a)'><line "
         "transform='translate(10 0)' x1='0' y1='10' x2='100' y2='10' stroke='black' "
         "stroke-width='0.2' clip-path='url(#b)'/></g>",
         1, 1200, 1, 800, 2000},
        // A diamond larger than the page, its box holding the page: still a clip.
        {"line_across_a_diamond_clip",
         "<clipPath id='d'><polygon points='100,-60 260,50 100,160 -60,50'/></clipPath><line "
         "x1='0' y1='95' x2='150' y2='95' stroke='black' stroke-width='0.2' clip-path='url(#d)'/>",
         1, 5782, 2, 218, 6000},
        {"circle_clipped_to_its_right_half",
         "<clipPath id='h'><rect x='50' y='0' width='100' height='100'/></clipPath><circle "
         "cx='50' cy='40' r='30' fill='none' stroke='black' stroke-width='0.2' "
         "clip-path='url(#h)'/>",
         0, M_PI * 30 * 40, M_PI * 30 * 40 * 0.005, 2000, 3200},
        {"arrow_marker_tip_on_the_end",
         "<marker id='m' viewBox='0 0 10 10' refX='10' refY='5' markerWidth='4' "
         "markerHeight='4' orient='auto'><path d='M0 0 L10 5 L0 10 z'/></marker><line x1='10' "
         "y1='10' x2='60' y2='10' stroke='black' stroke-width='0.2' marker-end='url(#m)'/>",
         0, 0, -1, 400, 2400},
        {"symbol_used_at_20_mm",
         "<symbol id='s' viewBox='0 0 10 10'><rect width='10' height='10' fill='none' "
         "stroke='black' stroke-width='0.1'/></symbol><use href='#s' x='30' y='10' width='20' "
         "height='20'/>",
         1, 3200, 2, 1200, 2000},
        {"beyond_the_canvas_left_out",
         "<line x1='-50' y1='10' x2='50' y2='10' stroke='black' stroke-width='0.2'/>", 1, 2000, 1,
         0, 2000},
        {"masked_by_a_band_in_a_group",
         "<mask id='k'><g transform='translate(40,0)'><rect width='20' height='100' "
         "fill='white'/></g></mask><line x1='10' y1='10' x2='90' y2='10' stroke='black' "
         "stroke-width='0.2' style='mask:url(#k)'/>",
         1, 800, 1, 1600, 2400, true},
        {"masked_and_clipped",
         "<clipPath id='c'><rect width='50' height='100'/></clipPath><mask id='k'><rect x='30' "
         "width='40' height='100' fill='white'/></mask><line x1='10' y1='10' x2='90' y2='10' "
         "stroke='black' stroke-width='0.2' mask='url(#k)' clip-path='url(#c)'/>",
         1, 800, 1, 1200, 2000, true},
        {"pattern_stroke_plots_its_line_not_its_tiles",
         "<pattern id='p' width='4' height='4' patternUnits='userSpaceOnUse'><circle cx='2' "
         "cy='2' r='1'/></pattern><rect x='30' y='10' width='40' height='40' fill='none' "
         "stroke='url(#p) red' stroke-width='0.2'/>",
         1, 6400, 2, 1200, 2800, true},
        // The dashes start after the top left corner, as SVG says, in both routes: 20 mm on
        // the top edge, then 20 mm from 220 mm on, up the left side and round the corner.
        {"rounded_rect_dashes_start_after_the_corner",
         "<g style='stroke-dasharray:20,200'><rect x='10' y='10' width='80' height='50' rx='10' "
         "fill='none' stroke='black' stroke-width='0.2'/></g>",
         2, 1600, 2, 400, 1600},
        // The PDF route plots the line, as Qt's does, not the outline of its stroke.
        {"gradient_stroke_plots_its_line",
         "<linearGradient id='g'><stop offset='0' stop-color='red'/><stop offset='1' "
         "stop-color='blue'/></linearGradient><clipPath id='c'><rect width='200' height='100'/>"
         "</clipPath><line x1='0' y1='10' x2='100' y2='10' stroke='url(#g)' stroke-width='0.2' "
         "clip-path='url(#c)'/>",
         1, 4000, 1, 0, 4000, true},
        {"text_set_along_its_path",
         "<defs><path id='v' d='M50 10 L50 90'/></defs><text font-size='8'><textPath href='#v'>HHHH"
         "</textPath></text>",
         0, 0, -1, 2000, -1, true},
    };
    TempHome home;
    const std::string dir = home.scratch("in");
    for (const auto& row : rows) {
        const std::string svg = dir + "/" + row.name + ".svg";
        WriteFileBytes(svg, std::string("<svg xmlns='http://www.w3.org/2000/svg' width='200mm' "
                                        "height='100mm' viewBox='0 0 200 100'>") +
                                row.body + "</svg>");
        Shell("rsvg-convert -f pdf -o '" + svg + ".pdf' '" + svg + "'");
        for (const std::string& file : {svg, svg + ".pdf"}) {
            if (row.svgOnly && file != svg) continue;
            const Plot out = ConvertFile(file, 1, 1, 0, false, {}, false, row.everyOutline);
            ASSERT_TRUE(out.result.ok()) << file << ": " << out.result.message;
            const Runs runs = PenDownRuns(out.body, row.pen);
            if (row.runs > 0) EXPECT_EQ(runs.count, row.runs) << file;
            if (row.within >= 0) EXPECT_NEAR(runs.length, row.length, row.within) << file;
            if (row.x0 >= 0) EXPECT_NEAR(runs.box.x0, row.x0, 1) << file;
            if (row.x1 >= 0) EXPECT_NEAR(runs.box.x1, row.x1, 1) << file;
        }
    }
}

// A PDF of these objects (numbered from 1, the first the catalog), written by hand.
std::string PdfOf(const std::vector<std::string>& objects) {
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (const std::string& body : objects) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t at : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", at);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

std::string PdfStream(const std::string& dict, const std::string& content) {
    return "<< " + dict + " /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
           "\nendstream";
}

// A page 100 points wide with a 100-point line, and a box filled with a tiling pattern whose
// cell (a vertical line cut to a 4-point box) repeats every 10 by 8 points, under `matrix`.
std::string TiledPdf(const std::string& matrix) {
    return PdfOf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Count 1 /Kids [3 0 R] >>",
                  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 200] /Contents 4 0 R "
                  "/Resources << /Pattern << /P0 5 0 R >> >> >>",
                  PdfStream("",
                            "0 0 0 RG 0.1 w 0 20 m 100 20 l S /Pattern cs /P0 scn 10 50 80 "
                            "80 re f"),
                  PdfStream("/Type /Pattern /PatternType 1 /PaintType 1 /TilingType 1 /BBox [0 0 "
                            "4 4] /XStep 10 /YStep 8 /Matrix [" +
                                matrix + "] /Resources << >>",
                            "0 0 0 RG 0.1 w 1 -2 m 1 6 l S")});
}

// A rectangle filled with a pattern of one diagonal line per 5-unit tile, placed across the
// tiles' edges: 339.4 units of line, 3.54 apart, clipped to the rectangle, in as many runs on
// Qt's route (a drawing without a size), librsvg's and the PDF's; a 100-unit line beside it
// gives the scale. A tile a millionth of a unit across is refused on Qt's route, never
// repeated; librsvg's leaves it out. A PDF's cell repeats at its steps, not its box's size, and
// lies where its matrix puts it (gnuplot's cells turn and mirror): 160 points of hatching,
// 4 lines of 5 pieces 8 points long, or 4 of 6 pieces cut by the box.
TEST(Readers, PatternFillsPlotTheirTilesClippedToTheShape) {
    const char* sized = "width='200mm' height='100mm' viewBox='0 0 200 100'";
    const struct {
        const char* name;
        const char* root;  // the svg element's size
        const char* tile;
        bool plotted;
        double hatch;  // units of line the pattern plots; < 0: as many runs as the first row
        const char* pdfMatrix = nullptr;  // a PDF's tiling pattern (TiledPdf) under this matrix
    } rows[] = {
        {"librsvg_route", sized, "5", true, 1200 / (5 / std::sqrt(2.0))},
        {"qt_route", "", "5", true, 1200 / (5 / std::sqrt(2.0))},
        {"qt_route_hostile_tile", "", "0.000001", false, 0},
        // 120 000 tiles of 0.1 units: plotted, each clipped, within the reading's bounds.
        {"qt_route_fine_tile", "", "0.1", true, 1200 / (0.1 / std::sqrt(2.0))},
        {"librsvg_route_hostile_tile", sized, "0.000001", true, 0},
        {"pdf_cell_stepped_apart_scaled_and_moved", "", "", true, 160, "2 0 0 2 7 5"},
        {"pdf_cell_mirrored_across_the_diagonal", "", "", true, 160, "0 2 2 0 7 5"},
    };
    TempHome home;
    const std::string dir = home.scratch("in");
    int tiles = -1;  // runs of the first route, which every route must plot alike
    for (const auto& row : rows) {
        const std::string svg = dir + "/" + row.name + ".svg", t = row.tile;
        if (row.pdfMatrix)
            WriteFileBytes(svg + ".pdf", TiledPdf(row.pdfMatrix));
        else
            WriteFileBytes(svg, std::string("<svg xmlns='http://www.w3.org/2000/svg' ") + row.root +
                                    "><pattern id='p' width='" + t + "' height='" + t +
                                    "' patternUnits='userSpaceOnUse'><path d='M0 " + t + " L" + t +
                                    " 0' fill='none' stroke='black' stroke-width='0.01'/></pattern>"
                                    "<rect x='21' "
                                    "y='22' width='40' height='30' fill='url(#p)'/><line x1='0' "
                                    "y1='90' x2='100' y2='90' stroke='black' stroke-width='0.01'/>"
                                    "</svg>");
        std::vector<std::string> files{row.pdfMatrix ? svg + ".pdf" : svg};
        if (*row.root && row.hatch > 0) {
            Shell("rsvg-convert -f pdf -o '" + svg + ".pdf' '" + svg + "'");
            files.push_back(svg + ".pdf");
        }
        for (const std::string& file : files) {
            const Plot out = ConvertFile(file);
            ASSERT_EQ(out.result.ok(), row.plotted) << file << ": " << out.result.message;
            if (!row.plotted) continue;
            const Runs runs = PenDownRuns(out.body);
            const double scale = (runs.box.x1 - runs.box.x0) / 100.0;
            // Lines a few plotter units long gain up to a percent by their ends' rounding.
            EXPECT_NEAR((runs.length - 100 * scale) / scale, row.hatch, 1 + row.hatch / 100)
                << file;
            if (row.hatch == 0 || row.tile != std::string("5")) continue;
            if (tiles < 0) tiles = runs.count;
            EXPECT_EQ(runs.count, tiles) << file;
        }
    }
}

// A list of font families is set in the first family the system has of it, as librsvg sets it:
// "NoSuchFamily, monospace" plots as "monospace" does, not in the default sans a name nobody
// has gets, however the list is written (attribute, style, style sheet, quoted names).
TEST(Readers, FontFamilyListsPlotTheFamilyChosenFromThem) {
    const char* text = ">HHHH</text>";
    const struct {
        const char* name;
        std::string listed, single;  // the text element's start, or what comes before it
    } rows[] = {
        {"attribute", "<text font-family='NoSuchFamily, monospace'",
         "<text font-family='monospace'"},
        {"style_with_quoted_names",
         "<text style=\"font-size:10px;font-family: 'No, Such' , 'DejaVu Serif'\"",
         "<text style='font-size:10px;font-family:DejaVu Serif'"},
        {"style_sheet", "<style>text{font-family:\"NoSuchFamily\",monospace}</style><text",
         "<style>text{font-family:monospace}</style><text"},
    };
    TempHome home;
    const std::string dir = home.scratch("in");
    const auto plot = [&](const std::string& start) {
        const std::string svg = dir + "/text.svg";
        WriteFileBytes(svg,
                       "<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='30mm' "
                       "viewBox='0 0 100 30' font-size='10'>" +
                           start + " x='5' y='20'" + text + "</svg>");
        const Plot out = ConvertFile(svg);
        EXPECT_TRUE(out.result.ok()) << start << ": " << out.result.message;
        return out.body;
    };
    const std::string unnamed = plot("<text");
    for (const auto& row : rows) {
        const std::string single = plot(row.single);
        EXPECT_NE(single, unnamed) << row.name << ": the family must show";
        EXPECT_EQ(plot(row.listed), single) << row.name;
    }
}

// A PDF of `pages` pages, each an inch across and 600 points up from the bottom (so that it
// spans three stretches of a 288-point roll), written whole by hand: a tool would take long.
std::string ManyPagePdf(int pages) {
    std::string kids;
    for (int i = 0; i < pages; ++i) kids += std::to_string(4 + i) + " 0 R ";
    std::vector<std::string> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Count " + std::to_string(pages) + " /Kids [" + kids + "] >>",
        PdfStream("", "0 0 0 RG 72 700 m 144 700 l S 72 100 m 72 700 l S")};
    for (int i = 0; i < pages; ++i)
        objects.push_back(
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 3 0 R >>");
    return PdfOf(objects);
}

// Every page of the page range is a plot of its own, named like a roll's panel; only those
// pages are read, and a range too long for one go is refused before any is. The pages left
// out are named. Along a roll each page is cut as a drawing without pages is: into panels
// with automatic split (its bottom stretch is the first), else clipped at the roll length.
TEST(Readers, ThePageRangeChoosesThePagesOfTenThousand) {
    TempHome home;
    const std::string path = home.scratch("in") + "/long.pdf";
    const std::string two = home.scratch("in") + "/two.pdf";
    WriteFileBytes(path, ManyPagePdf(10000));
    WriteFileBytes(two, ManyPagePdf(2));
    const std::string range = " set in Trazen Plotter Settings; not sent";
    const struct {
        const char* name;
        bool long_;  // long.pdf, else two.pdf
        int16_t first, last, roll;
        bool split;
        std::vector<std::string> plotted;  // the plots' names after the file's; none: refused
        std::string says;                  // in the message, or else in the notes
        double beyondMm = 0;
    } rows[] = {
        // clang-format off
        {"first_page", true, 1, 1, 0, false, {"(1/10000)"},
         "pages 2-10000 of 10000 are outside the page range 1-1" + range},
        {"a_later_page", true, 7, 7, 0, false, {"(7/10000)"},
         "pages 1-6 and 8-10000 of 10000 are outside the page range 7-7" + range},
        {"three_pages", true, 2, 4, 0, false, {"(2/10000)", "(3/10000)", "(4/10000)"},
         "pages 1 and 5-10000 of 10000 are outside the page range 2-4" + range},
        {"range_too_long", true, 1, 9999, 0, false, {}, "more than the 100 plotted at once"},
        {"beyond_the_page_limit", true, 5000, 5000, 0, false, {}, "beyond the 1000 pages"},
        {"far_beyond", true, 12000, 12000, 0, false, {}, "beyond the 1000 pages"},
        {"roll_in_panels", false, 1, 9999, 288, true,
         {"(page 1/2, panel 1/3)", "(page 1/2, panel 2/3)", "(page 1/2, panel 3/3)",
          "(page 2/2, panel 1/3)", "(page 2/2, panel 2/3)", "(page 2/2, panel 3/3)"}, ""},
        {"roll_in_panels_second_page", false, 2, 2, 288, true,
         {"(page 2/2, panel 1/3)", "(page 2/2, panel 2/3)", "(page 2/2, panel 3/3)"},
         "page 1 of 2 is outside the page range 2-2" + range},
        // The line reaches 9878 units up the area; the roll takes 4064.
        {"roll_clipped", false, 1, 9999, 288, false, {"(1/2)", "(2/2)"}, "", (9878 - 4064) / 40.0},
        // clang-format on
    };
    for (const auto& row : rows) {
        const Plot out =
            ConvertFile(row.long_ ? path : two, row.first, row.last, row.roll, row.split);
        EXPECT_EQ(out.result.ok(), !row.plotted.empty()) << row.name << ": " << out.result.message;
        std::string said = NoteEnglish(out.result.message);
        for (const Note& note : out.result.notes) said += "|" + NoteEnglish(note);
        EXPECT_NE(said.find(row.says), std::string::npos) << row.name << ": " << said;
        if (row.says.empty()) EXPECT_EQ(said.find("outside"), std::string::npos) << row.name;
        EXPECT_NEAR(out.result.beyondRollMm, row.beyondMm, 0.1) << row.name;
        ASSERT_EQ(out.result.plots.size(), row.plotted.size()) << row.name;
        // Pages, not panels, unless cut along the roll.
        EXPECT_EQ(out.result.pages, !row.plotted.empty() && !row.split) << row.name;
        for (size_t i = 0; i < row.plotted.size(); ++i) {
            EXPECT_EQ(PlotName(out.result, i),
                      (row.long_ ? "long.pdf " : "two.pdf ") + row.plotted[i])
                << row.name;
            // Never an empty plot: each holds some of the page's lines.
            ASSERT_EQ(LineBoxes(out.bodies[i]).count(3), 1u) << row.name << " " << i;
            if (row.roll == 0)
                EXPECT_EQ(LineBoxes(out.bodies[i]).at(0).width(), 1016) << row.name;  // one inch
        }
    }
}

// A DXF made by python3-ezdxf: `body` adds entities to `m` (the model space) and `d`.
std::string MakeDxf(const std::string& dir, const std::string& name, const std::string& body,
                    int insunits = 4) {
    const std::string script = dir + "/" + name + ".py";
    const std::string path = dir + "/" + name + ".dxf";
    WriteFileBytes(script, "import ezdxf\nd = ezdxf.new('R2010')\n" +
                               (insunits >= 0 ? "d.header['$INSUNITS'] = " +
                                                    std::to_string(insunits) + "\n"
                                              : "del d.header['$INSUNITS']\n") +
                               "m = d.modelspace()\n" + body + "\nd.saveas('" + path + "')\n");
    // The Debian interpreter, where python3-ezdxf is installed.
    const std::string command = "/usr/bin/python3 '" + script + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return path;
}

struct UnitCase {
    const char* name;
    int insunits;  // -1: not set
    double perMm;  // drawing units per millimetre
    bool noted;
};

class DxfUnits : public testing::TestWithParam<UnitCase> {};

TEST_P(DxfUnits, CircleAndRectangleAreExactToTheUnit) {
    const UnitCase& c = GetParam();
    TempHome home;
    const std::string k = std::to_string(c.perMm);
    const std::string path = MakeDxf(
        home.scratch("in"), "shapes",
        "k = " + k +
            "\n"
            "m.add_lwpolyline([(0, 0), (100 * k, 0), (100 * k, 50 * k), (0, 50 * k)], "
            "close=True, dxfattribs={'color': 1})\n"
            "m.add_circle((150 * k, 25 * k), 25 * k, dxfattribs={'color': 5})\n"
            "m.add_line((0, -10 * k), (10 * k, -10 * k), dxfattribs={'color': 7})",
        c.insunits);
    const Plot out = ConvertFile(path);
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    const auto boxes = LineBoxes(out.body);
    // Red rectangle SP7, blue circle SP2, colour 7 (white on the screen) black SP3; y up: the
    // line below the rectangle stays below it.
    const Box& rect = boxes.at(7);
    const Box& circle = boxes.at(2);
    const Box& line = boxes.at(3);
    EXPECT_EQ(rect.x0, 0);
    EXPECT_EQ(rect.y1, kAreaHeight);
    EXPECT_EQ(rect.width(), 4000);
    EXPECT_EQ(rect.height(), 2000);
    EXPECT_EQ(circle.x0, 5000);
    EXPECT_EQ(circle.y1, kAreaHeight);
    EXPECT_EQ(circle.width(), 2000);
    EXPECT_EQ(circle.height(), 2000);
    EXPECT_EQ(line.y0, kAreaHeight - 2400);
    EXPECT_EQ(line.width(), 400);
    const auto& notes = out.result.notes;
    EXPECT_EQ(std::any_of(notes.begin(), notes.end(),
                          [](const Note& n) { return NoteEnglish(n).find("$INSUNITS") != std::string::npos; }),
              c.noted);
}

INSTANTIATE_TEST_SUITE_P(Readers, DxfUnits,
                         testing::Values(UnitCase{"Millimetres", 4, 1, false},
                                         UnitCase{"Centimetres", 5, 0.1, false},
                                         UnitCase{"Inches", 1, 1 / 25.4, false},
                                         UnitCase{"NotSet", -1, 1, true}),
                         [](const testing::TestParamInfo<UnitCase>& i) {
                             return std::string(i.param.name);
                         });

// A hatch `h` of ANSI31's one line (45 degrees, 3.175 mm apart) in `space`; `Square` gives it
// its boundary.
std::string Ansi31(const std::string& space = "m") {
    return "h = " + space +
           ".add_hatch()\nh.set_pattern_fill('ANSI31', style=0, "
           "definition=[[45, (0, 0), (-2.2450640303, 2.2450640303), []]])";
}
std::string Square(const std::string& hatch, int size) {
    const std::string s = std::to_string(size);
    return hatch + ".paths.add_polyline_path([(0, 0), (" + s + ", 0), (" + s + ", " + s +
           "), (0, " + s + ")])";
}
// Lines along x, 5 mm apart from 2.5 mm, `dashes` as the file gives them, in a 40 mm square
// with two islands, one in the other, hatched in `style`; or in a loop of the line and arc
// `edges` (the arguments of add_line and add_arc, a tuple each).
std::string Islands(int style, const std::string& dashes, const std::string& edges = "") {
    const std::string hatch = "h = m.add_hatch()\nh.set_pattern_fill('LINES', style=" +
                              std::to_string(style) + ", definition=[[0, (0, 2.5), (0, 5), " +
                              dashes + "]])\n";
    if (!edges.empty())
        return hatch + "e = h.paths.add_edge_path()\nfor a in ((" + edges +
               ")):\n    (e.add_arc if len(a) > 2 else e.add_line)(*a)";
    return hatch +
           "for a, b in ((0, 40), (10, 30), (15, 25)):\n"
           "    h.paths.add_polyline_path([(a, a), (b, a), (b, b), (a, b)])";
}

// The pen-down lines of a plot, in plotter units.
std::vector<QLineF> PenDownLines(const std::string& body) {
    std::vector<QLineF> lines;
    static const std::regex instruction("(PU|PD)([-0-9,]*)");
    static const std::regex number("-?[0-9]+");
    QPointF at;
    for (auto it = std::sregex_iterator(body.begin(), body.end(), instruction);
         it != std::sregex_iterator(); ++it) {
        const std::string args = (*it)[2].str();
        std::vector<double> n;
        for (auto m = std::sregex_iterator(args.begin(), args.end(), number);
             m != std::sregex_iterator(); ++m)
            n.push_back(std::stod(m->str()));
        for (size_t i = 0; i + 1 < n.size(); i += 2) {
            const QPointF to(n[i], n[i + 1]);
            if ((*it)[1] == "PD") lines.emplace_back(at, to);
            at = to;
        }
    }
    return lines;
}

double DistanceTo(const std::vector<QLineF>& lines, QPointF p) {
    double nearest = INFINITY;
    for (const QLineF& l : lines) {
        const QPointF d = l.p2() - l.p1();
        const double len2 = QPointF::dotProduct(d, d);
        const double t =
            len2 > 0 ? std::clamp(QPointF::dotProduct(p - l.p1(), d) / len2, 0.0, 1.0) : 0;
        nearest = std::min(nearest, QLineF(p, l.p1() + d * t).length());
    }
    return nearest;
}

// A point of the drawing (mm) and how far from it the plot passes: within `mm` when `within`,
// else farther than `mm`.
struct Near {
    double x, y, mm;
    bool within = true;
};

TEST(Readers, DxfEntitiesKeepTheirShape) {
    const struct {
        const char* name;
        std::string body;
        long width, height;  // the line box, plotter units (40 per mm)
        int runs = 0;        // pen-down runs (PD), when given
        const char* note = nullptr;
        double lengthMm = 0;         // of the pen-down lines, within 5 %, when given
        double angle = -1;           // of every pen-down line, degrees, when given
        QPointF topLeft = {};        // of the drawing's lines, mm: where `near` is measured from
        std::vector<Near> near = {};
        double closed = -1;  // the share of runs closed on themselves at most (1: all), when given
    } rows[] = {
        // A half circle below the chord (counter-clockwise), then 30 mm up: 40 mm high; turned
        // clockwise the half circle is above and the whole is 30 mm high.
        {"bulge_ccw", "m.add_lwpolyline([(0, 0, 1), (20, 0, 0), (20, 30, 0)], format='xyb')",
         800, 1600},
        {"bulge_cw", "m.add_lwpolyline([(0, 0, -1), (20, 0, 0), (20, 30, 0)], format='xyb')",
         800, 1200},
        {"polyline_old_style",
         "m.add_polyline2d([(0, 0, 1), (20, 0, 0), (20, 30, 0)], format='xyb')", 800, 1600},
        {"arc_quarter", "m.add_arc((0, 0), 10, 0, 90)", 400, 400},
        {"arc_across_zero", "m.add_arc((0, 0), 10, 350, 10)", 6, 139},
        {"ellipse", "m.add_ellipse((0, 0), major_axis=(20, 0), ratio=0.5)", 1600, 800},
        {"ellipse_turned", "m.add_ellipse((0, 0), major_axis=(0, 20), ratio=0.5)", 800, 1600},
        {"spline_quadratic",
         "m.add_open_spline([(0, 0), (10, 20), (20, 0)], degree=2)", 800, 400},
        {"insert_turned_scaled",
         "b = d.blocks.new('B')\nb.add_line((0, 0), (10, 0))\n"
         "m.add_blockref('B', (5, 5), dxfattribs={'xscale': 2, 'yscale': 2, 'rotation': 90})",
         0, 800},
        {"insert_base_point",
         "b = d.blocks.new('B', base_point=(10, 0))\nb.add_line((0, 0), (10, 0))\n"
         "b.add_line((10, 0), (10, 10))\nm.add_blockref('B', (0, 0))", 400, 400},
        {"insert_nested",
         "b = d.blocks.new('B')\nb.add_line((0, 0), (10, 0))\nc = d.blocks.new('C')\n"
         "c.add_blockref('B', (0, 0), dxfattribs={'xscale': 3})\nm.add_blockref('C', (0, 0))",
         1200, 0},
        {"insert_array",
         "b = d.blocks.new('B')\nb.add_line((0, 0), (10, 0))\n"
         "r = m.add_blockref('B', (0, 0))\nr.grid(size=(1, 3), spacing=(0, 20))",
         2000, 0},
        {"hatch_boundary",
         "h = m.add_hatch()\nh.paths.add_polyline_path([(0, 0), (40, 0), (40, 30)], "
         "is_closed=True)", 1600, 1200},
        // Capitals as high as the text's height.
        {"text", "m.add_text('HH', dxfattribs={'height': 10})", -1, 400},
        {"mtext_two_lines",
         "m.add_mtext('HH\\\\PHH', dxfattribs={'char_height': 10, 'insert': (0, 0)})", -1,
         400 + 667},
        // Characters beyond the file's code page, as older drafting programs write them: two H
        // of three strokes each in the default style's txt.
        {"text_unicode_escape", "m.add_text('\\\\U+0048\\\\U+0048', dxfattribs={'height': 10})",
         -1, 400, 6},
        {"mtext_unicode_escape",
         "m.add_mtext('\\\\U+0048\\\\U+0048', dxfattribs={'char_height': 10, 'insert': (0, 0)})",
         -1, 400, 6},
        // Stroke fonts are single strokes, capitals as high as the text; outline fonts close
        // every letter's outline on itself.
        {"text_romans_single_strokes",
         "d.styles.new('R', dxfattribs={'font': 'romans.shx'})\n"
         "m.add_text('ROMANS 10 mm', dxfattribs={'height': 10, 'style': 'R'})",
         -1, 400, 0, nullptr, 0, -1, {}, {}, 1.0 / 3},
        {"text_truetype_outlines",
         "d.styles.new('T', dxfattribs={'font': 'DejaVuSans.ttf'})\n"
         "m.add_text('HH', dxfattribs={'height': 10, 'style': 'T'})",
         -1, 400, 2, nullptr, 0, -1, {}, {}, 1},
        {"text_truetype_not_installed",
         "d.styles.new('T', dxfattribs={'font': 'NoSuchFace.ttf'})\n"
         "m.add_text('HH', dxfattribs={'height': 10, 'style': 'T'})",
         -1, 400, 2, nullptr, 0, -1, {}, {}, 1},
        {"text_style_not_in_the_table_is_standard",
         "d.styles.get('Standard').dxf.font = 'ROMANS.SHX'\n"
         "m.add_text('HH', dxfattribs={'height': 10, 'style': 'NOSUCH'})",
         -1, 400, 6},
        // The design's H is 14 of 21 units wide: 14 mm at a height of 21, stretched by the
        // text's width factor (TEXT) or its style's (MTEXT), leaning by the style's angle.
        {"text_width_factor",
         "d.styles.new('R', dxfattribs={'font': 'romans'})\n"
         "m.add_text('H', dxfattribs={'height': 21, 'style': 'R', 'width': 2})",
         1120, 840, 3},
        {"text_oblique",
         "d.styles.new('R', dxfattribs={'font': 'romans', 'oblique': 45})\n"
         "m.add_text('H', dxfattribs={'height': 21, 'style': 'R'})",
         1400, 840, 3},
        // Hung from its alignment point on the right, over a line at x = 0: the letters' 36 mm
        // end 4 mm past it (the first H's side bearing), where left-aligned they would start 4 mm
        // after it (40 mm in all).
        {"text_right_aligned",
         "d.styles.new('R', dxfattribs={'font': 'romans'})\n"
         "m.add_text('HH', dxfattribs={'height': 21, 'style': 'R', 'halign': 2, "
         "'align_point': (0, 0)})\nm.add_line((0, -30), (0, -40))",
         1440, 2440},
        // Backward (flag 2): the letters run left from the point, 40 mm to a line 10 mm right
        // of it (50 mm; forward they would end at 40). Upside down (flag 4): they hang below
        // their baseline, down to a line 30 to 40 mm below it (40 mm high, not 61).
        {"text_backward",
         "d.styles.new('R', dxfattribs={'font': 'romans'})\n"
         "m.add_text('HH', dxfattribs={'height': 21, 'style': 'R', 'text_generation_flag': 2})\n"
         "m.add_line((10, -30), (10, -40))",
         2000, 2440},
        {"text_upside_down",
         "d.styles.new('R', dxfattribs={'font': 'romans'})\n"
         "m.add_text('HH', dxfattribs={'height': 21, 'style': 'R', 'text_generation_flag': 4})\n"
         "m.add_line((0, -30), (10, -40))",
         1600, 1600},
        // Turned a quarter: the capitals' 21 mm across, the H's 14 mm up.
        {"text_rotated",
         "d.styles.new('R', dxfattribs={'font': 'romans'})\n"
         "m.add_text('H', dxfattribs={'height': 21, 'style': 'R', 'rotation': 90})",
         840, 560, 3},
        {"mtext_style_width",
         "d.styles.new('R', dxfattribs={'font': 'romans', 'width': 2})\n"
         "m.add_mtext('H', dxfattribs={'char_height': 21, 'style': 'R', 'insert': (0, 0)})",
         1120, 840, 3},
        // An MTEXT's font codes choose the font run by run, within their braces: DejaVu's H is
        // one outline, romans' three strokes.
        {"mtext_font_code_outline",
         "m.add_mtext('\\\\fDejaVu Sans|b0|i0|c0|p34;HH', "
         "dxfattribs={'char_height': 10, 'insert': (0, 0)})",
         -1, 400, 2},
        {"mtext_font_file_code_strokes",
         "d.styles.new('T', dxfattribs={'font': 'DejaVuSans.ttf'})\n"
         "m.add_mtext('{\\\\Fromans.shx|c0;HH}', "
         "dxfattribs={'char_height': 10, 'style': 'T', 'insert': (0, 0)})",
         -1, 400, 6},
        {"mtext_font_code_within_braces",
         "d.styles.new('R', dxfattribs={'font': 'romans'})\n"
         "m.add_mtext('{\\\\fDejaVu Sans;H}H', "
         "dxfattribs={'char_height': 10, 'style': 'R', 'insert': (0, 0)})",
         -1, 400, 4},
        // The signs of dimensions (%%c diameter, %%p plus-minus, %%d degrees) in the design's
        // strokes: an O struck through from a tenth of its height below to a tenth above.
        {"text_diameter_sign",
         "d.styles.new('R', dxfattribs={'font': 'romans'})\n"
         "m.add_text('%%c50', dxfattribs={'height': 21, 'style': 'R'})",
         -1, 1008},
        {"mtext_degree_and_plus_minus_signs",
         "d.styles.new('R', dxfattribs={'font': 'romans'})\n"
         "m.add_mtext('30%%d%%p1', dxfattribs={'char_height': 21, 'style': 'R', 'insert': (0, 0)})",
         -1, 840},
        // Letters the font lacks in the outline font (Noto CJK reaches below the baseline).
        {"text_japanese_falls_back",
         "d.styles.new('R', dxfattribs={'font': 'romans.shx'})\n"
         "m.add_text('H\\u65e5\\u672c', dxfattribs={'height': 10, 'style': 'R'})",
         -1, 505, 0, "2 characters that the stroke fonts \"romans.shx\" lack drawn as outlines"},
        // 100 mm in dashes of 12.7 mm and gaps of 2.54 mm: six whole, the seventh 8.56 mm.
        {"linetype_ltscale_times_own",
         "d.header['$LTSCALE'] = 5\nd.linetypes.add('DASHED', [1.524, 1.27, -0.254])\n"
         "m.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'DASHED', 'ltscale': 2})",
         4000, 0, 7},
        {"linetype_by_layer",
         "d.linetypes.add('DASHED', [15.24, 12.7, -2.54])\nd.layers.add('H', linetype='DASHED')\n"
         "m.add_line((0, 0), (100, 0), dxfattribs={'layer': 'H'})",
         4000, 0, 7},
        {"linetype_by_block",
         "d.linetypes.add('DASHED', [15.24, 12.7, -2.54])\nb = d.blocks.new('B')\n"
         "b.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'BYBLOCK'})\n"
         "m.add_blockref('B', (0, 0), dxfattribs={'linetype': 'DASHED'})",
         4000, 0, 7},
        // A pattern that starts with a gap starts the line with it: the first dash at 2.54 mm.
        {"linetype_gap_first",
         "d.linetypes.add('GAPPED', [15.24, -2.54, 12.7])\n"
         "m.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'GAPPED'})",
         3898, 0, 7},
        // Dash 5, gap 2, dash 3: the last dash runs on into the first (8 mm dashes, 10 mm apart,
        // the first 5 mm).
        {"linetype_loops_round",
         "d.linetypes.add('LOOP', [10, 5, -2, 3])\n"
         "m.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'LOOP'})",
         4000, 0, 11},
        // Dashes are the block's: an insert twice as wide makes them twice as long.
        {"linetype_scaled_by_insert",
         "d.linetypes.add('DASHED', [15.24, 12.7, -2.54])\nb = d.blocks.new('B')\n"
         "b.add_line((0, 0), (50, 0), dxfattribs={'linetype': 'DASHED'})\n"
         "m.add_blockref('B', (0, 0), dxfattribs={'xscale': 2})",
         4000, 0, 4},
        // Two half circles of radius 10 in dashes of 8 mm and gaps of 2: 62.8 mm in 7 runs, the
        // circle's four extremes on dashes.
        {"linetype_along_bulges",
         "d.linetypes.add('HALF', [10, 8, -2])\n"
         "m.add_lwpolyline([(0, 0, 1), (20, 0, 1)], format='xyb', close=True, "
         "dxfattribs={'linetype': 'HALF'})",
         800, 800, 7},
        // Dots a half turn of the unit circle apart, along a circle of radius 10: 20 touches.
        {"linetype_dots_along_circle",
         "import math\nd.linetypes.add('DOTS', [math.pi, 0, -math.pi])\n"
         "m.add_circle((0, 0), 10, dxfattribs={'linetype': 'DOTS'})",
         800, 800, 20},
        // Its text left out, its gaps (0.2 and 0.25, joined) kept: 100 mm in 5 + 4.5 mm.
        {"linetype_complex",
         "d.header['$LTSCALE'] = 10\n"
         "d.linetypes.add('GAS', 'A,.5,-.2,[\"GAS\",STANDARD,S=.1,U=0.0,X=-0.1,Y=-.05],-.25', "
         "length=0.95)\nm.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'GAS'})",
         4000, 0, 11, "texts and shapes of linetypes left out"},
        // Letters keep their strokes whatever their layer's linetype: two H, six runs.
        {"linetype_not_for_text",
         "d.linetypes.add('DASHED', [1.524, 1.27, -0.254])\nd.layers.add('H', linetype='DASHED')\n"
         "m.add_text('HH', dxfattribs={'height': 10, 'layer': 'H'})",
         -1, 400, 6},
        {"linetype_unknown",
         "m.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'NOSUCH'})", 4000, 0, 1,
         "not in the drawing's table"},
        {"linetype_without_elements",
         "d.linetypes.add('PLAIN', [0.0])\n"
         "m.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'PLAIN'})", 4000, 0, 1},
        {"linetype_of_no_length",
         "d.linetypes.add('NIL', [0, 0, 0])\n"
         "m.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'NIL'})", 4000, 0, 1,
         "linetypes of no length drawn solid"},
        {"linetype_finer_than_the_plotter",
         "d.header['$LTSCALE'] = 1e-6\nd.linetypes.add('DASHED', [15.24, 12.7, -2.54])\n"
         "m.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'DASHED'})", 4000, 0, 1,
         "finer than the plotter draws"},
        // Extension lines from 0.625 mm above the points measured; "50" 5 mm high across the
        // dimension line at 20 mm: 21.875 mm high. Lines, arrows (each hatched once), the
        // measure in the strokes of the dimension style's txt.
        {"dimension_from_its_block",
         "m.add_linear_dim(base=(0, 20), p1=(0, 0), p2=(50, 0), dimstyle='Standard', "
         "override={'dimtxt': 5, 'dimasz': 5, 'dimexo': 0.625, 'dimexe': 1.25}).render()",
         2000, 875, 10},
        {"dimension_from_its_points",
         "d.header['$DIMASZ'] = 5\nd.header['$DIMTXT'] = 5\nd.header['$DIMEXO'] = 0.625\n"
         "d.header['$DIMEXE'] = 1.25\n"
         "r = m.add_linear_dim(base=(0, 20), p1=(0, 0), p2=(50, 0), dimstyle='Standard')\n"
         "r.render()\nr.dimension.dxf.discard('geometry')",
         2000, 875, 10},  // the dimension line broken around its text, as in its block
        // In an outline font's style the measure is its 3 outlines; DejaVu's digits stand a
        // little above its capitals.
        {"dimension_text_in_its_style",
         "d.styles.new('T', dxfattribs={'font': 'DejaVuSans.ttf'})\n"
         "m.add_linear_dim(base=(0, 20), p1=(0, 0), p2=(50, 0), dimstyle='Standard', "
         "override={'dimtxt': 5, 'dimasz': 5, 'dimexo': 0.625, 'dimexe': 1.25, "
         "'dimtxsty': 'T'}).render()",
         2000, 879, 11},
        {"dimension_from_its_points_in_its_style",
         "d.styles.new('T', dxfattribs={'font': 'DejaVuSans.ttf'})\nd.header['$DIMTXSTY'] = 'T'\n"
         "d.header['$DIMASZ'] = 5\nd.header['$DIMTXT'] = 5\nd.header['$DIMEXO'] = 0.625\n"
         "d.header['$DIMEXE'] = 1.25\n"
         "r = m.add_linear_dim(base=(0, 20), p1=(0, 0), p2=(50, 0), dimstyle='Standard')\n"
         "r.render()\nr.dimension.dxf.discard('geometry')",
         2000, 879, 11},
        // The dimension style's own text style, not the header's (left at Standard's txt).
        {"dimension_from_its_points_in_its_dimstyles_style",
         "d.styles.new('T', dxfattribs={'font': 'DejaVuSans.ttf'})\n"
         "d.dimstyles.new('D', dxfattribs={'dimtxsty': 'T'})\n"
         "d.header['$DIMASZ'] = 5\nd.header['$DIMTXT'] = 5\nd.header['$DIMEXO'] = 0.625\n"
         "d.header['$DIMEXE'] = 1.25\n"
         "r = m.add_linear_dim(base=(0, 20), p1=(0, 0), p2=(50, 0), dimstyle='D')\n"
         "r.render()\nr.dimension.dxf.discard('geometry')",
         2000, 879, 11},
        // Measured along (0, 0) to (30, 40), 10 mm to its left: from 0.375 mm (the extension
        // line's gap) up to 40 + 0.6 x 11.25 mm.
        {"dimension_aligned_from_its_points",
         "d.header['$DIMASZ'] = 5\nd.header['$DIMTXT'] = 5\nd.header['$DIMEXO'] = 0.625\n"
         "d.header['$DIMEXE'] = 1.25\n"
         "r = m.add_aligned_dim(p1=(0, 0), p2=(30, 40), distance=10, dimstyle='Standard')\n"
         "r.render()\nr.dimension.dxf.discard('geometry')",
         -1, 1855, 12},
        {"dimension_picture_missing",
         "r = m.add_linear_dim(base=(0, 20), p1=(0, 0), p2=(50, 0), dimstyle='Standard')\n"
         "r.render()\nr.dimension.dxf.geometry = '*DNONE'\nm.add_line((0, 0), (50, 0))",
         2000, 0, 1, "block \"*DNONE\", is not defined"},
        // Outlines, hatched by the pen's 0.3 mm as fills are.
        {"solid_triangle", "m.add_solid([(0, 0), (30, 0), (0, 40)])", 1200, 1600, 4},
        // The line under it in two runs, the square hatched (two runs) and outlined.
        {"solid_hides_what_lies_under_it",
         "m.add_line((0, 10), (100, 10))\nm.add_solid([(40, 0), (60, 0), (40, 20), (60, 20)])",
         4000, 800, 5},
        // Corners in a Z: drawn round, the outline is the rectangle, not a bow tie.
        {"trace_corners", "m.add_trace([(0, 0), (30, 0), (0, 40), (30, 40)])", 1200, 1600, 4},
        {"face_corners", "m.add_3dface([(0, 0), (30, 0), (30, 40), (0, 40)])", 1200, 1600, 4},
        {"leader_and_arrow",
         "d.header['$DIMASZ'] = 5\n"
         "m.add_leader([(0, 0), (10, 10), (20, 10)], dimstyle='Standard')",
         800, 400, 4},
        // A layout whose paper space block is not there is no sheet: the model is plotted.
        {"paper_space_left_out",
         "m.add_line((0, 0), (10, 0))\nd.layout('Layout1').add_line((0, 0), (50, 50))\n"
         "d.layout('Layout1').dxf_layout.dxf.block_record_handle = 'FFFFF'", 400, 0,
         1, "paper space (layouts) left out"},
        // Section hatching in its own lines, 45 degrees and 3.175 mm apart across a 20 mm
        // square, one along its diagonal; its boundary is not drawn.
        {"hatch_pattern_lines", Ansi31() + "\n" + Square("h", 20), 800, 800, 9, nullptr, 127.6,
         45, {0, 20}, {{10, 10, 0.05}, {7.755, 12.245, 0.05}, {8.877, 11.123, 1.5, false}}},
        {"hatch_under_an_insert",
         "b = d.blocks.new('H')\n" + Ansi31("b") + "\n" + Square("h", 20) +
             "\nm.add_blockref('H', (0, 0), dxfattribs={'xscale': 2, 'yscale': 2})",
         1600, 1600, 9, nullptr, 255.1, 45, {0, 40}, {{20, 20, 0.05}, {15.51, 24.49, 0.05}}},
        // Lines at y = 2.5, 7.5, ... 37.5 across 40 mm, islands from 10 to 30 and 15 to 25.
        {"hatch_islands_nested", Islands(0, "[]"), 1600, 1400, 0, nullptr, 260, 0},
        {"hatch_islands_outermost", Islands(1, "[]"), 1600, 1400, 0, nullptr, 240, 0},
        {"hatch_islands_ignored", Islands(2, "[]"), 1600, 1400, 8, nullptr, 320, 0},
        // Dashes from each line's base point: 5 mm on, 5 off.
        {"hatch_dashes", Islands(2, "[5, -5]"), 1400, 1400, 32, nullptr, 160, 0},
        // Edges joined into one loop whichever way each runs: a D of 20 mm and a half circle
        // of 10 mm, crossed at 2.5, 7.5, 12.5 and 17.5 mm.
        {"hatch_edges_counter_clockwise",
         Islands(0, "[]", "(0, 0), (20, 0)), ((20, 10), 10, -90, 90, True), ((20, 20), (0, 20)), "
                          "((0, 20), (0, 0)"),
         1187, 600, 4, nullptr, 112.6, 0},
        {"hatch_edges_clockwise",
         Islands(0, "[]", "(0, 0), (0, 20)), ((0, 20), (20, 20)), ((20, 10), 10, 90, -90, False), "
                          "((20, 0), (0, 0)"),
         1187, 600, 4, nullptr, 112.6, 0},
        {"hatch_solid", "h = m.add_hatch()\nh.set_solid_fill()\n" + Square("h", 20), 800, 800},
        // As a fill by a pen 3.175 mm wide: its lines from 3.175 mm in, 13.65 mm across.
        {"hatch_pattern_without_lines",
         "h = m.add_hatch()\nh.set_pattern_fill('MYPAT', definition=[])\n" + Square("h", 20),
         -1, 546, 0, "names without their lines (\"MYPAT\")"},
        // Through the fit points, not along their chords.
        {"spline_fit_points", "m.add_spline(fit_points=[(0, 0), (50, 50), (100, 0)])", 4000,
         2000, 0, nullptr, 0, -1, {0, 50},
         {{0, 0, 0.05}, {50, 50, 0.05}, {100, 0, 0.05}, {25, 25, 2, false}, {75, 25, 2, false}}},
        {"spline_fit_points_repeated",
         "m.add_spline(fit_points=[(0, 0), (0, 0), (50, 50), (50, 50), (100, 0)])", 4000, 2000,
         0, nullptr, 0, -1, {0, 50}, {{50, 50, 0.05}, {25, 25, 2, false}}},
        // Ends without tangents, their chords unequal: the curve ezdxf 0.18 draws for these
        // points (fit_points_to_cad_cv, 41.538 mm high), its points at parameter 0.1 and 0.9
        // written from there; ends set as the parabola through three points part from it by
        // 2.7 and 3.4 mm at those points.
        {"spline_fit_points_estimated_ends",
         "m.add_spline(fit_points=[(0, 0), (20, 40), (40, 40), (100, 0)])", 4000, 1662, 0,
         nullptr, 0, -1, {0, 41.538},
         {{20, 40, 0.05}, {40, 40, 0.05}, {4.117, 14.161, 0.05}, {89.319, 8.628, 0.05}}},
        // Open, but back at its first point: the way back is drawn too (ezdxf's curve again,
        // at parameter 0.05 and 0.9; it swells 4.896 mm beyond the square on each side).
        {"spline_fit_points_back_to_start",
         "m.add_spline(fit_points=[(0, 0), (40, 0), (40, 40), (0, 40), (0, 0)])", 2090, 2090, 0,
         nullptr, 0, -1, {-4.896, 47.36},
         {{0, 0, 0.05}, {8.115, -2.435, 0.05}, {-4.269, 16.839, 0.05}}},
        // Closed, its first point repeated or not: one smooth loop, the joint leaving along the
        // chords' mean direction there (ezdxf's interpolation given that tangent at both ends,
        // at 0.125 and 0.875; 7.225 mm beyond the square on each side).
        {"spline_fit_points_closed",
         "s = m.add_spline(fit_points=[(0, 0), (40, 0), (40, 40), (0, 40)])\ns.closed = True",
         2193, 2193, 0, nullptr, 0, -1, {-7.225, 47.592},
         {{0, 0, 0.05}, {19.724, -7.224, 0.05}, {-7.224, 19.724, 0.05}}, 1},
        {"spline_fit_points_closed_repeated",
         "s = m.add_spline(fit_points=[(0, 0), (40, 0), (40, 40), (0, 40), (0, 0)])\n"
         "s.closed = True",
         2193, 2193, 0, nullptr, 0, -1, {-7.225, 47.592},
         {{0, 0, 0.05}, {19.724, -7.224, 0.05}, {-7.224, 19.724, 0.05}}, 1},
        // A start tangent alone: the start leaves along it, the end is estimated (ezdxf's
        // interpolation given that start and its own estimate for the end, at 0.1 and 0.9).
        {"spline_fit_points_start_tangent",
         "s = m.add_spline(fit_points=[(0, 0), (50, 50), (100, 0)])\n"
         "s.dxf.start_tangent = (0, 1, 0)",
         4000, 2000, 0, nullptr, 0, -1, {0, 50.011},
         {{50, 50, 0.05}, {3.053, 14.311, 0.05}, {92.899, 13.236, 0.05}}},
        // Leaving up and coming back down: a cubic 25 mm high.
        {"spline_fit_points_tangents",
         "s = m.add_spline(fit_points=[(0, 0), (100, 0)])\ns.dxf.start_tangent = (0, 1, 0)\n"
         "s.dxf.end_tangent = (0, -1, 0)",
         4000, 1000},
    };
    TempHome home;
    const std::string dir = home.scratch("in");
    for (const auto& row : rows) {
        const Plot out = ConvertFile(MakeDxf(dir, row.name, row.body));
        ASSERT_TRUE(out.result.ok()) << row.name << ": " << out.result.message;
        const Box box = LineBoxes(out.body).at(0);
        if (row.width >= 0) {
            EXPECT_NEAR(box.width(), row.width, 1) << row.name;
        }
        EXPECT_NEAR(box.height(), row.height, row.width >= 0 ? 1 : 12) << row.name;
        EXPECT_EQ(box.y1, kAreaHeight) << row.name;
        if (row.runs > 0) {
            EXPECT_EQ(Count(out.body, "PD"), row.runs) << row.name;
        }
        const std::vector<QLineF> lines = PenDownLines(out.body);
        double length = 0;
        for (const QLineF& l : lines) {
            length += l.length() / 40;
            // The plot's y is up, as the drawing's: not QLineF::angle()'s.
            const double angle = std::atan2(l.dy(), l.dx()) * 180 / M_PI;
            if (row.angle >= 0 && l.length() > 0)
                EXPECT_NEAR(std::fmod(angle + 360, 180), row.angle, 0.1) << row.name;
        }
        if (row.lengthMm > 0) {
            EXPECT_NEAR(length, row.lengthMm, row.lengthMm * 0.05) << row.name;
        }
        for (const Near& n : row.near) {
            const QPointF at((n.x - row.topLeft.x()) * 40,
                             kAreaHeight - (row.topLeft.y() - n.y) * 40);
            EXPECT_EQ(DistanceTo(lines, at) / 40 <= n.mm, n.within)
                << row.name << " (" << n.x << ", " << n.y << ")";
        }
        if (row.closed == 1) {
            EXPECT_EQ(ClosedShare(out.body), 1) << row.name;
        } else if (row.closed >= 0) {
            EXPECT_LE(ClosedShare(out.body), row.closed) << row.name;
        }
        // A row without a note is read as it says: nothing noted.
        const auto& notes = out.result.notes;
        if (!row.note) {
            EXPECT_TRUE(notes.empty()) << row.name << ": " << NoteEnglish(notes.front());
            continue;
        }
        EXPECT_TRUE(std::any_of(notes.begin(), notes.end(),
                                [&](const Note& n) {
                                    return NoteEnglish(n).find(row.note) != std::string::npos;
                                }))
            << row.name;
    }
}

// A WIPEOUT stands where the drafting program shows it, as an area (in the paper's white); a
// HATCH after it still draws its own pattern's lines, from the edge of its square, not pulled
// in as a fill's.
TEST(Readers, DxfWipeoutsAreAreasWhereTheyStand) {
    const struct {
        const char* name;
        std::string body;
        QRectF box;  // the drawing's extents, mm
    } rows[] = {
        {"wipeout_square", "m.add_wipeout([(0, 0), (20, 0), (20, 20), (0, 20)])", {0, 0, 20, 20}},
        {"wipeout_triangle", "m.add_wipeout([(30, 0), (50, 0), (40, 20)])", {30, 0, 20, 20}},
        {"wipeout_then_hatch",
         "m.add_wipeout([(100, 0), (120, 0), (120, 5), (100, 5)])\n" + Ansi31() + "\n" +
             Square("h", 20),
         {0, 0, 120, 20}},
    };
    TempHome home;
    const std::string dir = home.scratch("in");
    for (const auto& row : rows) {
        const std::string bytes = ReadFileBytes(MakeDxf(dir, row.name, row.body));
        const std::optional<DxfExtents> extents =
            DxfExtentsOf(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        ASSERT_TRUE(extents) << row.name;
        for (const auto& [got, want] :
             {std::pair{extents->box.left(), row.box.left()}, {extents->box.top(), row.box.top()},
              {extents->box.right(), row.box.right()}, {extents->box.bottom(), row.box.bottom()}})
            EXPECT_NEAR(got, want, 1e-6) << row.name;
    }
}

// A style names its font by the file on the machine that wrote the drawing: any case, with or
// without ".shx", behind a folder in either slash.
TEST(Readers, TextStylesFindTheirStrokeDesign) {
    const struct {
        const char* font;
        const char* hershey;  // nullptr: not a stroke font
        bool monospace = false;
    } rows[] = {
        {"romans", "rowmans"},
        {"ROMANS.SHX", "rowmans"},
        {"C:\\Program Files\\CAD\\Fonts\\isocp.shx", "rowmans"},
        {"/usr/share/cad/RomanD.shx", "rowmand"},
        {"txt", "rowmans"},
        {"", "rowmans"},  // no font file: the drafting programs' default
        {"monotxt.shx", "rowmans", true},
        {"romanc.shx", "timesr"},
        {"italict", "timesib"},
        {"gothicg.shx", "gothicger"},
        {"someones_own.shx", "rowmans"},  // a stroke font all the same
        {"arial.ttf", nullptr},
        {"romans.ttf", nullptr},
        {"Arial", nullptr},
        {".shx", "rowmans"},
    };
    for (const auto& row : rows) {
        const std::optional<StrokeDesign> design = StrokeDesignFor(row.font);
        ASSERT_EQ(design.has_value(), row.hershey != nullptr) << row.font;
        if (!design) continue;
        EXPECT_EQ(design->hershey, row.hershey) << row.font;
        EXPECT_EQ(design->monospace, row.monospace) << row.font;
        // Every design named is one that hershey-fonts-data installs.
        EXPECT_TRUE(StrokeFont(*design).ok()) << row.font;
    }
    for (const StrokeDesign& design : StrokeDesigns())
        EXPECT_TRUE(StrokeFont(design).ok()) << design.name;
}

// A sheet of 200 x 150 mm with its frame in red, the model's objects in blue seen through a
// viewport of 120 x 100 mm centred on the sheet at 1:2 (unless a row says otherwise), and a
// black line in the model far outside every view.
constexpr char kSheet[] =
    "p = d.layout('Layout1')\n"
    "p.page_setup(size=(200, 150), margins=(0, 0, 0, 0), units='mm')\n"
    "p.add_lwpolyline([(0, 0), (200, 0), (200, 150), (0, 150)], close=True, "
    "dxfattribs={'color': 1})\n"
    "m.add_line((0, 125), (10, 130))\n"
    "def view(centre=(0, 0), height=200, size=(120, 100)):\n"
    "    return p.add_viewport(center=(100, 75), size=size, view_center_point=centre, "
    "view_height=height)\n";

// The same sheet in a file of R12, whose paper space is the entities marked as its.
constexpr char kBeforeLayouts[] =
    "d = ezdxf.new('R12')\nm = d.modelspace()\np = d.layout('Layout1')\n"
    "p.page_setup(size=(200, 150), margins=(0, 0, 0, 0), units='mm')\n"
    "p.add_polyline2d([(0, 0), (200, 0), (200, 150), (0, 150)], close=True, "
    "dxfattribs={'color': 1})\n";

TEST(Readers, DxfLayoutsArePagesWithTheirViewports) {
    using Space = SheetChoice::Space;
    constexpr long kNone = LONG_MIN;
    const struct {
        const char* name;
        std::string body;
        SheetChoice sheet = {};
        int16_t last = 1;                 // of the page range, from page 1
        size_t plots = 1;                 // 0: refused
        long blue[4] = {kNone, 0, 0, 0};  // x0, x1, y0, y1 of the last plot; y from the top
        int runs = 0;                     // pen-down runs of the last plot, when given
        const char* says = "";
    } rows[] = {
        // clang-format off
        // The circle of radius 50 at 1:2: radius 25 mm about the sheet's centre.
        {"circle_at_half", "m.add_circle((0, 0), 50, dxfattribs={'color': 5})\nview()", {}, 1, 1,
         {3000, 5000, -4000, -2000}, 0,
         "layout \"Layout1\" (200.0 x 150.0 mm) plotted as page 1 of 1"},
        // Seen 100 model units to the right: cut by the frame's left side at 40 mm.
        {"clipped_to_the_frame", "m.add_circle((0, 0), 50, dxfattribs={'color': 5})\n"
         "view(centre=(100, 0))", {}, 1, 1, {1600, 3000, -4000, -2000}},
        {"clipped_to_its_boundary", "m.add_circle((0, 0), 50, dxfattribs={'color': 5})\n"
         "v = view()\nb = p.add_lwpolyline([(100, 50), (150, 50), (150, 100), (100, 100)], "
         "close=True, dxfattribs={'color': 1})\nv.dxf.clipping_boundary_handle = b.dxf.handle\n"
         "v.dxf.flags = v.dxf.flags | 0x10000", {}, 1, 1, {4000, 5000, -4000, -2000}},
        // Turned a quarter left: the line points up from the sheet's centre.
        {"twisted", "m.add_line((0, 0), (80, 0), dxfattribs={'color': 5})\n"
         "v = view()\nv.dxf.view_twist_angle = 90", {}, 1, 1, {4000, 4000, -3000, -1400}},
        {"frozen_in_the_viewport", "d.layers.add('HIDE')\n"
         "m.add_circle((0, 0), 50, dxfattribs={'color': 5, 'layer': 'HIDE'})\n"
         "v = view()\nv.frozen_layers = ['HIDE']", {}, 1, 1, {kNone}, 1},
        // Dashes of 5 mm on the paper with $PSLTSCALE, of 5 model units (2.5 mm) without; each
        // pattern ends in its gap.
        {"dashes_as_on_the_paper", "d.linetypes.add('DASHED', [10, 5, -5])\n"
         "m.add_line((-100, 0), (100, 0), dxfattribs={'color': 5, 'linetype': 'DASHED'})\nview()",
         {}, 1, 1, {2000, 5800, -3000, -3000}, 1 + 10},
        {"dashes_as_in_the_model", "d.header['$PSLTSCALE'] = 0\n"
         "d.linetypes.add('DASHED', [10, 5, -5])\n"
         "m.add_line((-100, 0), (100, 0), dxfattribs={'color': 5, 'linetype': 'DASHED'})\nview()",
         {}, 1, 1, {2000, 5900, -3000, -3000}, 1 + 20},
        // Tabs: Second before Layout1, whatever the order in the file.
        {"two_layouts_in_tab_order", "view()\np.dxf_layout.dxf.taborder = 2\n"
         "s = d.layouts.new('Second')\ns.dxf_layout.dxf.taborder = 1\n"
         "s.add_line((0, 290), (10, 290), dxfattribs={'color': 5})", {}, 2, 2, {kNone}, 1,
         "layout \"Second\" (420.0 x 297.0 mm) plotted as page 1 of 2"},
        {"second_of_two_by_name", "view()\ns = d.layouts.new('Second')\n"
         "s.add_line((0, 290), (10, 290), dxfattribs={'color': 5})", {Space::layout, "second"}, 1,
         1, {0, 400, -280, -280}, 1, "layout \"Second\" (420.0 x 297.0 mm) plotted"},
        {"layout_not_there", "view()", {Space::layout, "Nope"}, 1, 0, {kNone}, 0,
         "no layout \"Nope\" that holds anything; its layouts are \"Layout1\""},
        {"model_chosen", "m.add_circle((0, 0), 50, dxfattribs={'color': 5})\nview()",
         {Space::model}, 1, 1, {0, 4000, -7200, -3200}, 0,
         "the model space plotted: the layouts \"Layout1\" left out"},
        {"viewport_of_no_size", "m.add_circle((0, 0), 50, dxfattribs={'color': 5})\n"
         "view(size=(0, 100))", {}, 1, 1, {kNone}, 1,
         "1 viewports of no size or scale left out"},
        {"viewport_of_negative_scale", "m.add_circle((0, 0), 50, dxfattribs={'color': 5})\n"
         "view(height=-200)", {}, 1, 1, {kNone}, 1, "1 viewports of no size or scale"},
        {"viewport_of_the_paper_itself", "m.add_circle((0, 0), 50, dxfattribs={'color': 5})\n"
         "v = view()\nv.dxf.id = 1", {}, 1, 1, {kNone}, 1},
        {"layout_of_a_missing_block", "view()\ns = d.layouts.new('Second')\n"
         "s.add_line((0, 0), (10, 0))\ns.dxf_layout.dxf.block_record_handle = 'FFFFF'", {}, 9, 1,
         {kNone}, 1,
         "layout \"Second\" refers to a paper space block that is not in the drawing"},
        {"ten_thousand_viewports", "m.add_circle((0, 0), 50, dxfattribs={'color': 5})\n"
         "for i in range(10000): view()", {}, 1, 1, {3000, 5000, -4000, -2000}},
        // Each view walks the model: 10 000 of a 500 lines' model pass one drawing's bound.
        {"viewports_past_the_bound", "for i in range(500): m.add_line((i, 0), (i, 1))\n"
         "for i in range(10000): view()", {}, 1, 0, {kNone}, 0,
         "the layout's viewports together show more than 4000000 entities of the model"},
        // Ten kilometres square: laid at its top-left, the rest beyond the printable area (the
        // line is cut a millimetre beyond its 11035 units).
        {"ten_kilometres", "view()\ns = d.layouts.new('Big')\n"
         "s.page_setup(size=(1e7, 1e7), margins=(0, 0, 0, 0), units='mm')\n"
         "s.add_line((0, 1e7), (1e6, 1e7 - 1), dxfattribs={'color': 5})", {Space::layout, "Big"},
         1, 1, {0, 11075, 0, 0}, 1, "(10000000.0 x 10000000.0 mm) plotted"},
        // Before LAYOUT objects (R12, R14): one paper space on the header's paper limits, its
        // viewports' views in their MVIEW data, frozen layers by name.
        {"a_file_before_layouts", std::string(kBeforeLayouts) +
         "m.add_circle((0, 0), 50, dxfattribs={'color': 5})\nview()", {}, 1, 1,
         {3000, 5000, -4000, -2000}, 0, "layout \"Layout1\" (200.0 x 150.0 mm) plotted as page"},
        {"frozen_before_layouts", std::string(kBeforeLayouts) + "d.layers.new('HIDE')\n"
         "m.add_circle((0, 0), 50, dxfattribs={'color': 5, 'layer': 'HIDE'})\n"
         "v = view()\nv.frozen_layers = ['HIDE']", {}, 1, 1, {kNone}, 1},
        // clang-format on
    };
    TempHome home;
    const std::string dir = home.scratch("in");
    for (const auto& row : rows) {
        // A4 across: 275.9 x 195.8 mm, the sheet within it.
        const Plot out = ConvertFile(MakeDxf(dir, row.name, kSheet + row.body), 1, row.last, 0,
                                     false, row.sheet, true);
        std::string said = NoteEnglish(out.result.message);
        for (const Note& note : out.result.notes) said += "|" + NoteEnglish(note);
        EXPECT_NE(said.find(row.says), std::string::npos) << row.name << ": " << said;
        ASSERT_EQ(out.bodies.size(), row.plots) << row.name << ": " << said;
        if (row.plots == 0) continue;
        const long top = std::stol(out.result.brc.substr(out.result.brc.rfind(',') + 1));
        const auto boxes = LineBoxes(out.bodies.back());
        // Never the model's line outside the view.
        EXPECT_EQ(boxes.count(3), row.sheet.space == Space::model ? 1u : 0u) << row.name;
        if (row.sheet.space == Space::sheets) {
            // The frame: 200 x 150 mm from the printable area's top-left.
            const Box& frame = boxes.at(7);
            EXPECT_NEAR(frame.x0, 0, 1) << row.name;
            EXPECT_NEAR(frame.width(), 8000, 1) << row.name;
            EXPECT_NEAR(frame.y1, top, 1) << row.name;
            EXPECT_NEAR(frame.height(), 6000, 1) << row.name;
        }
        ASSERT_EQ(boxes.count(2), row.blue[0] == kNone ? 0u : 1u) << row.name;
        if (row.blue[0] != kNone) {
            const Box& blue = boxes.at(2);
            EXPECT_NEAR(blue.x0, row.blue[0], 1) << row.name;
            EXPECT_NEAR(blue.x1, row.blue[1], 1) << row.name;
            EXPECT_NEAR(blue.y0, top + row.blue[2], 1) << row.name;
            EXPECT_NEAR(blue.y1, top + row.blue[3], 1) << row.name;
        }
        if (row.runs > 0) EXPECT_EQ(Count(out.bodies.back(), "PD"), row.runs) << row.name;
    }
}

const char kDxfOpen[] = "  0\nSECTION\n  2\nENTITIES\n";
const char kDxfClose[] = "  0\nENDSEC\n  0\nEOF\n";

std::string Block(const std::string& name, const std::string& entities) {
    return "  0\nBLOCK\n  2\n" + name + "\n 70\n0\n 10\n0\n 20\n0\n" + entities + "  0\nENDBLK\n";
}
std::string Insert(const std::string& name, int columns = 1) {
    return "  0\nINSERT\n  2\n" + name + "\n 10\n0\n 20\n0\n 70\n" + std::to_string(columns) +
           "\n 44\n1\n";
}
std::string Line(const std::string& x2) {
    return "  0\nLINE\n 10\n0\n 20\n0\n 11\n" + x2 + "\n 21\n0\n";
}
std::string Blocks(const std::string& blocks) {
    return "  0\nSECTION\n  2\nBLOCKS\n" + blocks + "  0\nENDSEC\n";
}

TEST(Readers, BadInputIsRefusedWithOneLine) {
    TempHome home;
    const std::string dir = home.scratch("in");
    WriteFileBytes(dir + "/drawing.svg", kDrawing);
    Shell("rsvg-convert -f pdf -o '" + dir + "/whole.pdf' '" + dir + "/drawing.svg'");
    Shell("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pdfwrite -sOwnerPassword=owner "
        "-sUserPassword=user -sOutputFile='" + dir + "/locked.pdf' '" + dir + "/whole.pdf'");
    const std::string whole = ReadFileBytes(dir + "/whole.pdf");
    // Ten blocks, each inserting the one before ten times: 10^10 lines from a few lines.
    std::string bomb = Block("B0", Line("1"));
    for (int i = 1; i < 10; ++i)
        bomb += Block("B" + std::to_string(i), Insert("B" + std::to_string(i - 1), 10));
    // The same with nothing at the bottom: 10^10 copies of an empty block, one line drawn.
    std::string hollow = Block("E0", "");
    for (int i = 1; i < 10; ++i)
        hollow += Block("E" + std::to_string(i), Insert("E" + std::to_string(i - 1), 10));

    const struct {
        const char* name;
        std::string bytes;  // empty: the file made above
        const char* file;
        DrawingError error;
        const char* says;
    } rows[] = {
        {"pdf_cut_off", whole.substr(0, whole.size() / 2), "cut.pdf", DrawingError::Malformed,
         "cut off"},
        {"pdf_password", "", "locked.pdf", DrawingError::Refused,
         "save a copy without a password"},
        {"pdf_garbage", "%PDF-1.4\n\x01\x02 nothing at all\n%%EOF\n", "junk.pdf",
         DrawingError::Malformed, "poppler"},
        {"postscript_reads_other_files",
         "%!PS\n(/etc/passwd) (r) file 100 string readstring pop ==\n", "peek.ps",
         DrawingError::Malformed, "invalidfileaccess"},
        {"postscript_broken", "%!PS\n1 0 div\n", "div.ps", DrawingError::Malformed,
         "undefinedresult"},
        {"dxf_garbage", std::string(kDxfOpen) + "  0\nLINE\n 10\nzz\n 20\n\x01\x02\n" + kDxfClose,
         "junk.dxf", DrawingError::NothingToPlot, "no visible shape"},
        {"dxf_binary", std::string("AutoCAD Binary DXF\r\n\x1A\0", 22), "bin.dxf",
         DrawingError::Refused, "a binary DXF is not read"},
        {"dxf_self_insert",
         Blocks(Block("A", Insert("A"))) + kDxfOpen + Insert("A") + Line("5") + kDxfClose,
         "self.dxf", DrawingError::Refused, "inserts itself"},
        {"dxf_insert_cycle",
         Blocks(Block("A", Insert("B")) + Block("B", Insert("A"))) + kDxfOpen + Insert("A") +
             kDxfClose,
         "cycle.dxf", DrawingError::Refused, "inserts itself"},
        {"dxf_fan_out", Blocks(bomb) + kDxfOpen + Insert("B9") + kDxfClose, "bomb.dxf",
         DrawingError::Refused, "more than 4000000 entities"},
        {"dxf_empty_fan_out", Blocks(hollow) + kDxfOpen + Insert("E9") + Line("5") + kDxfClose,
         "hollow.dxf", DrawingError::Refused, "more than 4000000 entities"},
        {"dxf_out_of_range", std::string(kDxfOpen) + Line("1e300") + Line("nan") + kDxfClose,
         "far.dxf", DrawingError::NothingToPlot, "no visible shape"},
    };
    for (const auto& row : rows) {
        const std::string path = dir + "/" + row.file;
        if (!row.bytes.empty()) WriteFileBytes(path, row.bytes);
        const Plot out = ConvertFile(path);
        EXPECT_EQ(out.result.error, row.error) << row.name << ": " << out.result.message;
        EXPECT_NE(NoteEnglish(out.result.message).find(row.says), std::string::npos)
            << row.name << ": " << out.result.message;
        EXPECT_EQ(NoteEnglish(out.result.message).find('\n'), std::string::npos) << row.name;
        // Only an id is said in the user's language: words written out stay English.
        EXPECT_NE(out.result.message.id, NoteId::Text) << row.name << ": " << out.result.message;
        EXPECT_TRUE(out.body.empty()) << row.name;
    }
}

// Gone, or a zombie waiting for whoever adopted it; waited for a while.
bool EndsSoon(long pid) {
    for (int i = 0; i < 100; ++i) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) return true;
        const QByteArray text = stat.readAll();
        if (text.mid(text.lastIndexOf(')') + 2, 1) == "Z") return true;
        usleep(20000);
    }
    return false;
}

ChildBounds Limited(int64_t seconds, int64_t cpu = 0, int64_t cpuHard = 0, qint64 file = 0) {
    ChildBounds bounds;
    bounds.seconds = seconds;
    bounds.cpuSeconds = cpu;
    bounds.cpuHardSeconds = cpuHard;
    bounds.maxFileBytes = file;
    return bounds;
}

// However a helper program ends, what it started in the background ends with it and its
// folder goes: a program left running, or a copy of a user's drawing left behind, would
// outlive the plot.
TEST(Readers, AHelperProgramLeavesNothingBehind) {
    using How = ChildEnd::How;
    const char* const kLeaves = "sleep 60 & echo $! >left; ";
    const struct {
        const char* name;
        std::string script;
        ChildBounds bounds;
        How how;
        int value;
        const char* said;
        bool confined = false;
    } rows[] = {
        {"exits", std::string(kLeaves) + "echo done", Limited(30), How::Exited, 0, "done"},
        {"fails", std::string(kLeaves) + "echo 'Error: no' >&2; exit 3", Limited(30), How::Exited,
         3, "Error: no"},
        {"crashes", std::string(kLeaves) + "kill -SEGV $$", Limited(30), How::Crashed, SIGSEGV, ""},
        {"runs_too_long", std::string(kLeaves) + "sleep 60", Limited(1), How::TimedOut, 0, ""},
        {"spends_its_processor_time", std::string(kLeaves) + "while :; do :; done",
         Limited(20, 1, 10), How::Crashed, SIGXCPU, ""},
        {"writes_too_much", std::string(kLeaves) + "head -c 2000000 /dev/zero >out; sleep 60",
         Limited(30, 0, 0, 1 << 20), How::FileTooLarge, 0, ""},
        // Confined: what it can't reach outside its folder is neither read nor written.
        {"held_to_its_folder",
         std::string(kLeaves) + "cat \"$OUT/secret\"; echo x >\"$OUT/escaped\"; echo kept",
         Limited(30), How::Exited, 0, "kept", true},
    };
    TempHome home;
    const std::string outside = home.scratch("outside");
    WriteFileBytes(outside + "/secret", "hidden words");
    qputenv("OUT", QByteArray::fromStdString(outside));
    for (auto row : rows) {
        SCOPED_TRACE(row.name);
        QString folder;
        long left = 0;
        QElapsedTimer clock;
        clock.start();
        {
            BoundedChild child;
            ASSERT_TRUE(child.hasFolder());
            folder = child.folder();
            row.bounds.keepsOutput = true;
            row.bounds.workingDirectory = folder;
            if (row.bounds.maxFileBytes > 0) row.bounds.watchedFile = child.file("out");
            if (row.confined) row.bounds.reach = ChildReach{folder, {}};
            const ChildEnd end =
                child.Run("/bin/sh", {"-c", QString::fromStdString(row.script)}, row.bounds);
            EXPECT_EQ(end.how, row.how);
            EXPECT_EQ(end.value, row.value);
            EXPECT_TRUE(child.saidLast().contains(row.said)) << child.saidLast().toStdString();
            EXPECT_FALSE(child.saidLast().contains("hidden words"));
            QFile pid(child.file("left"));
            ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
            left = pid.readAll().trimmed().toLong();
        }
        ASSERT_GT(left, 0);
        EXPECT_TRUE(EndsSoon(left));
        EXPECT_FALSE(QDir(folder).exists());
        EXPECT_LT(clock.elapsed(), 30000);  // stopped, not waited out
        // Where the kernel has no Landlock the other bounds still hold, and this can't be seen.
        if (row.confined && ChildRuleset::Make(ChildReach{QDir::tempPath(), {}})->confines())
            EXPECT_FALSE(std::filesystem::exists(outside + "/escaped"));
    }
    qunsetenv("OUT");
    BoundedChild missing;
    EXPECT_EQ(missing.Run("/no/such/program", {}, {}).how, How::NotStarted);
}

TEST(Readers, PostScriptThatNeverEndsIsStopped) {
    TempHome home;
    PostScriptLimits limits;
    limits.seconds = 1;
    // Killed, ghostscript can't remove its scratch files: none may be left where it was told.
    const QString scratch = QString::fromStdString(home.scratch("tmp"));
    const bool hadTmpdir = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", scratch.toLocal8Bit());
    QElapsedTimer clock;
    clock.start();
    const PostScriptPdf out = PostScriptToPdf("%!PS\n{} loop\n", limits);
    if (hadTmpdir)
        qputenv("TMPDIR", tmpdir);
    else
        qunsetenv("TMPDIR");
    EXPECT_EQ(out.error, DrawingError::Refused);
    EXPECT_NE(NoteEnglish(out.message).find("still ran after 1 s"), std::string::npos) << out.message;
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(QDir(scratch).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList());
}

}  // namespace
