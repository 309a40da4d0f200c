#include "drawing/read/dxf/dxf_viewport.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "drawing/read/dxf/dxf_canvas.h"
#include "drawing/read/dxf/dxf_count.h"
#include "drawing/read/dxf/dxf_walk.h"

namespace {

// A view that enlarges or shrinks the model more than this is not a drafting scale: it shows
// nothing anyone could plot, and numbers that far apart lose the model's detail.
constexpr double kMinViewScale = 1e-6, kMaxViewScale = 1e6;
// Paper beyond this (a thousand kilometres in mm) is not a sheet's.
constexpr double kMaxPaper = 1e9;

std::string Upper(const std::string& name) {
    return QString::fromStdString(name).toUpper().toStdString();
}

bool Bounded(const QRectF& r) {
    return std::abs(r.left()) <= kMaxPaper && std::abs(r.right()) <= kMaxPaper &&
           std::abs(r.top()) <= kMaxPaper && std::abs(r.bottom()) <= kMaxPaper;
}

double UnitOf(const DxfLayoutData& l) { return l.paperUnits == 0 ? 25.4 : 1; }

bool Near(double a, double b) { return std::abs(a - b) <= 0.01 * std::max(a, b); }

// The paper of a layout in its paper units, y up: the plot settings' paper, placed where the
// limits say when they agree with it, else with the paper-space origin on its margins' corner;
// the limits alone when the plot settings give no paper.
QRectF PaperOf(const DxfLayoutData& l) {
    const double unit = UnitOf(l);
    const QRectF limits(l.limitsMin, l.limitsMax);
    const bool limitsFine = limits.width() > 0 && limits.height() > 0 && Bounded(limits);
    double w = l.paperWidthMm / unit, h = l.paperHeightMm / unit;
    if (!(w > 0 && h > 0 && w <= kMaxPaper && h <= kMaxPaper))
        return limitsFine ? limits : QRectF();
    if (limitsFine && ((Near(limits.width(), w) && Near(limits.height(), h)) ||
                       (Near(limits.width(), h) && Near(limits.height(), w))))
        return limits;
    if (l.rotation & 1) std::swap(w, h);
    const QRectF paper(-l.marginLeftMm / unit, -l.marginBottomMm / unit, w, h);
    return Bounded(paper) ? paper : QRectF();
}

// A layout's viewports that are views: not the paper's own (id 1, or the first when none says
// so), not turned off, of a size and a scale.
std::vector<const DxfViewport*> ViewsOf(const std::vector<const DxfViewport*>& all,
                                        int64_t* unsized) {
    const bool numbered =
        std::any_of(all.begin(), all.end(), [](const DxfViewport* v) { return v->id == 1; });
    std::vector<const DxfViewport*> views;
    for (size_t i = 0; i < all.size(); ++i) {
        const DxfViewport& v = *all[i];
        if (v.id == 1 || (!numbered && i == 0) || v.off()) continue;
        if (ViewOf(v))
            views.push_back(&v);
        else
            ++*unsized;
    }
    return views;
}

bool Holds(const DxfSheet& sheet) {
    return !sheet.views.empty() || std::any_of(sheet.paper.begin(), sheet.paper.end(),
                                               [](const Block* b) { return !b->items.empty(); });
}

// A file from before layouts (R12, R14) has one paper space, the entities section's, on the
// paper its limits give; the drafting programs show it as the tab "Layout1".
std::optional<DxfSheet> OldPaperSpace(const DxfSheetScan& scan, const Reader& reader,
                                      const std::vector<const DxfViewport*>& viewports,
                                      int64_t* unsized) {
    DxfSheet sheet;
    sheet.name = "Layout1";
    sheet.paper.push_back(&reader.paperSpace);
    sheet.views = ViewsOf(viewports, unsized);
    if (!Holds(sheet)) return std::nullopt;
    const QRectF limits(scan.paperMin, scan.paperMax);
    if (limits.width() > 0 && limits.height() > 0 && Bounded(limits)) sheet.sheet = limits;
    sheet.unitMm = reader.unitMm;
    return sheet;
}

}  // namespace

std::optional<QTransform> ViewOf(const DxfViewport& v) {
    const double scale = v.height / v.viewHeight;
    const auto fine = [](double n) { return std::isfinite(n) && std::abs(n) <= kMaxPaper; };
    if (!(v.width > 0 && v.height > 0 && v.viewHeight > 0) || !fine(v.width) || !fine(v.height) ||
        !fine(v.centre.x()) || !fine(v.centre.y()) || !fine(v.viewCentre.x()) ||
        !fine(v.viewCentre.y()) || !fine(v.target.x()) || !fine(v.target.y()) ||
        !std::isfinite(v.twist) || !(scale >= kMinViewScale && scale <= kMaxViewScale))
        return std::nullopt;
    // The view turns the model about its target by the twist, then centres its view centre
    // in the frame at the viewport's scale.
    QTransform turn;
    turn.rotate(v.twist);
    return QTransform::fromTranslate(-v.target.x(), -v.target.y()) * turn *
           QTransform::fromTranslate(-v.viewCentre.x(), -v.viewCentre.y()) *
           QTransform::fromScale(scale, scale) *
           QTransform::fromTranslate(v.centre.x(), v.centre.y());
}

QPainterPath FrameOf(const DxfViewport& v, const DxfSheetScan& scan) {
    QPainterPath frame;
    const auto outline =
        v.clippedByBoundary() ? scan.outlines.find(v.clipBoundary) : scan.outlines.end();
    if (outline != scan.outlines.end()) {
        frame.addPolygon(
            QPolygonF(QVector<QPointF>(outline->second.begin(), outline->second.end())));
        frame.closeSubpath();
        return frame;
    }
    frame.addRect(
        QRectF(v.centre.x() - v.width / 2, v.centre.y() - v.height / 2, v.width, v.height));
    return frame;
}

QSet<QString> FrozenIn(const DxfViewport& v, const DxfSheetScan& scan) {
    QSet<QString> names;
    for (const std::string& handle : v.frozenLayers) {
        const auto found = scan.layerNames.find(handle);
        if (found != scan.layerNames.end()) names.insert(QString::fromStdString(found->second));
    }
    for (const std::string& name : v.frozenLayerNames) names.insert(QString::fromStdString(name));
    return names;
}

DxfSheets SheetsOf(const DxfSheetScan& scan, const Reader& reader) {
    DxfSheets out;
    std::unordered_map<std::string, std::vector<const DxfViewport*>> byOwner;
    for (const DxfViewport& v : scan.viewports) byOwner[Upper(v.owner)].push_back(&v);
    std::vector<const DxfLayoutData*> layouts;
    for (const DxfLayoutData& l : scan.layouts) layouts.push_back(&l);
    std::stable_sort(
        layouts.begin(), layouts.end(),
        [](const DxfLayoutData* a, const DxfLayoutData* b) { return a->tab < b->tab; });
    int64_t unsized = 0;
    for (const DxfLayoutData* l : layouts) {
        const auto record = scan.blockNames.find(l->blockRecord);
        const std::string block = record == scan.blockNames.end() ? "" : Upper(record->second);
        // The model space has a layout too, which is no sheet, however its block is named.
        if (block.starts_with("*MODEL_SPACE") || (block.empty() && Upper(l->name) == "MODEL"))
            continue;
        DxfSheet sheet;
        sheet.name = l->name;
        if (!block.empty()) {
            const auto found = reader.blocks.constFind(QString::fromStdString(record->second));
            if (found != reader.blocks.constEnd()) sheet.paper.push_back(&*found);
            if (block == "*PAPER_SPACE") sheet.paper.push_back(&reader.paperSpace);
        }
        if (sheet.paper.empty()) {
            AddNote(&out.notes, Note(NoteId::DxfLayoutBlockMissing, {l->name}));
            continue;
        }
        sheet.views = ViewsOf(byOwner[block], &unsized);
        if (!Holds(sheet)) continue;
        sheet.sheet = PaperOf(*l);
        sheet.unitMm = UnitOf(*l);
        out.sheets.push_back(std::move(sheet));
    }
    if (scan.layouts.empty())
        if (std::optional<DxfSheet> sheet =
                OldPaperSpace(scan, reader, byOwner["*PAPER_SPACE"], &unsized))
            out.sheets.push_back(std::move(*sheet));
    if (unsized > 0)
        AddNote(&out.notes, Note(NoteId::DxfViewportsNoSize, {std::to_string(unsized)}));
    if (scan.viewportsInModel > 0) AddNote(&out.notes, NoteId::DxfViewportsInModel);
    if (scan.droppedViewports > 0)
        AddNote(&out.notes, Note(NoteId::DxfViewportsBeyond, {std::to_string(kMaxDxfViewports)}));
    return out;
}

namespace {

// A view ready to paint: where it places the model on the paper, where it shows, what it leaves
// out, and how long its dashes are.
struct View {
    QTransform place;
    QPainterPath frame;
    QSet<QString> frozen;
    double dashScale = 1;
};

// Counts what the sheet's runs make before any is made, and finds the box of what it draws
// when the layout gives no paper.
class SheetCount {
public:
    SheetCount(const Reader& r, Walk& walk, double k, int64_t maxPoints)
        : _walk(walk), _count(r, k, maxPoints) {}

    bool Add(const Block& root, const QTransform& place, double dashScale, bool extend) {
        bool over = false;
        _count.SetDashScale(dashScale);
        const bool walked = _walk.Run(root, [&](const Item& item, const QTransform& m,
                                                const QColor&, const QString& linetype) {
            if (item.path.isEmpty() || over) return;
            if (!_count.Add(item, m * place, linetype)) {
                over = true;
                _walk.failure = _count.Refusal();
                return;
            }
            drawn = true;
            if (extend) Extend((m * place).map(item.path).boundingRect());
        });
        // Each viewport walks the model again: together they are held to one drawing's bound.
        _walked += _walk.drawn();
        if (walked && !over && _walked > kMaxDxfDrawn) {
            _walk.failure = Note(NoteId::DxfViewportsMultiply, {std::to_string(kMaxDxfDrawn)});
            return false;
        }
        return walked && !over;
    }
    void Extend(const QRectF& box) { extent = extent.isNull() ? box : extent.united(box); }

    QRectF extent;
    bool drawn = false;

private:
    Walk& _walk;
    DxfPlotCount _count;
    int64_t _walked = 0;
};

}  // namespace

bool PaintDxfSheet(const Reader& reader, const DxfSheetScan& scan, const DxfSheet& sheet,
                   const PaintTarget& target, double unitsPerMm, Walk& walk, SourceOutcome* out,
                   QSizeF* paperMm) {
    const double k = sheet.unitMm * unitsPerMm;  // plotter units per paper unit
    std::vector<View> views;
    SheetCount count(reader, walk, k, static_cast<int64_t>(target.maxPoints));
    bool fine = true;
    for (const DxfViewport* v : sheet.views) {
        View view{*ViewOf(*v), FrameOf(*v, scan), FrozenIn(*v, scan), 1};
        // With $PSLTSCALE, dashes are as long on the paper whatever the viewport's scale.
        if (reader.paperLinetypes) view.dashScale = v->viewHeight / v->height;
        walk.frozen = &view.frozen;
        fine = fine && count.Add(reader.model, view.place, view.dashScale, false);
        count.Extend(view.frame.boundingRect());
        views.push_back(std::move(view));
    }
    walk.frozen = nullptr;
    for (const Block* block : sheet.paper) fine = fine && count.Add(*block, QTransform(), 1, true);
    if (!fine) {
        *out = Failed(DrawingError::Refused, walk.failure);
        return false;
    }
    const QRectF paper = sheet.sheet.isNull() ? count.extent : sheet.sheet;
    *paperMm = paper.size() * sheet.unitMm;
    if (!count.drawn) return true;  // the caller says there is nothing to plot

    // Paper units, y up, to device units, y down, with the paper's top-left at the origin.
    const QTransform toDevice(k, 0, 0, -k, -paper.left() * k, paper.bottom() * k);
    DxfCanvas canvas(reader, target, &out->shapes);
    bool room = true;
    for (const View& view : views) {
        walk.frozen = &view.frozen;
        const QPainterPath clip = toDevice.map(view.frame);
        room =
            room && canvas.Paint(walk, reader.model, view.place * toDevice, view.dashScale, &clip);
    }
    walk.frozen = nullptr;
    for (const Block* block : sheet.paper) room = room && canvas.Paint(walk, *block, toDevice);
    if (std::optional<Note> refusal = canvas.Finish(&out->notes)) {
        *out = Failed(DrawingError::Refused, *refusal);
        return false;
    }
    return true;
}
