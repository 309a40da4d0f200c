#include "drawing/read/svg/clip_marks_apply.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "drawing/read/svg/clip_marks.h"

namespace {

enum class Mark { None, User, Box, Push, Pop, Tile };

Mark MarkOf(const QColor& fill, const QColor& stroke, bool filled) {
    if (!filled || stroke.isValid() || !fill.isValid()) return Mark::None;
    switch (fill.rgb() & 0xffffff) {
        case kClipMarkUser:
            return Mark::User;
        case kClipMarkBox:
            return Mark::Box;
        case kClipMarkPush:
            return Mark::Push;
        case kClipMarkPop:
            return Mark::Pop;
        case kClipMarkTile:
            return Mark::Tile;
        default:
            return Mark::None;
    }
}

}  // namespace

void ClipMarks::Take(const PaintedPath& shape) {
    const Mark mark = MarkOf(shape.fill, shape.stroke, shape.filled);
    if (mark == Mark::None && _frames.empty() && !_waiting) return _take(shape);
    if (_refusal) return;
    if (_waiting) {
        _waiting->push_back(Keep(shape));
        if (mark == Mark::Push) ++_waitingDepth;
        if (mark == Mark::Pop && --_waitingDepth == 0) Resolve();
        return;
    }
    if (_tiling && mark != Mark::Pop) {
        _tiling->content.push_back(Keep(shape));
        return;
    }
    switch (mark) {
        case Mark::User:
        case Mark::Box:
            _box = mark == Mark::Box;
            _shapes.push_back(Keep(shape));
            return;
        case Mark::Push:
            if (_box) {
                _waiting.emplace();
                _waitingShapes = std::move(_shapes);
                _waitingAt = shape.transform;
                _waitingDepth = 1;
            } else {
                Push();
            }
            _shapes.clear();
            _box = false;
            return;
        case Mark::Tile:
            _tiling.emplace(Tiling{
                shape.transform, shape.path ? shape.path->boundingRect().size() : QSizeF(), {}});
            return;
        case Mark::Pop:
            if (_tiling) Tile();
            _tiling.reset();
            if (!_frames.empty()) _frames.pop_back();
            return;
        case Mark::None:
            Deliver(shape);
    }
}

void ClipMarks::Push() {
    std::vector<QPainterPath> paths;
    for (const Kept& shape : _shapes) {
        QPainterPath own = shape.path ? *shape.path : QPainterPath();
        if (!shape.path) own.addEllipse(shape.ellipse);
        paths.push_back(shape.transform.map(own));
    }
    std::shared_ptr<const ClipRegion> region = ClipRegion::FromPaths(paths);
    _frames.push_back(Frame{Within(region), nullptr, nullptr});
}

// The element has ended: its box, in the units the clip was used in, places the clip's shapes.
void ClipMarks::Resolve() {
    std::vector<Kept> painted = std::move(*_waiting);
    _waiting.reset();
    bool invertible = false;
    const QTransform back = _waitingAt.inverted(&invertible);
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0, x1 = -x0, y1 = -x0;
    for (const Kept& shape : painted) {
        if (!invertible || MarkOf(shape.fill, shape.stroke, shape.filled) != Mark::None) continue;
        const QTransform toUser = shape.transform * back;
        const QRectF box =
            shape.path ? toUser.map(*shape.path).boundingRect() : toUser.mapRect(shape.ellipse);
        x0 = std::min(x0, box.left()), y0 = std::min(y0, box.top());
        x1 = std::max(x1, box.right()), y1 = std::max(y1, box.bottom());
    }
    // A box of no width or height shows nothing, as SVG says.
    _shapes.clear();
    if (x1 > x0 && y1 > y0) {
        const QTransform unit(x1 - x0, 0, 0, y1 - y0, x0, y0);
        for (Kept& shape : _waitingShapes) {
            shape.transform = shape.transform * back * unit * _waitingAt;
            _shapes.push_back(std::move(shape));
        }
        Push();
    } else {
        _frames.push_back(
            Frame{std::make_shared<ClipRegion>(ClipperLib::Paths{}), nullptr, nullptr});
    }
    _shapes.clear();
    _waitingShapes.clear();
    // What waited goes on in order: clips within it, and its end, which ends this clip.
    for (const Kept& shape : painted)
        Take(PaintedPath{shape.path ? &*shape.path : nullptr, shape.ellipse, shape.transform,
                         shape.filled, shape.colour, shape.fill, shape.stroke, shape.pen,
                         shape.clip.get(), shape.fillAlpha, shape.strokeAlpha});
}

std::shared_ptr<const ClipRegion> ClipMarks::Within(
    const std::shared_ptr<const ClipRegion>& region) const {
    if (_frames.empty()) return region;
    return region->Intersected(*_frames.back().region);
}

void ClipMarks::Deliver(const PaintedPath& shape) {
    Frame& frame = _frames.back();
    const ClipRegion* clip = frame.region.get();
    if (shape.clip) {
        if (!frame.painter || !frame.painter->SameAs(*shape.clip)) {
            frame.painter = std::make_shared<ClipRegion>(*shape.clip);
            frame.both = frame.region->Intersected(*shape.clip);
        }
        clip = frame.both.get();
    }
    _take(PaintedPath{shape.path, shape.ellipse, shape.transform, shape.filled, shape.colour,
                      shape.fill, shape.stroke, shape.pen, clip, shape.fillAlpha,
                      shape.strokeAlpha});
}

ClipMarks::Kept ClipMarks::Keep(const PaintedPath& shape) {
    Kept kept{shape.path ? std::optional<QPainterPath>(*shape.path) : std::nullopt,
              shape.ellipse,
              shape.transform,
              shape.filled,
              shape.colour,
              shape.fill,
              shape.stroke,
              shape.pen,
              nullptr,
              shape.fillAlpha,
              shape.strokeAlpha};
    if (shape.clip) {
        if (!_lastPainter || !_lastPainter->SameAs(*shape.clip))
            _lastPainter = std::make_shared<ClipRegion>(*shape.clip);
        kept.clip = _lastPainter;
    }
    return kept;
}

void ClipMarks::Tile() {
    if (_frames.empty()) return;
    const std::shared_ptr<const ClipRegion> shape = _frames.back().region;
    const QRectF box = shape->box();
    bool invertible = false;
    const QTransform back = _tiling->at.inverted(&invertible);
    const double w = _tiling->size.width(), h = _tiling->size.height();
    if (box.isNull() || !invertible || !(w > 0 && h > 0) || _tiling->content.empty()) return;
    // Counted before any is made: a tile too small for its shape is refused, not repeated.
    const QRectF reach = back.mapRect(box);
    const double i0 = std::floor(reach.left() / w), i1 = std::ceil(reach.right() / w);
    const double j0 = std::floor(reach.top() / h), j1 = std::ceil(reach.bottom() / h);
    if (!((i1 - i0) * (j1 - j0) <= kMaxPatternTiles)) {
        _refusal = Note(NoteId::PatternRepeatsTileMore,
                        {std::to_string(static_cast<int64_t>(kMaxPatternTiles))});
        return;
    }
    for (double j = j0; j < j1; ++j)
        for (double i = i0; i < i1; ++i) {
            QPainterPath cell;
            cell.addRect(QRectF(i * w, j * h, w, h));
            const std::shared_ptr<const ClipRegion> region =
                ClipRegion::FromPath(_tiling->at.map(cell))->Intersected(*shape);
            if (region->box().isNull()) continue;
            const QTransform move = back * QTransform::fromTranslate(i * w, j * h) * _tiling->at;
            for (const Kept& c : _tiling->content) {
                const QTransform placed = c.transform * move;
                const std::shared_ptr<const ClipRegion> both =
                    c.clip ? region->Intersected(*c.clip) : region;
                _take(PaintedPath{c.path ? &*c.path : nullptr, c.ellipse, placed, c.filled,
                                  c.colour, c.fill, c.stroke, c.pen, both.get(), c.fillAlpha,
                                  c.strokeAlpha});
            }
        }
}
