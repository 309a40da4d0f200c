#pragma once
// The drafting programs' single-stroke fonts, drawn from the Hershey fonts that Debian packages
// (hershey-fonts-data, read by libhersheyfont): which Hershey design stands for which font
// name, and letters as open strokes. The CAD programs' own font files (SHX) are theirs alone;
// the Hershey designs are the public ones most of them were drawn after.

#include <QPainterPath>
#include <QTransform>
#include <optional>
#include <span>
#include <string_view>

struct hershey_font;

// A stroke font's name as a text style gives it, and the Hershey design drawn for it.
struct StrokeDesign {
    std::string_view name;     // lower case, without ".shx"
    std::string_view hershey;  // the file in /usr/share/hershey-fonts, without ".jhf"
    bool monospace = false;    // every letter in a cell as wide as M
};

// Every name known, in the order of the guide's table.
std::span<const StrokeDesign> StrokeDesigns();

// The design for a style's font file ("romans", "ROMANS.SHX", "C:\\fonts\\romans.shx"): a name
// of the table, or any other ".shx" (a stroke font all the same: the plainest design); nullopt
// for a name that is no stroke font's.
std::optional<StrokeDesign> StrokeDesignFor(std::string_view fontFile);

// One Hershey font, loaded whole (96 glyphs, printable ASCII), with the signs of dimensions. Units
// are the font's own: the baseline at y = 0, y up, capitals capHeight() high.
class StrokeFont {
public:
    // The signs a drafting program's text writes as %%d, %%p and %%c.
    static constexpr char32_t kDegree = U'\u00B0', kPlusMinus = U'\u00B1', kDiameter = U'\u2300';

    explicit StrokeFont(const StrokeDesign& design);
    ~StrokeFont();
    StrokeFont(const StrokeFont&) = delete;
    StrokeFont& operator=(const StrokeFont&) = delete;

    // False when the font's file is not installed.
    bool ok() const { return _font != nullptr; }
    double capHeight() const { return _cap; }
    // A letter the font draws (a space among them).
    bool Has(char32_t c) const;
    // `c` with its left edge at the origin, mapped by `place`, into `path`, its strokes open
    // (moveTo, lineTo...); returns its advance.
    double Draw(char32_t c, const QTransform& place, QPainterPath& path) const;

private:
    double DrawSign(char32_t c, QPainterPath& path) const;

    hershey_font* _font = nullptr;
    double _cap = 21;
    double _cell = 0;  // a monospaced design's advance, else 0
};
