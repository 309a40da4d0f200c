#include "sender/line_pacing.h"

#include <cerrno>
#include <string>

void TLineFlowPacing::Run(TLineRun& run) {
    std::string buffer;
    while (!run.Stopped()) {
        // The length taken at the start is the plot: bytes appended since are not sent.
        if (run.AllSent()) {
            run.End(LineEnd::Done, 0);
            return;
        }
        if (!run.Read(buffer)) return;
        if (buffer.empty()) {
            // The file ended before its length: it shrank while being sent. What went out is
            // all there is, and it is not the whole plot.
            run.End(LineEnd::ReadFailed, EIO);
            return;
        }
        if (!run.Put(buffer, buffer.size())) return;
    }
}
