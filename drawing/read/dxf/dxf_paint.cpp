#include "drawing/read/dxf/dxf_paint.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <QHash>
#include <QPainter>
#include <QTransform>
#include <cmath>
#include <sstream>

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "drawing/paint/flatten.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/paint/pen_lines.h"
#include "drawing/paint/polyline_sink.h"
#include "drawing/read/collect_into.h"
#include "drawing/read/dxf/dxf_shapes.h"
#include "drawing/read/dxf/dxf_stream.h"
#include "drawing/read/qt_host.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// Coordinates beyond this (a thousand kilometres in millimetres) are not a drawing's.
constexpr double kMaxCoordinate = 1e9;

// An entity's colour as the file gives it: an index (ACI; 0 by block, 256 by layer) or a
// 24-bit colour.
struct DxfColour {
    int index = 256;
    int rgb = -1;
    bool operator==(const DxfColour& o) const { return index == o.index && rgb == o.rgb; }
};

// What a block (or the model space) holds, in order: runs of outlines of one colour, and
// inserts of other blocks.
struct Item {
    DxfColour colour;
    QPainterPath path;  // for a run
    int64_t entities = 0;
    QString layer;
    QString block;  // for an insert
    QTransform place;
    int cols = 1, rows = 1;
    double colSpacing = 0, rowSpacing = 0;
};

struct Block {
    QPointF base;
    std::vector<Item> items;
};

double UnitInMm(int insunits, bool* known) {
    static const double mm[] = {1,      25.4,  304.8, 1609344, 1,    10,  1000, 1e6, 25.4e-6,
                                0.0254, 914.4, 1e-7,  1e-6,    1e-3, 100, 1e4,  1e5};
    *known = insunits >= 1 && insunits < static_cast<int>(sizeof mm / sizeof mm[0]);
    return *known ? mm[insunits] : 1;
}

QColor ColourOf(const DxfColour& c, const QHash<QString, DxfColour>& layers, const QString& layer,
                const DxfColour& byBlock) {
    DxfColour own = c;
    if (own.rgb < 0 && own.index == 256) own = layers.value(layer, DxfColour{7, -1});
    if (own.rgb < 0 && own.index == 0) own = byBlock;
    if (own.rgb >= 0) return QColor::fromRgb(static_cast<QRgb>(own.rgb & 0xFFFFFF));
    const int index = std::abs(own.index);
    // 7 is white on a dark screen and black on paper.
    if (index < 1 || index > 255 || index == 7) return Qt::black;
    return QColor::fromRgbF(static_cast<float>(dxfColors[index][0]),
                            static_cast<float>(dxfColors[index][1]),
                            static_cast<float>(dxfColors[index][2]));
}

class Reader : public DL_CreationAdapter {
public:
    QHash<QString, Block> blocks;
    Block model;
    QHash<QString, DxfColour> layers;
    int insunits = 0;
    int64_t outOfRange = 0, unreadSplines = 0, images = 0, degenerate = 0;
    std::string failure;

    // Splines are sampled in drawing units: the tolerance follows the unit and the scale.
    explicit Reader(double unitsPerMm) : _unitsPerMm(unitsPerMm) { SetUnit(0); }

    void setVariableInt(const std::string& key, int value, int) override {
        if (key == "$INSUNITS") SetUnit(value);
    }

    void SetUnit(int code) {
        insunits = code;
        bool known = false;
        unitMm = UnitInMm(code, &known);
        _splineTolerance = kFlattenTolerance / 4 / (unitMm * _unitsPerMm);
    }
    double unitMm = 1;

    void addLayer(const DL_LayerData& data) override {
        const DL_Attributes a = getAttributes();
        layers.insert(QString::fromStdString(data.name), DxfColour{a.getColor(), a.getColor24()});
    }

    void addBlock(const DL_BlockData& data) override {
        Flush();
        _current = &blocks[QString::fromStdString(data.name)];
        _current->base = QPointF(data.bpx, data.bpy);
    }
    void endBlock() override {
        Flush();
        _current = &model;
    }

    void addLine(const DL_LineData& d) override {
        Flush();
        if (!Fine({d.x1, d.y1, d.x2, d.y2})) return;
        QPainterPath& p = Run();
        p.moveTo(d.x1, d.y1);
        p.lineTo(d.x2, d.y2);
    }

    void addCircle(const DL_CircleData& d) override {
        Flush();
        if (!Fine({d.cx, d.cy, d.radius}) || !Sized(d.radius)) return;
        QPainterPath& p = Run();
        AddArc(p, {d.cx, d.cy}, d.radius, 0, 2 * kPi, false);
        p.closeSubpath();
    }

    void addArc(const DL_ArcData& d) override {
        Flush();
        if (!Fine({d.cx, d.cy, d.radius, d.angle1, d.angle2}) || !Sized(d.radius)) return;
        AddArc(Run(), {d.cx, d.cy}, d.radius, d.angle1 * kPi / 180, d.angle2 * kPi / 180, false);
    }

    void addEllipse(const DL_EllipseData& d) override {
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

    void addPolyline(const DL_PolylineData& d) override {
        Flush();
        _polyline = true;
        _pendingColour = Colour();
        _pendingLayer = Layer();
        _closed = (d.flags & 1) != 0;
        _vertices.clear();
    }
    void addVertex(const DL_VertexData& d) override {
        if (!_polyline || _vertices.size() >= 10'000'000) return;
        if (!Fine({d.x, d.y, d.bulge})) {
            _broken = true;
            return;
        }
        _vertices.push_back({d.x, d.y, d.bulge});
    }

    void addSpline(const DL_SplineData& d) override {
        Flush();
        _spline = SplineData{};
        _inSpline = true;
        _pendingColour = Colour();
        _pendingLayer = Layer();
        _spline.degree = static_cast<int>(d.degree);
        _spline.closed = (d.flags & 1) != 0;
    }
    void addControlPoint(const DL_ControlPointData& d) override {
        if (!_inSpline || _spline.control.size() >= 1'000'000) return;
        if (!Fine({d.x, d.y, d.w})) _broken = true;
        _spline.control.emplace_back(d.x, d.y);
        _spline.weights.push_back(d.w);
    }
    void addKnot(const DL_KnotData& d) override {
        if (!_inSpline || _spline.knots.size() >= 1'000'000) return;
        if (!Fine({d.k})) _broken = true;
        _spline.knots.push_back(d.k);
    }
    void addFitPoint(const DL_FitPointData& d) override {
        if (!_inSpline || _spline.fit.size() >= 1'000'000) return;
        if (!Fine({d.x, d.y})) _broken = true;
        _spline.fit.emplace_back(d.x, d.y);
    }

    void addInsert(const DL_InsertData& d) override {
        if (!Fine({d.ipx, d.ipy, d.sx, d.sy, d.angle, d.colSp, d.rowSp})) return;
        Flush();
        Item item;
        item.colour = Colour();
        item.block = QString::fromStdString(d.name);
        item.place.translate(d.ipx, d.ipy);
        item.place.rotate(d.angle);
        item.place.scale(d.sx == 0 ? 1 : d.sx, d.sy == 0 ? 1 : d.sy);
        item.cols = std::max(1, d.cols);
        item.rows = std::max(1, d.rows);
        item.colSpacing = d.colSp;
        item.rowSpacing = d.rowSp;
        item.layer = Layer();
        _current->items.push_back(std::move(item));
    }

    void addText(const DL_TextData& d) override {
        Flush();
        if (!Fine({d.ipx, d.ipy, d.height, d.angle, d.xScaleFactor})) return;
        // Without an alignment point (dxflib gives NaN then) the text starts at its own.
        const bool aligned = (d.hJustification != 0 || d.vJustification != 0) &&
                             std::isfinite(d.apx) && std::isfinite(d.apy);
        if (aligned && !Fine({d.apx, d.apy})) return;
        const QPainterPath glyphs = TextOutline(d.text, d.height, d.xScaleFactor);
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
            if (d.vJustification == 2) shift.setY(-d.height / 2);
            if (d.vJustification == 3) shift.setY(-d.height);
        }
        QTransform m;
        m.translate(at.x(), at.y());
        m.rotate(d.angle);
        m.translate(shift.x(), shift.y());
        Run().addPath(m.map(glyphs));
    }

    void addMTextChunk(const std::string& text) override {
        if (_mtextChunks.size() < 1'000'000) _mtextChunks += text;
    }
    void addMText(const DL_MTextData& d) override {
        Flush();
        const std::string text = _mtextChunks + d.text;
        _mtextChunks.clear();
        if (!Fine({d.ipx, d.ipy, d.height, d.angle, d.lineSpacingFactor, d.dirx, d.diry})) return;
        const std::vector<std::string> lines = MTextLines(text);
        const double pitch =
            d.height * 5.0 / 3.0 * (d.lineSpacingFactor > 0 ? d.lineSpacingFactor : 1);
        // Attachment 1..9: top, middle, bottom rows; left, centre, right columns.
        const int attach = std::clamp(d.attachmentPoint, 1, 9) - 1;
        const double block = d.height + pitch * (static_cast<double>(lines.size()) - 1);
        const double top = attach / 3 == 0 ? 0 : attach / 3 == 1 ? block / 2 : block;
        const double angle = (d.dirx != 0 || d.diry != 0) ? std::atan2(d.diry, d.dirx) * 180 / kPi
                                                          : d.angle * 180 / kPi;
        QPainterPath all;
        for (size_t i = 0; i < lines.size(); ++i) {
            const QPainterPath glyphs = TextOutline(lines[i], d.height, 1);
            if (glyphs.isEmpty()) continue;
            const double x = -glyphs.boundingRect().width() * (attach % 3) / 2.0;
            all.addPath(QTransform::fromTranslate(x, top - d.height - pitch * i).map(glyphs));
        }
        if (all.isEmpty()) return;
        QTransform m;
        m.translate(d.ipx, d.ipy);
        m.rotate(angle);
        Run().addPath(m.map(all));
    }

    void addHatch(const DL_HatchData&) override { Flush(); }
    void addHatchEdge(const DL_HatchEdgeData& e) override {
        if (!e.vertices.empty()) {
            std::vector<BulgeVertex> v;
            for (const std::vector<double>& p : e.vertices) {
                if (p.size() < 2 || !Fine({p[0], p[1], p.size() > 2 ? p[2] : 0})) return;
                v.push_back({p[0], p[1], p.size() > 2 ? p[2] : 0});
            }
            AddBulgePolyline(Run(), v, true);
            return;
        }
        switch (e.type) {
            case 1:
                if (Fine({e.x1, e.y1, e.x2, e.y2})) {
                    Run().moveTo(e.x1, e.y1);
                    Run().lineTo(e.x2, e.y2);
                }
                break;
            case 2:
                if (Fine({e.cx, e.cy, e.radius, e.angle1, e.angle2}) && Sized(e.radius)) {
                    // Hatch arcs give their angles in radians; clockwise ones are mirrored.
                    const double a1 = e.ccw ? e.angle1 : -e.angle2,
                                 a2 = e.ccw ? e.angle2 : -e.angle1;
                    AddArc(Run(), {e.cx, e.cy}, e.radius, a1, a2, false);
                }
                break;
            case 3:
                if (Fine({e.cx, e.cy, e.mx, e.my, e.ratio, e.angle1, e.angle2}) && Sized(e.ratio))
                    AddEllipseArc(Run(), {e.cx, e.cy}, {e.mx, e.my}, e.ratio, e.angle1, e.angle2,
                                  false);
                break;
            case 4: {
                SplineData s;
                s.degree = static_cast<int>(e.degree);
                for (const auto& c : e.controlPoints)
                    if (c.size() >= 2) s.control.emplace_back(c[0], c[1]);
                s.knots = e.knots;
                if (e.weights.size() == s.control.size()) s.weights = e.weights;
                QPainterPath p;
                if (AddSpline(p, s, _splineTolerance)) Run().addPath(p);
                break;
            }
        }
    }

    void addImage(const DL_ImageData&) override {
        Flush();
        ++images;
    }

    // Not at the end of each entity, nor at endSection, which dxflib calls for every entity:
    // a POLYLINE's vertices are entities of their own, up to its SEQEND.
    void endSequence() override { Flush(); }

    // Ends what is open (a polyline gathering vertices, a spline gathering points); every
    // entity but a vertex begins with it.
    void Flush() {
        if (_polyline) {
            _polyline = false;
            if (!_broken && !_vertices.empty())
                AddBulgePolyline(Run(_pendingColour, _pendingLayer), _vertices, _closed);
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
                usable = AddSpline(p, _spline, _splineTolerance);
                if (usable) Run(_pendingColour, _pendingLayer).addPath(p);
            }
            if (!usable) ++unreadSplines;
            _spline = SplineData{};
        }
        _broken = false;
    }

private:
    // A circle, arc or ellipse of no size (a radius, an axis or an axis ratio of 0 or less).
    bool Sized(double v) {
        if (v > 0) return true;
        ++degenerate;
        return false;
    }

    bool Fine(std::initializer_list<double> numbers) {
        for (double v : numbers) {
            if (!std::isfinite(v) || std::abs(v) > kMaxCoordinate) {
                ++outOfRange;
                return false;
            }
        }
        return true;
    }

    DxfColour Colour() {
        const DL_Attributes a = getAttributes();
        return DxfColour{a.getColor(), a.getColor24()};
    }
    QString Layer() { return QString::fromStdString(getAttributes().getLayer()); }

    // The run the entity being read goes to: the block's last one when of the same colour and
    // layer, else a new one. An entity ended by the next one gives its own colour and layer.
    QPainterPath& Run() { return Run(Colour(), Layer()); }
    QPainterPath& Run(const DxfColour& colour, const QString& layer) {
        std::vector<Item>& items = _current->items;
        if (items.empty() || !items.back().block.isNull() || !(items.back().colour == colour) ||
            items.back().layer != layer) {
            items.push_back(Item{});
            items.back().colour = colour;
            items.back().layer = layer;
        }
        ++items.back().entities;
        return items.back().path;
    }

    Block* _current = &model;
    bool _polyline = false, _closed = false, _broken = false, _inSpline = false;
    std::vector<BulgeVertex> _vertices;
    SplineData _spline;
    DxfColour _pendingColour;
    QString _pendingLayer;
    std::string _mtextChunks;
    double _unitsPerMm;
    double _splineTolerance = 0.01;
};

}  // namespace

namespace {

class MemoryBuffer : public std::streambuf {
public:
    MemoryBuffer(const char* data, size_t size) {
        char* begin = const_cast<char*>(data);
        setg(begin, begin, begin + size);
    }
};

// Every run of the drawing with its transform to the model space and its colour, inserts
// followed; refuses a block that inserts itself, nesting too deep and too many entities.
class Walk {
public:
    explicit Walk(const Reader& reader) : _r(reader) {}

    template <typename Visit>
    bool Run(Visit&& visit) {
        _drawn = 0;
        _stack.clear();
        return Into(_r.model, QTransform(), DxfColour{7, -1}, QString(), visit);
    }

    std::string failure;
    std::vector<std::string> missing;

private:
    template <typename Visit>
    bool Into(const Block& block, const QTransform& m, const DxfColour& byBlock,
              const QString& insertLayer, Visit& visit) {
        for (const Item& item : block.items) {
            if (item.block.isNull()) {
                _drawn += item.entities;
                if (_drawn > kMaxDxfDrawn) {
                    failure = "the drawing's blocks multiply into more than " +
                              std::to_string(kMaxDxfDrawn) + " entities";
                    return false;
                }
                // Entities of layer 0 in a block take the layer of the insert.
                const QString layer = item.layer == QLatin1String("0") && !insertLayer.isNull()
                                          ? insertLayer
                                          : item.layer;
                visit(item.path, m, ColourOf(item.colour, _r.layers, layer, byBlock));
                continue;
            }
            const auto found = _r.blocks.constFind(item.block);
            if (found == _r.blocks.constEnd()) {
                const std::string name = item.block.toStdString();
                if (std::find(missing.begin(), missing.end(), name) == missing.end() &&
                    missing.size() < 8)
                    missing.push_back(name);
                continue;
            }
            if (std::find(_stack.begin(), _stack.end(), item.block) != _stack.end()) {
                failure = "the block \"" + item.block.toStdString() + "\" inserts itself";
                return false;
            }
            if (_stack.size() >= static_cast<size_t>(kMaxDxfNesting)) {
                failure = "blocks are inserted into blocks more than " +
                          std::to_string(kMaxDxfNesting) + " deep";
                return false;
            }
            const int64_t copies = static_cast<int64_t>(item.cols) * item.rows;
            if (copies > kMaxDxfDrawn) {
                failure = "an insert repeats a block " + std::to_string(copies) + " times";
                return false;
            }
            // An entity of colour "by block" takes the insert's own colour.
            const DxfColour insertColour =
                item.colour.rgb < 0 && item.colour.index == 0 ? byBlock : item.colour;
            const DxfColour resolved = insertColour.rgb < 0 && insertColour.index == 256
                                           ? _r.layers.value(item.layer, DxfColour{7, -1})
                                           : insertColour;
            _stack.push_back(item.block);
            for (int row = 0; row < item.rows; ++row) {
                for (int col = 0; col < item.cols; ++col) {
                    // Each copy counts, drawn or not: inserts of empty blocks, or of blocks
                    // that only insert others, multiply the walk as entities do.
                    if (++_drawn > kMaxDxfDrawn) {
                        failure = "the drawing's blocks multiply into more than " +
                                  std::to_string(kMaxDxfDrawn) + " entities";
                        return false;
                    }
                    const QTransform child =
                        QTransform::fromTranslate(-found->base.x(), -found->base.y()) *
                        ArrayPlace(item, col, row) * m;
                    if (!Into(*found, child, resolved, item.layer, visit)) return false;
                }
            }
            _stack.pop_back();
        }
        return true;
    }

    // The array steps along the insert's turned axes, unscaled.
    static QTransform ArrayPlace(const Item& item, int col, int row) {
        if (col == 0 && row == 0) return item.place;
        const double angle = std::atan2(item.place.m12(), item.place.m11());
        const double dx = col * item.colSpacing, dy = row * item.rowSpacing;
        return item.place * QTransform::fromTranslate(dx * std::cos(angle) - dy * std::sin(angle),
                                                      dx * std::sin(angle) + dy * std::cos(angle));
    }

    const Reader& _r;
    int64_t _drawn = 0;
    std::vector<QString> _stack;
};

}  // namespace

SourceOutcome PaintDxf(const QByteArray& bytes, const PaintTarget& target) {
    if (bytes.startsWith("AutoCAD Binary DXF"))
        return Failed(DrawingError::Refused,
                      "a binary DXF is not read: save the drawing as a text (ASCII) DXF");
    EnsureQtGuiApplication();
    const DxfText text = PrepareDxfText(bytes);
    if (!text.refusal.empty()) return Failed(DrawingError::Refused, text.refusal);
    const double unitsPerMm = kPlotUnitsPerMm * target.area.scale;
    Reader reader(unitsPerMm);
    {
        MemoryBuffer buffer(text.bytes.constData(), static_cast<size_t>(text.bytes.size()));
        std::istream stream(&buffer);
        DL_Dxf dxf;
        try {
            if (!dxf.in(stream, &reader))
                return Failed(DrawingError::Malformed, "not a DXF drawing dxflib can read");
        } catch (const std::exception& e) {
            return Failed(DrawingError::Malformed,
                          std::string("not a DXF drawing dxflib can read (") + e.what() + ")");
        }
        reader.Flush();
    }

    SourceOutcome out;
    Walk walk(reader);
    QRectF extent;
    bool drawn = false;
    const bool walked = walk.Run([&](const QPainterPath& path, const QTransform& m, const QColor&) {
        if (path.isEmpty()) return;
        const bool straight = m.m12() == 0 && m.m21() == 0;
        const QRectF box = straight ? m.mapRect(path.boundingRect()) : m.map(path).boundingRect();
        extent = drawn ? extent.united(box) : box;
        drawn = true;
    });
    if (!walked) return Failed(DrawingError::Refused, walk.failure);

    if (reader.insunits == 0)
        AddNote(&out.notes, "the DXF gives no unit ($INSUNITS): read as millimetres");
    else if (reader.unitMm == 1 && reader.insunits != 4 && reader.insunits != 0)
        AddNote(&out.notes, "the DXF's unit (" + std::to_string(reader.insunits) +
                                ") is not known: read as millimetres");
    for (const std::string& name : walk.missing)
        AddNote(&out.notes, "block \"" + name + "\" is inserted but not defined: skipped");
    if (text.nonFinite > 0)
        AddNote(&out.notes,
                "coordinates or sizes that are not numbers (nan, inf): their entities skipped");
    if (reader.outOfRange > text.nonFinite)
        AddNote(&out.notes, "entities with numbers out of range skipped");
    if (reader.degenerate > 0)
        AddNote(&out.notes,
                "circles, arcs and ellipses of no size (radius, axis or axis ratio 0 "
                "or less) skipped");
    if (text.cutLines > 0)
        AddNote(&out.notes,
                "texts or comments longer than " + std::to_string(kDxfMaxLine) + " characters cut");
    if (text.loweredCounts > 0)
        AddNote(&out.notes,
                "counts larger than what follows them (vertices, knots, control "
                "points) lowered");
    if (reader.unreadSplines > 0) AddNote(&out.notes, "splines whose numbers don't add up skipped");
    if (reader.images > 0) AddNote(&out.notes, "images skipped");
    if (!drawn) return out;  // the caller says there is nothing to plot

    // Drawing units, y up, to device units, y down, with the extents' top-left at the origin.
    const double k = reader.unitMm * unitsPerMm;
    const QTransform toDevice(k, 0, 0, -k, -extent.left() * k, extent.bottom() * k);
    PenLines lines(target.pens, target.sink);
    PathCollectorDevice device(target.area.width, target.area.height,
                               CollectInto(target, lines, &out.shapes));
    QPainter painter(&device);
    painter.setBrush(Qt::NoBrush);
    walk.Run([&](const QPainterPath& path, const QTransform& m, const QColor& colour) {
        if (path.isEmpty()) return;
        painter.setTransform(m * toDevice);
        painter.setPen(QPen(colour, 0));
        painter.drawPath(path);
    });
    painter.end();
    if (!lines.refusal().empty()) return Failed(DrawingError::Refused, lines.refusal());
    return out;
}
