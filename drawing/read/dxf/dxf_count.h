#pragma once
// What painting a DXF would make, counted in the walk that finds its extents, before any of it
// is made: inserts multiply their blocks' vertices, and a linetype cuts each line into dashes. A
// small file can ask for billions of either; painting them would run until the reading's time
// or memory ran out.

#include <QString>
#include <QTransform>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "drawing/read/dxf/dxf_reader.h"
#include "plotjob/plot_note.h"

class DxfPlotCount {
public:
    // `unitsPerDrawingUnit`: plotter units per drawing unit, as the lines are painted;
    // `maxPoints`: what a plot holds.
    DxfPlotCount(const Reader& reader, double unitsPerDrawingUnit, int64_t maxPoints)
        : _r(reader), _k(unitsPerDrawingUnit), _max(maxPoints) {}

    // One run of the walk at `m` in `linetype`; false once the drawing is past what a plot holds.
    bool Add(const Item& item, const QTransform& m, const QString& linetype);
    // Why, naming what multiplied: the inserts or the linetypes.
    Note Refusal() const;
    // Dashes from here on `scale` times what the drawing says, as they are painted (a
    // viewport's, at the paper's length).
    void SetDashScale(double scale) { _dashScale = scale; }

private:
    const std::vector<double>& Lengths(const Item& item);

    const Reader& _r;
    double _k;
    int64_t _max;
    int64_t _vertices = 0, _dashes = 0;
    double _dashScale = 1;
    std::unordered_map<const Item*, std::vector<double>> _lengths;  // of each subpath
};
