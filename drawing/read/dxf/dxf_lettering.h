#pragma once
// A DXF's text in the fonts its text styles name: the drafting programs' stroke fonts as single
// strokes of their nearest Hershey design (stroke_font.h), TrueType and other outline fonts as
// the outlines of the font the style names (the installed file of that name, else
// fontconfig's match for it). Letters a stroke font lacks (Japanese, for one) are drawn as
// outlines instead, and counted so that the plot can say so.

#include <QFont>
#include <QPainterPath>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A STYLE of the drawing's table.
struct DxfTextStyle {
    std::string font;    // group 3: its font file ("romans.shx", "arial.ttf")
    double width = 1;    // group 41: width factor
    double oblique = 0;  // group 50: slant from the upright, degrees
    double height = 0;   // group 40: a fixed height, 0 when none
};

class Lettering {
public:
    Lettering();
    ~Lettering();
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    // Names are matched in any case, as the drafting programs do.
    void AddStyle(const std::string& name, const DxfTextStyle& style);
    // The style of that name; a name the drawing lacks is its STANDARD style (the drafting
    // programs' default, "txt", when that is missing too).
    const DxfTextStyle& StyleOf(const std::string& name) const;

    // `text` as style `style` draws it: its baseline from the origin along x, capitals
    // `height` high (0 or less: the style's fixed height), x stretched by `width` (0 or less:
    // the style's), slanted by the style's oblique angle, y up. Empty for a text of no letters.
    // `font`, when given, is drawn in place of the style's (an MTEXT's \f); *advance is where
    // the next letter would start along the baseline.
    QPainterPath Letters(const std::string& text, const std::string& style, double height,
                         double width = 0, const std::string& font = {}, double* advance = nullptr);

    // Letters drawn as outlines for want of a stroke, and the fonts (as styles name them, up
    // to 8) that lacked them.
    int64_t fallbacks = 0;
    std::vector<std::string> fallbackFonts;

private:
    struct Face;
    Face& FaceFor(const std::string& fontFile);
    QPainterPath Strokes(const Face& face, const QString& text, double height,
                         const QTransform& stretch, int64_t* missing, double* advance);

    std::map<QString, DxfTextStyle> _styles;              // by upper-case name
    std::map<std::string, std::unique_ptr<Face>> _faces;  // by font file as named
};

// The outline font a style's font file stands for: the installed font file of that name, else
// fontconfig's match for the family the name suggests ("arial.ttf": Arial, or what stands in
// for it). DejaVu Sans when fontconfig finds nothing.
QFont OutlineFontFor(const std::string& fontFile);

// `text` as outlines of `font`: its baseline from the origin, capitals `height` high, y up;
// *advance, when asked, where the next letter would start.
QPainterPath OutlineLetters(const QString& text, const QFont& font, double height,
                            double* advance = nullptr);
