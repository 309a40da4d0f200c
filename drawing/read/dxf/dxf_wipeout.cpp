#include "drawing/read/dxf/dxf_wipeout.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// As the reader's: numbers beyond this are not a drawing's.
constexpr double kMaxCoordinate = 1e9;
constexpr size_t kMaxClipVertices = 100'000;

double Number(std::string_view value, bool* fine) {
    const double v = std::strtod(std::string(value.substr(0, 64)).c_str(), nullptr);
    if (!std::isfinite(v) || std::abs(v) > kMaxCoordinate) *fine = false;
    return v;
}

std::string Group(int code, const std::string& value) {
    char number[8];
    std::snprintf(number, sizeof number, "%3d\n", code);
    return number + value + "\n";
}

std::string Coordinate(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

}  // namespace

void DxfWipeout::Take(int code, std::string_view value) {
    const auto whole = [&] { return std::atoi(std::string(value.substr(0, 16)).c_str()); };
    // 10-13 and 20-23: x and y of the insertion point, u, v and the size in pixels.
    QPointF* const points[] = {&_insert, &_u, &_v, &_size};
    if (code >= 10 && code <= 13) points[code - 10]->setX(Number(value, &_fine));
    if (code >= 20 && code <= 23) points[code - 20]->setY(Number(value, &_fine));
    if (code == 8) _layer = std::string(value.substr(0, 255));
    if (code == 67) _paper = whole() != 0;
    if (code == 71) _clipType = whole();
    if (code == 280) _clipped = whole() != 0;
    if (code == 14 && _clip.size() < kMaxClipVertices) _clip.emplace_back(Number(value, &_fine), 0);
    if (code == 24 && !_clip.empty()) _clip.back().setY(Number(value, &_fine));
}

// The clip outline's pixels are counted from the image's top-left corner, y down, each
// pixel's centre at whole numbers; the image lies from the insertion point along u (a pixel's
// width) and v (its height).
std::vector<QPointF> DxfWipeout::Outline() const {
    std::vector<QPointF> pixels;
    const double w = _size.x(), h = _size.y();
    if (!_clipped || _clip.size() < 2) {
        pixels = {{-0.5, h - 0.5}, {w - 0.5, h - 0.5}, {w - 0.5, -0.5}, {-0.5, -0.5}};
    } else if (_clipType == 1 || _clip.size() == 2) {
        const QPointF a = _clip[0], b = _clip[1];
        pixels = {a, {b.x(), a.y()}, b, {a.x(), b.y()}};
    } else {
        pixels = _clip;
    }
    std::vector<QPointF> outline;
    for (const QPointF& p : pixels)
        outline.push_back(_insert + _u * (p.x() + 0.5) + _v * (h - 0.5 - p.y()));
    return outline;
}

std::string DxfWipeout::AsHatch() const {
    if (!_fine) return {};
    const std::vector<QPointF> outline = Outline();
    std::string out = Group(0, "HATCH") + Group(8, _layer);
    if (_paper) out += Group(67, "1");
    // White as a true colour: the paper's, whatever the layer's colour.
    out += Group(420, "16777215") + Group(2, "SOLID") + Group(70, "1") + Group(71, "0") +
           Group(91, "1") + Group(92, "3") + Group(72, "0") + Group(73, "1") +
           Group(93, std::to_string(outline.size()));
    for (const QPointF& p : outline)
        out += Group(10, Coordinate(p.x())) + Group(20, Coordinate(p.y()));
    return out + Group(97, "0") + Group(75, "0") + Group(76, "1") + Group(98, "0");
}
