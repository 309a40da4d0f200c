#pragma once
// A WIPEOUT, which dxflib does not read, made into what a drafting program shows of it: an
// opaque area in the paper's white over what was drawn before it. Its groups are gathered as
// the file is prepared, and it is handed to dxflib as a solid HATCH of that outline in white
// (its true colour), in its place among the entities, so that it covers what lies under it
// as any opaque fill does.

#include <QPointF>
#include <string>
#include <string_view>
#include <vector>

class DxfWipeout {
public:
    void Take(int code, std::string_view value);
    // The HATCH's groups; empty when the numbers don't make an area (the wipeout is left out).
    std::string AsHatch() const;

private:
    std::vector<QPointF> Outline() const;

    std::string _layer = "0";
    bool _paper = false;
    QPointF _insert, _u, _v, _size{1, 1};
    int _clipType = 1;
    bool _clipped = true;
    std::vector<QPointF> _clip;  // in the image's pixels, y down
    bool _fine = true;
};
