// The serial line paced by the plotter's own buffer: the line has no flow control, so before
// writing the sender asks the plotter how much room it has and writes only whole segments that
// fit; once the plot is out it asks until the plotter has drawn everything it holds.

#include <poll.h>

#include <cerrno>

#include "platform/serial_line.h"
#include "sender/plotter_queries.h"
#include "sender/segment_reader.h"
#include "sender/serial_delivery.h"

namespace {

// How often a plotter with too little room, or one still drawing the end of the plot, is asked
// again: often enough to keep the line busy, seldom enough to leave it to the plot.
constexpr std::chrono::milliseconds kAskAgain{20};
constexpr std::chrono::milliseconds kStatusAgain{50};

// What the message names the question by.
std::string QuestionName(std::string_view question) {
    return question.ends_with('B') ? "ESC . B" : "ESC . O";
}

}  // namespace

bool TSerialDelivery::Paced() const { return _setup.port->flctrl == kFlowPlotterBuffer; }

void TSerialDelivery::RunPaced() {
    // Room the plotter last reported, less what has been written since: the plotter counts the
    // bytes still on their way in its next answer, as the question travels behind them.
    long room = 0;
    std::string buffer;
    while (!_stop.load()) {
        if (_sent.load() >= _total) {
            AwaitDrawn();
            return;
        }
        if (!_reader->Next(buffer)) {
            End(LineEnd::ReadFailed, _reader->error());
            return;
        }
        if (buffer.empty()) {
            End(LineEnd::ReadFailed, EIO);
            return;
        }
        const size_t first = FirstSegmentLength(buffer);
        size_t take = 0;
        if (buffer.size() <= static_cast<size_t>(room)) take = buffer.size();
        else if (first <= static_cast<size_t>(room)) take = first;
        if (take == 0) {
            // The last answer is used up: ask again.
            _reader->Unread(buffer.size());
            const std::optional<long> answer =
                Ask(_sent.load() == 0 ? kAskBufferRoomFirst : kAskBufferRoom);
            if (!answer) return;
            room = *answer;
            if (static_cast<size_t>(room) >= first) continue;
            // A buffer smaller than the segment would never have room for it: once the
            // plotter has drawn all it holds, the segment goes in pieces the buffer takes.
            if (room > 0) {
                const std::optional<long> status = Ask(kAskStatus);
                if (!status) return;
                if (*status & kStatusBufferEmpty) {
                    if (!_reader->Next(buffer)) {
                        End(LineEnd::ReadFailed, _reader->error());
                        return;
                    }
                    take = static_cast<size_t>(room);
                }
            }
            if (take == 0) {
                if (!Rest(kAskAgain)) return;
                continue;
            }
        }
        const int64_t before = _sent.load();
        if (!Put(buffer, take)) return;
        room -= static_cast<long>(_sent.load() - before);
    }
}

void TSerialDelivery::AwaitDrawn() {
    _drawing = true;
    for (;;) {
        const std::optional<long> status = Ask(kAskStatusAfterPlot);
        if (!status) return;
        if (*status & kStatusBufferEmpty) {
            End(LineEnd::Done, 0);
            return;
        }
        if (!Rest(kStatusAgain)) return;
    }
}

std::optional<long> TSerialDelivery::Ask(std::string_view question) {
    const PlotterAnswer answer =
        AskPlotter(_fd, _wake, question, kAnswerLimit, [this] { return _stop.load(); });
    switch (answer.end) {
        case AnswerEnd::Number:
            return answer.value;
        case AnswerEnd::Stopped:
            break;
        case AnswerEnd::Silent:
        case AnswerEnd::NotANumber:
            _question = QuestionName(question);
            _answer = answer.text;
            End(answer.end == AnswerEnd::Silent ? LineEnd::Unanswered : LineEnd::NotANumber, 0);
            break;
        case AnswerEnd::LineFailed:
            _broken = true;
            End(LineEnd::WriteFailed, answer.error);
            break;
    }
    return std::nullopt;
}

bool TSerialDelivery::Rest(std::chrono::milliseconds time) {
    pollfd p{_wake, POLLIN, 0};
    while (poll(&p, 1, static_cast<int>(time.count())) < 0 && errno == EINTR) {
    }
    return !_stop.load();
}
