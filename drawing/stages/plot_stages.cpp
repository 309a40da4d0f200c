#include "drawing/stages/plot_stages.h"

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
void ForEachPen(HpglWriter& writer, const PathStore& store, const PenChoice& choice, F&& f) {
    std::set<int> numbers;
    for (size_t i = 0; i < store.size(); ++i) numbers.insert(choice.NumberOf(store.pen(i)));
    for (int number : numbers) {
        writer.SelectPen(number);
        f(number);
    }
}

void WriteOptimised(HpglWriter& writer, const PathStore& store, const PenChoice& choice) {
    PathSet one;
    ForEachPen(writer, store, choice, [&](int number) {
        std::vector<uint32_t> index;
        const PathSet entries = EntriesOfPen(store, choice, number, index);
        for (const PathStep& step : OrderPaths(entries, writer.position())) {
            store.Get(index[step.path], one);
            const uint32_t last = static_cast<uint32_t>(one.points.size() - 1);
            const uint32_t entry = entries.closed(step.path) ? step.entry - entries.begin(step.path)
                                                             : (step.reversed ? last : 0);
            writer.Draw(one, PathStep{0, step.reversed, entry});
        }
    });
}

void WriteInDocumentOrder(HpglWriter& writer, const PathStore& store, const PenChoice& choice) {
    int current = -1;
    PathSet one;
    for (size_t i = 0; i < store.size(); ++i) {
        const int number = choice.NumberOf(store.pen(i));
        if (number != current) writer.SelectPen(number);
        current = number;
        store.Get(i, one);
        writer.Draw(one, PathStep{0, false, 0});
    }
}

// Every path of one pen, whole, in document order.
PathSet PathsOfPen(const PathStore& store, const PenChoice& choice, int number) {
    PathSet all, one;
    for (size_t i = 0; i < store.size(); ++i) {
        if (choice.NumberOf(store.pen(i)) != number) continue;
        store.Get(i, one);
        all.starts.push_back(static_cast<uint32_t>(all.points.size()));
        all.points.insert(all.points.end(), one.points.begin(), one.points.end());
    }
    return all;
}

}  // namespace

void WritePaths(HpglWriter& writer, const PathStore& store, const PenChoice& pens,
                const PlotOptions& options, const PlotArea& area) {
    const bool optimised = options.optimised;
    const bool merge = options.merge;
    if (!merge && options.sort == PathSort::None) {
        if (optimised)
            WriteOptimised(writer, store, pens);
        else
            WriteInDocumentOrder(writer, store, pens);
        return;
    }
    ForEachPen(writer, store, pens, [&](int number) {
        PathSet paths = PathsOfPen(store, pens, number);
        if (merge) paths = MergeLines(std::move(paths));
        std::vector<PathStep> steps;
        if (options.sort == PathSort::InsideFirst)
            steps = InsideFirstOrder(paths, writer.position());
        else if (options.sort == PathSort::Bands)
            steps = BandOrder(paths, writer.position(), kBandUnits, std::max(area.height, 0));
        else if (optimised)
            steps = OrderPaths(paths, writer.position());
        else
            steps = DocumentOrder(paths);
        for (const PathStep& step : steps) writer.Draw(paths, step);
    });
}
