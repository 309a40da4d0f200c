// The parts of a drafting program's drawing that are not plain geometry: the linetype table
// and header variables, filled corners (SOLID, TRACE, 3DFACE), leaders and dimensions.
#include <dl_dxf.h>

#include <cmath>

#include "drawing/read/dxf/dxf_reader.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double Positive(double v, double otherwise) { return std::isfinite(v) && v > 0 ? v : otherwise; }

}  // namespace

void Reader::setVariableDouble(const std::string& key, double value, int) {
    if (key == "$LTSCALE") ltscale = Positive(value, 1);
    if (key == "$DIMASZ") look.arrow = Positive(value, look.arrow);
    if (key == "$DIMTXT") look.text = Positive(value, look.text);
    if (key == "$DIMEXO") look.gap = std::isfinite(value) ? value : look.gap;
    if (key == "$DIMEXE") look.beyond = std::isfinite(value) ? value : look.beyond;
    if (key == "$DIMSCALE") look.scale = Positive(value, 1);
}

void Reader::addLinetypeDash(double length) {
    if (_dashes.size() < 1024) _dashes.push_back(length);
}

// dxflib hands the dashes of a linetype before the linetype itself.
void Reader::addLinetype(const DL_LinetypeData& data) {
    const QString name = QString::fromStdString(data.name).toUpper();
    const auto complex = _complexLinetypes.constFind(name);
    if (complex != _complexLinetypes.constEnd())
        linetypes.insert(name, MakeLinetype(*complex, true));
    else if (!_dashes.empty())
        linetypes.insert(name, MakeLinetype(_dashes, false));
    _dashes.clear();
}

// SOLID and TRACE give their corners in a Z (the third opposite the first); 3DFACE around.
void Reader::AddCorners(const DL_TraceData& d, const int order[4]) {
    Flush();
    if (!Fine({d.x[0], d.y[0], d.x[1], d.y[1], d.x[2], d.y[2], d.x[3], d.y[3]})) return;
    QPainterPath outline;
    for (int i = 0; i < 4; ++i) {
        const QPointF p(d.x[order[i]], d.y[order[i]]);
        if (i == 0)
            outline.moveTo(p);
        else if (p != outline.currentPosition() && p != outline.elementAt(0))
            outline.lineTo(p);
    }
    outline.closeSubpath();
    if (outline.elementCount() > 2)
        Run(true).addPath(outline);
    else
        ++degenerate;
}

void Reader::addSolid(const DL_SolidData& d) {
    static const int z[4] = {0, 1, 3, 2};
    AddCorners(d, z);
}
void Reader::addTrace(const DL_TraceData& d) {
    static const int z[4] = {0, 1, 3, 2};
    AddCorners(d, z);
}
void Reader::add3dFace(const DL_3dFaceData& d) {
    static const int around[4] = {0, 1, 2, 3};
    AddCorners(d, around);
}

void Reader::addLeader(const DL_LeaderData& d) {
    Flush();
    _leader = true;
    _leaderArrow = d.arrowHeadFlag != 0;
    _leaderScale = Positive(d.dimScale, 1);
    _pending = Style();
    _vertices.clear();
}

void Reader::addLeaderVertex(const DL_LeaderVertexData& d) {
    if (!_leader || _vertices.size() >= 1'000'000) return;
    if (!Fine({d.x, d.y})) {
        _broken = true;
        return;
    }
    _vertices.push_back({d.x, d.y, 0});
}

void Reader::FlushLeader() {
    _leader = false;
    if (_broken || _vertices.size() < 2) {
        if (_broken) ++outOfRange;
        _vertices.clear();
        return;
    }
    AddBulgePolyline(Run(_pending), _vertices, false);
    if (_leaderArrow) {
        const QPointF tip(_vertices[0].x, _vertices[0].y), from(_vertices[1].x, _vertices[1].y);
        Run(_pending, true).addPath(Arrowhead(tip, from, look.arrow * look.scale * _leaderScale));
    }
    _vertices.clear();
}

template <typename Fallback>
void Reader::Dimension(Fallback&& fallback) {
    Flush();
    const std::string name =
        _dimensions < _dimensionBlocks.size() ? _dimensionBlocks[_dimensions] : std::string();
    ++_dimensions;
    const DxfStyle style = Style();
    if (style.paper) {
        ++paperEntities;
        return;
    }
    if (!name.empty()) {
        // The picture the drafting program drew of the dimension, in the drawing's own place.
        Item item;
        item.style = style;
        item.block = QString::fromStdString(name);
        item.dimension = true;
        _current->items.push_back(std::move(item));
        return;
    }
    if (!fallback()) ++unreadDimensions;
}

void Reader::addDimLinear(const DL_DimensionData& d, const DL_DimLinearData& l) {
    Dimension([&] {
        if (!Fine({d.dpx, d.dpy, d.mpx, d.mpy, l.dpx1, l.dpy1, l.dpx2, l.dpy2, l.angle}))
            return true;
        const DimensionPicture p =
            LinearDimension({l.dpx1, l.dpy1}, {l.dpx2, l.dpy2}, {d.dpx, d.dpy}, l.angle * kPi / 180,
                            {d.mpx, d.mpy}, d.text, Positive(d.linearFactor, 1), look);
        Run().addPath(p.lines);
        Run(true).addPath(p.arrows);
        return true;
    });
}

void Reader::addDimAlign(const DL_DimensionData& d, const DL_DimAlignedData& a) {
    Dimension([&] {
        if (!Fine({d.dpx, d.dpy, d.mpx, d.mpy, a.epx1, a.epy1, a.epx2, a.epy2})) return true;
        const DimensionPicture p =
            LinearDimension({a.epx1, a.epy1}, {a.epx2, a.epy2}, {d.dpx, d.dpy},
                            std::atan2(a.epy2 - a.epy1, a.epx2 - a.epx1), {d.mpx, d.mpy}, d.text,
                            Positive(d.linearFactor, 1), look);
        Run().addPath(p.lines);
        Run(true).addPath(p.arrows);
        return true;
    });
}

// Radii, diameters, angles and ordinates are drawn from their pictures only.
void Reader::addDimRadial(const DL_DimensionData&, const DL_DimRadialData&) {
    Dimension([] { return false; });
}
void Reader::addDimDiametric(const DL_DimensionData&, const DL_DimDiametricData&) {
    Dimension([] { return false; });
}
void Reader::addDimAngular(const DL_DimensionData&, const DL_DimAngular2LData&) {
    Dimension([] { return false; });
}
void Reader::addDimAngular3P(const DL_DimensionData&, const DL_DimAngular3PData&) {
    Dimension([] { return false; });
}
void Reader::addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&) {
    Dimension([] { return false; });
}
