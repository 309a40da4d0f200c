// Drawings converted with pen widths and with the sort and merge options of the configuration.
#include "drawing/stages/plot_options.h"

#include <gtest/gtest.h>

#include <QPainterPathStroker>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>

#include "drawing/drawing_plot.h"
#include "drawing/geometry/path_store.h"
#include "drawing/paint/band_count.h"
#include "drawing/paint/flatten.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/paint/polyline_sink.h"
#include "drawing/read/svg/svg_chunks.h"
#include "drawing/read/svg/svg_paint.h"
#include "drawing/read/svg/svg_sanitize.h"
#include "settings/geometry.h"
#include "settings/knife_file.h"
#include "tests/support/temp_home.h"

namespace {

// A4 upright without margins at 100 %: 1 user unit is 1 mm, 40 plotter units.
const char kOpen[] =
    "<svg xmlns='http://www.w3.org/2000/svg' width='210mm' height='297mm' viewBox='0 0 210 297'>";

struct Options {
    int16_t thick = 0;  // every pen's, mm x 100
    int16_t fsort = 0;
    int16_t foptEx = 0;
    int16_t foptln = 0;  // stored inverted: 0 is ticked
};

struct Converted {
    DrawingResult result;
    std::string body;
};

// The cutting and output options set on a zeroed serial record and the knife's defaults.
using SetCut = void (*)(TPrConfig&, TSrConfig&, KnifeSettings&);

Converted Convert(const std::string& shapes, const Options& o, SetCut cut = nullptr) {
    TPrint print;
    std::memset(&print, 0, sizeof print);
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    CalcPageWidth(&print, &config, 595, 842, 100, 0);
    config.fautopen = 0;  // automatic, stored inverted
    config.foptln = o.foptln;
    config.fsort = o.fsort;
    config.foptEx = o.foptEx;
    config.toollist[0] = {3, o.thick, 0, 0, 0, 1};      // black
    config.toollist[1] = {7, o.thick, 10000, 0, 0, 1};  // red
    TempHome home;
    const std::string path = home.scratch("in") + "/drawing.svg";
    WriteFileBytes(path, kOpen + shapes + "</svg>");
    Converted out;
    char* data = nullptr;
    size_t size = 0;
    std::FILE* body = open_memstream(&data, &size);
    if (cut) {
        TSrConfig serial;
        std::memset(&serial, 0, sizeof serial);
        KnifeSettings knife;
        cut(config, serial, knife);
        out.result = ConvertDrawing(path, DecodePlotSettings(print, config, serial, knife),
                                    [&](const DrawingPlot&) { return body; });
    } else {
        out.result = ConvertDrawing(path, DecodePlotSettings(print, config),
                                    [&](const DrawingPlot&) { return body; });
    }
    std::fclose(body);
    out.body.assign(data, size);
    std::free(data);
    return out;
}

struct Stroke {
    double x0, y0, x1, y1;
};

// The pen-down strokes of a body, in plotter units.
std::vector<Stroke> Strokes(const std::string& body) {
    std::vector<Stroke> strokes;
    static const std::regex instruction("(PU|PD)([-0-9,]*)");
    double x = 0, y = 0;
    for (auto it = std::sregex_iterator(body.begin(), body.end(), instruction);
         it != std::sregex_iterator(); ++it) {
        const bool down = (*it)[1] == "PD";
        std::string numbers = (*it)[2];
        std::replace(numbers.begin(), numbers.end(), ',', ' ');
        std::istringstream in(numbers);
        for (double nx, ny; in >> nx >> ny; x = nx, y = ny)
            if (down) strokes.push_back({x, y, nx, ny});
    }
    return strokes;
}

std::string Pens(const std::string& body) {
    std::string pens;
    static const std::regex select("SP[0-9]+;");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), select);
         it != std::sregex_iterator(); ++it)
        pens += it->str();
    return pens;
}

struct WidthCase {
    const char* name;
    std::string shapes;
    int16_t thick;
    const char* pens;
    size_t minStrokes, maxStrokes;
    double x0, y0, x1, y1;  // every stroke within, plotter units (the page is 11882 high)
};
void PrintTo(const WidthCase& c, std::ostream* os) { *os << c.name; }

class WidthTable : public testing::TestWithParam<WidthCase> {};

TEST_P(WidthTable, FillsAndWideStrokesAreDrawnWithThePen) {
    const WidthCase& c = GetParam();
    Options o;
    o.thick = c.thick;
    o.foptln = 1;  // document order
    const Converted out = Convert(c.shapes, o);
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    EXPECT_EQ(Pens(out.body), std::string(c.pens) + "SP0;");
    const std::vector<Stroke> strokes = Strokes(out.body);
    EXPECT_GE(strokes.size(), c.minStrokes);
    EXPECT_LE(strokes.size(), c.maxStrokes);
    for (const Stroke& s : strokes)
        for (double v : {s.x0, s.x1}) ASSERT_TRUE(v >= c.x0 - 3 && v <= c.x1 + 3) << out.body;
    for (const Stroke& s : strokes)
        for (double v : {s.y0, s.y1}) ASSERT_TRUE(v >= c.y0 - 3 && v <= c.y1 + 3) << out.body;
}

// The square is 20 mm at (10, 10) mm: x 400..1200, y (from the bottom, 297 mm) 10680..11480.
INSTANTIATE_TEST_SUITE_P(
    Drawing, WidthTable,
    testing::Values(
        // Thickness 0: the outline alone, as before pens had widths.
        WidthCase{"FillAtWidthZero", "<rect x='10' y='10' width='20' height='20'/>", 0, "SP3;", 4,
                  4, 400, 10680, 1200, 11480},
        // 0.5 mm: 39 lines inside, joined, and the outline.
        WidthCase{"FillHatched", "<rect x='10' y='10' width='20' height='20'/>", 50, "SP3;",
                  39 + 38 + 4, 39 + 38 + 4, 400, 10680, 1200, 11480},
        // The fill goes to its own colour's pen, the outline to the stroke's.
        WidthCase{"FillPenAndStrokePen",
                  "<rect x='10' y='10' width='20' height='20' fill='red' stroke='black' "
                  "stroke-width='0.2'/>",
                  50, "SP7;SP3;", 39 + 38 + 4, 39 + 38 + 4, 400, 10680, 1200, 11480},
        // A 0.6 mm stroke with a 0.5 mm pen stays one line.
        WidthCase{"ThinStroke",
                  "<path d='M10 10 H50' stroke='black' stroke-width='0.6' fill='none'/>", 50,
                  "SP3;", 1, 1, 400, 11480, 2000, 11480},
        // A 4 mm stroke: the band 2 mm either side, square caps reach 2 mm beyond the ends.
        WidthCase{"WideStroke",
                  "<path d='M10 10 H50' stroke='black' stroke-width='4' fill='none' "
                  "stroke-linecap='square'/>",
                  50, "SP3;", 8, 40, 400 - 80, 11480 - 80, 2000 + 80, 11480 + 80},
        // A hole under evenodd: nothing drawn across it (strokes stay out of x 560..1040).
        WidthCase{"HoleStaysEmpty",
                  "<path fill-rule='evenodd' d='M10 10 h20 v20 h-20 z M14 14 h12 v12 h-12 z'/>", 50,
                  "SP3;", 20, 200, 400, 10680, 1200, 11480}),
    [](const testing::TestParamInfo<WidthCase>& i) { return std::string(i.param.name); });

TEST(Drawing, HolesStayEmptyUnderBothFillRules) {
    // Inner square the other way round: empty under nonzero too; the same way: filled.
    for (const auto& [rule, inner, filled] :
         {std::tuple{"evenodd", "M14 14 h12 v12 h-12 z", false},
          std::tuple{"nonzero", "M14 14 v12 h12 v-12 z", false},
          std::tuple{"nonzero", "M14 14 h12 v12 h-12 z", true}}) {
        Options o;
        o.thick = 50;
        const Converted out = Convert(
            std::string("<path fill-rule='") + rule + "' d='M10 10 h20 v20 h-20 z " + inner + "'/>",
            o);
        ASSERT_TRUE(out.result.ok()) << out.result.message;
        bool crossesHole = false;
        for (const Stroke& s : Strokes(out.body)) {
            const double y = (s.y0 + s.y1) / 2;
            crossesHole =
                crossesHole || (s.y0 == s.y1 && y > 10680 + 6 * 40 && y < 11480 - 6 * 40 &&
                                std::min(s.x0, s.x1) < 800 && std::max(s.x0, s.x1) > 800);
        }
        EXPECT_EQ(crossesHole, filled) << rule << " " << inner;
    }
}

TEST(Drawing, NegativeThicknessIsRefused) {
    Options o;
    o.thick = -30;
    const Converted out = Convert("<rect x='10' y='10' width='20' height='20'/>", o);
    EXPECT_EQ(out.result.error, DrawingError::Refused);
    // The pen's number and its thickness as set, to the hundredth of a millimetre.
    EXPECT_EQ(out.result.message, Note(NoteId::PenHasNegativeThickness, {"3", "-0.30"}))
        << out.result.message;
    EXPECT_TRUE(out.body.empty());
}

struct RoomCase {
    const char* name;
    const char* shape;  // forty of them, each read as a piece of its own
    uint64_t room;      // points the plot holds
    bool refused;
};

class HatchRoomTable : public testing::TestWithParam<RoomCase> {};

// A drawing read in pieces is counted before any of it is hatched: refused when the hatching
// can't fit, whether its fills alone pass the room or only the bands of its wide strokes do;
// painted when it fits.
TEST_P(HatchRoomTable, CountedBeforeHatched) {
    const RoomCase& c = GetParam();
    std::string svg = kOpen;
    for (int i = 0; i < 40; ++i) svg += c.shape;
    const SanitizedSvg clean = SanitizeSvg(QByteArray::fromStdString(svg + "</svg>"));
    const PlotArea area{8400, 11880, 1};
    PenSettings settings{};
    settings[0] = {1, true, 0.5, 0, 0, 0};
    const PenChoice pens(settings, false);
    PolylineSink sink(area, QRectF(-400, -400, 9200, 12680), c.room);
    PathStore store;
    SvgChunking pieces;
    pieces.elements = 1;
    pieces.carried = 1e9;
    const PaintOutcome out = PaintSvg(clean, PaintTarget{area, pens, sink, store, c.room}, pieces);
    EXPECT_EQ(out.refusal.has_value(), c.refused);
    EXPECT_EQ(store.points() == 0, c.refused) << store.points();
}

// With a 0.5 mm pen: a 20 mm square's fill is 40 lines; a 5 mm wide stroke across the sheet
// is a band of about 540.
INSTANTIATE_TEST_SUITE_P(
    Drawing, HatchRoomTable,
    testing::Values(
        RoomCase{"FillsPassTheRoom", "<rect x='10' y='10' width='20' height='20' fill='#000'/>",
                 1000, true},
        RoomCase{"BandsPassTheRoom",
                 "<path d='M10 10 L200 280' fill='none' stroke='#000' stroke-width='5'/>", 20000,
                 true},
        RoomCase{"BandsFit",
                 "<path d='M10 10 L200 280' fill='none' stroke='#000' stroke-width='5'/>",
                 1u << 20, false}),
    [](const testing::TestParamInfo<RoomCase>& i) { return std::string(i.param.name); });

QPainterPath Poly(std::initializer_list<QPointF> points) {
    QPainterPath p(*points.begin());
    for (QPointF q : points) p.lineTo(q);
    return p;
}

// A path of the benchmarks' 10 MB drawing, in device units.
QPainterPath BigDrawingCurve() {
    QPainterPath p({446, 1255});
    p.cubicTo(145, 1072, 731, 116, 1015, 75);
    p.cubicTo(867, 140, 182, 849, 1654, 248);
    return p;
}

struct BandCase {
    const char* name;
    QPainterPath (*path)();  // device units
    double stroke;
    Qt::PenJoinStyle join;
    double share;  // of the boundary's points the count must find at the least
    bool dashed = false;
};

class BandPointsTable : public testing::TestWithParam<BandCase> {};

// A drawing is refused on the points a wide stroke's boundary keeps at the least, told from the
// band before it is simplified: that count must never pass the points the plot keeps of the
// simplified band, whatever the path does.
TEST_P(BandPointsTable, NeverMoreThanThePlotKeeps) {
    const BandCase& c = GetParam();
    QPen pen(Qt::black, c.stroke, Qt::SolidLine, Qt::FlatCap, c.join);
    if (c.dashed) pen.setDashPattern({3, 1});
    QPainterPathStroker stroker(pen);
    stroker.setCurveThreshold(kFlattenTolerance);
    const QPainterPath band = stroker.createStroke(c.path());
    PolylineSink sink(PlotArea{8400, 11880, 1}, QRectF(-400, -400, 9200, 12680), 1u << 24);
    FlattenPath(band.simplified(), QTransform(), true, sink);
    sink.Finish();
    const uint64_t kept = sink.paths().points.size();
    const uint64_t least = BandPointsAtLeast(band);
    EXPECT_LE(least, kept);
    EXPECT_GE(static_cast<double>(least), c.share * static_cast<double>(kept)) << least;
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, BandPointsTable,
    testing::Values(
        BandCase{"Curves", BigDrawingCurve, 40, Qt::SvgMiterJoin, 0.9},
        BandCase{"CurvesDashed", BigDrawingCurve, 40, Qt::RoundJoin, 0.3, true},
        BandCase{"ScribbledOverItself",
                 [] {
                     return Poly({{800, 800}, {7600, 8000}, {840, 880}, {7560, 8080},
                                  {880, 960}, {2400, 11200}, {1000, 800}});
                 },
                 160, Qt::RoundJoin, 0.8},
        BandCase{"Ring",
                 [] {
                     QPainterPath p;
                     p.addEllipse(QPointF(4000, 4000), 2800, 2800);
                     return p;
                 },
                 60, Qt::BevelJoin, 0.9},
        BandCase{"LoopsTighterThanTheStroke",
                 [] {
                     QPainterPath p({1000, 1000});
                     for (int i = 0; i < 6; ++i)
                         p.cubicTo(1030, 1000 + 9 * i, 1030, 1008 + 9 * i, 1000,
                                   1008 + 9 * i);
                     return p;
                 },
                 40, Qt::MiterJoin, 0.5},
        BandCase{"SpecksOfLessThanAUnit",
                 [] {
                     QPainterPath p;
                     for (int i = 0; i < 40; ++i)
                         p.addEllipse(QPointF(100 + 3 * i, 100.5), 0.2, 0.3);
                     return p;
                 },
                 0.4, Qt::RoundJoin, 0},
        BandCase{"OnHalfUnits",
                 [] {
                     QPainterPath p({100.5, 100.5});
                     p.cubicTo(300.5, 100.5, 300.5, 400.5, 600.5, 400.5);
                     return p;
                 },
                 41, Qt::MiterJoin, 0.9},
        BandCase{"LongerThanItsPieces",
                 [] {
                     QPainterPath p({100, 100});
                     p.cubicTo(9000, 100, -100, 12000, 8800, 12000);
                     return p;
                 },
                 300, Qt::SvgMiterJoin, 0.9},
        BandCase{"CrowdedScribble",
                 [] {
                     // The same curves each run: a generator of its own, seeded.
                     uint32_t seed = 7;
                     const auto next = [&seed] {
                         seed = seed * 1664525u + 1013904223u;
                         return 1000 + (seed >> 8) % 400;
                     };
                     QPainterPath p(QPointF(next(), next()));
                     for (int i = 0; i < 12; ++i)
                         p.cubicTo(next(), next(), next(), next(), next(), next());
                     return p;
                 },
                 40, Qt::SvgMiterJoin, 0.8},
        BandCase{"Zigzag",
                 [] {
                     return Poly({{800, 800}, {7200, 1600}, {800, 2400}, {7200, 3200},
                                  {800, 4000}, {7200, 4800}});
                 },
                 80, Qt::MiterJoin, 0.3}),
    [](const testing::TestParamInfo<BandCase>& i) { return std::string(i.param.name); });

struct OrderCase {
    const char* name;
    Options options;
};
void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class OrderTable : public testing::TestWithParam<OrderCase> {};

// Every option keeps one selection per pen, pens ascending, and draws every line.
TEST_P(OrderTable, OneSelectionPerPenAndNothingLost) {
    const std::string shapes =
        "<g fill='none'><rect x='10' y='10' width='5' height='5' stroke='red'/>"
        "<rect x='100' y='200' width='50' height='50' stroke='black'/>"
        "<rect x='120' y='220' width='5' height='5' stroke='black'/>"
        "<rect x='15' y='10' width='5' height='5' stroke='red'/></g>";
    const Converted out = Convert(shapes, GetParam().options);
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    EXPECT_EQ(Pens(out.body), "SP3;SP7;SP0;");
    double length = 0;
    for (const Stroke& s : Strokes(out.body)) length += std::hypot(s.x1 - s.x0, s.y1 - s.y0);
    // 40 + 8 mm for the black, the red pair's shared edge once with merging.
    const double expected = (200 + 20 + (GetParam().options.foptEx ? 35 : 40)) * 40;
    EXPECT_NEAR(length, expected, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, OrderTable,
    testing::Values(OrderCase{"Nearest", {0, 0, 0, 0}}, OrderCase{"InsideFirst", {0, 1, 0, 0}},
                    OrderCase{"Bands", {0, 2, 0, 0}}, OrderCase{"MergedNearest", {0, 0, 1, 0}},
                    OrderCase{"MergedInDocumentOrder", {0, 0, 1, 1}},
                    OrderCase{"MergedBands", {0, 2, 1, 1}}),
    [](const testing::TestParamInfo<OrderCase>& i) { return std::string(i.param.name); });

std::vector<long> Numbers(const std::string& text) {
    std::vector<long> all;
    static const std::regex number("-?[0-9]+");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
         it != std::sregex_iterator(); ++it)
        all.push_back(std::stol(it->str()));
    return all;
}

size_t Count(const std::string& body, const std::string& what) {
    size_t n = 0;
    for (size_t at = body.find(what); at != std::string::npos; at = body.find(what, at + 1)) ++n;
    return n;
}

double Length(const std::vector<Stroke>& strokes) {
    double length = 0;
    for (const Stroke& s : strokes) length += std::hypot(s.x1 - s.x0, s.y1 - s.y0);
    return length;
}

bool Refused(const Converted& out, const char* says) {
    return out.result.error == DrawingError::Refused && out.body.empty() &&
           NoteEnglish(out.result.message).find(says) != std::string::npos;
}

bool Noted(const Converted& out, const char* says) {
    for (const Note& note : out.result.notes)
        if (NoteEnglish(note).find(says) != std::string::npos) return true;
    return false;
}

// Every PD instruction of a body, without "PD" and ";".
std::vector<std::string> PdInstructions(const std::string& body) {
    std::vector<std::string> all;
    static const std::regex pd("PD([-0-9,]*);");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), pd); it != std::sregex_iterator();
         ++it)
        all.push_back((*it)[1]);
    return all;
}

// The frame: the last four strokes; the box of the rest, grown by the K margins in units
// (28 pt = 395, 14 pt = 198, 43 pt = 607, 57 pt = 804).
// The last four strokes of `body` are the frame of Frame's margins round `lines`.
bool FramedRound(const std::string& body, const std::vector<Stroke>& lines) {
    const std::vector<Stroke> s = Strokes(body);
    if (s.size() < 5 || body.find("SP2;") == std::string::npos) return false;
    const std::vector<Stroke> frame(s.end() - 4, s.end());
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Stroke& k : lines)
        for (auto [x, y] : {std::pair{k.x0, k.y0}, std::pair{k.x1, k.y1}}) {
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    return frame[0].x0 == x0 - 395 && frame[0].y0 == y0 - 607 && frame[1].x0 == x1 + 198 &&
           frame[2].y0 == y1 + 804 && frame[3].x1 == x0 - 395 && frame[3].y1 == y0 - 607;
}

bool FramedByMargins(const Converted& out, const Converted&) {
    std::vector<Stroke> s = Strokes(out.body);
    s.resize(std::max<size_t>(s.size(), 4) - 4);
    return FramedRound(out.body, s);
}

const char kLine[] = "<path d='M10 100 H110' stroke='black' fill='none'/>";  // 100 mm, pen 3
const char kSquare[] = "<rect x='50' y='100' width='20' height='20' fill='none' stroke='black'/>";
const char kCircle[] = "<circle cx='100' cy='150' r='40' fill='none' stroke='black'/>";

// One pen-down run of 120 m: back and forth 600 times across the page.
const std::string kLongRun = [] {
    std::string d = "<path d='M10 100";
    for (int i = 0; i < 300; ++i) d += " H210 H10";
    return d + "' stroke='black' fill='none'/>";
}();

struct CutCase {
    const char* name;
    const char* shapes;
    SetCut cut;
    // `out` with the options, `plain` the same drawing without them.
    bool (*holds)(const Converted& out, const Converted& plain);
};
void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class CutTable : public testing::TestWithParam<CutCase> {};

TEST_P(CutTable, OptionShapesThePlotAsAsked) {
    const CutCase& c = GetParam();
    const Converted plain = Convert(c.shapes, Options{});
    ASSERT_TRUE(plain.result.ok()) << plain.result.message;
    const Converted out = Convert(c.shapes, Options{}, c.cut);
    EXPECT_TRUE(c.holds(out, plain)) << out.result.message << "\n" << out.body;
    // No empty instruction, whatever the options write between the lines.
    EXPECT_EQ(out.body.find(";;"), std::string::npos) << out.body;
}

void Frame(TPrConfig& c, TSrConfig&, KnifeSettings&) {
    c.fusekstm = 1;
    c.ktoolid = 2;
    c.kmargin = {57, 28, 43, 14};  // top, left, bottom, right: 20, 10, 15, 5 mm in points
}

void Perforate(TPrConfig& c, TSrConfig&, KnifeSettings&) {
    c.fusezfcut = 1;
    c.zftoolid = 3;
    c.zfcleng = 50;  // 5 mm
    c.zfsleng = 20;  // 2 mm
}

void Knife(TPrConfig&, TSrConfig&, KnifeSettings& k) {
    k = KnifeSettings{true, 3, 25, 100};  // 0.25 mm offset, 1 mm overcut
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, CutTable,
    testing::Values(
        CutCase{"FreshRecordsChangeNothing", kSquare, [](TPrConfig&, TSrConfig&, KnifeSettings&) {},
                [](const Converted& o, const Converted& p) {
                    return o.body == p.body &&
                           DrawingHeaderLines(o.result).find("UNIT:") == std::string::npos;
                }},
        CutCase{"WeedingFrameAroundTheLines", kSquare, Frame, FramedByMargins},
        CutCase{"WeedingFrameClippedToTheArea", "<rect x='50' y='1' width='20' height='20'/>",
                Frame,
                [](const Converted& o, const Converted&) {
                    double top = 0;
                    for (const Stroke& s : Strokes(o.body)) top = std::max(top, s.y1);
                    return Noted(o, "weeding frame") &&
                           o.result.brc.ends_with("," + std::to_string(int(top)));
                }},
        CutCase{
            "WeedingFrameToolBeyondThePens", kSquare,
            [](TPrConfig& c, TSrConfig& s, KnifeSettings& k) { Frame(c, s, k), c.ktoolid = 11; },
            [](const Converted& o, const Converted&) { return Refused(o, "tool 11"); }},
        CutCase{"WeedingFrameNegativeMargin", kSquare,
                [](TPrConfig& c, TSrConfig& s, KnifeSettings& k) {
                    Frame(c, s, k), c.kmargin.left = -1;
                },
                [](const Converted& o, const Converted&) { return Refused(o, "negative"); }},
        // 100 mm in 5 mm cuts and 2 mm skips: 14 whole cuts and one of 2 mm.
        CutCase{"PerforationLiftsOverSkips", kLine, Perforate,
                [](const Converted& o, const Converted&) {
                    return Count(o.body, "PU") == 15 + 1 &&
                           std::abs(Length(Strokes(o.body)) - 72 * 40) < 2;
                }},
        CutCase{"PerforationPressesLightlyOverSkips", kLine,
                [](TPrConfig& c, TSrConfig& s, KnifeSettings& k) {
                    Perforate(c, s, k), c.zfcpress = 30, c.zfspress = 5;
                },
                [](const Converted& o, const Converted&) {
                    return Count(o.body, "FS30;") == 15 && Count(o.body, "FS5;") == 14 &&
                           Count(o.body, "PU") == 1 + 1 &&
                           std::abs(Length(Strokes(o.body)) - 100 * 40) < 2;
                }},
        CutCase{
            "PerforationWithoutLengthCutsWhole", kLine,
            [](TPrConfig& c, TSrConfig& s, KnifeSettings& k) { Perforate(c, s, k), c.zfsleng = 0; },
            [](const Converted& o, const Converted& p) {
                return o.body == p.body && Noted(o, "cut whole");
            }},
        // A skip force without a cut force to press again would leave the knife at the skip's
        // force on the cuts, or with none, cut the skips through: the pen is lifted instead.
        CutCase{"PerforationWithASkipForceOnlyLiftsOverSkips", kLine,
                [](TPrConfig& c, TSrConfig& s, KnifeSettings& k) {
                    Perforate(c, s, k), c.zfcpress = 0, c.zfspress = 5;
                },
                [](const Converted& o, const Converted&) {
                    return Count(o.body, "FS") == 0 && Count(o.body, "PU") == 15 + 1;
                }},
        // Cut whole, a line meant to hold would be cut through.
        CutCase{"PerforationTooFineForALineIsRefused", kLongRun.c_str(),
                [](TPrConfig& c, TSrConfig& s, KnifeSettings& k) {
                    Perforate(c, s, k), c.zfcleng = 1, c.zfsleng = 1;
                },
                [](const Converted& o, const Converted&) {
                    return o.result.error == DrawingError::Refused &&
                           NoteEnglish(o.result.message).find("too long to be perforated as set (pen 3, cut "
                                                 "0.10 mm, skip 0.10 mm)") != std::string::npos;
                }},
        CutCase{"PerforationOfAnotherPen", kLine,
                [](TPrConfig& c, TSrConfig& s, KnifeSettings& k) {
                    Perforate(c, s, k), c.zftoolid = 7;
                },
                [](const Converted& o, const Converted& p) { return o.body == p.body; }},
        CutCase{"HeaderAndFooterAroundTheBody", kLine,
                [](TPrConfig&, TSrConfig& s, KnifeSettings&) {
                    std::strcpy(s.prheader, "VS10;FS30;\\e.(\\x41");
                    std::strcpy(s.prfooter, "PG;");
                },
                [](const Converted& o, const Converted& p) {
                    return o.body == "VS10;FS30;\x1b.(A" + p.body + "PG;";
                }},
        CutCase{
            "HeaderWithABrokenEscape", kLine,
            [](TPrConfig&, TSrConfig& s, KnifeSettings&) { std::strcpy(s.prheader, "IN;\\x4"); },
            [](const Converted& o, const Converted&) { return Refused(o, "hexadecimal"); }},
        CutCase{"FooterNotShiftJis", kLine,
                [](TPrConfig&, TSrConfig& s, KnifeSettings&) { std::strcpy(s.prfooter, "\x80"); },
                [](const Converted& o, const Converted&) { return Refused(o, "Shift-JIS"); }},
        CutCase{"PlotterUnitScalesLinesAndWindow", kLine,
                [](TPrConfig&, TSrConfig& s, KnifeSettings&) { s.prunit = 2540; },
                [](const Converted& o, const Converted& p) {
                    const Stroke line = Strokes(o.body).at(0);
                    const std::vector<long> window = Numbers(o.result.brc),
                                            was = Numbers(p.result.brc);
                    return line.x1 - line.x0 == 10000 && window[2] == std::lround(was[2] * 2.5) &&
                           DrawingHeaderLines(o.result).find("\nUNIT:2540\n") != std::string::npos;
                }},
        CutCase{"PlotterUnitOfHpglItself", kLine,
                [](TPrConfig&, TSrConfig& s, KnifeSettings&) { s.prunit = 1016; },
                [](const Converted& o, const Converted& p) {
                    return o.body == p.body &&
                           DrawingHeaderLines(o.result).find("UNIT:") == std::string::npos;
                }},
        CutCase{"PlotterUnitTooCoarse", kLine,
                [](TPrConfig&, TSrConfig& s, KnifeSettings&) { s.prunit = 1; },
                [](const Converted& o, const Converted&) { return Refused(o, "plotter unit"); }},
        CutCase{"PlotterUnitTooFine", kLine,
                [](TPrConfig&, TSrConfig& s, KnifeSettings&) { s.prunit = 100000; },
                [](const Converted& o, const Converted&) { return Refused(o, "plotter unit"); }},
        CutCase{
            "PdLimitKeepsPointsAndLifts", kCircle,
            [](TPrConfig&, TSrConfig& s, KnifeSettings&) { s.pdlmopt = 1 << 24 | 30 << 16 | 512; },
            [](const Converted& o, const Converted& p) {
                const std::vector<std::string> pds = PdInstructions(o.body);
                bool within = pds.size() > 1;
                for (const std::string& pd : pds)
                    within = within && Count(pd, ",") + 1 <= 2 * 30 && pd.size() + 3 <= 512;
                return within && Count(o.body, "PU") == Count(p.body, "PU") &&
                       Strokes(o.body).size() == Strokes(p.body).size();
            }},
        CutCase{
            "PdLimitBelowOnePair", kCircle,
            [](TPrConfig&, TSrConfig& s, KnifeSettings&) { s.pdlmopt = 1 << 24 | 30 << 16 | 5; },
            [](const Converted& o, const Converted& p) {
                for (const std::string& pd : PdInstructions(o.body))
                    if (Count(pd, ",") != 1) return false;
                return Length(Strokes(o.body)) == Length(Strokes(p.body));
            }},
        // The holder ends where it began, moved on by the overcut along the first edge, and
        // swings about each corner at the offset's distance.
        CutCase{"DragKnifeSwingsAndCutsOn", kSquare, Knife,
                [](const Converted& o, const Converted& p) {
                    const std::vector<Stroke> s = Strokes(o.body), was = Strokes(p.body);
                    const double on =
                        std::hypot(s.back().x1 - s.front().x0, s.back().y1 - s.front().y0);
                    size_t swung = 0;
                    for (const Stroke& k : was)
                        for (const Stroke& h : s)
                            swung += std::abs(std::hypot(h.x1 - k.x1, h.y1 - k.y1) - 10) < 1;
                    return std::abs(on - 40) < 1.5 && swung >= 4 * 3;
                }},
        // The frame goes round the lines, not round the holder's swings past them...
        CutCase{"WeedingFrameRoundTheLinesNotTheKnifesSwings", kSquare,
                [](TPrConfig& c, TSrConfig& s, KnifeSettings& k) { Frame(c, s, k), Knife(c, s, k); },
                [](const Converted& o, const Converted& p) {
                    return FramedRound(o.body, Strokes(p.body));
                }},
        // ... and on the knife's pen is cut by the knife, on past its start by the overcut.
        CutCase{"WeedingFrameOnTheKnifesPenIsCutByIt", kSquare,
                [](TPrConfig& c, TSrConfig& s, KnifeSettings& k) {
                    Frame(c, s, k), Knife(c, s, k), k.tool = 2;
                },
                [](const Converted& o, const Converted& p) {
                    const size_t at = o.body.find("SP2;");
                    if (at == std::string::npos) return false;
                    const std::vector<Stroke> f = Strokes(o.body.substr(at));
                    return o.body.substr(0, at) == p.body.substr(0, p.body.find("PU;SP0;")) &&
                           std::abs(std::hypot(f.back().x1 - f.front().x0,
                                               f.back().y1 - f.front().y0) -
                                    40) < 1.5;
                }},
        CutCase{"DragKnifeUnused", kSquare,
                [](TPrConfig& c, TSrConfig& s, KnifeSettings& k) { Knife(c, s, k), k.use = false; },
                [](const Converted& o, const Converted& p) { return o.body == p.body; }}),
    [](const testing::TestParamInfo<CutCase>& i) { return std::string(i.param.name); });

TEST(Drawing, InsideFirstPlotsTheCounterBeforeItsLetter) {
    Options o;
    o.fsort = 1;
    const Converted out = Convert(
        "<g fill='none' stroke='black'><rect x='100' y='200' width='50' height='50'/>"
        "<rect x='120' y='220' width='5' height='5'/></g>",
        o);
    ASSERT_TRUE(out.result.ok()) << out.result.message;
    // The small square's corner x 4800 comes before the big one's 4000.
    EXPECT_LT(out.body.find("4800,"), out.body.find("4000,"));
}

// The records' stored forms, each decoded once: every row sets one field from a zeroed record.
TEST(Drawing, OptionsAreDecodedFromTheirStoredForm) {
    const struct {
        const char* name;
        void (*set)(TPrint&, TPrConfig&);
        bool (*holds)(const PlotOptions&);
    } rows[] = {
        {"zeroed", [](TPrint&, TPrConfig&) {},
         [](const PlotOptions& o) {
             return o.optimised && o.automaticPens && !o.merge && !o.autoSplit && !o.rollFeed &&
                    o.sort == PathSort::None && o.asked.first == 1 && o.asked.last == 1 &&
                    o.pens[0].number == 13 && !o.area;
         }},
        {"line_optimisation_off", [](TPrint&, TPrConfig& c) { c.foptln = 1; },
         [](const PlotOptions& o) { return !o.optimised; }},
        {"automatic_pens_off", [](TPrint&, TPrConfig& c) { c.fautopen = 1; },
         [](const PlotOptions& o) { return !o.automaticPens; }},
        {"sort_b", [](TPrint&, TPrConfig& c) { c.fsort = 1; },
         [](const PlotOptions& o) { return o.sort == PathSort::InsideFirst; }},
        {"sort_c", [](TPrint&, TPrConfig& c) { c.fsort = 2; },
         [](const PlotOptions& o) { return o.sort == PathSort::Bands; }},
        {"sort_not_offered", [](TPrint&, TPrConfig& c) { c.fsort = 7; },
         [](const PlotOptions& o) { return o.sort == PathSort::None; }},
        {"roll_auto_split",
         [](TPrint& p, TPrConfig& c) {
             p.prStl.feed = 1;
             c.fautosep = 1;
             c.rlength = 288;
         },
         [](const PlotOptions& o) {
             return o.rollFeed && o.autoSplit && o.rollLengthPoints == 288;
         }},
        {"pages_from_the_job_when_never_stored",
         [](TPrint& p, TPrConfig&) {
             p.prJob.iFstPage = 2;
             p.prJob.iLstPage = 3;
         },
         [](const PlotOptions& o) { return o.asked.first == 2 && o.asked.last == 3; }},
        {"pen_and_shares",
         [](TPrint&, TPrConfig& c) { c.toollist[1] = {4, 35, 10000, 20000, -5, 1}; },
         [](const PlotOptions& o) {
             const PenSetting& p = o.pens[1];
             return p.number == 4 && p.coloured && p.thicknessMm == 0.35 && p.red == 1 &&
                    p.green == 1 && p.blue == 0;
         }},
        {"weeding_frame_margins_in_points",
         [](TPrint&, TPrConfig& c) {
             c.fusekstm = 1;
             c.ktoolid = 4;
             c.kmargin = {72, 36, 0, 18};
         },
         [](const PlotOptions& o) {
             const WeedingFrame& f = o.cut.frame;
             return f.use && f.pen == 4 && f.top == 1016 && f.left == 508 && f.bottom == 0 &&
                    f.right == 254;
         }},
        {"perforation_in_tenths_of_a_millimetre",
         [](TPrint&, TPrConfig& c) {
             c.fusezfcut = 1;
             c.zftoolid = 2;
             c.zfcleng = 15;
             c.zfsleng = 5;
         },
         [](const PlotOptions& o) {
             const Perforation& p = o.cut.perforation;
             return p.use && p.pen == 2 && p.cut == 60 && p.skip == 20 && p.cutForce == 0;
         }},
        {"turned_at_half",
         [](TPrint& p, TPrConfig&) {
             p.prInfo.rPage = {0, 0, 200, 100};
             p.prXInfo.iBandV = -50;
         },
         [](const PlotOptions& o) { return o.area && o.area->turned && o.area->scale == 0.5; }},
    };
    for (const auto& row : rows) {
        TPrint print;
        std::memset(&print, 0, sizeof print);
        TPrConfig config;
        std::memset(&config, 0, sizeof config);
        row.set(print, config);
        EXPECT_TRUE(row.holds(DecodePlotOptions(DecodePlotSettings(print, config)))) << row.name;
    }
}

}  // namespace
