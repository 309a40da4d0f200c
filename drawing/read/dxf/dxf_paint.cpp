#include "drawing/read/dxf/dxf_paint.h"

#include <dl_dxf.h>

#include <QPainter>
#include <optional>
#include <sstream>

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/paint/pen_lines.h"
#include "drawing/paint/polyline_sink.h"
#include "drawing/read/collect_into.h"
#include "drawing/read/dxf/dxf_count.h"
#include "drawing/read/dxf/dxf_stream.h"
#include "drawing/read/dxf/dxf_walk.h"
#include "drawing/read/qt_host.h"

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

QString LinetypeOf(const QString& own, const QHash<QString, QString>& layerLinetypes,
                   const QString& layer, const QString& byBlock) {
    if (own == QLatin1String("BYLAYER"))
        return layerLinetypes.value(layer, QStringLiteral("CONTINUOUS"));
    if (own == QLatin1String("BYBLOCK")) return byBlock;
    return own;
}

namespace {

class MemoryBuffer : public std::streambuf {
public:
    MemoryBuffer(const char* data, size_t size) {
        char* begin = const_cast<char*>(data);
        setg(begin, begin, begin + size);
    }
};

// What the linetypes did to the lines, said once each after the plot.
struct LinetypeNotes {
    std::vector<std::string> unknown, complex, noLength, tooFine, tooMany;
    void Add(std::vector<std::string>& list, const QString& name) {
        const std::string n = name.toStdString();
        if (list.size() < 8 && std::find(list.begin(), list.end(), n) == list.end())
            list.push_back(n);
    }
};

// `path` painted by `paint` in the linetype it names, dashed in the drawing's units.
void PaintInLinetype(const Reader& r, const QPainterPath& path, const Item& item,
                     const QString& name, const QTransform& toDevice,
                     const std::function<bool(const QPainterPath&)>& paint, LinetypeNotes& notes) {
    const bool solid = item.drawn != Drawn::line || name == QLatin1String("CONTINUOUS");
    const auto found = solid ? r.linetypes.constEnd() : r.linetypes.constFind(name);
    if (found == r.linetypes.constEnd()) {
        if (!solid) notes.Add(notes.unknown, name);
        paint(path);
        return;
    }
    if (found->complex) notes.Add(notes.complex, name);
    if (found->noLength) notes.Add(notes.noLength, name);
    if (found->pattern.empty()) {
        paint(path);
        return;
    }
    const DashOutcome o = DashPath(path, *found, r.ltscale * item.style.ltscale, toDevice, paint);
    if (o.tooFine) notes.Add(notes.tooFine, name);
    if (o.tooMany) notes.Add(notes.tooMany, name);
}

std::string Named(const std::vector<std::string>& names) {
    std::string all;
    for (const std::string& n : names) all += (all.empty() ? "\"" : ", \"") + n + "\"";
    return all;
}

void NoteLinetypes(const LinetypeNotes& n, std::vector<Note>* notes) {
    if (!n.unknown.empty()) AddNote(notes, Note(NoteId::LinetypesDrawingTableDrawn, {Named(n.unknown)}));
    if (!n.complex.empty()) AddNote(notes, Note(NoteId::TextsShapesLinetypesLeft, {Named(n.complex)}));
    if (!n.noLength.empty()) AddNote(notes, Note(NoteId::LinetypesLengthDrawnSolid, {Named(n.noLength)}));
    if (!n.tooFine.empty()) AddNote(notes, Note(NoteId::LinetypesWhoseDashesFiner, {Named(n.tooFine)}));
    if (!n.tooMany.empty())
        AddNote(notes, Note(NoteId::LinesLinetypesWouldCut,
                            {std::to_string(kMaxDashesPerLine), Named(n.tooMany)}));
}

// What was read but is not in the plot, and what was read otherwise than it says.
void NoteReading(const Reader& reader, const Walk& walk, const DxfText& text,
                 std::vector<Note>* notes) {
    if (reader.insunits == 0)
        AddNote(notes, NoteId::DXFGivesUnitINSUNITS);
    else if (reader.unitMm == 1 && reader.insunits != 4 && reader.insunits != 0)
        AddNote(notes, Note(NoteId::DxfUnitKnownRead, {std::to_string(reader.insunits)}));
    for (const std::string& name : walk.missing)
        AddNote(notes, Note(NoteId::BlockInsertedButDefined, {name}));
    for (const std::string& name : walk.missingDimensions)
        AddNote(notes, Note(NoteId::PictureDimensionBlockDefined, {name}));
    if (reader.unreadDimensions > 0) AddNote(notes, NoteId::RadialAngularOrdinateDimensions);
    if (reader.paperEntities > 0) AddNote(notes, NoteId::PaperSpaceLayoutsLeft);
    if (text.nonFinite > 0) AddNote(notes, NoteId::CoordinatesSizesNumbersNan);
    if (reader.outOfRange > text.nonFinite) AddNote(notes, NoteId::EntitiesNumbersOutRange);
    if (reader.degenerate > 0) AddNote(notes, NoteId::CirclesArcsEllipsesSolids);
    if (text.cutLines > 0)
        AddNote(notes, Note(NoteId::TextsCommentsLongerCharacters, {std::to_string(kDxfMaxLine)}));
    if (text.loweredCounts > 0) AddNote(notes, NoteId::CountsLargerWhatFollows);
    if (reader.unreadSplines > 0) AddNote(notes, NoteId::SplinesWhoseNumbersDonot);
    if (reader.images > 0) AddNote(notes, NoteId::ImagesSkipped);
    if (!reader.namedPatterns.empty())
        AddNote(notes, Note(NoteId::DxfHatchPatternsByName, {Named(reader.namedPatterns)}));
    if (reader.lettering.fallbacks > 0)
        AddNote(notes,
                Note(NoteId::LettersStrokeFontsLack, {std::to_string(reader.lettering.fallbacks),
                                                      Named(reader.lettering.fallbackFonts)}));
}

// Reads the drawing into `reader`; an outcome only when that fails.
std::optional<SourceOutcome> ReadInto(const DxfText& text, Reader& reader) {
    MemoryBuffer buffer(text.bytes.constData(), static_cast<size_t>(text.bytes.size()));
    std::istream stream(&buffer);
    DL_Dxf dxf;
    try {
        if (!dxf.in(stream, &reader))
            return Failed(DrawingError::Malformed, NoteId::DxfNotReadable);
    } catch (const std::exception& e) {
        return Failed(DrawingError::Malformed,
                      Note(NoteId::DxfNotReadableWhy, {e.what()}));
    }
    reader.Flush();
    if (reader.refusal) return Failed(DrawingError::Refused, *reader.refusal);
    return std::nullopt;
}

// The box of every line drawn, in the drawing's units; false when the walk is refused. The
// extents are the lines' own: dashes lie on them. With `count`, what painting would make is
// counted too, and past what a plot holds the walk is refused.
bool ExtentOf(Walk& walk, QRectF* extent, bool* drawn, DxfPlotCount* count = nullptr) {
    *drawn = false;
    bool over = false;
    const bool walked = walk.Run([&](const Item& item, const QTransform& m, const QColor&,
                                     const QString& linetype) {
        const QPainterPath& path = item.path;
        if (path.isEmpty() || over) return;
        if (count && !count->Add(item, m, linetype)) {
            over = true;
            walk.failure = count->Refusal();
            return;
        }
        const bool straight = m.m12() == 0 && m.m21() == 0;
        const QRectF box = straight ? m.mapRect(path.boundingRect()) : m.map(path).boundingRect();
        *extent = *drawn ? extent->united(box) : box;
        *drawn = true;
    });
    return walked && !over;
}

}  // namespace

std::optional<DxfExtents> DxfExtentsOf(const QByteArray& bytes) {
    if (bytes.startsWith("AutoCAD Binary DXF")) return std::nullopt;
    EnsureQtGuiApplication();
    const DxfText text = PrepareDxfText(bytes);
    if (text.refusal) return std::nullopt;
    Reader reader(kPlotUnitsPerMm, text);
    if (ReadInto(text, reader)) return std::nullopt;
    Walk walk(reader);
    DxfExtents out;
    bool drawn = false;
    if (!ExtentOf(walk, &out.box, &drawn) || !drawn) return std::nullopt;
    out.unitMm = reader.unitMm;
    return out;
}

SourceOutcome PaintDxf(const QByteArray& bytes, const PaintTarget& target) {
    if (bytes.startsWith("AutoCAD Binary DXF"))
        return Failed(DrawingError::Refused,
                      NoteId::BinaryDXFReadSave);
    EnsureQtGuiApplication();
    const DxfText text = PrepareDxfText(bytes);
    if (text.refusal) return Failed(DrawingError::Refused, *text.refusal);
    const double unitsPerMm = kPlotUnitsPerMm * target.area.scale;
    Reader reader(unitsPerMm, text);
    if (std::optional<SourceOutcome> failed = ReadInto(text, reader)) return *std::move(failed);

    SourceOutcome out;
    Walk walk(reader);
    QRectF extent;
    bool drawn = false;
    DxfPlotCount count(reader, reader.unitMm * unitsPerMm, static_cast<int64_t>(target.maxPoints));
    if (!ExtentOf(walk, &extent, &drawn, &count))
        return Failed(DrawingError::Refused, walk.failure);
    NoteReading(reader, walk, text, &out.notes);
    if (!drawn) return out;  // the caller says there is nothing to plot

    // Drawing units, y up, to device units, y down, with the extents' top-left at the origin.
    const double k = reader.unitMm * unitsPerMm;
    const QTransform toDevice(k, 0, 0, -k, -extent.left() * k, extent.bottom() * k);
    PenLines lines(target.pens, target.sink);
    PathCollectorDevice device(target.area.width, target.area.height,
                               CollectInto(target, lines, &out.shapes));
    QPainter painter(&device);
    LinetypeNotes linetypeNotes;
    walk.Run(
        [&](const Item& item, const QTransform& m, const QColor& colour, const QString& linetype) {
            if (item.path.isEmpty() || lines.refusal()) return;
            const QTransform place = m * toDevice;
            painter.setTransform(place);
            painter.setPen(QPen(colour, 0));
            painter.setBrush(item.drawn == Drawn::area ? QBrush(colour) : QBrush(Qt::NoBrush));
            PaintInLinetype(
                reader, item.path, item, linetype, place,
                [&](const QPainterPath& path) {
                    painter.drawPath(path);
                    return !lines.refusal() && !target.sink.full() &&
                           target.store.points() < target.maxPoints;
                },
                linetypeNotes);
        });
    painter.end();
    NoteLinetypes(linetypeNotes, &out.notes);
    if (lines.refusal()) return Failed(DrawingError::Refused, *lines.refusal());
    return out;
}
