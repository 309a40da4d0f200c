#pragma once
// What the HP-GL reader hands to the previews: pen-numbered polylines in plotter units (1/40 mm,
// y upwards), each segment tagged with the byte offset of the instruction that drew it, so that a
// preview can mark what part of a transfer has already gone out.
//
// Layout. All vertices of all paths live in one array (`points`); a path is a run of
// `pointCount` (>= 2) consecutive vertices starting at `firstPoint`. A path of n vertices has n-1
// segments. Segments are numbered over the whole plot in drawing order: segment `firstSegment + j`
// of a path goes from points[firstPoint + j] to points[firstPoint + j + 1], and its instruction
// offset is `segmentOffsets[firstSegment + j]`. The reader reads in one pass, so segment offsets
// never decrease and paths are in drawing order; that is what makes the progress queries a binary
// search.
//
// A pen put down and lifted again without moving (a dot) is a path of two equal vertices.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Vertices are stored single precision: a preview needs no more, and a 50 MB plot holds millions.
struct THpglPoint {
    float x = 0;
    float y = 0;
};

struct THpglBox {
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;
    bool empty = true;

    void Add(double x, double y);
    double Width() const { return empty ? 0 : maxX - minX; }
    double Height() const { return empty ? 0 : maxY - minY; }
};

enum class THpglPathKind : std::uint8_t {
    Line,   // pen-down movement: PD/PA/PR lists, arcs, circles, rectangle outlines
    Label,  // the outline of a label's extent (LB); no glyphs are drawn
};

// Line type as set by LT. `solid` is LT without parameters; otherwise `type` is the HP-GL pattern
// number (0 to 8, negative for the adaptive variant) and `patternLength` the length of one
// pattern repeat in plotter units. The reader does not cut paths into dashes; a preview that wants
// dashes applies HpglDashPattern along the path.
struct THpglLineType {
    bool solid = true;
    std::int8_t type = 0;
    float patternLength = 0;
};

struct THpglPath {
    int pen = 1;
    THpglPathKind kind = THpglPathKind::Line;
    THpglLineType lineType;
    std::size_t firstPoint = 0;
    std::size_t pointCount = 0;
    std::size_t firstSegment = 0;

    std::size_t SegmentCount() const { return pointCount - 1; }
};

// How far a transfer has come, in terms of the drawing: the first `segments` segments (over the
// whole plot) are done; paths [0, paths) have at least one finished segment, and the last of them,
// paths[paths - 1], is drawn up to (and including) vertex `lastPathPoints - 1`.
struct THpglProgress {
    std::size_t segments = 0;
    std::size_t paths = 0;
    std::size_t lastPathPoints = 0;
};

struct THpglPlot {
    std::vector<THpglPoint> points;
    std::vector<std::uint64_t> segmentOffsets;
    std::vector<THpglPath> paths;

    // Of the pen-down geometry (lines and label boxes), in plotter units. Pen-up moves don't count.
    THpglBox bounds;
    // Total length of pen-down movement in plotter units, as if every line were solid. Label
    // boxes are not counted: they stand for glyphs, not for pen travel.
    double penDownLength = 0;

    // Instructions read and instructions skipped (unknown, or known but unusable parameters).
    std::size_t instructions = 0;
    std::size_t skipped = 0;
    // True when the reader stopped adding geometry at THpglOptions::maxSegments.
    bool truncated = false;

    std::size_t SegmentCount() const { return segmentOffsets.size(); }

    // Number of segments whose instruction starts at or before byte `offset` of the input.
    // O(log n). When `sent` bytes have gone out, SegmentsAtOrBefore(sent - 1) are the segments
    // whose instruction has at least begun to go out.
    std::size_t SegmentsAtOrBefore(std::uint64_t offset) const;

    // Number of paths that have at least one segment at or before `offset` (paths [0, result)).
    // O(log n).
    std::size_t PathsAtOrBefore(std::uint64_t offset) const;

    // Both of the above, plus how much of the last of those paths is drawn. O(log n).
    THpglProgress ProgressAt(std::uint64_t offset) const;

    // The vertices of one path.
    std::span<const THpglPoint> PathPoints(const THpglPath& path) const {
        return {points.data() + path.firstPoint, path.pointCount};
    }
};

// Dash pattern of an HP-GL line type as alternating pen-down / pen-up lengths, in percent of the
// pattern length (they add up to 100). A down length of 0 is a dot. Solid lines and unknown types
// give an empty pattern; negative (adaptive) types give the same pattern as their positive twin.
std::span<const float> HpglDashPattern(int type);
