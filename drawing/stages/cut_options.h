#pragma once
// What the cutting and output options ask of a plot, as plain values in plotter units
// (0.025 mm) and bytes. Decoded from the records in plot_options.cpp; the stages and the writer
// read only these. Every default leaves the plot as it is without them.

#include <cstdint>
#include <optional>
#include <vector>

#include "drawing/geometry/output_form.h"
#include "plotjob/plot_note.h"

// A closed rectangle cut last around everything else of the plot, for weeding.
struct WeedingFrame {
    bool use = false;
    int pen = 1;  // written in SP
    // How far the frame lies outside the plot's line box, along the plotter's axes.
    int32_t left = 0, right = 0, bottom = 0, top = 0;
};

// The lines of one pen cut in pieces: `cut` long, then `skip` long, and again.
struct Perforation {
    bool use = false;
    int pen = 1;
    double cut = 0, skip = 0;  // plotter units, both above 0 when used
    int cutForce = 0;          // FS before each cut piece; 0: no FS at all
    int skipForce = 0;         // 0: the pen is lifted over each skip; else FS before each skip
};

// A drag knife's tip trails its holder by `offset`: the holder runs on past every corner and
// swings round it. A closed path is cut on past its start by `overcut`.
struct DragKnife {
    bool use = false;
    int pen = 1;
    double offset = 0, overcut = 0;  // plotter units
};

struct CutOptions {
    WeedingFrame frame;
    Perforation perforation;
    DragKnife knife;
    OutputForm output;
    // Options that could not be used as asked and what was done instead, one line each.
    std::vector<Note> notes;
    // An option that can't be plotted at all: the conversion is refused with this.
    std::optional<Note> problem;
};
