// What the SVG reading rewrites before a library reads the drawing: masks made clips, pattern
// fills and gradient strokes made plain, rounded rects made paths that start where SVG says.

#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "drawing/read/svg/rounded_rect.h"
#include "drawing/read/svg/svg_for_rsvg.h"

namespace {

std::string Svg(const std::string& body) {
    return "<svg xmlns='http://www.w3.org/2000/svg' width='10mm' height='10mm'>" + body + "</svg>";
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
        {"pattern_fill_its_fallback",
         "<pattern id='p' width='2' height='2'><circle r='1'/></pattern><rect width='5' "
         "height='5' fill='url(#p) red' stroke='url(#p)'/>",
         {"fill=\"red\"", "stroke=\"black\""},
         {"url(#p)"},
         "pattern fills' tiles left out"},
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
        for (const std::string& has : row.has)
            EXPECT_NE(xml.find(has), std::string::npos)
                << row.name << " lacks " << has << ": " << xml;
        for (const std::string& lacks : row.lacks)
            EXPECT_EQ(xml.find(lacks), std::string::npos)
                << row.name << " has " << lacks << ": " << xml;
        const bool noted = !out.notes.empty() && row.note && out.notes[0].find(row.note) == 0;
        EXPECT_EQ(noted, row.note != nullptr) << row.name;
        EXPECT_EQ(out.notes.size(), row.note ? 1u : 0u) << row.name;
    }
    EXPECT_FALSE(PrepareForRsvg(QByteArray::fromStdString(Svg("<path d='M0 0H9'/>"))).changed);
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
