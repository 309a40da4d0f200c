#pragma once
// The other half of clip_marks.h: the shapes Qt paints from a marked drawing, with the marks
// taken out and each clip applied to what it clips (within whatever clip the painter had). A
// clip in the bounding box's units waits for the element's shapes, whose box it needs, then
// lets them go in order.

#include <QPainterPath>
#include <memory>
#include <optional>
#include <vector>

#include "drawing/paint/clip_region.h"
#include "drawing/paint/path_engine.h"
#include "plotjob/plot_note.h"

class ClipMarks {
public:
    explicit ClipMarks(PaintedPathSink take) : _take(std::move(take)) {}

    void Take(const PaintedPath& shape);

    // Why the drawing can't be plotted: a pattern repeats its tile more often than a plot
    // could hold. Nothing more is taken then.
    const std::optional<Note>& refusal() const { return _refusal; }

private:
    // A painted shape kept: while a clip waits for its box, or as a clip path's shape.
    struct Kept {
        std::optional<QPainterPath> path;
        QRectF ellipse;
        QTransform transform;
        bool filled = false;
        QColor colour, fill, stroke;
        QPen pen;
        std::shared_ptr<const ClipRegion> clip;
        double fillAlpha = 0, strokeAlpha = 0;  // a covering shape stays one when replayed
    };
    struct Frame {
        std::shared_ptr<const ClipRegion> region;  // device units, within the frames around
        // The painter's clip last met under this frame, and both together.
        std::shared_ptr<const ClipRegion> painter, both;
    };

    // The clip path's shapes read so far apply from here on.
    void Push();
    void Resolve();
    void Deliver(const PaintedPath& shape);
    // The tile's content at each place the shape's clip can show it, within the tile.
    void Tile();
    Kept Keep(const PaintedPath& shape);
    std::shared_ptr<const ClipRegion> Within(const std::shared_ptr<const ClipRegion>& region) const;

    PaintedPathSink _take;
    std::vector<Frame> _frames;
    std::vector<Kept> _shapes;  // of the clip path being read
    bool _box = false;          // in the bounding box's units
    // A clip waiting for the box of what it clips: its shapes, where it applies, and what was
    // painted since (marks too), until its element ends.
    std::optional<std::vector<Kept>> _waiting;
    std::vector<Kept> _waitingShapes;
    QTransform _waitingAt;
    int _waitingDepth = 0;
    std::shared_ptr<const ClipRegion> _lastPainter;  // a copy of the painter's clip last kept
    // A pattern's tile being read: where it lies first (its units to the device), its size,
    // and its content.
    struct Tiling {
        QTransform at;
        QSizeF size;
        std::vector<Kept> content;
    };
    std::optional<Tiling> _tiling;
    std::optional<Note> _refusal;
};

// Tiles a pattern fill may be cut into before the drawing is refused: as many as 2 mm tiles
// over a metre square (each is clipped on its own).
inline constexpr double kMaxPatternTiles = 250'000;
