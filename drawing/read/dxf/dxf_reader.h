#pragma once
// dxflib's callbacks gathered into blocks of outlines in the drawing's own units: what each
// block (and the model space) holds, in order, with the colour, layer and linetype each entity
// asks for, resolved only when the blocks are walked (an insert decides "by block" and the
// layer of layer 0).

#include <dl_creationadapter.h>

#include <QHash>
#include <QPainterPath>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "drawing/read/dxf/dxf_dimension.h"
#include "drawing/read/dxf/dxf_hatch.h"
#include "drawing/read/dxf/dxf_lettering.h"
#include "drawing/read/dxf/dxf_linetype.h"
#include "drawing/read/dxf/dxf_shapes.h"
#include "drawing/read/dxf/dxf_stream.h"

// An entity's colour as the file gives it: an index (ACI; 0 by block, 256 by layer) or a
// 24-bit colour.
struct DxfColour {
    int index = 256;
    int rgb = -1;
    bool operator==(const DxfColour& o) const { return index == o.index && rgb == o.rgb; }
};

// What an entity asks of its pen, as the file says it.
struct DxfStyle {
    DxfColour colour;
    QString layer;
    QString linetype;    // upper case; BYLAYER when the file gives none
    double ltscale = 1;  // the entity's own (group 48)
    bool paper = false;  // drawn in paper space
    bool operator==(const DxfStyle& o) const {
        return colour == o.colour && layer == o.layer && linetype == o.linetype &&
               ltscale == o.ltscale;
    }
};

// How a run is drawn: lines in their linetype, areas as outlines filled (hatched by a pen with
// a thickness), marks (text, hatch boundaries, a dimension's own lines) always solid, as the
// drafting programs draw them.
enum class Drawn { line, area, mark };

// What a block (or the model space) holds, in order: runs of outlines of one style, and inserts
// of other blocks.
struct Item {
    DxfStyle style;
    QPainterPath path;  // for a run
    Drawn drawn = Drawn::line;
    int64_t entities = 0;
    QString block;           // for an insert
    bool dimension = false;  // the insert is a DIMENSION's picture
    QTransform place;
    int cols = 1, rows = 1;
    double colSpacing = 0, rowSpacing = 0;
};

struct Block {
    QPointF base;
    std::vector<Item> items;
};

class Reader : public DL_CreationAdapter {
public:
    QHash<QString, Block> blocks;
    Block model;
    Block paperSpace;  // the entities section's paper space: the active layout's
    QHash<QString, DxfColour> layers;
    QHash<QString, QString> layerLinetypes;  // upper case, both
    QHash<QString, DxfLinetype> linetypes;   // by upper-case name
    double ltscale = 1;                      // $LTSCALE
    DimensionLook look;
    Lettering lettering;
    std::string dimensionTextStyle = "STANDARD";  // $DIMTXSTY
    int insunits = 0;
    double unitMm = 1;
    int64_t outOfRange = 0, unreadSplines = 0, images = 0, degenerate = 0;
    int64_t paperEntities = 0, unreadDimensions = 0;
    std::vector<std::string> namedPatterns;  // hatched by the pen's rule, not their own lines
    std::optional<Note> refusal;             // the drawing is not plotted
    bool paperLinetypes = true;  // $PSLTSCALE: dashes in a viewport as long as on the paper

    // Splines are sampled in drawing units: the tolerance follows the unit and the scale.
    // `text`: what the preparation of the file found that dxflib does not hand on.
    Reader(double unitsPerMm, const DxfText& text);

    void setVariableInt(const std::string& key, int value, int) override;
    void setVariableDouble(const std::string& key, double value, int) override;
    using DL_CreationAdapter::setVariableString;
    void setVariableString(const std::string& key, const std::string& value, int) override;
    void addTextStyle(const DL_StyleData& data) override;
    void addLayer(const DL_LayerData& data) override;
    void addLinetype(const DL_LinetypeData& data) override;
    void addLinetypeDash(double length) override;
    void addBlock(const DL_BlockData& data) override;
    void endBlock() override;

    void addLine(const DL_LineData& d) override;
    void addCircle(const DL_CircleData& d) override;
    void addArc(const DL_ArcData& d) override;
    void addEllipse(const DL_EllipseData& d) override;
    void addPolyline(const DL_PolylineData& d) override;
    void addVertex(const DL_VertexData& d) override;
    void addSpline(const DL_SplineData& d) override;
    void addControlPoint(const DL_ControlPointData& d) override;
    void addKnot(const DL_KnotData& d) override;
    void addFitPoint(const DL_FitPointData& d) override;
    void addInsert(const DL_InsertData& d) override;
    void addText(const DL_TextData& d) override;
    void addMTextChunk(const std::string& text) override;
    void addMText(const DL_MTextData& d) override;
    void addHatch(const DL_HatchData& d) override;
    void addHatchLoop(const DL_HatchLoopData&) override;
    void addHatchEdge(const DL_HatchEdgeData& e) override;
    void addImage(const DL_ImageData&) override;

    void addSolid(const DL_SolidData& d) override;
    void addTrace(const DL_TraceData& d) override;
    void add3dFace(const DL_3dFaceData& d) override;
    void addLeader(const DL_LeaderData& d) override;
    void addLeaderVertex(const DL_LeaderVertexData& d) override;
    void addDimLinear(const DL_DimensionData& d, const DL_DimLinearData& l) override;
    void addDimAlign(const DL_DimensionData& d, const DL_DimAlignedData& a) override;
    void addDimRadial(const DL_DimensionData& d, const DL_DimRadialData&) override;
    void addDimDiametric(const DL_DimensionData& d, const DL_DimDiametricData&) override;
    void addDimAngular(const DL_DimensionData& d, const DL_DimAngular2LData&) override;
    void addDimAngular3P(const DL_DimensionData& d, const DL_DimAngular3PData&) override;
    void addDimOrdinate(const DL_DimensionData& d, const DL_DimOrdinateData&) override;

    // Not at the end of each entity, nor at endSection, which dxflib calls for every entity:
    // a POLYLINE's vertices are entities of their own, up to its SEQEND.
    void endSequence() override { Flush(); }

    // Ends what is open (a polyline gathering vertices, a spline or leader gathering points);
    // every entity but a vertex begins with it.
    void Flush();

private:
    void SetUnit(int code);
    // A circle, arc or ellipse of no size (a radius, an axis or an axis ratio of 0 or less).
    bool Sized(double v);
    bool Fine(std::initializer_list<double> numbers);
    DxfStyle Style();
    // The block an entity of `style` goes to.
    Block& Into(const DxfStyle& style);
    // The run the entity being read goes to: the block's last one when of the same style,
    // else a new one. An entity ended by the next one gives its own style.
    QPainterPath& Run(Drawn drawn = Drawn::line) { return Run(Style(), drawn); }
    QPainterPath& Run(const DxfStyle& style, Drawn drawn = Drawn::line);
    void AddCorners(const DL_TraceData& d, const int order[4]);
    // A DIMENSION: its block when it names one, else drawn by `fallback` (false: left out).
    template <typename Fallback>
    void Dimension(Fallback&& fallback);
    void FlushLeader();
    void FlushHatch();
    // The measure of a dimension drawn from its points, in the header's dimension text style.
    DimensionText DimensionLetters(const std::string& dimensionStyle);

    Block* _current = &model;
    bool _paperBlock = false;
    bool _polyline = false, _closed = false, _broken = false, _inSpline = false;
    bool _leader = false, _leaderArrow = false, _inHatch = false;
    double _leaderScale = 1;
    std::vector<BulgeVertex> _vertices;
    SplineData _spline;
    DxfStyle _pending;
    std::string _mtextChunks;
    const std::vector<std::string>& _dimensionBlocks;
    const DxfSheetScan& _tables;                            // the file's tables dxflib leaves out
    size_t _dimensions = 0;                                 // read so far
    QHash<QString, std::vector<double>> _complexLinetypes;  // by upper-case name
    std::vector<double> _dashes;                            // of the LTYPE being read
    double _unitsPerMm;
    double _splineTolerance = 0.01;
    DxfHatch _hatch;
    const std::vector<DxfText::Hatch>& _hatchPatterns;  // each HATCH's, in order
    size_t _hatches = 0;                                // read so far
    int64_t _hatchBudget = kMaxHatchPieces;
};
