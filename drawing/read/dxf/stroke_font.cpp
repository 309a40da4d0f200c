#include "drawing/read/dxf/stroke_font.h"

// A C library whose header declares its functions for C alone.
extern "C" {
#include <hersheyfont.h>
}

#include <QTransform>
#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace {

// The nearest Hershey design for each stroke font a drafting program ships: simplex for the
// plain single-stroke ones, duplex and triplex for the doubled and tripled strokes, the complex
// (Times-like) designs for the complex ones. Keep docs/guide.md's table the same.
constexpr std::array kDesigns = {
    StrokeDesign{"txt", "rowmans"},       StrokeDesign{"monotxt", "rowmans", true},
    StrokeDesign{"simplex", "rowmans"},   StrokeDesign{"romans", "rowmans"},
    StrokeDesign{"romand", "rowmand"},    StrokeDesign{"romant", "rowmant"},
    StrokeDesign{"romanc", "timesr"},     StrokeDesign{"complex", "timesr"},
    StrokeDesign{"italic", "timesi"},     StrokeDesign{"italicc", "timesi"},
    StrokeDesign{"italict", "timesib"},   StrokeDesign{"scripts", "scripts"},
    StrokeDesign{"scriptc", "scriptc"},   StrokeDesign{"greeks", "greeks"},
    StrokeDesign{"greekc", "greekc"},     StrokeDesign{"gothice", "gothiceng"},
    StrokeDesign{"gothicg", "gothicger"}, StrokeDesign{"gothici", "gothicita"},
    StrokeDesign{"cyrillic", "cyrillic"}, StrokeDesign{"cyriltlc", "cyrilc_1"},
    StrokeDesign{"isocp", "rowmans"},     StrokeDesign{"isocp2", "rowmans"},
    StrokeDesign{"isocp3", "rowmans"},    StrokeDesign{"isoct", "rowmand"},
    StrokeDesign{"isoct2", "rowmand"},    StrokeDesign{"isoct3", "rowmand"},
    StrokeDesign{"isocpeur", "rowmans"},  StrokeDesign{"isocteur", "rowmand"},
};

bool EndsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

}  // namespace

std::span<const StrokeDesign> StrokeDesigns() { return kDesigns; }

std::optional<StrokeDesign> StrokeDesignFor(std::string_view fontFile) {
    // The file's own name, lower case: styles name their font by a path of the machine that
    // wrote the drawing, in either slash.
    const size_t slash = fontFile.find_last_of("/\\");
    if (slash != std::string_view::npos) fontFile.remove_prefix(slash + 1);
    std::string name(fontFile);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool shx = EndsWith(name, ".shx");
    if (shx) name.resize(name.size() - 4);
    // A style without a font file is drawn in the drafting programs' own default.
    if (name.empty() && !shx) name = "txt";
    for (const StrokeDesign& d : kDesigns)
        if (d.name == name) return d;
    if (shx) return kDesigns.front();
    return std::nullopt;
}

StrokeFont::StrokeFont(const StrokeDesign& design)
    : _font(hershey_font_load(std::string(design.hershey).c_str())) {
    if (!_font) return;
    // Capitals as high as the text's height: the design's H, from its baseline.
    const hershey_glyph* h = hershey_font_glyph(_font, 'H');
    int top = 0;
    for (const hershey_path* p = h->paths; p; p = p->next)
        for (int i = 0; i < p->nverts; ++i) top = std::max<int>(top, p->verts[i].y);
    if (top > 0) _cap = top;
    // A monospaced design's cell is its M's: wide enough for the capitals, and a few
    // lower-case letters (m, w) reach a little beyond it rather than space out all the others.
    if (design.monospace) _cell = hershey_font_glyph(_font, 'M')->width;
}

StrokeFont::~StrokeFont() {
    if (_font) hershey_font_free(_font);
}

bool StrokeFont::Has(char32_t c) const {
    if (c == kDegree || c == kPlusMinus || c == kDiameter) return Has(U'o') && Has(U'+');
    return _font && c >= U' ' && c <= U'~' &&
           hershey_font_glyph(_font, static_cast<unsigned char>(c))->width > 0;
}

// The signs of dimensions, which the Hershey fonts' ASCII set lacks, made of the design's own
// strokes: a small o at the capital line, a plus up to it over a bar, a capital O struck
// through.
double StrokeFont::DrawSign(char32_t c, QPainterPath& path) const {
    QPainterPath base;
    const double advance = Draw(c == kDegree      ? U'o'
                                : c == kPlusMinus ? U'+'
                                                  : U'O',
                                QTransform(), base);
    const QRectF box = base.boundingRect();
    if (box.isEmpty()) return advance;
    if (c == kDegree) {
        const double k = _cap * 0.4 / box.height();
        path.addPath(
            QTransform(k, 0, 0, k, _cap * 0.1 - box.left() * k, _cap - box.bottom() * k).map(base));
        return box.width() * k + _cap * 0.3;
    }
    if (c == kPlusMinus) {
        path.addPath(base.translated(0, std::max(0.0, _cap - box.bottom())));
        path.moveTo(box.left(), 0);
        path.lineTo(box.right(), 0);
        return advance;
    }
    path.addPath(base);
    path.moveTo(box.left() - box.width() * 0.1, box.top() - box.height() * 0.1);
    path.lineTo(box.right() + box.width() * 0.1, box.bottom() + box.height() * 0.1);
    return advance;
}

double StrokeFont::Draw(char32_t c, const QTransform& place, QPainterPath& path) const {
    if (!Has(c)) return 0;
    if (c > U'~') {
        QPainterPath sign;
        const double advance = DrawSign(c, sign);
        path.addPath(place.map(sign));
        return advance;
    }
    const hershey_glyph* g = hershey_font_glyph(_font, static_cast<unsigned char>(c));
    // A monospaced design centres each letter in its cell.
    const double shift = _cell > 0 ? (_cell - g->width) / 2 : 0;
    for (const hershey_path* p = g->paths; p; p = p->next) {
        for (int i = 0; i < p->nverts; ++i) {
            const QPointF at = place.map(QPointF(shift + p->verts[i].x, p->verts[i].y));
            if (i == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
    }
    return _cell > 0 ? _cell : g->width;
}
