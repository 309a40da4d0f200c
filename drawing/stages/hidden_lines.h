#pragma once
// Lines a later opaque shape covers, left out: each path of the store is cut where it passes
// under a shape painted after it (within a plotter unit), and what lies under one is dropped.
// The covers are looked up by a grid over the paper, so that a path far from every later cover
// costs a glance at the cells it crosses, and one deep under a cover is dropped without being
// cut.

#include <cstdint>

class CoverStore;
class PathStore;

struct HiddenLines {
    uint64_t cut = 0;      // paths partly hidden
    uint64_t dropped = 0;  // paths hidden whole
    // Pieces of white shapes' edges shown where they lie over a colour (the colour's boundary
    // there, which the drawing shows).
    uint64_t edges = 0;
    // The work ran past its bound (or the covers were given up): nothing was hidden.
    bool givenUp = false;
};

// `store` without what `covers` hide; left as it is (the same bytes) when nothing is hidden.
// The cutting is bounded by the points of the store and of the covers, a few times over.
HiddenLines HideCovered(PathStore& store, const CoverStore& covers);
