#pragma once
// How many points a wide stroke's boundary keeps in the plot at the least, told from the stroked
// band without simplifying it (simplifying is most of what counting a band costs): a drawing
// whose hatching can't fit is refused on it, so it must never count a point the plot would
// not keep.

#include <QPainterPath>
#include <cstdint>

// `band`: the stroke's outline in device units, as stroked (its pieces overlap, its fill rule
// is winding), wholly within the plotter's reach. The points of the band's simplified boundary
// once rounded to whole units, at the least.
uint64_t BandPointsAtLeast(const QPainterPath& band);
