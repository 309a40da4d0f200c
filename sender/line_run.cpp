#include "sender/line_run.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "platform/encoding.h"
#include "platform/serial_line.h"
#include "sender/line_drain.h"
#include "sender/plotter_queries.h"
#include "sender/segment_reader.h"

namespace {

// What the line just carried, as text: escape and line ends would show as boxes.
QString SegmentText(const std::string& bytes) {
    QString text = SjisToQString(bytes.c_str());
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char(' ');
    return text;
}

// What the message names the question by.
std::string QuestionName(std::string_view question) {
    return question.ends_with('B') ? "ESC . B" : "ESC . O";
}

}  // namespace

TLineRun::TLineRun() = default;
TLineRun::~TLineRun() = default;

void TLineRun::Begin(int fd, int64_t total) {
    _fd = fd;
    _total = total;
}

void TLineRun::Feed(int file, int wake) {
    _reader = std::make_unique<SegmentReader>(file);
    _wake = wake;
}

bool TLineRun::Read(std::string& buffer) {
    if (_reader->Next(buffer)) return true;
    End(LineEnd::ReadFailed, _reader->error());
    return false;
}

void TLineRun::Unread(size_t count) { _reader->Unread(count); }

bool TLineRun::Put(std::string& buffer, size_t take) {
    const ssize_t written = WriteSome(_fd, buffer.data(), take);
    const int writeError = errno;
    // Every write is followed by the drain, so the port never holds more than one buffer
    // and Stop ends within one. Stop also ends the wait while flow control holds the line.
    DrainServing(
        _fd, [] {}, [this] { return _stop.load(); });
    if (written < 0) {
        _broken = true;
        End(LineEnd::WriteFailed, writeError);
        return false;
    }
    const size_t sent = static_cast<size_t>(written);
    const bool lineFull = sent < take;
    if (sent > 0) _carried = true;
    _reader->Unread(buffer.size() - sent);
    _sent += static_cast<int64_t>(sent);
    if (buffer[0] != 0) {
        buffer.resize(take);
        const std::lock_guard<std::mutex> hold(_segmentLock);
        _lastSegment.swap(buffer);
        ++_segmentCount;
    }
    // A line that took less than offered is full (a plotter holding it back, a pty whose
    // reader is behind): wait until it takes more.
    if (lineFull) WaitForRoom();
    return true;
}

void TLineRun::WaitForRoom() {
    pollfd p[2] = {{_fd, POLLOUT, 0}, {_wake, POLLIN, 0}};
    for (;;) {
        const int rc = poll(p, 2, -1);
        // Room, a hang-up (the next write says so), or Stop.
        if (rc > 0 || errno != EINTR) return;
    }
}

std::optional<long> TLineRun::Ask(std::string_view question) {
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

bool TLineRun::Rest(std::chrono::milliseconds time) {
    pollfd p{_wake, POLLIN, 0};
    while (poll(&p, 1, static_cast<int>(time.count())) < 0 && errno == EINTR) {
    }
    return !_stop.load();
}

void TLineRun::End(LineEnd end, int error) {
    _endError = error;
    _end.store(end);
}

void TLineRun::RequestStop() {
    _stop = true;
    const uint64_t one = 1;
    if (write(_wake, &one, sizeof one) < 0) {
        // The counter is full: the thread has been woken already.
    }
}

QString TLineRun::LastSegment() const {
    const std::lock_guard<std::mutex> hold(_segmentLock);
    if (_shownCount != _segmentCount) {
        _shownCount = _segmentCount;
        _shownSegment = SegmentText(_lastSegment);
    }
    return _shownSegment;
}
