#pragma once
// A drawing longer along the roll than the plotter takes at once, cut into panels: stretches of
// the roll length along the paper's length (plotter y, from the printable area's lower edge,
// where the plotter starts), each plotted as a plot of its own in its own coordinates. A line
// crossing from one stretch into the next is cut exactly on the boundary: both pieces end on
// the same rounded point, so they meet within a plotter unit, and nothing is drawn twice.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "plotjob/plot_note.h"

// The roll length in plotter units when the configuration makes it matter: roll paper, a roll
// length set (0 is none) and shorter than the printable area's length. A negative one is bad
// input: the reason in *problem.
std::optional<int32_t> RollLengthUnits(bool rollFeed, int rollLengthPoints, const PlotArea& area,
                                       Note* problem);

// Which stretches hold some of the drawing, the first and last stretch reaching out to
// whatever lies below and above the area (the plotter's reach).
struct RollUse {
    size_t count = 0;  // stretches the area's length makes
    size_t first = 0;  // the first and the last stretch holding a line (first > last: none)
    size_t last = 0;
    int32_t reachesTo = 0;  // the highest y any line reaches
};
RollUse StretchesInUse(const PathStore& store, int32_t stretch, int32_t areaHeight);

// What of `store` lies between y = lo and y = hi (a horizontal line exactly on hi belongs to the
// next stretch; `open`ed ends take everything beyond), moved down by `shift`. A closed path cut
// by a boundary comes back as the pieces of it inside, its end and start joined into one.
struct Band {
    int32_t lo = 0, hi = 0;
    bool openBelow = false, openAbove = false;
};
PathStore CutBand(const PathStore& store, const Band& band, int32_t shift);

// Stretch k of `count` of length `stretch`.
Band StretchBand(int32_t stretch, size_t k, size_t count);

// The 1-based page range of the configuration over `panels` panels: [first, last] of those
// selected, or the reason none is.
struct PanelRange {
    int first = 1, last = 1;
};
std::optional<PanelRange> SelectPanels(PanelRange asked, int panels, Note* problem);

// How one page (a drawing without pages is its one page) goes onto the paper: whole; along a
// roll with automatic split, cut into the stretches that hold some of it, each a panel moved to
// its own start; along a roll without it, its first stretch alone, what lies further clipped.
class PageCut {
public:
    PageCut(const PathStore& page, std::optional<int32_t> roll, bool autoSplit,
            const PlotArea& area);

    int panels() const { return _panels; }
    // Clipped at the roll length: how far the page reaches beyond it, in plotter units.
    int32_t beyondRoll() const { return _beyond; }
    // Panel `number` (1-based) as what it plots (the page itself when not cut) and its area.
    const PathStore& Panel(int number, PlotArea* panel);

private:
    const PathStore& _page;
    std::optional<int32_t> _roll;
    PlotArea _area;
    RollUse _use;
    int _panels = 1;
    int32_t _beyond = 0;
    std::optional<PathStore> _cut;
};

// The note naming what the page range leaves out of `count` pages (or panels along the roll):
// "pages 2-3 of 3 are outside the page range 1-1 set in Trazen Plotter Settings; not sent";
// no note (Note()) when it leaves out none.
Note OutsideRangeNote(bool pages, int count, PanelRange asked, PanelRange chosen);
