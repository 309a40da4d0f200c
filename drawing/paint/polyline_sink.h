#pragma once
// Where flattened outlines become plotter polylines: each segment is cut to the plotter's reach
// (the printable area and a little beyond it; the input window clips there anyway), rounded to
// whole plotter units on the paper (y up, a turned page turned onto it), and appended to flat
// point arrays, so that a drawing of a million paths costs a few int32 per vertex and no
// object per path.

#include <QPointF>
#include <QRectF>
#include <cstdint>
#include <vector>

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/plot_path.h"

class PolylineSink {
public:
    // `reach`: device units; nothing outside it is kept. `maxPoints`: beyond it nothing more is
    // kept and full() says so.
    PolylineSink(const PlotArea& area, const QRectF& reach, size_t maxPoints);

    // The pen entry (0-based) of the polylines that follow.
    void SetPen(uint8_t pen) { _pen = pen; }
    // Whether the closed polylines that follow bound a fill no stroke draws: where such a
    // boundary goes out and back along one line it encloses nothing, and that spur is no line.
    void SetFillBoundary(bool fill) { _fillBoundary = fill; }

    // Device units. MoveTo starts a new polyline; LineTo draws to the point; Skip moves to a
    // point of the outline without drawing (a piece known to lie outside the reach).
    void MoveTo(QPointF p);
    void LineTo(QPointF p);
    void Skip(QPointF p);
    // A point of an outline a clip hides: the drawing reaches there, the plot does not.
    void Hidden(QPointF p);
    void Finish();  // ends the polyline being drawn

    const QRectF& reach() const { return _reach; }
    // The box of everything drawn, before cutting, in device units (null when nothing).
    QRectF extent() const;
    // The same without what is Hidden().
    QRectF drawnExtent() const;
    int64_t nonFinite() const { return _nonFinite; }
    bool full() const { return _full; }

    PathSet& paths() { return _paths; }
    std::vector<uint8_t>& pens() { return _pens; }

private:
    void Extend(QPointF p);
    void ExtendDrawn(QPointF p);
    void Append(QPointF p);
    void DropSpurs();

    PlotArea _area;
    QRectF _reach;
    size_t _maxPoints;
    PathSet _paths;
    std::vector<uint8_t> _pens;  // per path
    uint8_t _pen = 0;
    QPointF _prev;
    bool _hasPrev = false;
    bool _open = false;  // the last path of _paths is still being drawn
    bool _fillBoundary = false;
    double _minX, _minY, _maxX, _maxY;
    double _drawnMinX, _drawnMinY, _drawnMaxX, _drawnMaxY;
    int64_t _nonFinite = 0;
    bool _full = false;
};
