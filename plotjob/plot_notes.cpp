#include "plotjob/plot_notes.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <vector>

namespace {

// Each text as the reading writes it, %1, %2 ... standing for what varies. The same text is the
// translation's source (i18n/trazen_ja.ts, context TPlotNotes).
constexpr const char* kNotes[] = {
    // What a drawing's reading leaves out.
    QT_TRANSLATE_NOOP("TPlotNotes", "raster images skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "images skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "embedded non-SVG content (foreignObject) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "external style sheets skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "external entities skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "clip paths not applied: clipped shapes are plotted whole"),
    QT_TRANSLATE_NOOP("TPlotNotes", "masks not applied: masked shapes are plotted whole"),
    QT_TRANSLATE_NOOP("TPlotNotes", "filters skipped: filtered shapes are plotted without them"),
    QT_TRANSLATE_NOOP("TPlotNotes", "text on a path (textPath) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "flowed text (flowRoot, shape-inside) skipped or not wrapped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "points with invalid (non-finite) coordinates skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "parts Qt's SVG reader does not support were skipped (%1)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "shadings (colour gradients) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "soft masks (transparency used as a mask) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the PDF reader found faults: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the DXF gives no unit ($INSUNITS): read as millimetres"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the DXF's unit (%1) is not known: read as millimetres"),
    QT_TRANSLATE_NOOP("TPlotNotes", "block \"%1\" is inserted but not defined: skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "coordinates or sizes that are not numbers (nan, inf): their entities "
                      "skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "entities with numbers out of range skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "texts or comments longer than %1 characters cut"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "counts larger than what follows them (vertices, knots, control points) "
                      "lowered"),
    QT_TRANSLATE_NOOP("TPlotNotes", "splines whose numbers don't add up skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "page %1: %2"),
    // How far a drawing is clipped; the sides come as a list.
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drawing reaches beyond the printable area by %1; it is clipped "
                      "there, not scaled"),
    QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm on the left"),
    QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm at the top"),
    QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm on the right"),
    QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm at the bottom"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drawing reaches %1 mm beyond the roll length (%2 mm); it is clipped "
                      "there (Auto split plots it in panels)"),
    // Pages and panels the page range leaves out.
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "pages %1 of %2 are outside the page range %3 set in Trazen Plotter "
                      "Settings; not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "page %1 of %2 is outside the page range %3 set in Trazen Plotter "
                      "Settings; not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "panels %1 of %2 are outside the page range %3 set in Trazen Plotter "
                      "Settings; not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "panel %1 of %2 is outside the page range %3 set in Trazen Plotter "
                      "Settings; not sent"),
    // The same when the plot is kept (trzn-plot --output), not sent.
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "pages %1 of %2 are outside the page range %3 set in Trazen Plotter "
                      "Settings; not converted"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "page %1 of %2 is outside the page range %3 set in Trazen Plotter "
                      "Settings; not converted"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "panels %1 of %2 are outside the page range %3 set in Trazen Plotter "
                      "Settings; not converted"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "panel %1 of %2 is outside the page range %3 set in Trazen Plotter "
                      "Settings; not converted"),
    // Why a drawing can't be read or plotted, and what its cutting options leave out.
    QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has more than %1 points to plot"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the roll length (%1 mm) cuts the drawing into %2 panels, more than %3"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the roll length (%1 mm) cuts the pages into more than %2 panels"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the plot body can't be written"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the page range selects %1 pages of the document, more than the %2 plotted "
                      "at once: set First page and Last page in TRZNSerConfig"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "nothing of the pages of the page range lies within the roll length (%1 mm)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "no page of the page range has a visible shape to plot"),
    QT_TRANSLATE_NOOP("TPlotNotes", "nothing of the drawing lies within the roll length (%1 mm)"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the drawing is cut into %1 panels along the roll, and there is one body to write"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the page settings leave no printable area (margins cover the paper)"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drawing reaches beyond the printable area (left %1 mm, top %2 mm, right "
                      "%3 mm, bottom %4 mm); that part is not plotted"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the drawing reaches %1 mm beyond the roll length (%2 mm); that part is not plotted"),
    QT_TRANSLATE_NOOP("TPlotNotes", "page %1 is beyond the %2 pages plotted from one document"),
    QT_TRANSLATE_NOOP("TPlotNotes", "not an SVG drawing Qt can read: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "Qt's SVG reader refused it"),
    QT_TRANSLATE_NOOP("TPlotNotes", "ghostscript made nothing readable of the PostScript: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the compressed drawing can't be unpacked (zlib)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the compressed drawing unpacks to more than %1 MB"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the compressed drawing is damaged (SVGZ data cut short or corrupt)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "can't open the drawing: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the drawing is not a plain file"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the drawing is larger than %1 MB"),
    QT_TRANSLATE_NOOP("TPlotNotes", "can't read the drawing: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "not an SVG drawing (no element in it)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "not an SVG drawing (not XML)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "not an SVG drawing (its first element is <%1>)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "not well-formed XML at line %1, column %2: %3"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the drawing's entities expand beyond what is read safely (line %1, column %2)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the drawing's <use> elements refer to themselves"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "text on a path (textPath) skipped: Inkscape, which sets it along its path, "
                      "is not installed"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "text on a path (textPath) skipped: Inkscape could not set it along its "
                      "path"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "pattern fills' tiles left out: the filled shapes are plotted as their "
                      "outlines"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "masks that hold no shape (a picture, a gradient) not applied: masked "
                      "shapes are plotted whole"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the clip path #%1 refers to itself (directly or round a cycle): what it "
                      "clips may be drawn unclipped or left out"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the mask #%1 refers to itself (directly or round a cycle): what it masks "
                      "may be drawn unmasked or left out"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the marker #%1 refers to itself (directly or round a cycle): it may be "
                      "drawn without the markers it holds or left out"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the pattern #%1 refers to itself (directly or round a cycle): what it "
                      "fills may be drawn without it or left out"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drawing's <use> elements multiply into more than %1 elements"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has more than %1 elements"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the drawing nests more than %1 levels deep"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "pen %1 has a negative thickness (%2 mm): set it to 0 for outlines only, or "
                      "to the pen's line width"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "hatching the fills with these pen widths needs more points than a plot "
                      "holds; give the pens their real widths, or 0 for outlines only"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "hatching the fills with these pen widths needs more than %1 lines; give the "
                      "pens their real widths, or 0 for outlines only"),
    QT_TRANSLATE_NOOP("TPlotNotes", "no reason given"),
    QT_TRANSLATE_NOOP("TPlotNotes", "can't make a temporary folder for ghostscript"),
    QT_TRANSLATE_NOOP("TPlotNotes", "can't copy the PostScript for ghostscript: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "ghostscript (gs) can't be started to read the PostScript: %1"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the PostScript still ran after %1 s and was stopped (a program that never ends?)"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the PostScript makes more than %1 MB of drawing and was stopped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the PostScript makes more than %1 MB of drawing"),
    QT_TRANSLATE_NOOP("TPlotNotes", "ghostscript can't read the PostScript: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "ghostscript made no PDF of the PostScript (%1)"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the PDF page makes more than %1 drawing operations (its forms, drawn within "
                      "each other, multiply them)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "a form (XObject) of the PDF draws itself"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the PDF's forms (XObjects) are drawn within each other more than %1 deep"),
    QT_TRANSLATE_NOOP("TPlotNotes", "a content stream of the PDF unpacks to more than %1 MB"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document's pages can't be told apart safely"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document can't be read safely: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document can't be read safely"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the PDF document is cut off (it has no end); save or send it again"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the PDF document is protected by a password: open it in a PDF reader and "
                      "save a copy without a password"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document has %1 pages, no page %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document has %1 page, no page %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "page %1 of the PDF document can't be read"),
    QT_TRANSLATE_NOOP("TPlotNotes", "page %1 of the PDF document can't be painted"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the page holds only pictures (images), no lines to plot"),
    QT_TRANSLATE_NOOP("TPlotNotes", "linetypes not in the drawing's table drawn solid: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the texts and shapes of linetypes left out, their dashes drawn: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "linetypes of no length drawn solid: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "linetypes whose dashes are finer than the plotter draws drawn solid: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "lines that linetypes would cut into more than %1 dashes drawn solid: %2"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the picture of a dimension, block \"%1\", is not defined: the dimension is skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "radial, angular and ordinate dimensions without a picture (block) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "paper space (layouts) left out: the model space is plotted"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "circles, arcs, ellipses and solids of no size (radius, axis, axis ratio or "
                      "area 0 or less) skipped"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "a binary DXF is not read: save the drawing as a text (ASCII) DXF"),
    QT_TRANSLATE_NOOP("TPlotNotes", "not a DXF drawing dxflib can read"),
    QT_TRANSLATE_NOOP("TPlotNotes", "not a DXF drawing dxflib can read (%1)"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "line %1 of the DXF is longer than %2 characters and is not a text"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the weeding frame's tool %1 is not one of the pens 1 to %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the weeding frame's margins (K margin) must not be negative"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the perforation's tool %1 is not one of the pens 1 to %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the perforation's pressures must not be negative"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the perforation's cut and skip lengths must both be above 0: the lines of "
                      "pen %1 are cut whole"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the plotter unit %1 steps per inch is not one a plotter moves in (%2 to %3, "
                      "or 0 for 1016)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the knife settings are out of range"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the weeding frame reaches beyond the printable area; it is cut along its edge"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the roll length is negative (%1 points); set it in TRZNSerConfig (0 for no limit)"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the page range (first page %1, last page %2) is upside down; set it in TRZNSerConfig"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the page range (first page %1, last page %2) selects none of the drawing's "
                      "one page; set it in TRZNSerConfig"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the page range (first page %1, last page %2) selects none of the drawing's "
                      "%3 panels along the roll; set it in TRZNSerConfig"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the knife settings %1 can't be read: press OK in TRZNSerConfig to write them again"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the knife settings %1 are too long to be knife settings: press OK in "
                      "TRZNSerConfig to write them again"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the knife settings %1 can't be read at line %2: press OK in TRZNSerConfig "
                      "to write them again"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the knife settings %1 have no %2: press OK in TRZNSerConfig to write them again"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the knife settings %1 hold a key that is not a knife setting: press OK in "
                      "TRZNSerConfig to write them again"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "the knife settings %1 say knife.use %2: press OK in TRZNSerConfig to write them again"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the knife settings %1 give %2 %3, outside %4 to %5: press OK in "
                      "TRZNSerConfig to write them again"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the header can't be sent: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the footer can't be sent: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "text that is not Shift-JIS"),
    QT_TRANSLATE_NOOP("TPlotNotes", "\\x without two hexadecimal digits"),
    QT_TRANSLATE_NOOP("TPlotNotes", "a backslash that is none of \\e \\r \\n \\\\ \\xNN"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the drawing's blocks multiply into more than %1 entities"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the block \"%1\" inserts itself"),
    QT_TRANSLATE_NOOP("TPlotNotes", "blocks are inserted into blocks more than %1 deep"),
    QT_TRANSLATE_NOOP("TPlotNotes", "an insert repeats a block %1 times"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "a dashed line is cut into more dashes than a plot holds (its dashes are too "
                      "short for its length); draw it without dashes, or with longer ones"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "dash patterns of no length or with negative dashes drawn as solid lines"),
    QT_TRANSLATE_NOOP("TPlotNotes", "not an SVG drawing librsvg can read: %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "librsvg could not read it"),
    QT_TRANSLATE_NOOP("TPlotNotes", "librsvg could not paint it"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drawing reaches beyond its canvas (%1); that part is not plotted"),
    // trzn-plot's temporary folder and its reading process.
    QT_TRANSLATE_NOOP("TPlotNotes", "cannot make a temporary folder in %1: %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "cannot lock a temporary folder in %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "cannot write the plot body to %1: %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "cannot write the plot body %1: %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "cannot write %1: %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "no product folder"),
    // A part of other texts: tried after each of them.
    QT_TRANSLATE_NOOP("TPlotNotes", "%1 at byte %2 of \"%3\""),
    // Why a drawing can't be plotted.
    QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has no visible shape to plot"),
    QT_TRANSLATE_NOOP("TPlotNotes", "nothing of the drawing lies on the printable area"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document has no page"),
    QT_TRANSLATE_NOOP("TPlotNotes", "not a PDF document poppler can read (damaged)"),
    // trzn-plot's names for the plots of a cut drawing.
    QT_TRANSLATE_NOOP("TPlotNotes", "page %1 of %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "panel %1 of %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "page %1 of %2 was not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes", "pages %1 of %2 were not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes", "panel %1 of %2 was not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes", "panels %1 of %2 were not sent"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the plot would be larger than %1 MB: %2"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drawing has that many lines to plot; plot part of it"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the perforation (%1) cuts the lines into that many pieces; set longer cut and skip lengths"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drag knife's swings at the corners multiply the lines; plot part of the drawing"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "pen %1, cut %2 mm, skip %3 mm"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "a line is too long to be perforated as set (%1): it would be cut into more than %2 pieces; set longer cut and skip lengths"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the plot body can't be written (%1)"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the PDF page makes more than %1 drawing operations (its Type 3 fonts' glyphs, shown within each other, multiply them)"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the PDF page makes more than %1 drawing operations (a tiling pattern repeats its cell of %2 by %3 pt over the page)"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "a Type 3 font of the PDF draws its glyphs with itself or more than %1 fonts deep"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the PDF's page tree is more than %1 levels deep"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the DXF's linetypes cut its lines into more than %1 dashes, more than a plot holds"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the DXF's inserted blocks multiply into more than %1 vertices, more than a plot holds"),
    // What the SVG reading removes, refuses, or says of Inkscape and of fine dashes.
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "references to other files or addresses removed: only what is in the drawing "
                      "itself is plotted"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "dash patterns finer than the plotter draws drawn as solid lines"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "dash patterns shorter than 1/256 of the drawing's unit drawn as solid lines "
                      "(librsvg draws no shorter ones)"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drawing's markers multiply into more than %1 elements (markers drawn on "
                      "the shapes of markers)"),
    QT_TRANSLATE_NOOP("TPlotNotes",
                      "the drawing sets text on a path (textPath) %1 times, more than the %2 set "
                      "within the reading's limits"),
    QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has no visible shape to plot: %1"),
    QT_TRANSLATE_NOOP(
        "TPlotNotes",
        "text on a path (textPath) skipped: Inkscape could not set it along its path (%1)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "it took more than %1 s and was stopped"),
    QT_TRANSLATE_NOOP("TPlotNotes", "it crashed (it may have needed more than 2 GB of memory)"),
    QT_TRANSLATE_NOOP("TPlotNotes", "it ended with status %1: %2"),
    QT_TRANSLATE_NOOP("TPlotNotes", "it ended with status %1"),
    QT_TRANSLATE_NOOP("TPlotNotes", "it can't be started"),
    QT_TRANSLATE_NOOP("TPlotNotes", "it wrote no drawing"),
    QT_TRANSLATE_NOOP("TPlotNotes", "its copy of the drawing can't be written"),
    QT_TRANSLATE_NOOP("TPlotNotes", "no temporary folder for it"),
    QT_TRANSLATE_NOOP("TPlotNotes", "it made a drawing larger than %1 MB"),
};

struct Pattern {
    const char* source;
    QRegularExpression match;
};

// The source text with each %N made a group that takes anything.
std::vector<Pattern> Patterns() {
    std::vector<Pattern> out;
    const QRegularExpression marker(QStringLiteral("%\\d"));
    for (const char* source : kNotes) {
        QString expression = QStringLiteral("^");
        const QString text = QString::fromUtf8(source);
        qsizetype from = 0;
        for (auto it = marker.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            expression += QRegularExpression::escape(text.mid(from, m.capturedStart() - from));
            expression += QStringLiteral("(.+?)");
            from = m.capturedEnd();
        }
        expression += QRegularExpression::escape(text.mid(from)) + QStringLiteral("$");
        out.push_back({source, QRegularExpression(expression)});
    }
    return out;
}

// Each %N of the translation replaced at once: a name or a path that holds "%2" itself (a
// file named so, a typed device command) is shown as it is, not filled in turn.
QString Filled(const QString& translation, const QStringList& fillings) {
    static const QRegularExpression marker(QStringLiteral("%(\\d)"));
    QString out;
    qsizetype from = 0;
    for (auto it = marker.globalMatch(translation); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int n = m.captured(1).toInt();
        out += translation.mid(from, m.capturedStart() - from);
        out += n >= 1 && n <= fillings.size() ? fillings[n - 1] : m.captured();
        from = m.capturedEnd();
    }
    return out + translation.mid(from);
}

QString Translated(const QString& text, int depth);

// What fills a %N may be a note itself ("page 2: raster images skipped") or a list of them
// ("30.0 mm on the left, 2.0 mm at the top").
QString Filling(const QString& text, int depth) {
    const QStringList items = text.split(QStringLiteral(", "));
    if (items.size() < 2) return Translated(text, depth);
    QStringList said;
    bool known = true;
    for (const QString& item : items) {
        said << Translated(item, depth);
        known = known && said.back() != item;
    }
    // A list is said as one only when each item is known: "%1 in a, b" stays whole otherwise.
    if (!known) return Translated(text, depth);
    return said.join(QCoreApplication::translate("TPlotNotes", ", "));
}

QString Translated(const QString& text, int depth) {
    static const std::vector<Pattern> patterns = Patterns();
    if (depth > 2) return text;
    for (const Pattern& p : patterns) {
        const QRegularExpressionMatch m = p.match.match(text);
        if (!m.hasMatch()) continue;
        QStringList fillings;
        for (int i = 1; i <= m.lastCapturedIndex(); ++i)
            fillings << Filling(m.captured(i), depth + 1);
        return Filled(QCoreApplication::translate("TPlotNotes", p.source), fillings);
    }
    return text;
}

}  // namespace

QString NoteInSessionLanguage(const std::string& note) {
    return Translated(QString::fromUtf8(note.data(), static_cast<qsizetype>(note.size())), 0);
}
