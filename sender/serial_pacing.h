#pragma once
// The serial line paced by the plotter's own buffer: the line has no flow control, so before
// writing the sender asks the plotter how much room it has and writes only whole segments that
// fit; once the plot is out it asks until the plotter has drawn everything it holds.

#include "sender/line_pacing.h"

class TBufferPacing : public TLinePacing {
public:
    void Run(TLineRun& run) override;
    bool EndsWhenDrawn() const override { return true; }

private:
    void AwaitDrawn(TLineRun& run);
};
