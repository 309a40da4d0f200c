#pragma once
// The plots of one trzn-plot run through the sender, one after another, each waited for; what
// the sender said of each (plotjob/send_result.h) is relayed: where a delivered plot went, or
// why it did not go.

#include <string>
#include <vector>

#include "tools/plot_parts.h"

struct SendRequest {
    std::vector<std::string> senderArgs;  // --queue NAME for the sender
    bool wait = true;                     // wait for a plot being sent
    std::string file;                     // the file plotted, as given (bytes)
};

// Every part through the sender; a part that does not get through stops the rest, since the
// next would not meet it on the paper. Returns the exit status.
int SendPlots(const std::vector<PlotPart>& parts, const SendRequest& request,
              const std::string& productFolder);
