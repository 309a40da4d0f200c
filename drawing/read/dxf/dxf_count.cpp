#include "drawing/read/dxf/dxf_count.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "drawing/read/dxf/dxf_linetype.h"

namespace {

// How much `m` stretches a length, the larger way, as the dashes are cut.
double Stretch(const QTransform& m) {
    return std::max(std::hypot(m.m11(), m.m12()), std::hypot(m.m21(), m.m22()));
}

}  // namespace

// A curve counts its control polygon: never shorter than the curve, so never fewer dashes.
const std::vector<double>& DxfPlotCount::Lengths(const Item& item) {
    const auto known = _lengths.find(&item);
    if (known != _lengths.end()) return known->second;
    std::vector<double>& out = _lengths[&item];
    const QPainterPath& path = item.path;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo() || out.empty()) {
            out.push_back(0);
            if (e.isMoveTo()) continue;
        }
        const QPainterPath::Element before = path.elementAt(std::max(i - 1, 0));
        out.back() += std::hypot(e.x - before.x, e.y - before.y);
    }
    return out;
}

bool DxfPlotCount::Add(const Item& item, const QTransform& m, const QString& linetype) {
    const int64_t vertices = item.path.elementCount();
    const auto found = item.drawn == Drawn::line ? _r.linetypes.constFind(linetype)
                                                 : _r.linetypes.constEnd();
    double total = 0;
    if (found != _r.linetypes.constEnd())
        for (double v : found->pattern)
            total += v * std::abs(_r.ltscale * item.style.ltscale * _dashScale);
    const double n = found != _r.linetypes.constEnd() ? found->pattern.size() : 0;
    const double stretch = Stretch(m);
    // As DashPath decides: a pattern finer than the plotter draws is drawn solid.
    if (n == 0 || !(total * _k * stretch >= n)) {
        _vertices += vertices;
    } else {
        for (double length : Lengths(item)) {
            const double dashes = length * stretch / total * n / 2;
            // Counted as a double first: a line may be cut into more pieces than an int holds.
            _dashes += static_cast<int64_t>(std::min(dashes, 1e15)) + 1;
        }
    }
    return _vertices + 2 * _dashes <= _max;
}

Note DxfPlotCount::Refusal() const {
    if (2 * _dashes > _vertices)
        return Note(NoteId::DxfLinetypesCutLines, {std::to_string(_max / 2)});
    return Note(NoteId::DxfInsertedBlocksMultiply, {std::to_string(_max)});
}
