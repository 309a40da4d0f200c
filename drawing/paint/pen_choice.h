#pragma once
// Which configured pen draws a shape. With automatic pen selection each shape goes to the pen
// whose colour is nearest its own by CIE76 (Euclidean distance in CIE L*a*b*, D65 white, the
// pen shares and the shape's colour read as sRGB): a distance that follows what the eye sees,
// so dark blue goes to the blue pen, not the black one an RGB distance might prefer. Pens
// without a colour are never chosen by colour. Without automatic selection, or when no pen has
// a colour, everything goes to the first pen.
//
// White is the paper: a shape painted in a colour the eye can't tell from paper white leaves no
// line, unless the pen table holds a white pen (a cutter loaded with white vinyl), which then
// takes it as any colour. "Can't tell" is a CIE76 distance of 2.3 from white, the smallest
// difference a viewer notices side by side: white and the near whites that rounding makes of
// it (254/255, a PDF's 0.999) are paper, while the faintest colours a drawing means to show
// (ivory 7.6 away, light yellow 15.7, the grey "whitesmoke" 3.5) are plotted.

#include <QColor>
#include <array>
#include <cstdint>

#include "settings/records.h"  // kPenCount: the records keep that many pens

struct Lab {
    double l = 0, a = 0, b = 0;
};

Lab LabOf(double red, double green, double blue);  // sRGB shares 0..1
double Cie76(const Lab& x, const Lab& y);

// Farthest from paper white (CIE76) that a colour still reads as white.
inline constexpr double kPaperWhiteDistance = 2.3;
bool IsWhite(double red, double green, double blue);  // sRGB shares 0..1

// One pen as the plot uses it (stages/plot_options.h decodes it from the records).
struct PenSetting {
    int number = 1;          // SP n
    bool coloured = false;   // its colour takes part in automatic selection
    double thicknessMm = 0;  // 0 for a knife or a pen not measured, below 0 as wrongly stored
    double red = 0, green = 0, blue = 0;  // sRGB shares 0..1
};
using PenSettings = std::array<PenSetting, kPenCount>;

class PenChoice {
public:
    // `automaticAsked`: the window's automatic pen selection; it needs a pen with a colour.
    // `whiteIsPaper`: white shapes are left out unless a pen takes them (not "every outline").
    PenChoice(const PenSettings& pens, bool automaticAsked, bool whiteIsPaper = false);

    // The 0-based pen entry for a shape of this colour.
    uint8_t EntryFor(const QColor& colour) const;
    int NumberOf(uint8_t entry) const { return _numbers[entry]; }
    // The pen's line width in mm as configured (thickness / 100); 0 for a knife or a pen not
    // measured, below 0 as wrongly stored.
    double ThicknessMm(uint8_t entry) const { return _thick[entry]; }
    bool automatic() const { return _automatic; }
    // Whether a shape of this colour shows on the paper as the paper itself: no pen draws it.
    bool IsPaper(const QColor& colour) const;

private:
    bool _automatic = false;
    bool _paper = false;  // white is left out
    std::array<int, kPenCount> _numbers{};
    std::array<Lab, kPenCount> _labs{};
    std::array<bool, kPenCount> _coloured{};
    std::array<double, kPenCount> _thick{};
};
