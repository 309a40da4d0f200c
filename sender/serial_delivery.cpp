#include "sender/serial_delivery.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cerrno>

#include "platform/encoding.h"
#include "platform/serial_line.h"
#include "sender/line_drain.h"
#include "sender/plotter_queries.h"
#include "sender/plot_file.h"
#include "sender/segment_reader.h"
#include "sender/send_messages.h"

namespace {

// What the line just carried, as text: escape and line ends would show as boxes.
QString SegmentText(const std::string& bytes) {
    QString text = SjisToQString(bytes.c_str());
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char(' ');
    return text;
}

}  // namespace

TSerialDelivery::TSerialDelivery(const TDeliverySetup& setup) : _setup(setup) {}

TSerialDelivery::~TSerialDelivery() {
    EndThread();
    if (_fd >= 0) CloseSerialLine(_fd);
    if (_file >= 0) close(_file);
    if (_wake >= 0) close(_wake);
}

QString TSerialDelivery::Destination() const { return tr("シリアルポート %1").arg(Address()); }

QString TSerialDelivery::Address() const {
    return QString::fromLocal8Bit(_setup.devicePath.c_str());
}

void TSerialDelivery::Prepare() {
    const TSrConfig& sr = *_setup.port;
    const LineOpen line = OpenSerialLine(
        _setup.devicePath, BuildLineSettings(sr.baud, sr.data, sr.stop, sr.parity, sr.flctrl));
    _fd = line.fd;
    _openError = line.error;
}

void TSerialDelivery::Start() {
    const std::string output = FramedPlotPath(_setup);
    CreateNewFile(output);
    _file = open(output.c_str(), O_RDONLY | O_CLOEXEC);
    const int readError = errno;
    struct stat st {};
    if (_file >= 0 && fstat(_file, &st) == 0) _total = st.st_size;
    // Either way the plot can't reach the plotter; saying so now beats a bar stuck at 0.
    if (_fd < 0) {
        End(LineEnd::OpenFailed, _openError);
        return;
    }
    if (_file < 0) {
        End(LineEnd::FileFailed, readError);
        return;
    }
    _wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (_wake < 0) {
        End(LineEnd::WriteFailed, errno);
        return;
    }
    _reader = std::make_unique<SegmentReader>(_file);
    _line = std::thread([this] { Run(); });
}

void TSerialDelivery::Run() {
    if (Paced()) {
        RunPaced();
        return;
    }
    std::string buffer;
    while (!_stop.load()) {
        // The length taken at the start is the plot: bytes appended since are not sent.
        if (_sent.load() >= _total) {
            End(LineEnd::Done, 0);
            return;
        }
        if (!_reader->Next(buffer)) {
            End(LineEnd::ReadFailed, _reader->error());
            return;
        }
        if (buffer.empty()) {
            // The file ended before its length: it shrank while being sent. What went out is
            // all there is, and it is not the whole plot.
            End(LineEnd::ReadFailed, EIO);
            return;
        }
        if (!Put(buffer, buffer.size())) return;
    }
}

bool TSerialDelivery::Put(std::string& buffer, size_t take) {
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

void TSerialDelivery::WaitForRoom() {
    pollfd p[2] = {{_fd, POLLOUT, 0}, {_wake, POLLIN, 0}};
    for (;;) {
        const int rc = poll(p, 2, -1);
        // Room, a hang-up (the next write says so), or Stop.
        if (rc > 0 || errno != EINTR) return;
    }
}

void TSerialDelivery::End(LineEnd end, int error) {
    _endError = error;
    _end.store(end);
}

TDeliveryProgress TSerialDelivery::Progress() const {
    TDeliveryProgress p;
    p.sent = _sent.load();
    p.total = _total;
    const std::lock_guard<std::mutex> hold(_segmentLock);
    if (_shownCount != _segmentCount) {
        _shownCount = _segmentCount;
        _shownSegment = SegmentText(_lastSegment);
    }
    p.detail = _shownSegment;
    if (_drawing.load() && _end.load() == LineEnd::Running)
        p.state = tr("送信しました。プロッタが受け取った分を描いています…");
    return p;
}

TStopReply TSerialDelivery::Stop(QString* message) {
    EndThread();
    if (Paced() && _fd >= 0 && !_broken) {
        // The plotter would otherwise draw out all it holds; aborted, the pen stops at once.
        const std::string_view abort = kAbortAndPlotterOff;
        for (size_t put = 0; put < abort.size();) {
            const ssize_t n = WriteSome(_fd, abort.data() + put, abort.size() - put);
            if (n < 0 || (n == 0 && !WaitWritable(_fd, 500))) break;
            put += static_cast<size_t>(n);
            _carried = true;
        }
        *message = tr("中止しました。プロッタは受け取った分を捨てて止まります。");
        return TStopReply::Stopped;
    }
    *message = tr("中止しました。プロッタの受信完了を待っています…");
    return TStopReply::Stopped;
}

void TSerialDelivery::EndThread() {
    if (!_line.joinable()) return;
    _stop = true;
    const uint64_t one = 1;
    if (write(_wake, &one, sizeof one) < 0) {
        // The counter is full: the thread has been woken already.
    }
    // The thread stops within one buffer: a write, then a drain that gives up on the flag.
    _line.join();
}

TDeliveryOutcome TSerialDelivery::Outcome() const {
    const LineEnd end = _end.load();
    const QString output = QString::fromLocal8Bit(FramedPlotPath(_setup).c_str());
    switch (end) {
        case LineEnd::Running:
            return {};
        case LineEnd::Done:
            if (Paced()) return {TDeliveryState::Delivered, tr("プロッタが描き終えました。")};
            return {TDeliveryState::Delivered,
                    tr("送信しました。プロッタの受信完了を待っています…")};
        case LineEnd::OpenFailed:
            return {TDeliveryState::Failed, SerialOpenFailureText(Address(), _endError)};
        case LineEnd::FileFailed:
        case LineEnd::ReadFailed:
            return {TDeliveryState::Failed, OutputFileFailureText(output, _endError)};
        case LineEnd::WriteFailed:
            return {TDeliveryState::Failed, SerialWriteFailureText(Address(), _endError)};
        case LineEnd::Unanswered:
        case LineEnd::NotANumber:
            return {TDeliveryState::Failed,
                    PlotterUnansweredText(Address(), QString::fromLatin1(_question),
                                          end == LineEnd::NotANumber,
                                          QString::fromLatin1(_answer), _sent.load(), _total)};
    }
    return {};
}

void TSerialDelivery::Close() {
    EndThread();
    if (_fd >= 0) {
        // The plotter may still be taking in what the port holds; closing early would cut the
        // plot short. A broken line, or one that never carried a byte, holds nothing worth
        // waiting for.
        if (!_broken && _carried) {
            DrainServing(_fd, _setup.serve, [] { return false; });
            // A plotter paced by its answers has said it drew everything, or was told to drop
            // what it held: there is nothing left to give it time for.
            if (!Paced()) {
                WaitServing(_setup.writableLimit, [](int fd) { return WaitWritable(fd, 0); });
                WaitServing(_setup.pause, [](int) { return false; });
            }
        }
        CloseSerialLine(_fd);
        _fd = -1;
    }
    if (_file >= 0) {
        close(_file);
        _file = -1;
    }
    _reader.reset();
}

void TSerialDelivery::WaitServing(std::chrono::milliseconds limit, bool (*done)(int fd)) {
    QElapsedTimer clock;
    clock.start();
    while (!done(_fd) && clock.elapsed() < limit.count()) {
        _setup.serve();
        const auto left = limit.count() - clock.elapsed();
        if (left > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min<qint64>(left, 20)));
    }
}
