// What the SVG reading rewrites before a library reads the drawing: references outside it
// taken out, markers within markers counted, masks made clips, pattern
// fills and gradient strokes made plain, rounded rects made paths that start where SVG says,
// clip paths marked for Qt's route where it can apply them.

#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "drawing/read/svg/clip_marks.h"
#include "drawing/read/svg/outside_refs.h"
#include "drawing/read/svg/rounded_rect.h"
#include "drawing/read/svg/svg_for_rsvg.h"
#include "drawing/read/svg/svg_sanitize.h"

namespace {

std::string Svg(const std::string& body) {
    return "<svg xmlns='http://www.w3.org/2000/svg' width='10mm' height='10mm'>" + body + "</svg>";
}

// Every text of has is in the rewritten xml, and none of lacks.
void ExpectHasAndLacks(const std::string& name, const std::string& xml,
                       const std::vector<std::string>& has, const std::vector<std::string>& lacks) {
    for (const std::string& text : has)
        EXPECT_NE(xml.find(text), std::string::npos) << name << " lacks " << text << ": " << xml;
    for (const std::string& text : lacks)
        EXPECT_EQ(xml.find(text), std::string::npos) << name << " has " << text << ": " << xml;
}

TEST(SvgForRsvg, MasksPatternsAndGradientStrokesBecomeWhatThePdfRoutePlots) {
    const std::string gradients =
        "<linearGradient id='a'><stop offset='0' stop-color='red'/><stop offset='1' "
        "style='stop-color:#0000ff'/></linearGradient><linearGradient id='b' href='#a'/>";
    const struct {
        const char* name;
        std::string body;
        std::vector<std::string> has, lacks;
        const char* note;  // nullptr: none
    } rows[] = {
        {"mask_in_a_style_its_groups_flattened",
         "<mask id='k'><g transform='translate(4,0)'><g transform='scale(2)'><rect width='1' "
         "height='1' fill-rule='evenodd'/></g></g></mask><path d='M0 0H9' style='stroke:red;"
         "mask:url(#k)'/>",
         {"<clipPath id=\"k\"><rect", "transform=\"translate(4,0) scale(2)\"",
          "clip-rule=\"evenodd\"", "clip-path=\"url(#k)\""},
         {"<g", "mask:"},
         nullptr},
        {"mask_and_clip_together_wrapped",
         "<clipPath id='c'><rect width='5' height='5'/></clipPath><mask id='k' "
         "maskContentUnits='objectBoundingBox'><circle r='0.5'/></mask><path d='M0 0H9' "
         "mask='url(#k)' clip-path='url(#c)'/>",
         {"clipPathUnits=\"objectBoundingBox\"", "<g clip-path=\"url(#k)\"><path"},
         {"mask="},
         nullptr},
        {"mask_of_no_shape_not_applied",
         "<mask id='k'><defs><rect width='9' height='9'/></defs><image width='9' "
         "height='9'/></mask>"
         "<path d='M0 0H9' mask='url(#k)'/>",
         {"<mask id=\"k\">"},
         {"mask=", "clip-path"},
         "masks that hold no shape"},
        {"pattern_stroke_its_fallback_its_fill_kept",
         "<pattern id='p' width='2' height='2'><circle r='1'/></pattern><rect width='5' "
         "height='5' fill='url(#p) red' stroke='url(#p)' style='fill:url(#p);stroke:url(#p) "
         "blue'/>",
         {"fill=\"url(#p) red\"", "stroke=\"black\"", "fill:url(#p);stroke:blue"},
         {"fill=\"red\"", "stroke=\"url"},
         "strokes painted with a pattern plotted as plain lines"},
        {"gradient_stroke_through_its_href",
         gradients + "<path d='M0 0H9' stroke='url(#b)' "
                     "fill='url(#b)'/><style>.s{stroke:url(#a)}</style>",
         {"stroke=\"#800080\"", "fill=\"url(#b)\"", ".s{stroke:#800080}"},
         {"stroke=\"url"},
         nullptr},
    };
    for (const auto& row : rows) {
        const RsvgReady out = PrepareForRsvg(QByteArray::fromStdString(Svg(row.body)));
        ASSERT_TRUE(out.changed) << row.name;
        const std::string xml = out.xml.toStdString();
        QXmlStreamReader check(out.xml);
        while (!check.atEnd()) check.readNext();
        EXPECT_FALSE(check.hasError()) << row.name << ": " << xml;
        ExpectHasAndLacks(row.name, xml, row.has, row.lacks);
        const bool noted = !out.notes.empty() && row.note && NoteEnglish(out.notes[0]).find(row.note) == 0;
        EXPECT_EQ(noted, row.note != nullptr) << row.name;
        EXPECT_EQ(out.notes.size(), row.note ? 1u : 0u) << row.name;
    }
    EXPECT_FALSE(PrepareForRsvg(QByteArray::fromStdString(Svg("<path d='M0 0H9'/>"))).changed);
}

// Whatever names something outside the drawing goes, however it is written; what names the
// drawing itself stays. Markers drawn within markers are counted however they are given.
TEST(SvgSanitize, OutsideReferencesGoAndMarkersAreCounted) {
    std::string vertices = "M0 0";
    for (int i = 0; i < 49; ++i) vertices += "L1 0";
    const auto level = [&](const char* id, const char* inner, const char* how) {
        return "<marker id='" + std::string(id) + "'><path d='" + vertices + "' " + how + "url(#" +
               inner + ")'/></marker>";
    };
    const std::string deep = "<marker id='m0'><path d='M0 0L1 0'/></marker>" +
                             level("m1", "m0", "marker-mid='") +
                             level("m2", "m1", "style='marker-mid:");
    const struct {
        const char* name;
        std::string body;
        const char* refusal;  // nullptr: read
        std::vector<std::string> has = {}, lacks = {};
    } rows[] = {
        {"outside_references_however_written",
         "<text><textPath href='/etc/passwd#p'>A</textPath><textPath href=' #p'>B</textPath></text>"
         "<use xlink:href='file:///x.svg#u' xmlns:xlink='http://www.w3.org/1999/xlink'/>"
         "<use href='data:image/svg+xml,%3Csvg/%3E'/><g xml:base='/etc/'/>"
         "<path d='M0 0H9' fill='URL(a.svg#g) red' stroke='url( \"b.svg\" )' "
         "style='filter:url(c.svg#f);clip-path:url(#c)'/><path d='M0 0' mask='url(d.svg#m'/>"
         "<style>.a{fill:u<![CDATA[rl(/dev/tty#x)}]]><b>.c{fill:url(/dev/b)}</b>.d{stroke:"
         "u\\72l(/dev/e)} @import 'x.css';</style>",
         nullptr,
         {"href=\"#p\"", "fill=\" red\"", "stroke=\"none\"", "filter:none", "url(#c)",
          "mask=\"none\"", ".a{fill:none}", ".d{stroke:u72l(/dev/e)}"},
         {"passwd", "file:", "data:", "xml:base", "a.svg", "b.svg", "c.svg", "d.svg", "/dev/tty",
          "/dev/b", "x.css", "\\"}},
        {"markers_three_deep_in_attributes_and_styles",
         deep + "<path d='" + vertices + "' marker-end='url(#m2)' marker-mid='url(#m2)'/>",
         "markers multiply"},
        {"markers_inherited_from_a_group",
         deep + "<g marker-mid='url(#m2)'><path d='" + vertices + "'/></g>", "markers multiply"},
        {"markers_of_a_style_sheet",
         deep + "<style>.x{marker-mid:url(#m2)}</style><path d='" + vertices + "'/>",
         "markers multiply"},
        {"markers_two_deep_are_read", deep + "<path d='" + vertices + "' marker-end='url(#m1)'/>",
         nullptr},
        // A cycle through a marker and a use is closed by librsvg, and counts no less.
        {"markers_round_a_use_cycle",
         deep + "<marker id='c'><use href='#p'/></marker><path id='p' d='" + vertices +
             "' marker-start='url(#c)' marker-mid='url(#m2)'/>",
         "markers multiply"},
    };
    for (const auto& row : rows) {
        const SanitizedSvg out = SanitizeSvg(QByteArray::fromStdString(Svg(row.body)));
        const std::string xml = out.xml.toStdString();
        if (row.refusal) {
            EXPECT_NE(NoteEnglish(out.message).find(row.refusal), std::string::npos) << row.name << xml;
            continue;
        }
        ASSERT_EQ(out.error, DrawingError::None) << row.name << ": " << out.message;
        ExpectHasAndLacks(row.name, xml, row.has, row.lacks);
        if (!row.lacks.empty())
            EXPECT_NE(std::find(out.notes.begin(), out.notes.end(), kNoteOutsideRefs),
                      out.notes.end())
                << row.name;
    }
}

// A clip path Qt's route can apply is marked (its shapes in the mark colour, the clipped
// element wrapped, its transform moved to the wrapping group); anything else leaves the
// drawing to librsvg.
TEST(ClipMarks, MarkedWhereQtsRouteCanApplyThem) {
    const struct {
        const char* name;
        std::string body;
        bool marked;
        std::vector<std::string> has = {}, lacks = {};
    } rows[] = {
        {"in_user_units_transform_moved",
         "<clipPath id='c' clip-rule='evenodd'><circle r='5' fill='red' style='opacity:0'/>"
         "</clipPath><path d='M0 0H9' transform='scale(2)' style='stroke:red;clip-path:url(#c)'/>",
         true,
         {"<defs><g id=\"c\"><g fill-rule=\"evenodd\"><circle r=\"5\" style=\"fill:#0c1d2e",
          "<g transform=\"scale(2)\"><use", "xlink:href=\"#c\"", "style=\"stroke:red\"/>",
          "fill:#0c1d31"},
         {"fill=\"red\"", "opacity:0", "clip-path"}},
        {"in_the_box_s_units",
         "<defs><clipPath id='b' clipPathUnits='objectBoundingBox'><rect width='.5' height='1'/>"
         "</clipPath></defs><g clip-path='url(#b)'><path d='M0 0H9'/></g>",
         true,
         {"<defs><g id=\"b\"><g><rect", "fill:#0c1d2f", "fill:#0c1d30"},
         {"<defs><defs>"}},
        {"use_in_a_clip_path",
         "<clipPath id='c'><use href='#r'/></clipPath><rect id='r' "
         "width='5' height='5' clip-path='url(#c)'/>",
         false},
        {"clip_path_clipped",
         "<clipPath id='c' clip-path='url(#d)'><rect width='5' height='5'/>"
         "</clipPath><clipPath id='d'><rect width='2' height='2'/></clipPath><path d='M0 0H9' "
         "clip-path='url(#c)'/>",
         false},
        {"clip_of_a_style_sheet",
         "<style>.k{clip-path:url(#c)}</style><clipPath id='c'><rect "
         "width='5' height='5'/></clipPath><path class='k' d='M0 0H9'/>",
         false},
        {"missing_clip_path", "<path d='M0 0H9' clip-path='url(#nothing)'/>", false},
        {"clipped_use",
         "<clipPath id='c'><rect width='5' height='5'/></clipPath><use href='#p' "
         "x='3' clip-path='url(#c)'/><path id='p' d='M0 0H9'/>",
         false},
        {"paints_in_a_mark_colour",
         "<clipPath id='c'><rect width='5' height='5'/></clipPath>"
         "<path d='M0 0H9' stroke='#0C1D31' clip-path='url(#c)'/>",
         false},
    };
    for (const auto& row : rows) {
        const ClipMarked out = MarkClips(QByteArray::fromStdString(Svg(row.body)));
        ASSERT_EQ(out.ok, row.marked) << row.name << ": " << out.xml.toStdString();
        if (!out.ok) continue;
        QXmlStreamReader check(out.xml);
        while (!check.atEnd()) check.readNext();
        EXPECT_FALSE(check.hasError()) << row.name;
        ExpectHasAndLacks(row.name, out.xml.toStdString(), row.has, row.lacks);
    }
}

TEST(SvgForRsvg, RoundedRectStartsAfterItsCorner) {
    const struct {
        const char* attributes;
        const char* start;  // the path's first commands; nullptr: left a rect
    } rows[] = {
        {"x='10' y='10' width='80' height='50' rx='10'", "M20 10 H80 A10 10 0 0 1 90 20 V50"},
        {"width='80' height='50' ry='100'", "M40 0 H40 A40 25 0 0 1 80 25 V25"},
        {"width='80' height='50' rx='-1' ry='5'", "M5 0 H75 A5 5 0 0 1 80 5"},
        {"width='80mm' height='50' rx='10'", nullptr},
        {"width='80' height='50'", nullptr},
        {"width='0' height='50' rx='10'", nullptr},
    };
    for (const auto& row : rows) {
        QXmlStreamReader reader(QByteArray("<rect ") + row.attributes + "/>");
        reader.readNextStartElement();
        const std::optional<QString> d = RoundedRectPath(reader.attributes());
        ASSERT_EQ(d.has_value(), row.start != nullptr) << row.attributes;
        if (d) EXPECT_TRUE(d->startsWith(QLatin1String(row.start))) << d->toStdString();
    }
}

}  // namespace
