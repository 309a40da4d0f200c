#include "drawing/plot_stages.h"

#include <algorithm>
#include <set>
#include <vector>

#include "drawing/path_order.h"

namespace {

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

void WriteOptimised(HpglWriter& writer, const PathStore& store, const PenChoice& choice) {
    std::set<int> numbers;
    for (size_t i = 0; i < store.size(); ++i) numbers.insert(choice.NumberOf(store.pen(i)));
    PathSet one;
    for (int number : numbers) {
        writer.SelectPen(number);
        std::vector<uint32_t> index;
        const PathSet entries = EntriesOfPen(store, choice, number, index);
        for (const PathStep& step : OrderPaths(entries, writer.position())) {
            store.Get(index[step.path], one);
            const uint32_t last = static_cast<uint32_t>(one.points.size() - 1);
            const uint32_t entry = entries.closed(step.path) ? step.entry - entries.begin(step.path)
                                                             : (step.reversed ? last : 0);
            writer.Draw(one, PathStep{0, step.reversed, entry});
        }
    }
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

}  // namespace

void WritePaths(HpglWriter& writer, const PathStore& store, const PenChoice& pens,
                const TPrConfig& config, const PlotArea&) {
    // The check box is stored inverted: 0 is ticked.
    if (config.foptln == 0)
        WriteOptimised(writer, store, pens);
    else
        WriteInDocumentOrder(writer, store, pens);
}
