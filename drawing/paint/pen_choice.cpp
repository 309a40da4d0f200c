#include "drawing/paint/pen_choice.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

double Linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

double LabF(double t) {
    constexpr double d = 6.0 / 29.0;
    return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0;
}

}  // namespace

Lab LabOf(double red, double green, double blue) {
    const double r = Linear(red), g = Linear(green), b = Linear(blue);
    // sRGB to XYZ, then relative to the D65 white.
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = LabF(x), fy = LabF(y), fz = LabF(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double Cie76(const Lab& x, const Lab& y) {
    return std::sqrt((x.l - y.l) * (x.l - y.l) + (x.a - y.a) * (x.a - y.a) +
                     (x.b - y.b) * (x.b - y.b));
}

bool IsWhite(double red, double green, double blue) {
    return Cie76(LabOf(red, green, blue), LabOf(1, 1, 1)) <= kPaperWhiteDistance;
}

PenChoice::PenChoice(const PenSettings& pens, bool automaticAsked, bool whiteIsPaper) {
    bool anyColour = false;
    bool whitePen = false;
    for (int i = 0; i < kPenCount; ++i) {
        _numbers[i] = pens[i].number;
        _coloured[i] = pens[i].coloured;
        _thick[i] = pens[i].thicknessMm;
        _labs[i] = LabOf(pens[i].red, pens[i].green, pens[i].blue);
        anyColour = anyColour || _coloured[i];
        whitePen = whitePen || (_coloured[i] && IsWhite(pens[i].red, pens[i].green, pens[i].blue));
    }
    _automatic = automaticAsked && anyColour;
    // A white pen is one that selection can give white to; without selection there is none.
    _paper = whiteIsPaper && !(_automatic && whitePen);
}

bool PenChoice::IsPaper(const QColor& colour) const {
    return _paper && colour.isValid() && IsWhite(colour.redF(), colour.greenF(), colour.blueF());
}

uint8_t PenChoice::EntryFor(const QColor& colour) const {
    if (!_automatic) return 0;
    const Lab want = LabOf(colour.redF(), colour.greenF(), colour.blueF());
    uint8_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (int i = 0; i < kPenCount; ++i) {
        if (!_coloured[i]) continue;
        const double d = Cie76(want, _labs[i]);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<uint8_t>(i);
        }
    }
    return best;
}
