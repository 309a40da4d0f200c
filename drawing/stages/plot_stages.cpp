#include "drawing/stages/plot_stages.h"

#include <memory>

#include "drawing/stages/drag_knife.h"
#include "drawing/stages/perforation.h"
#include "drawing/stages/weeding_frame.h"

StageList PlotStages(const CutOptions& cut, int32_t width, int32_t height) {
    StageList stages;
    // The frame goes round the lines as drawn, not round the knife's swings past them, and is
    // itself cut by the knife and perforated when its pen is theirs.
    if (cut.frame.use)
        stages.push_back(std::make_unique<WeedingFrameStage>(cut.frame, width, height));
    // The knife's path is what is cut, so it is what the perforation cuts in pieces.
    if (cut.knife.use) stages.push_back(std::make_unique<DragKnifeStage>(cut.knife));
    if (cut.perforation.use) stages.push_back(std::make_unique<PerforationStage>(cut.perforation));
    return stages;
}
