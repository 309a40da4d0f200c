#pragma once
// How the line thread fills the serial line. With the line's own flow control (or none) it
// writes as fast as the line takes the plot; with the plotter's buffer as flow control it asks
// the plotter for room first (TBufferPacing, serial_pacing.h). The delivery holds one and never
// asks which.

#include "sender/line_run.h"

class TLinePacing {
public:
    virtual ~TLinePacing() = default;
    // The line thread's work: the plot onto the line, then the run ended.
    virtual void Run(TLineRun& run) = 0;
    // The run ends when the plotter says it has drawn everything, rather than when the last
    // byte left the port: nothing then is left to wait for at close. Such a plotter also takes
    // abort graphics at Stop.
    virtual bool EndsWhenDrawn() const = 0;
};

class TLineFlowPacing : public TLinePacing {
public:
    void Run(TLineRun& run) override;
    bool EndsWhenDrawn() const override { return false; }
};
