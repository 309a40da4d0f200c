#pragma once
// The reader's output stage, kept inline: every vertex of a plot passes through Vertex.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "hpgl/hpgl_plot.h"

// Appends paths to the plot, keeping bounds, length and the segment limit.
class THpglPathBuilder {
public:
    THpglPathBuilder(THpglPlot& plot, std::size_t maxSegments)
        : _plot(plot), _maxSegments(maxSegments) {}

    bool Full() const { return _plot.truncated; }
    bool Open() const { return _open; }

    void Start(double x, double y, int pen, THpglPathKind kind, const THpglLineType& lt) {
        Finish();
        THpglPath path;
        path.pen = pen;
        path.kind = kind;
        path.lineType = lt;
        path.firstPoint = _plot.points.size();
        path.firstSegment = _plot.segmentOffsets.size();
        _plot.paths.push_back(path);
        _plot.points.push_back({static_cast<float>(x), static_cast<float>(y)});
        _lastX = x;
        _lastY = y;
        _open = true;
    }

    void Vertex(double x, double y, std::uint64_t offset) {
        if (!_open) return;
        if (_segmentsBefore + _plot.segmentOffsets.size() >= _maxSegments) {
            _plot.truncated = true;
            return;
        }
        THpglPath& path = _plot.paths.back();
        if (path.firstSegment == _plot.segmentOffsets.size()) _plot.bounds.Add(_lastX, _lastY);
        _plot.bounds.Add(x, y);
        if (path.kind == THpglPathKind::Line) {
            _plot.penDownLength += std::hypot(x - _lastX, y - _lastY);
        }
        _plot.points.push_back({static_cast<float>(x), static_cast<float>(y)});
        _plot.segmentOffsets.push_back(offset);
        _lastX = x;
        _lastY = y;
    }

    // Drops a path that never got a segment.
    void Finish() {
        if (!_open) return;
        _open = false;
        THpglPath& path = _plot.paths.back();
        path.pointCount = _plot.points.size() - path.firstPoint;
        if (path.pointCount < 2) {
            _plot.points.resize(path.firstPoint);
            _plot.paths.pop_back();
        }
    }

    // Hands the paths so far to `batch` and forgets them. An open path goes too, as far as it
    // has come, and carries on from its last vertex as a new path: a pen that stays down for a
    // whole file must not pile up in memory, nor be copied at every batch.
    // Bounds, length and counters keep running over the whole input.
    void Flush(const std::function<void(const THpglPlot&)>& batch) {
        std::optional<THpglPath> carried;
        THpglPoint from;
        if (_open) {
            THpglPath& open = _plot.paths.back();
            const std::size_t points = _plot.points.size() - open.firstPoint;
            carried = open;
            from = _plot.points.back();
            if (points >= 2) {
                open.pointCount = points;
            } else {
                _plot.points.resize(open.firstPoint);
                _plot.paths.pop_back();
            }
        }
        if (!_plot.paths.empty()) batch(_plot);
        _segmentsBefore += _plot.segmentOffsets.size();
        _plot.paths.clear();
        _plot.points.clear();
        _plot.segmentOffsets.clear();
        if (carried) {
            carried->firstPoint = 0;
            carried->firstSegment = 0;
            carried->pointCount = 0;
            _plot.paths.push_back(*carried);
            _plot.points.push_back(from);
        }
    }

private:
    THpglPlot& _plot;
    std::size_t _maxSegments;
    std::size_t _segmentsBefore = 0;  // handed over in earlier batches
    bool _open = false;
    double _lastX = 0, _lastY = 0;
};
