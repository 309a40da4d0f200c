#include "drawing/stages/stroke_order.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "drawing/stages/line_merge.h"
#include "drawing/stages/path_order.h"
#include "drawing/stages/path_sort.h"

namespace {

// Sort C's bands: 25 mm along the paper's length.
constexpr int32_t kBandUnits = 1000;

// Draws ordered steps as strokes of one reused Stroke: no allocation per line, none per point.
class StepDrawer {
public:
    explicit StepDrawer(StrokeSink& next) : _next(next) {}
    StrokeSink& next() { return _next; }

    // The ordering's own walk of a step, so that what is drawn is what it measured.
    void Draw(const PathSet& paths, const PathStep& step, int pen) {
        _stroke.Clear();
        _stroke.pen = pen;
        ForEachPoint(paths, step, [&](const PlotPoint& p) {
            _stroke.points.push_back({1.0 * p.x, 1.0 * p.y});
        });
        _next.Draw(_stroke);
    }

private:
    StrokeSink& _next;
    Stroke _stroke;
};

// What the ordering needs of one pen's paths, in document order: both ends of an open path
// (the inside never decides where it is entered) and every vertex of a closed one; `index`
// gives each one's place in the store.
PathSet EntriesOfPen(const PathStore& store, const PenChoice& choice, int number,
                     std::vector<uint32_t>& index) {
    PathSet entries, one;
    for (size_t i = 0; i < store.size(); ++i) {
        if (choice.NumberOf(store.pen(i)) != number) continue;
        store.Get(i, one);
        index.push_back(static_cast<uint32_t>(i));
        entries.starts.push_back(static_cast<uint32_t>(entries.points.size()));
        if (one.closed(0))
            entries.points.insert(entries.points.end(), one.points.begin(), one.points.end());
        else
            entries.points.insert(entries.points.end(), {one.points.front(), one.points.back()});
    }
    return entries;
}

// Calls f(number) for each pen number the store uses, lowest first, with that pen selected:
// a pen is taken up once, and all its paths are drawn before the next.
template <class F>
void ForEachPen(StrokeSink& next, const PathStore& store, const PenChoice& choice, F&& f) {
    std::set<int> numbers;
    for (size_t i = 0; i < store.size(); ++i) numbers.insert(choice.NumberOf(store.pen(i)));
    for (int number : numbers) {
        next.SelectPen(number);
        f(number);
    }
}

void DrawOptimised(StepDrawer& drawer, const PathStore& store, const PenChoice& choice) {
    PathSet one;
    StrokeSink& next = drawer.next();
    ForEachPen(next, store, choice, [&](int number) {
        std::vector<uint32_t> index;
        const PathSet entries = EntriesOfPen(store, choice, number, index);
        for (const PathStep& step : OrderPaths(entries, next.position())) {
            store.Get(index[step.path], one);
            const uint32_t last = static_cast<uint32_t>(one.points.size() - 1);
            const uint32_t entry = entries.closed(step.path) ? step.entry - entries.begin(step.path)
                                                             : (step.reversed ? last : 0);
            drawer.Draw(one, PathStep{0, step.reversed, entry}, number);
        }
    });
}

void DrawInDocumentOrder(StepDrawer& drawer, const PathStore& store, const PenChoice& choice) {
    int current = -1;
    PathSet one;
    for (size_t i = 0; i < store.size(); ++i) {
        const int number = choice.NumberOf(store.pen(i));
        if (number != current) drawer.next().SelectPen(number);
        current = number;
        store.Get(i, one);
        drawer.Draw(one, PathStep{0, false, 0}, number);
    }
}

// Every path of one pen, whole, in document order.
PathSet PathsOfPen(const PathStore& store, const PenChoice& choice, int number) {
    PathSet all, one;
    // Room for every point of the drawing: only what this pen fills is ever touched, and the
    // points are never copied again as they grow.
    all.points.reserve(store.points());
    for (size_t i = 0; i < store.size(); ++i) {
        if (choice.NumberOf(store.pen(i)) != number) continue;
        store.Get(i, one);
        all.starts.push_back(static_cast<uint32_t>(all.points.size()));
        all.points.insert(all.points.end(), one.points.begin(), one.points.end());
    }
    return all;
}

}  // namespace

void OrderStrokes(const PathStore& store, const PenChoice& pens, const PlotOptions& options,
                  const PlotArea& area, StrokeSink& next) {
    const bool optimised = options.optimised;
    const bool merge = options.merge;
    StepDrawer drawer(next);
    if (!merge && options.sort == PathSort::None) {
        if (optimised)
            DrawOptimised(drawer, store, pens);
        else
            DrawInDocumentOrder(drawer, store, pens);
        return;
    }
    ForEachPen(next, store, pens, [&](int number) {
        PathSet paths = PathsOfPen(store, pens, number);
        if (merge) paths = MergeLines(std::move(paths));
        std::vector<PathStep> steps;
        if (options.sort == PathSort::InsideFirst)
            steps = InsideFirstOrder(paths, next.position());
        else if (options.sort == PathSort::Bands)
            steps = BandOrder(paths, next.position(), kBandUnits, std::max(area.height, 0));
        else if (optimised)
            steps = OrderPaths(paths, next.position());
        else
            steps = DocumentOrder(paths);
        for (const PathStep& step : steps) drawer.Draw(paths, step, number);
    });
}
