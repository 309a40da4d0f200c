#include "drawing/read/dxf/dxf_canvas.h"

#include <algorithm>

#include "drawing/geometry/path_store.h"
#include "drawing/paint/polyline_sink.h"
#include "drawing/read/collect_into.h"

std::string Named(const std::vector<std::string>& names) {
    std::string all;
    for (const std::string& n : names) all += (all.empty() ? "\"" : ", \"") + n + "\"";
    return all;
}

void DxfCanvas::LinetypeNotes::Add(std::vector<std::string>& list, const QString& name) {
    const std::string n = name.toStdString();
    if (list.size() < 8 && std::find(list.begin(), list.end(), n) == list.end()) list.push_back(n);
}

DxfCanvas::DxfCanvas(const Reader& reader, const PaintTarget& target, int64_t* shapes)
    : _r(reader),
      _target(target),
      _lines(target.pens, target.sink),
      _device(target.area.width, target.area.height, CollectInto(target, _lines, shapes)),
      _painter(&_device) {}

DxfCanvas::~DxfCanvas() {
    if (_painter.isActive()) _painter.end();
}

bool DxfCanvas::Room() const {
    return !_lines.refusal() && !_target.sink.full() && _target.store.points() < _target.maxPoints;
}

bool DxfCanvas::Paint(Walk& walk, const Block& root, const QTransform& toDevice, double dashScale,
                      const QPainterPath* clip) {
    _painter.resetTransform();
    if (clip)
        _painter.setClipPath(*clip);
    else
        _painter.setClipping(false);
    walk.Run(root, [&](const Item& item, const QTransform& m, const QColor& colour,
                       const QString& linetype) {
        if (item.path.isEmpty() || _lines.refusal()) return;
        const QTransform place = m * toDevice;
        _painter.setTransform(place);
        _painter.setPen(QPen(colour, 0));
        _painter.setBrush(item.drawn == Drawn::area ? QBrush(colour) : QBrush(Qt::NoBrush));
        PaintInLinetype(item.path, item, linetype, place, dashScale);
    });
    return Room();
}

// `path` painted in the linetype it names, dashed in the drawing's units.
void DxfCanvas::PaintInLinetype(const QPainterPath& path, const Item& item, const QString& name,
                                const QTransform& toDevice, double dashScale) {
    const bool solid = item.drawn != Drawn::line || name == QLatin1String("CONTINUOUS");
    const auto found = solid ? _r.linetypes.constEnd() : _r.linetypes.constFind(name);
    if (found == _r.linetypes.constEnd()) {
        if (!solid) _notes.Add(_notes.unknown, name);
        _painter.drawPath(path);
        return;
    }
    if (found->complex) _notes.Add(_notes.complex, name);
    if (found->noLength) _notes.Add(_notes.noLength, name);
    if (found->pattern.empty()) {
        _painter.drawPath(path);
        return;
    }
    const DashOutcome o = DashPath(path, *found, _r.ltscale * item.style.ltscale * dashScale,
                                   toDevice, [&](const QPainterPath& dashes) {
                                       _painter.drawPath(dashes);
                                       return Room();
                                   });
    if (o.tooFine) _notes.Add(_notes.tooFine, name);
    if (o.tooMany) _notes.Add(_notes.tooMany, name);
}

std::optional<Note> DxfCanvas::Finish(std::vector<Note>* notes) {
    _painter.end();
    const LinetypeNotes& n = _notes;
    if (!n.unknown.empty())
        AddNote(notes, Note(NoteId::LinetypesDrawingTableDrawn, {Named(n.unknown)}));
    if (!n.complex.empty())
        AddNote(notes, Note(NoteId::TextsShapesLinetypesLeft, {Named(n.complex)}));
    if (!n.noLength.empty())
        AddNote(notes, Note(NoteId::LinetypesLengthDrawnSolid, {Named(n.noLength)}));
    if (!n.tooFine.empty())
        AddNote(notes, Note(NoteId::LinetypesWhoseDashesFiner, {Named(n.tooFine)}));
    if (!n.tooMany.empty())
        AddNote(notes, Note(NoteId::LinesLinetypesWouldCut,
                            {std::to_string(kMaxDashesPerLine), Named(n.tooMany)}));
    return _lines.refusal();
}
