#include "drawing/read/dxf/dxf_paint.h"

#include <dl_dxf.h>

#include <QPainter>
#include <cstdio>
#include <optional>
#include <sstream>

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/paint/pen_lines.h"
#include "drawing/paint/polyline_sink.h"
#include "drawing/read/collect_into.h"
#include "drawing/read/dxf/dxf_canvas.h"
#include "drawing/read/dxf/dxf_count.h"
#include "drawing/read/dxf/dxf_stream.h"
#include "drawing/read/dxf/dxf_viewport.h"
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

// What was read but is not in the plot, and what was read otherwise than it says.
void NoteReading(const Reader& reader, const Walk& walk, const DxfText& text, bool paperLeftOut,
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
    if (paperLeftOut) AddNote(notes, NoteId::PaperSpaceLayoutsLeft);
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

namespace {

// The model space, its extents' top-left on the printable area's top-left.
SourceOutcome PaintModel(const Reader& reader, const DxfText& text, const PaintTarget& target,
                         double unitsPerMm, bool paperLeftOut) {
    SourceOutcome out;
    Walk walk(reader);
    QRectF extent;
    bool drawn = false;
    DxfPlotCount count(reader, reader.unitMm * unitsPerMm, static_cast<int64_t>(target.maxPoints));
    if (!ExtentOf(walk, &extent, &drawn, &count))
        return Failed(DrawingError::Refused, walk.failure);
    NoteReading(reader, walk, text, paperLeftOut, &out.notes);
    if (!drawn) return out;  // the caller says there is nothing to plot

    // Drawing units, y up, to device units, y down, with the extents' top-left at the origin.
    const double k = reader.unitMm * unitsPerMm;
    const QTransform toDevice(k, 0, 0, -k, -extent.left() * k, extent.bottom() * k);
    DxfCanvas canvas(reader, target, &out.shapes);
    canvas.Paint(walk, reader.model, toDevice);
    if (std::optional<Note> refusal = canvas.Finish(&out.notes))
        return Failed(DrawingError::Refused, *refusal);
    return out;
}

std::string LayoutNames(const std::vector<DxfSheet>& sheets) {
    std::string all;
    for (const DxfSheet& s : sheets) all += (all.empty() ? "\"" : ", \"") + s.name + "\"";
    return all;
}

// The sheet `choice` names, or why there is none.
std::optional<size_t> NamedSheet(const std::vector<DxfSheet>& sheets, const std::string& name,
                                 Note* why) {
    for (size_t i = 0; i < sheets.size(); ++i)
        if (sheets[i].name == name) return i;
    // Layout names are told apart regardless of case, as the drafting programs do.
    const QString wanted = QString::fromStdString(name);
    for (size_t i = 0; i < sheets.size(); ++i)
        if (QString::fromStdString(sheets[i].name).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    *why = sheets.empty() ? Note(NoteId::DxfNoLayouts, {name})
                          : Note(NoteId::DxfNoSuchLayout, {name, LayoutNames(sheets)});
    return std::nullopt;
}

// Layout `index` of `sheets` as page `page` of `pages` (0: chosen by name).
SourceOutcome PaintLayout(const Reader& reader, const DxfText& text, const DxfSheets& sheets,
                          size_t index, int page, const PaintTarget& target, double unitsPerMm) {
    SourceOutcome out;
    out.notes = sheets.notes;
    const DxfSheet& sheet = sheets.sheets[index];
    Walk walk(reader);
    QSizeF paperMm;
    if (!PaintDxfSheet(reader, text.sheets, sheet, target, unitsPerMm, walk, &out, &paperMm))
        return out;
    NoteReading(reader, walk, text, false, &out.notes);
    const auto mm = [](double v) {
        char t[32];
        std::snprintf(t, sizeof t, "%.1f", v);
        return std::string(t);
    };
    if (page > 0)
        AddNote(&out.notes, Note(NoteId::DxfLayoutPlottedAsPage,
                                 {sheet.name, mm(paperMm.width()), mm(paperMm.height()),
                                  std::to_string(page), std::to_string(sheets.sheets.size())}));
    else
        AddNote(&out.notes, Note(NoteId::DxfLayoutPlotted,
                                 {sheet.name, mm(paperMm.width()), mm(paperMm.height())}));
    return out;
}

}  // namespace

SourceOutcome PaintDxf(const QByteArray& bytes, int page, const SheetChoice& choice,
                       const PaintTarget& target) {
    if (bytes.startsWith("AutoCAD Binary DXF"))
        return Failed(DrawingError::Refused, NoteId::BinaryDXFReadSave);
    EnsureQtGuiApplication();
    const DxfText text = PrepareDxfText(bytes);
    if (text.refusal) return Failed(DrawingError::Refused, *text.refusal);
    const double unitsPerMm = kPlotUnitsPerMm * target.area.scale;
    Reader reader(unitsPerMm, text);
    if (std::optional<SourceOutcome> failed = ReadInto(text, reader)) return *std::move(failed);
    const DxfSheets sheets = SheetsOf(text.sheets, reader);

    using Space = SheetChoice::Space;
    if (choice.space == Space::model || (choice.space == Space::sheets && sheets.sheets.empty())) {
        SourceOutcome out = PaintModel(reader, text, target, unitsPerMm,
                                       reader.paperEntities > 0 && sheets.sheets.empty());
        if (out.ok() && !sheets.sheets.empty())
            AddNote(&out.notes,
                    Note(NoteId::DxfModelPlottedLayoutsLeft, {LayoutNames(sheets.sheets)}));
        return out;
    }
    if (choice.space == Space::layout) {
        Note why;
        const std::optional<size_t> index = NamedSheet(sheets.sheets, choice.layout, &why);
        if (!index) return Failed(DrawingError::Refused, why);
        return PaintLayout(reader, text, sheets, *index, 0, target, unitsPerMm);
    }
    const int pages = static_cast<int>(sheets.sheets.size());
    if (page < 1 || page > pages)
        return Failed(DrawingError::Refused, Note(NoteId::DxfHasLayoutsNoPage,
                                                  {std::to_string(pages), std::to_string(page)}));
    SourceOutcome out =
        PaintLayout(reader, text, sheets, static_cast<size_t>(page - 1), page, target, unitsPerMm);
    out.pages = pages;
    return out;
}
