#include "drawing/stages/roll_panels.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Where segment a->b crosses y = level. Both stretches that meet there ask with the same segment
// and level, so both get the same rounded point.
PlotPoint Crossing(PlotPoint a, PlotPoint b, int32_t level) {
    const double t = (static_cast<double>(level) - a.y) / (static_cast<double>(b.y) - a.y);
    return {static_cast<int32_t>(std::lround(a.x + (static_cast<double>(b.x) - a.x) * t)), level};
}

// The part of segment a->b inside the band as the points it starts and ends on; false when
// none, or only a point of it (touching a boundary is not drawing in the stretch).
bool Inside(PlotPoint a, PlotPoint b, const Band& band, PlotPoint* from, PlotPoint* to,
            bool* fromStart, bool* toEnd) {
    const auto within = [&](int32_t y) {
        return (band.openBelow || y >= band.lo) && (band.openAbove || y < band.hi);
    };
    if (a.y == b.y) {
        if (!within(a.y)) return false;
        *from = a, *to = b, *fromStart = *toEnd = true;
        return true;
    }
    const bool up = a.y < b.y;
    const int32_t low = up ? a.y : b.y, high = up ? b.y : a.y;
    const bool cutBelow = !band.openBelow && low < band.lo;
    const bool cutAbove = !band.openAbove && high > band.hi;
    if ((!band.openBelow && high <= band.lo) || (!band.openAbove && low >= band.hi)) return false;
    // Entering and leaving, in the segment's own direction.
    const bool cutAtStart = up ? cutBelow : cutAbove;
    const bool cutAtEnd = up ? cutAbove : cutBelow;
    *fromStart = !cutAtStart;
    *toEnd = !cutAtEnd;
    *from = cutAtStart ? Crossing(a, b, up ? band.lo : band.hi) : a;
    *to = cutAtEnd ? Crossing(a, b, up ? band.hi : band.lo) : b;
    return true;
}

void Add(std::vector<PlotPoint>& piece, PlotPoint p) {
    if (piece.empty() || piece.back() != p) piece.push_back(p);
}

}  // namespace

std::optional<int32_t> RollLengthUnits(bool rollFeed, int rollLengthPoints, const PlotArea& area,
                                       Note* problem) {
    if (!rollFeed || rollLengthPoints == 0) return std::nullopt;
    if (rollLengthPoints < 0) {
        *problem = Note(NoteId::RollLengthNegativePoints, {std::to_string(rollLengthPoints)});
        return std::nullopt;
    }
    const auto units =
        static_cast<int32_t>(std::lround(rollLengthPoints * 25.4 / 72.0 * kPlotUnitsPerMm));
    if (units >= area.height) return std::nullopt;
    return units;
}

RollUse StretchesInUse(const PathStore& store, int32_t stretch, int32_t areaHeight) {
    RollUse use;
    use.count = static_cast<size_t>((int64_t{areaHeight} + stretch - 1) / stretch);
    use.first = std::numeric_limits<size_t>::max();
    use.reachesTo = std::numeric_limits<int32_t>::min();
    const int64_t lastIndex = static_cast<int64_t>(use.count) - 1;
    const auto clamp = [&](int64_t k) {
        return static_cast<size_t>(std::clamp<int64_t>(k, 0, lastIndex));
    };
    PathSet one;
    for (size_t i = 0; i < store.size(); ++i) {
        store.Get(i, one);
        for (size_t k = 0; k < one.points.size(); ++k) {
            use.reachesTo = std::max(use.reachesTo, one.points[k].y);
            if (k == 0 || one.points[k] == one.points[k - 1]) continue;
            const int64_t lo = std::min(one.points[k].y, one.points[k - 1].y);
            const int64_t hi = std::max(one.points[k].y, one.points[k - 1].y);
            // floor and ceil - 1: a segment ending on a boundary does not reach the next stretch.
            const auto floorDiv = [&](int64_t v) {
                return v >= 0 ? v / stretch : -((-v + stretch - 1) / stretch);
            };
            const int64_t from = floorDiv(lo);
            const int64_t to = lo == hi ? from : floorDiv(hi + stretch - 1) - 1;
            use.first = std::min(use.first, clamp(from));
            use.last = std::max(use.last, clamp(to));
        }
    }
    if (use.first > use.last) use.first = 1, use.last = 0;
    return use;
}

Band StretchBand(int32_t stretch, size_t k, size_t count) {
    Band band;
    band.lo = static_cast<int32_t>(k * int64_t{stretch});
    band.hi = static_cast<int32_t>((k + 1) * int64_t{stretch});
    band.openBelow = k == 0;
    band.openAbove = k + 1 == count;
    return band;
}

PathStore CutBand(const PathStore& store, const Band& band, int32_t shift) {
    PathStore out;
    PathSet one, kept;
    std::vector<uint8_t> pens;
    std::vector<std::vector<PlotPoint>> pieces;
    const auto keep = [&](std::vector<PlotPoint>& piece, uint8_t pen) {
        if (piece.size() < 2) return;
        kept.starts.push_back(static_cast<uint32_t>(kept.points.size()));
        for (PlotPoint p : piece) kept.points.push_back({p.x, p.y - shift});
        pens.push_back(pen);
    };
    for (size_t i = 0; i < store.size(); ++i) {
        store.Get(i, one);
        pieces.clear();
        bool open = false, startsAtStart = false, endsAtEnd = false;
        for (size_t k = 1; k < one.points.size(); ++k) {
            PlotPoint from, to;
            bool fromStart = false, toEnd = false;
            if (!Inside(one.points[k - 1], one.points[k], band, &from, &to, &fromStart, &toEnd)) {
                open = false;
                continue;
            }
            if (!open || !fromStart) {
                pieces.emplace_back();
                if (k == 1 && fromStart) startsAtStart = true;
            }
            Add(pieces.back(), from);
            Add(pieces.back(), to);
            open = toEnd;
            endsAtEnd = toEnd && k + 1 == one.points.size();
        }
        // A closed path cut somewhere keeps its start and end drawn in one go.
        const bool closed = one.closed(0);
        if (closed && pieces.size() > 1 && startsAtStart && endsAtEnd) {
            std::vector<PlotPoint>& tail = pieces.back();
            for (PlotPoint p : pieces.front()) Add(tail, p);
            pieces.front().swap(tail);
            pieces.pop_back();
        }
        for (std::vector<PlotPoint>& piece : pieces) keep(piece, store.pen(i));
        if (kept.points.size() >= (1u << 16)) out.Take(kept, pens);
    }
    out.Take(kept, pens);
    return out;
}

std::optional<PanelRange> SelectPanels(PanelRange range, int panels, Note* problem) {
    const std::string first = std::to_string(range.first), last = std::to_string(range.last);
    if (range.first > range.last) {
        *problem = Note(NoteId::PageRangeFirstPage, {first, last});
        return std::nullopt;
    }
    if (range.first > panels) {
        *problem = panels == 1 ? Note(NoteId::PageRangeFirstPageLast, {first, last})
                               : Note(NoteId::PageRangeFirstPageLastPage,
                                      {first, last, std::to_string(panels)});
        return std::nullopt;
    }
    range.last = std::min(range.last, panels);
    return range;
}

PageCut::PageCut(const PathStore& page, std::optional<int32_t> roll, bool autoSplit,
                 const PlotArea& area)
    : _page(page), _roll(roll), _area(area) {
    if (!roll) return;
    _use = StretchesInUse(page, *roll, area.height);
    if (autoSplit) {
        _panels = static_cast<int>(
            std::min<size_t>(_use.last - _use.first + 1, std::numeric_limits<int>::max()));
        return;
    }
    _use.first = 0;
    _beyond = std::max(0, std::min(_use.reachesTo, area.height) - *roll);
}

const PathStore& PageCut::Panel(int number, PlotArea* panel) {
    *panel = _area;
    if (!_roll) return _page;
    const Band band = StretchBand(*_roll, _use.first + static_cast<size_t>(number - 1), _use.count);
    _cut = CutBand(_page, band, band.lo);
    panel->height = std::min(*_roll, _area.height - band.lo);
    return *_cut;
}

Note OutsideRangeNote(bool pages, int count, PanelRange asked, PanelRange chosen) {
    std::vector<PanelRange> out;
    if (chosen.first > 1) out.push_back({1, chosen.first - 1});
    if (chosen.last < count) out.push_back({chosen.last + 1, count});
    if (out.empty()) return {};
    const auto span = [](PanelRange r) {
        return r.first == r.last ? std::to_string(r.first)
                                 : std::to_string(r.first) + "-" + std::to_string(r.last);
    };
    const bool one = out.size() == 1 && out[0].first == out[0].last;
    std::string which = span(out[0]);
    if (out.size() > 1) which += " and " + span(out[1]);
    const NoteId id = pages ? (one ? NoteId::PageOutsideRangeNotSent : NoteId::PagesOutsideRangeNotSent)
                            : (one ? NoteId::PanelOutsideRangeNotSent : NoteId::PanelsOutsideRangeNotSent);
    return Note(id, {which, std::to_string(count),
                     std::to_string(asked.first) + "-" + std::to_string(asked.last)});
}
