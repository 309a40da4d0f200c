#pragma once
// The stages every stroke of a plot goes through after the ordering (stroke_order.h), listed
// once: adding a stage is a file of its own and a line in PlotStages.

#include <cstdint>

#include "drawing/stages/cut_options.h"
#include "drawing/stages/stroke_stage.h"

// The stages `cut` asks for, in the order they run, for a plot on a printable area `width` by
// `height` plotter units.
StageList PlotStages(const CutOptions& cut, int32_t width, int32_t height);
