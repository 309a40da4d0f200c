#include "drawing/geometry/cover_store.h"

#include <algorithm>

void PlotBox::add(PlotPoint p) {
    if (empty()) {
        x0 = x1 = p.x;
        y0 = y1 = p.y;
        return;
    }
    x0 = std::min(x0, p.x);
    x1 = std::max(x1, p.x);
    y0 = std::min(y0, p.y);
    y1 = std::max(y1, p.y);
}

void CoverStore::GiveUp() {
    _full = true;
    _covers = {};
    _starts = {};
    _points = {};
    _paper = 0;
    _lines = {};
    _linePoints = {};
    _lineStarts = {};
    _lineCounts = {};
}

void CoverStore::Add(uint32_t position, const std::vector<std::vector<PlotPoint>>& rings,
                     CoverPaint paint) {
    if (_full) return;
    size_t points = 0;
    for (const std::vector<PlotPoint>& ring : rings) points += ring.size();
    if (this->points() + points > kMostPoints || _covers.size() >= kMostCovers) {
        GiveUp();
        return;
    }
    Cover cover{position, static_cast<uint32_t>(_starts.size()), 0, {}, paint};
    for (const std::vector<PlotPoint>& ring : rings) {
        if (ring.size() < 3) continue;
        _starts.push_back(_points.size());
        for (PlotPoint p : ring) cover.box.add(p);
        _points.insert(_points.end(), ring.begin(), ring.end());
        ++cover.rings;
    }
    if (cover.rings == 0) return;
    _covers.push_back(cover);
    _paper += paint.paper ? 1 : 0;
}

void CoverStore::AddPaperLine(uint32_t position, const std::vector<PlotPoint>& line) {
    if (_full || line.size() < 2) return;
    if (points() + line.size() > kMostPoints) {
        GiveUp();
        return;
    }
    PaperLine white{position, static_cast<uint32_t>(_covers.size()), {}};
    for (PlotPoint p : line) white.box.add(p);
    _lines.push_back(white);
    _lineStarts.push_back(_linePoints.size());
    _lineCounts.push_back(static_cast<uint32_t>(line.size()));
    _linePoints.insert(_linePoints.end(), line.begin(), line.end());
}
