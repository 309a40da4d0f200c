#include "drawing/read/dxf/dxf_lettering.h"

#include <fontconfig/fontconfig.h>

#include <QFontMetricsF>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "drawing/read/dxf/stroke_font.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr size_t kMaxFontsNamed = 8;
constexpr size_t kMaxFaces = 64;

// The outline font of text whose own font has no letter for it.
QFont DefaultOutline() { return QFont(QStringLiteral("DejaVu Sans")); }

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

struct FontName {
    QString family, style;
};

QString FcText(FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

// The installed font files by their lower-case file name: a drawing names its font so.
const std::map<std::string, FontName>& InstalledFonts() {
    static const std::map<std::string, FontName> fonts = [] {
        std::map<std::string, FontName> out;
        FcPattern* any = FcPatternCreate();
        FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_FAMILY, FC_STYLE, nullptr);
        FcFontSet* set = FcFontList(nullptr, any, objects);
        for (int i = 0; set && i < set->nfont; ++i) {
            const std::string file = FcText(set->fonts[i], FC_FILE).toStdString();
            const size_t slash = file.find_last_of('/');
            out.emplace(
                Lower(file.substr(slash == std::string::npos ? 0 : slash + 1)),
                FontName{FcText(set->fonts[i], FC_FAMILY), FcText(set->fonts[i], FC_STYLE)});
        }
        if (set) FcFontSetDestroy(set);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(any);
        return out;
    }();
    return fonts;
}

// fontconfig's choice for a family of that name: the font itself, or what its rules put in
// its place (Liberation Sans for Arial).
FontName MatchFamily(const std::string& family) {
    FontName out;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        out = FontName{FcText(match, FC_FAMILY), FcText(match, FC_STYLE)};
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return out;
}

}  // namespace

QFont OutlineFontFor(const std::string& fontFile) {
    std::string name = Lower(fontFile);
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const auto installed = InstalledFonts().find(name);
    FontName found;
    if (installed != InstalledFonts().end()) {
        found = installed->second;
    } else {
        const size_t dot = name.find_last_of('.');
        found = MatchFamily(dot == std::string::npos ? name : name.substr(0, dot));
    }
    if (found.family.isEmpty()) return DefaultOutline();
    QFont font(found.family);
    if (!found.style.isEmpty()) font.setStyleName(found.style);
    return font;
}

QPainterPath OutlineLetters(const QString& text, const QFont& of, double height, double* advance) {
    QFont font(of);
    font.setPixelSize(1000);
    QPainterPath glyphs;
    glyphs.addText(0, 0, font, text);
    const QFontMetricsF metrics(font);
    const double cap = metrics.capHeight();
    if (!(cap > 0) || glyphs.isEmpty()) return {};
    const double k = height / cap;
    if (advance) *advance = metrics.horizontalAdvance(text) * k;
    // Glyphs have y down; the drawing has it up.
    return QTransform::fromScale(k, -k).map(glyphs);
}

// A font as a style draws it: strokes when it is a stroke font whose Hershey design is
// installed, else outlines.
struct Lettering::Face {
    std::string name;
    std::unique_ptr<StrokeFont> stroke;
    QFont outline;
};

Lettering::Lettering() = default;
Lettering::~Lettering() = default;

void Lettering::AddStyle(const std::string& name, const DxfTextStyle& style) {
    DxfTextStyle fine = style;
    if (!std::isfinite(fine.width) || fine.width <= 0) fine.width = 1;
    if (!std::isfinite(fine.oblique)) fine.oblique = 0;
    if (!std::isfinite(fine.height) || fine.height < 0) fine.height = 0;
    _styles[QString::fromStdString(name).toUpper()] = fine;
}

const DxfTextStyle& Lettering::StyleOf(const std::string& name) const {
    static const DxfTextStyle kDefault{"txt"};
    auto found = _styles.find(QString::fromStdString(name).toUpper());
    if (found == _styles.end()) found = _styles.find(QStringLiteral("STANDARD"));
    return found == _styles.end() ? kDefault : found->second;
}

Lettering::Face& Lettering::FaceFor(const std::string& fontFile) {
    std::unique_ptr<Face>& face = _faces[fontFile];
    if (face) return *face;
    face = std::make_unique<Face>();
    face->name = fontFile.empty() ? std::string("txt") : fontFile;
    if (const std::optional<StrokeDesign> design = StrokeDesignFor(fontFile)) {
        face->stroke = std::make_unique<StrokeFont>(*design);
        if (face->stroke->ok()) return *face;
        face->stroke.reset();
        face->outline = DefaultOutline();
        return *face;
    }
    face->outline = OutlineFontFor(fontFile);
    return *face;
}

QPainterPath Lettering::Letters(const std::string& text, const std::string& styleName,
                                double height, double width, const std::string& font,
                                double* advance) {
    const DxfTextStyle& style = StyleOf(styleName);
    if (!(height > 0)) height = style.height;
    if (!(height > 0) || !std::isfinite(height)) return {};
    if (!(width > 0) || !std::isfinite(width)) width = style.width;
    // The slant keeps its angle whatever the width: the width factor stretches letters, not
    // their lean.
    const QTransform stretch(width, 0, std::tan(std::clamp(style.oblique, -85.0, 85.0) * kPi / 180),
                             1, 0, 0);
    const QString q = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // Each font is looked up once; a file that names more than a drawing would (an MTEXT of
    // thousands of \f codes) draws the rest in the style's.
    const bool known = font.empty() || _faces.size() < kMaxFaces || _faces.count(font) > 0;
    Face& face = FaceFor(known && !font.empty() ? font : style.font);
    double along = 0;  // unstretched
    if (!face.stroke) {
        QPainterPath outlines = stretch.map(OutlineLetters(q, face.outline, height, &along));
        if (advance) *advance = along * width;
        return outlines;
    }
    int64_t missing = 0;
    QPainterPath letters = Strokes(face, q, height, stretch, &missing, &along);
    if (advance) *advance = along * width;
    fallbacks += missing;
    if (missing > 0 && fallbackFonts.size() < kMaxFontsNamed &&
        std::find(fallbackFonts.begin(), fallbackFonts.end(), face.name) == fallbackFonts.end())
        fallbackFonts.push_back(face.name);
    return letters;
}

// Letters the stroke font has as strokes, the others as outlines in their place, each where
// the one before it ends; drawn where they land (a text of a million letters is a path too
// large to copy about).
QPainterPath Lettering::Strokes(const Face& face, const QString& text, double height,
                                const QTransform& stretch, int64_t* missing, double* advance) {
    const StrokeFont& font = *face.stroke;
    const double k = height / font.capHeight();
    const QFont outline = DefaultOutline();
    QPainterPath out;
    double x = 0;  // unstretched drawing units
    QString lacking;
    const auto endOutlines = [&] {
        if (lacking.isEmpty()) return;
        out.addPath((QTransform::fromTranslate(x, 0) * stretch)
                        .map(OutlineLetters(lacking, outline, height)));
        QFont sized(outline);
        sized.setPixelSize(1000);
        const QFontMetricsF metrics(sized);
        if (metrics.capHeight() > 0)
            x += metrics.horizontalAdvance(lacking) * height / metrics.capHeight();
        lacking.clear();
    };
    for (const char32_t c : text.toUcs4()) {
        if (c < U' ') continue;  // a tab or a line's end has no letter in any font
        if (font.Has(c)) {
            endOutlines();
            x += font.Draw(c, QTransform(k, 0, 0, k, x, 0) * stretch, out) * k;
            continue;
        }
        lacking += QString::fromUcs4(&c, 1);
        ++*missing;
    }
    endOutlines();
    *advance = x;
    return out;
}
