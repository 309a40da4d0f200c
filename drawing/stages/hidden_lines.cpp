#include "drawing/stages/hidden_lines.h"

#include <algorithm>
#include <optional>
#include <polyclipping/clipper.hpp>
#include <utility>

#include "drawing/geometry/cover_grid.h"
#include "drawing/geometry/cover_store.h"
#include "drawing/geometry/path_store.h"

namespace {

using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

// Kept paths go on into the new store in batches of about this many points.
constexpr size_t kBatchPoints = size_t{1} << 16;

// Where along `line` a piece of it lies: the segment nearest the middle of the piece's first
// edge, and whether the piece runs the line's way there.
struct Place {
    size_t segment = 0;
    double along = 0;  // of the piece's first point on that segment, 0..1
    bool forwards = true;
};

Place PlaceOf(const Path& line, const Path& piece) {
    const double mx = (piece[0].X + piece[1].X) / 2.0, my = (piece[0].Y + piece[1].Y) / 2.0;
    Place best;
    double nearest = -1;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        const double ax = line[i].X, ay = line[i].Y;
        const double dx = line[i + 1].X - ax, dy = line[i + 1].Y - ay;
        const double length = dx * dx + dy * dy;
        if (length == 0) continue;
        const double t = std::clamp(((mx - ax) * dx + (my - ay) * dy) / length, 0.0, 1.0);
        const double ex = ax + t * dx - mx, ey = ay + t * dy - my;
        const double distance = ex * ex + ey * ey;
        if (nearest >= 0 && distance >= nearest) continue;
        nearest = distance;
        best.segment = i;
        best.forwards = (piece[1].X - piece[0].X) * dx + (piece[1].Y - piece[0].Y) * dy >= 0;
        const IntPoint& first = best.forwards ? piece.front() : piece.back();
        best.along = std::clamp(((first.X - ax) * dx + (first.Y - ay) * dy) / length, 0.0, 1.0);
    }
    return best;
}

// Clipper hands the pieces of an open path back in no set direction or order: they go on
// running the way the path ran, in its order, and a closed path's piece through its first point
// is one piece again.
Paths InPathOrder(const Path& line, Paths pieces) {
    std::vector<std::pair<Place, Path>> placed;
    for (Path& piece : pieces) {
        if (piece.size() < 2) continue;
        const Place place = PlaceOf(line, piece);
        if (!place.forwards) std::reverse(piece.begin(), piece.end());
        placed.emplace_back(place, std::move(piece));
    }
    std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
        return a.first.segment != b.first.segment ? a.first.segment < b.first.segment
                                                  : a.first.along < b.first.along;
    });
    Paths out;
    for (auto& [place, piece] : placed) out.push_back(std::move(piece));
    const bool closed = line.size() > 3 && line.front() == line.back();
    if (closed && out.size() > 1 && out.front().front() == line.front() &&
        out.back().back() == line.back()) {
        out.back().insert(out.back().end(), out.front().begin() + 1, out.front().end());
        out.front() = std::move(out.back());
        out.pop_back();
    }
    return out;
}

class Hider {
public:
    Hider(const CoverStore& covers, uint64_t budget)
        : _covers(covers), _grid(covers), _budget(budget) {}

    bool spent() const { return _work > _budget; }

    // The polyline `points` (n of them), painted as path `index`, into `kept` without what
    // later covers hide. With `from` (a cover's index) only that cover and those after it
    // hide it: the line is in the paper's white, painted between two covers.
    void Pass(const PlotPoint* points, size_t n, uint32_t index, uint8_t pen, PathSet& kept,
              std::vector<uint8_t>& pens, std::optional<uint32_t> from = std::nullopt) {
        switch (Classify(points, n, index, from)) {
            case CoverGrid::Under::nothing:
                Keep(points, n, pen, kept, pens);
                return;
            case CoverGrid::Under::whole:
                ++_result.dropped;
                return;
            case CoverGrid::Under::part:
                break;
        }
        Path line;
        line.reserve(n);
        PlotBox box;
        for (size_t i = 0; i < n; ++i) {
            line.emplace_back(points[i].x, points[i].y);
            box.add(points[i]);
        }
        _work += n;
        ClipperLib::Clipper clipper;
        clipper.PreserveCollinear(true);
        clipper.AddPath(line, ClipperLib::ptSubject, false);
        if (!AddCovers(box, index, from, clipper)) {
            Keep(points, n, pen, kept, pens);
            return;
        }
        ClipperLib::PolyTree tree;
        clipper.Execute(ClipperLib::ctDifference, tree, ClipperLib::pftNonZero,
                        ClipperLib::pftNonZero);
        Paths pieces;
        ClipperLib::OpenPathsFromPolyTree(tree, pieces);
        if (pieces.size() == 1 && pieces.front() == line) {
            Keep(points, n, pen, kept, pens);
            return;
        }
        ++(pieces.empty() ? _result.dropped : _result.cut);
        for (const Path& piece : InPathOrder(line, std::move(pieces))) {
            kept.starts.push_back(static_cast<uint32_t>(kept.points.size()));
            for (const IntPoint& p : piece)
                kept.points.push_back({static_cast<int32_t>(p.X), static_cast<int32_t>(p.Y)});
            pens.push_back(pen);
        }
    }

    const HiddenLines& result() const { return _result; }

    // The edge of paper cover `c` where what lies under it shows a colour.
    void PaperEdges(uint32_t c, PathSet& kept, std::vector<uint8_t>& pens) {
        const CoverStore::Cover& white = _covers.cover(c);
        Path line;
        for (uint32_t r = white.firstRing; r < white.firstRing + white.rings; ++r) {
            RingPath(r, &line);
            line.push_back(line.front());
            if (!OverColour(line, white.box, white.position, c, c + 1, kept, pens)) return;
        }
    }

    // Paper line `i` where what lies under it shows a colour.
    void PaperLine(size_t i, PathSet& kept, std::vector<uint8_t>& pens) {
        const CoverStore::PaperLine& white = _covers.paperLine(i);
        Path line;
        for (const PlotPoint* p = _covers.lineBegin(i); p != _covers.lineEnd(i); ++p)
            line.emplace_back(p->x, p->y);
        OverColour(line, white.box, white.position, white.covers, white.covers, kept, pens);
    }

private:
    // The white `line` (within `box`), painted at `position` over covers 0 to `below` - 1
    // and under cover `from` and those after it, where it shows: each piece in the pen of the
    // topmost cover under it there that is not the paper's, without what later covers hide.
    // Over the paper, or over white, nothing. False when no cover under its box is coloured.
    bool OverColour(const Path& line, const PlotBox& box, uint32_t position, uint32_t below,
                    uint32_t from, PathSet& kept, std::vector<uint8_t>& pens) {
        std::vector<uint32_t> under;  // topmost first
        bool coloured = false;
        for (uint32_t j = below; j-- > 0;) {
            const CoverStore::Cover& cover = _covers.cover(j);
            if (!cover.box.meets(box)) continue;
            under.push_back(j);
            coloured = coloured || !cover.paint.paper;
        }
        _work += below / 16;
        if (!coloured) return false;
        std::vector<PlotPoint> shown;
        Paths rest{line};
        for (uint32_t j = 0; j < under.size() && !rest.empty() && !spent(); ++j) {
            Paths inside;
            rest = Split(std::move(rest), under[j], &inside);
            const CoverPaint paint = _covers.cover(under[j]).paint;
            if (paint.paper) continue;
            for (const Path& piece : InPathOrder(line, std::move(inside))) {
                shown.clear();
                for (const IntPoint& p : piece)
                    shown.push_back({static_cast<int32_t>(p.X), static_cast<int32_t>(p.Y)});
                ++_result.edges;
                Pass(shown.data(), shown.size(), position, paint.pen, kept, pens, from);
            }
        }
        return true;
    }

    // The pieces of `lines` outside cover `c`; those inside it into *inside.
    Paths Split(Paths lines, uint32_t c, Paths* inside) {
        const CoverStore::Cover& cover = _covers.cover(c);
        ClipperLib::Clipper clipper;
        clipper.PreserveCollinear(true);
        for (const Path& line : lines) _work += line.size();
        clipper.AddPaths(lines, ClipperLib::ptSubject, false);
        Path ring;
        for (uint32_t r = cover.firstRing; r < cover.firstRing + cover.rings; ++r) {
            RingPath(r, &ring);
            _work += ring.size();
            clipper.AddPath(ring, ClipperLib::ptClip, true);
        }
        ClipperLib::PolyTree tree;
        clipper.Execute(ClipperLib::ctIntersection, tree, ClipperLib::pftNonZero,
                        ClipperLib::pftNonZero);
        ClipperLib::OpenPathsFromPolyTree(tree, *inside);
        clipper.Execute(ClipperLib::ctDifference, tree, ClipperLib::pftNonZero,
                        ClipperLib::pftNonZero);
        Paths outside;
        ClipperLib::OpenPathsFromPolyTree(tree, outside);
        return outside;
    }

    // As the grid tells it. A cover's edge was painted when the cover was: the grid, which
    // knows places in paint order and not covers, can say only that nothing reaches it.
    CoverGrid::Under Classify(const PlotPoint* points, size_t n, uint32_t index,
                              std::optional<uint32_t> from) const {
        if (!from) return _grid.Classify(points, n, index);
        if (index == 0) return CoverGrid::Under::part;
        const CoverGrid::Under under = _grid.Classify(points, n, index - 1);
        return under == CoverGrid::Under::nothing ? under : CoverGrid::Under::part;
    }

    // Ring `r` of the covers as Clipper's path.
    void RingPath(uint32_t r, Path* ring) const {
        ring->clear();
        for (const PlotPoint* p = _covers.ringBegin(r); p != _covers.ringEnd(r); ++p)
            ring->emplace_back(p->x, p->y);
    }

    static void Keep(const PlotPoint* points, size_t n, uint8_t pen, PathSet& kept,
                     std::vector<uint8_t>& pens) {
        kept.starts.push_back(static_cast<uint32_t>(kept.points.size()));
        kept.points.insert(kept.points.end(), points, points + n);
        pens.push_back(pen);
    }

    // The rings of later covers near `box` as Clipper's clip; false when there are none. A ring
    // whose box misses the path's can be left out, holes and all: it decides nothing there.
    bool AddCovers(const PlotBox& box, uint32_t index, std::optional<uint32_t> from,
                   ClipperLib::Clipper& clipper) {
        Later(box, index, from, &_candidates);
        bool any = false;
        Path ring;
        for (uint32_t c : _candidates) {
            const CoverStore::Cover& cover = _covers.cover(c);
            for (uint32_t r = cover.firstRing; r < cover.firstRing + cover.rings; ++r) {
                PlotBox own;
                for (const PlotPoint* p = _covers.ringBegin(r); p != _covers.ringEnd(r); ++p)
                    own.add(*p);
                if (!own.meets(box)) continue;
                RingPath(r, &ring);
                _work += ring.size();
                clipper.AddPath(ring, ClipperLib::ptClip, true);
                any = true;
            }
        }
        return any;
    }

    // The covers that may hide what was painted as path `index` (or, with `from`, a white
    // line painted at that place before cover `from`) and whose box meets `box`, in paint
    // order.
    void Later(const PlotBox& box, uint32_t index, std::optional<uint32_t> from,
               std::vector<uint32_t>* out) const {
        if (!from) return _grid.Candidates(box, index, out);
        out->clear();
        // Covers painted at the line's place (the grid leaves out those at the first place)
        // hide it when they came after it.
        if (index > 0) {
            _grid.Candidates(box, index - 1, out);
            std::erase_if(*out, [&](uint32_t c) { return c < *from; });
            return;
        }
        for (uint32_t c = *from; c < _covers.size(); ++c)
            if (_covers.cover(c).box.meets(box)) out->push_back(c);
    }

    const CoverStore& _covers;
    CoverGrid _grid;
    std::vector<uint32_t> _candidates;
    HiddenLines _result;
    uint64_t _budget;
    uint64_t _work = 0;  // points handed to Clipper
};

}  // namespace

// Points handed to Clipper per point of the plot and of the covers, and a floor for small
// drawings: past it the drawing is plotted with every outline, as it is, rather than late.
constexpr uint64_t kWorkPerPoint = 2;
constexpr uint64_t kLeastWork = uint64_t{2} << 20;

HiddenLines HideCovered(PathStore& store, const CoverStore& covers) {
    if (covers.full()) return HiddenLines{0, 0, 0, true};
    if (covers.size() == 0) return {};  // a white line over no colour shows nothing
    // Covers are kept in paint order: the last one's place is the latest.
    const uint32_t latest = covers.cover(covers.size() - 1).position;
    Hider hider(covers, kLeastWork + kWorkPerPoint * (store.points() + covers.points()));
    PathStore out;
    PathSet one, kept;
    std::vector<uint8_t> pens;
    // White covers' edges and white lines go in where they were painted, in paint order.
    uint32_t next = 0;
    size_t nextLine = 0;
    const auto edgesUpTo = [&](size_t place) {
        while (!hider.spent()) {
            const bool line = nextLine < covers.paperLines() &&
                              covers.paperLine(nextLine).position <= place;
            if (line && covers.paperLine(nextLine).covers <= next) {
                hider.PaperLine(nextLine++, kept, pens);
            } else if (covers.paperCovers() > 0 && next < covers.size() &&
                       covers.cover(next).position <= place) {
                if (covers.cover(next).paint.paper) hider.PaperEdges(next, kept, pens);
                ++next;
            } else if (line) {
                hider.PaperLine(nextLine++, kept, pens);
            } else {
                return;
            }
        }
    };
    for (size_t i = 0; i < store.size(); ++i) {
        edgesUpTo(i);
        store.Get(i, one);
        if (hider.spent()) return HiddenLines{0, 0, 0, true};
        if (i >= latest) {
            kept.starts.push_back(static_cast<uint32_t>(kept.points.size()));
            kept.points.insert(kept.points.end(), one.points.begin(), one.points.end());
            pens.push_back(store.pen(i));
        } else {
            hider.Pass(one.points.data(), one.points.size(), static_cast<uint32_t>(i),
                       store.pen(i), kept, pens);
        }
        if (kept.points.size() >= kBatchPoints) out.Take(kept, pens);
    }
    edgesUpTo(store.size());
    if (hider.spent()) return HiddenLines{0, 0, 0, true};
    out.Take(kept, pens);
    const HiddenLines result = hider.result();
    if (result.cut > 0 || result.dropped > 0 || result.edges > 0) store = std::move(out);
    return result;
}
