#pragma once
// The area a drawing lets show through (a PDF's clipping path, an SVG's clip path, the canvas),
// in device units, and the lines and areas it cuts. Clipper (libpolyclipping) does the cutting:
// it cuts open polylines against polygons, which QPainterPath::intersected can't (it closes
// them), and it works on integers, so points go onto a grid far finer than a plotter unit.

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <cstddef>
#include <memory>
#include <polyclipping/clipper.hpp>
#include <vector>

#include "drawing/paint/hatch.h"

using Polyline = std::vector<QPointF>;

class ClipRegion {
public:
    // `path` in device units, under its own fill rule; curves flattened within a quarter unit.
    static std::shared_ptr<const ClipRegion> FromPath(const QPainterPath& path);
    static std::shared_ptr<const ClipRegion> FromRect(const QRectF& rect);
    // What any of `paths` lets through, each under its own fill rule (none: nothing).
    static std::shared_ptr<const ClipRegion> FromPaths(const std::vector<QPainterPath>& paths);

    // What both let through.
    std::shared_ptr<const ClipRegion> Intersected(const ClipRegion& other) const;

    bool SameAs(const ClipRegion& other) const {
        return _rect == other._rect && _polygons == other._polygons;
    }

    // The region's box (null when it lets nothing through).
    const QRectF& box() const { return _box; }
    // Whether all of `box` shows through: then nothing in it needs cutting.
    bool Holds(const QRectF& box) const { return _rect && _box.contains(box); }
    // Whether none of `box` can show through.
    bool Misses(const QRectF& box) const { return !_box.intersects(box.adjusted(-1, -1, 1, 1)); }

    // The pieces of `lines` inside the region.
    std::vector<Polyline> CutLines(const std::vector<Polyline>& lines) const;
    // A piece of one of `lines` inside the region, and where along that line it starts: its
    // segment's index plus the share of that segment before the piece.
    struct LinePiece {
        size_t line = 0;
        double from = 0;
        Polyline points;
    };
    std::vector<LinePiece> CutLinesAlong(const std::vector<Polyline>& lines) const;
    // The area `rings` enclose under `rule`, inside the region, as boundaries (holes included).
    std::vector<Ring> CutArea(const std::vector<Ring>& rings, Qt::FillRule rule) const;

    explicit ClipRegion(ClipperLib::Paths polygons, bool rect = false);

private:
    ClipperLib::Paths _polygons;  // non-overlapping, holes the other way round (either rule)
    QRectF _box;
    bool _rect;
};
