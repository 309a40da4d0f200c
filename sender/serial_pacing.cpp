#include "sender/serial_pacing.h"

#include <cerrno>
#include <string>
#include <string_view>

#include "platform/serial_line.h"
#include "sender/plotter_queries.h"
#include "sender/segment_reader.h"

namespace {

// How often a plotter with too little room, or one still drawing the end of the plot, is asked
// again: often enough to keep the line busy, seldom enough to leave it to the plot.
constexpr std::chrono::milliseconds kAskAgain{20};
constexpr std::chrono::milliseconds kStatusAgain{50};

}  // namespace

void TBufferPacing::Run(TLineRun& run) {
    // Room the plotter last reported, less what has been written since: the plotter counts the
    // bytes still on their way in its next answer, as the question travels behind them.
    long room = 0;
    std::string buffer;
    while (!run.Stopped()) {
        if (run.AllSent()) {
            AwaitDrawn(run);
            return;
        }
        if (!run.Read(buffer)) return;
        if (buffer.empty()) {
            run.End(LineEnd::ReadFailed, EIO);
            return;
        }
        const size_t first = FirstSegmentLength(buffer);
        size_t take = 0;
        if (buffer.size() <= static_cast<size_t>(room)) take = buffer.size();
        else if (first <= static_cast<size_t>(room)) take = first;
        if (take == 0) {
            // The last answer is used up: ask again.
            run.Unread(buffer.size());
            const std::optional<long> answer =
                run.Ask(run.NothingSent() ? kAskBufferRoomFirst : kAskBufferRoom);
            if (!answer) return;
            room = *answer;
            if (static_cast<size_t>(room) >= first) continue;
            // A buffer smaller than the segment would never have room for it: once the
            // plotter has drawn all it holds, the segment goes in pieces the buffer takes.
            if (room > 0) {
                const std::optional<long> status = run.Ask(kAskStatus);
                if (!status) return;
                if (*status & kStatusBufferEmpty) {
                    if (!run.Read(buffer)) return;
                    take = static_cast<size_t>(room);
                }
            }
            if (take == 0) {
                if (!run.Rest(kAskAgain)) return;
                continue;
            }
        }
        const int64_t before = run.sent();
        if (!run.Put(buffer, take)) return;
        room -= static_cast<long>(run.sent() - before);
    }
}

void TBufferPacing::AwaitDrawn(TLineRun& run) {
    run.MarkDrawing();
    for (;;) {
        const std::optional<long> status = run.Ask(kAskStatusAfterPlot);
        if (!status) return;
        if (*status & kStatusBufferEmpty) {
            run.End(LineEnd::Done, 0);
            return;
        }
        if (!run.Rest(kStatusAgain)) return;
    }
}
