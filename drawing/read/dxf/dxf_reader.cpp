#include "drawing/read/dxf/dxf_reader.h"

#include <dl_dxf.h>

#include <algorithm>
#include <cmath>

#include "drawing/paint/flatten.h"
#include "drawing/read/dxf/dxf_spline.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// Coordinates beyond this (a thousand kilometres in millimetres) are not a drawing's.
constexpr double kMaxCoordinate = 1e9;

double UnitInMm(int insunits, bool* known) {
    static const double mm[] = {1,      25.4,  304.8, 1609344, 1,    10,  1000, 1e6, 25.4e-6,
                                0.0254, 914.4, 1e-7,  1e-6,    1e-3, 100, 1e4,  1e5};
    *known = insunits >= 1 && insunits < static_cast<int>(sizeof mm / sizeof mm[0]);
    return *known ? mm[insunits] : 1;
}

double Positive(double v, double otherwise) { return std::isfinite(v) && v > 0 ? v : otherwise; }

}  // namespace

Reader::Reader(double unitsPerMm, const DxfText& text)
    : _dimensionBlocks(text.dimensionBlocks),
      _tables(text.sheets),
      _unitsPerMm(unitsPerMm),
      _hatchPatterns(text.hatches) {
    for (const DxfText::Linetype& type : text.complexLinetypes)
        _complexLinetypes.insert(QString::fromStdString(type.name).toUpper(), type.elements);
    SetUnit(0);
}

void Reader::setVariableInt(const std::string& key, int value, int) {
    if (key == "$INSUNITS") SetUnit(value);
    if (key == "$PSLTSCALE") paperLinetypes = value != 0;
}

void Reader::SetUnit(int code) {
    insunits = code;
    bool known = false;
    unitMm = UnitInMm(code, &known);
    _splineTolerance = kFlattenTolerance / 4 / (unitMm * _unitsPerMm);
}

void Reader::addLayer(const DL_LayerData& data) {
    const DL_Attributes a = getAttributes();
    const QString name = QString::fromStdString(data.name);
    layers.insert(name, DxfColour{a.getColor(), a.getColor24()});
    // A layer without a linetype (dxflib says BYLAYER then) is solid.
    const QString linetype = QString::fromStdString(a.getLinetype()).toUpper();
    layerLinetypes.insert(
        name, linetype == QLatin1String("BYLAYER") || linetype == QLatin1String("BYBLOCK")
                  ? QStringLiteral("CONTINUOUS")
                  : linetype);
}

void Reader::addBlock(const DL_BlockData& data) {
    Flush();
    _current = &blocks[QString::fromStdString(data.name)];
    _current->base = QPointF(data.bpx, data.bpy);
    // A layout's own block holds its paper space; model space's entities are never in one.
    _paperBlock = QString::fromStdString(data.name).startsWith(QLatin1String("*Paper_Space"),
                                                               Qt::CaseInsensitive);
}
void Reader::endBlock() {
    Flush();
    _current = &model;
    _paperBlock = false;
}

void Reader::addLine(const DL_LineData& d) {
    Flush();
    if (!Fine({d.x1, d.y1, d.x2, d.y2})) return;
    QPainterPath& p = Run();
    p.moveTo(d.x1, d.y1);
    p.lineTo(d.x2, d.y2);
}

void Reader::addCircle(const DL_CircleData& d) {
    Flush();
    if (!Fine({d.cx, d.cy, d.radius}) || !Sized(d.radius)) return;
    QPainterPath& p = Run();
    AddArc(p, {d.cx, d.cy}, d.radius, 0, 2 * kPi, false);
    p.closeSubpath();
}

void Reader::addArc(const DL_ArcData& d) {
    Flush();
    if (!Fine({d.cx, d.cy, d.radius, d.angle1, d.angle2}) || !Sized(d.radius)) return;
    AddArc(Run(), {d.cx, d.cy}, d.radius, d.angle1 * kPi / 180, d.angle2 * kPi / 180, false);
}

void Reader::addEllipse(const DL_EllipseData& d) {
    Flush();
    if (!Fine({d.cx, d.cy, d.mx, d.my, d.ratio, d.angle1, d.angle2}) || !Sized(d.ratio) ||
        !Sized(std::hypot(d.mx, d.my)))
        return;
    const bool whole = std::abs(d.angle2 - d.angle1) >= 2 * kPi - 1e-9;
    QPainterPath& p = Run();
    AddEllipseArc(p, {d.cx, d.cy}, {d.mx, d.my}, d.ratio, whole ? 0 : d.angle1,
                  whole ? 2 * kPi : d.angle2, false);
    if (whole) p.closeSubpath();
}

void Reader::addPolyline(const DL_PolylineData& d) {
    Flush();
    _polyline = true;
    _pending = Style();
    _closed = (d.flags & 1) != 0;
    _vertices.clear();
}
void Reader::addVertex(const DL_VertexData& d) {
    if (!_polyline || _vertices.size() >= 10'000'000) return;
    if (!Fine({d.x, d.y, d.bulge})) {
        _broken = true;
        return;
    }
    _vertices.push_back({d.x, d.y, d.bulge});
}

void Reader::addSpline(const DL_SplineData& d) {
    Flush();
    _spline = SplineData{};
    _inSpline = true;
    _pending = Style();
    _spline.degree = static_cast<int>(d.degree);
    _spline.closed = (d.flags & 1) != 0;
    _spline.startTangent = QPointF(d.tangentStartX, d.tangentStartY);
    _spline.endTangent = QPointF(d.tangentEndX, d.tangentEndY);
}
void Reader::addControlPoint(const DL_ControlPointData& d) {
    if (!_inSpline || _spline.control.size() >= 1'000'000) return;
    if (!Fine({d.x, d.y, d.w})) _broken = true;
    _spline.control.emplace_back(d.x, d.y);
    _spline.weights.push_back(d.w);
}
void Reader::addKnot(const DL_KnotData& d) {
    if (!_inSpline || _spline.knots.size() >= 1'000'000) return;
    if (!Fine({d.k})) _broken = true;
    _spline.knots.push_back(d.k);
}
void Reader::addFitPoint(const DL_FitPointData& d) {
    if (!_inSpline || _spline.fit.size() >= 1'000'000) return;
    if (!Fine({d.x, d.y})) _broken = true;
    _spline.fit.emplace_back(d.x, d.y);
}

void Reader::addInsert(const DL_InsertData& d) {
    if (!Fine({d.ipx, d.ipy, d.sx, d.sy, d.angle, d.colSp, d.rowSp})) return;
    Flush();
    Item item;
    item.style = Style();
    item.block = QString::fromStdString(d.name);
    item.place.translate(d.ipx, d.ipy);
    item.place.rotate(d.angle);
    item.place.scale(d.sx == 0 ? 1 : d.sx, d.sy == 0 ? 1 : d.sy);
    item.cols = std::max(1, d.cols);
    item.rows = std::max(1, d.rows);
    item.colSpacing = d.colSp;
    item.rowSpacing = d.rowSp;
    Into(item.style).items.push_back(std::move(item));
}

void Reader::addTextStyle(const DL_StyleData& d) {
    lettering.AddStyle(
        d.name, DxfTextStyle{d.primaryFontFile, d.widthFactor, d.obliqueAngle, d.fixedTextHeight});
}

void Reader::addText(const DL_TextData& d) {
    Flush();
    if (!Fine({d.ipx, d.ipy, d.height, d.angle, d.xScaleFactor})) return;
    // Without an alignment point (dxflib gives NaN then) the text starts at its own.
    const bool aligned = (d.hJustification != 0 || d.vJustification != 0) && std::isfinite(d.apx) &&
                         std::isfinite(d.apy);
    if (aligned && !Fine({d.apx, d.apy})) return;
    const double height = d.height > 0 ? d.height : lettering.StyleOf(d.style).height;
    const QPainterPath glyphs =
        lettering.Letters(DxfTextOf(d.text), d.style, height, d.xScaleFactor);
    if (glyphs.isEmpty()) return;
    // Aligned text hangs from its alignment point: centred, right, middle or top.
    QPointF at(d.ipx, d.ipy), shift;
    if (aligned) {
        at = QPointF(d.apx, d.apy);
        const QRectF box = glyphs.boundingRect();
        const double h = d.hJustification == 1 || d.hJustification == 4 ? 0.5
                         : d.hJustification == 2                        ? 1
                                                                        : 0;
        shift.setX(-box.width() * h);
        if (d.vJustification == 1) shift.setY(-box.top());
        if (d.vJustification == 2) shift.setY(-height / 2);
        if (d.vJustification == 3) shift.setY(-height);
    }
    QTransform m;
    m.translate(at.x(), at.y());
    m.rotate(d.angle * 180 / kPi);  // dxflib gives it in radians
    // Generation flags: 2 backward (mirrored in x), 4 upside down (mirrored in y), about the
    // point the text hangs from, as the drafting programs mirror it.
    m.scale((d.textGenerationFlags & 2) ? -1 : 1, (d.textGenerationFlags & 4) ? -1 : 1);
    m.translate(shift.x(), shift.y());
    QPainterPath placed = m.map(glyphs);
    QPainterPath& run = Run(Drawn::mark);
    if (run.isEmpty())
        run.swap(placed);
    else
        run.addPath(placed);
}

namespace {

// A line of an MTEXT, run after run, each in its font. A line of one run is drawn where it
// lands: a long text is costly to copy.
QPainterPath LineLetters(Lettering& lettering, const MTextLine& line, const std::string& style,
                         double height) {
    if (line.size() == 1) return lettering.Letters(line[0].text, style, height, 0, line[0].font);
    QPainterPath out;
    double x = 0;
    for (const MTextRun& run : line) {
        double advance = 0;
        const QPainterPath letters =
            lettering.Letters(run.text, style, height, 0, run.font, &advance);
        out.addPath(QTransform::fromTranslate(x, 0).map(letters));
        x += advance;
    }
    return out;
}

}  // namespace

void Reader::addMTextChunk(const std::string& text) {
    if (_mtextChunks.size() < 1'000'000) _mtextChunks += text;
}
void Reader::addMText(const DL_MTextData& d) {
    Flush();
    const std::string text = _mtextChunks + d.text;
    _mtextChunks.clear();
    if (!Fine({d.ipx, d.ipy, d.height, d.angle, d.lineSpacingFactor, d.dirx, d.diry})) return;
    const double height = d.height > 0 ? d.height : lettering.StyleOf(d.style).height;
    const std::vector<MTextLine> lines = MTextLines(text);
    const double pitch = height * 5.0 / 3.0 * (d.lineSpacingFactor > 0 ? d.lineSpacingFactor : 1);
    // Attachment 1..9: top, middle, bottom rows; left, centre, right columns.
    const int attach = std::clamp(d.attachmentPoint, 1, 9) - 1;
    const double block = height + pitch * (static_cast<double>(lines.size()) - 1);
    const double top = attach / 3 == 0 ? 0 : attach / 3 == 1 ? block / 2 : block;
    const double angle =
        (d.dirx != 0 || d.diry != 0) ? std::atan2(d.diry, d.dirx) * 180 / kPi : d.angle * 180 / kPi;
    QTransform m;
    m.translate(d.ipx, d.ipy);
    m.rotate(angle);
    QPainterPath& run = Run(Drawn::mark);
    for (size_t i = 0; i < lines.size(); ++i) {
        QPainterPath glyphs = LineLetters(lettering, lines[i], d.style, height);
        if (glyphs.isEmpty()) continue;
        const double x = -glyphs.boundingRect().width() * (attach % 3) / 2.0;
        glyphs = (QTransform::fromTranslate(x, top - height - pitch * i) * m).map(glyphs);
        // A new run takes the letters as they are: a long text is costly to copy.
        if (run.isEmpty())
            run.swap(glyphs);
        else
            run.addPath(glyphs);
    }
}

void Reader::addHatch(const DL_HatchData& d) {
    Flush();
    const size_t at = _hatches++;
    _hatch.Begin(d, at < _hatchPatterns.size() ? &_hatchPatterns[at] : nullptr);
    _inHatch = true;
    _pending = Style();
}
void Reader::addHatchLoop(const DL_HatchLoopData&) {
    if (_inHatch) _hatch.Loop();
}
void Reader::addHatchEdge(const DL_HatchEdgeData& e) {
    if (_inHatch && !_broken && !_hatch.Edge(e, _splineTolerance)) _broken = true;
}

// The boundary is where the fill ends, not a line of its own: only the fill is drawn.
void Reader::FlushHatch() {
    _inHatch = false;
    if (_broken) ++outOfRange;
    if (_broken || refusal) return;
    HatchDrawing drawn;
    refusal = _hatch.Make(&drawn, &_hatchBudget, _splineTolerance, unitMm);
    if (refusal) return;
    if (!drawn.area.isEmpty()) Run(_pending, Drawn::area).addPath(drawn.area);
    if (!drawn.lines.isEmpty()) Run(_pending, Drawn::mark).addPath(drawn.lines);
    const std::string& name = _hatch.byName();
    if (!name.empty() && namedPatterns.size() < 8 &&
        std::find(namedPatterns.begin(), namedPatterns.end(), name) == namedPatterns.end())
        namedPatterns.push_back(name);
}

void Reader::addImage(const DL_ImageData&) {
    Flush();
    ++images;
}

void Reader::Flush() {
    if (_polyline) {
        _polyline = false;
        if (!_broken && !_vertices.empty()) AddBulgePolyline(Run(_pending), _vertices, _closed);
        if (_broken) ++outOfRange;
        _vertices.clear();
    }
    if (_inSpline) {
        _inSpline = false;
        bool usable = !_broken;
        if (usable) {
            bool weighted = false;
            for (double w : _spline.weights) weighted = weighted || w != 1;
            if (!weighted) _spline.weights.clear();
            QPainterPath p;
            usable = AddDxfSpline(p, _spline, _splineTolerance);
            if (usable) Run(_pending).addPath(p);
        }
        if (!usable) ++unreadSplines;
        _spline = SplineData{};
    }
    if (_leader) FlushLeader();
    if (_inHatch) FlushHatch();
    _broken = false;
}

bool Reader::Sized(double v) {
    if (v > 0) return true;
    ++degenerate;
    return false;
}

bool Reader::Fine(std::initializer_list<double> numbers) {
    for (double v : numbers) {
        if (!std::isfinite(v) || std::abs(v) > kMaxCoordinate) {
            ++outOfRange;
            return false;
        }
    }
    return true;
}

DxfStyle Reader::Style() {
    const DL_Attributes a = getAttributes();
    const double scale = a.getLinetypeScale();
    return DxfStyle{DxfColour{a.getColor(), a.getColor24()}, QString::fromStdString(a.getLayer()),
                    QString::fromStdString(a.getLinetype()).toUpper(),
                    std::isfinite(scale) && scale > 0 ? scale : 1,
                    a.isInPaperSpace() || _paperBlock};
}

// Paper space is the sheet a drafting program lays views of the model on: the entities section
// holds the active layout's, its block *Paper_Space the others'.
Block& Reader::Into(const DxfStyle& style) {
    if (!style.paper) return *_current;
    ++paperEntities;
    return _current == &model ? paperSpace : *_current;
}

QPainterPath& Reader::Run(const DxfStyle& style, Drawn drawn) {
    std::vector<Item>& items = Into(style).items;
    if (items.empty() || !items.back().block.isNull() || !(items.back().style == style) ||
        items.back().drawn != drawn) {
        items.push_back(Item{});
        items.back().style = style;
        items.back().drawn = drawn;
    }
    ++items.back().entities;
    return items.back().path;
}

// The parts of a drafting program's drawing that are not plain geometry: the linetype table
// and header variables, filled corners (SOLID, TRACE, 3DFACE), leaders and dimensions.
void Reader::setVariableDouble(const std::string& key, double value, int) {
    if (key == "$LTSCALE") ltscale = Positive(value, 1);
    if (key == "$DIMASZ") look.arrow = Positive(value, look.arrow);
    if (key == "$DIMTXT") look.text = Positive(value, look.text);
    if (key == "$DIMEXO") look.gap = std::isfinite(value) ? value : look.gap;
    if (key == "$DIMEXE") look.beyond = std::isfinite(value) ? value : look.beyond;
    if (key == "$DIMGAP") look.textGap = std::isfinite(value) ? std::abs(value) : look.textGap;
    if (key == "$DIMSCALE") look.scale = Positive(value, 1);
}

void Reader::setVariableString(const std::string& key, const std::string& value, int) {
    if (key == "$DIMTXSTY") dimensionTextStyle = value;
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
    else  // one without elements is solid, as CONTINUOUS is, but in the table all the same
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
        Run(Drawn::area).addPath(outline);
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
        Run(_pending, Drawn::area)
            .addPath(Arrowhead(tip, from, look.arrow * look.scale * _leaderScale));
    }
    _vertices.clear();
}

// The text style is the dimension style's (DIMTXSTY); the header's when that gives none.
DimensionText Reader::DimensionLetters(const std::string& dimensionStyle) {
    std::string style = dimensionTextStyle;
    const auto dim = _tables.dimensionTextStyles.find(
        QString::fromStdString(dimensionStyle).toUpper().toStdString());
    if (dim != _tables.dimensionTextStyles.end()) {
        const auto named = _tables.styleNames.find(dim->second);
        if (named != _tables.styleNames.end()) style = named->second;
    }
    return [this, style](const std::string& text, double height) {
        return lettering.Letters(DxfTextOf(text), style, height);
    };
}

template <typename Fallback>
void Reader::Dimension(Fallback&& fallback) {
    Flush();
    const std::string name =
        _dimensions < _dimensionBlocks.size() ? _dimensionBlocks[_dimensions] : std::string();
    ++_dimensions;
    const DxfStyle style = Style();
    if (!name.empty()) {
        // The picture the drafting program drew of the dimension, in the drawing's own place.
        Item item;
        item.style = style;
        item.block = QString::fromStdString(name);
        item.dimension = true;
        Into(style).items.push_back(std::move(item));
        return;
    }
    if (!fallback()) ++unreadDimensions;
}

void Reader::addDimLinear(const DL_DimensionData& d, const DL_DimLinearData& l) {
    Dimension([&] {
        if (!Fine({d.dpx, d.dpy, d.mpx, d.mpy, l.dpx1, l.dpy1, l.dpx2, l.dpy2, l.angle}))
            return true;
        const DimensionPicture p = LinearDimension(
            {l.dpx1, l.dpy1}, {l.dpx2, l.dpy2}, {d.dpx, d.dpy}, l.angle * kPi / 180, {d.mpx, d.mpy},
            d.text, Positive(d.linearFactor, 1), look, DimensionLetters(d.style));
        Run(Drawn::mark).addPath(p.lines);
        Run(Drawn::area).addPath(p.arrows);
        return true;
    });
}

void Reader::addDimAlign(const DL_DimensionData& d, const DL_DimAlignedData& a) {
    Dimension([&] {
        if (!Fine({d.dpx, d.dpy, d.mpx, d.mpy, a.epx1, a.epy1, a.epx2, a.epy2})) return true;
        const DimensionPicture p =
            LinearDimension({a.epx1, a.epy1}, {a.epx2, a.epy2}, {d.dpx, d.dpy},
                            std::atan2(a.epy2 - a.epy1, a.epx2 - a.epx1), {d.mpx, d.mpy}, d.text,
                            Positive(d.linearFactor, 1), look, DimensionLetters(d.style));
        Run(Drawn::mark).addPath(p.lines);
        Run(Drawn::area).addPath(p.arrows);
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
