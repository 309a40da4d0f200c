#include "sender/serial_delivery.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cerrno>

#include "platform/serial_line.h"
#include "sender/line_drain.h"
#include "sender/plot_file.h"
#include "sender/send_messages.h"
#include "sender/serial_pacing.h"
#include "sender/stop_ending.h"

namespace {

// What Stop gives the ending; what is left of it goes out at close, while the line is waited for.
constexpr std::chrono::milliseconds kStopTime{500};

std::unique_ptr<TLinePacing> PacingFor(const TSrConfig& port) {
    if (port.flctrl == kFlowPlotterBuffer) return std::make_unique<TBufferPacing>();
    return std::make_unique<TLineFlowPacing>();
}

}  // namespace

TSerialDelivery::TSerialDelivery(const TDeliverySetup& setup)
    : _setup(setup), _pacing(PacingFor(*setup.port)) {}

TSerialDelivery::~TSerialDelivery() {
    EndThread();
    if (_fd >= 0) CloseSerialLine(_fd);
    if (_file >= 0) close(_file);
    if (_wake >= 0) close(_wake);
}

QString TSerialDelivery::Destination() const { return tr("Serial port %1").arg(Address()); }

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
    int64_t total = 0;
    if (_file >= 0 && fstat(_file, &st) == 0) total = st.st_size;
    _run.Begin(_fd, total);
    // Either way the plot can't reach the plotter; saying so now beats a bar stuck at 0.
    if (_fd < 0) {
        _run.End(LineEnd::OpenFailed, _openError);
        return;
    }
    if (_file < 0) {
        _run.End(LineEnd::FileFailed, readError);
        return;
    }
    _wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (_wake < 0) {
        _run.End(LineEnd::WriteFailed, errno);
        return;
    }
    _run.Feed(_file, _wake);
    _line = std::thread([this] { _pacing->Run(_run); });
}

TDeliveryProgress TSerialDelivery::Progress() const {
    TDeliveryProgress p;
    p.sent = _run.sent();
    p.total = _run.total();
    p.detail = _run.LastSegment();
    if (_run.drawing() && _run.end() == LineEnd::Running)
        p.state = tr("Sent. The plotter is drawing what it holds…");
    return p;
}

TStopReply TSerialDelivery::Stop(QString* message) {
    EndThread();
    *message = PrepareEnding();
    PutEnding(kStopTime);
    return TStopReply::Stopped;
}

QString TSerialDelivery::PrepareEnding() {
    // A plotter that says when it has drawn everything also takes abort graphics.
    const bool answers = _pacing->EndsWhenDrawn();
    if (_fd < 0 || _run.broken()) return tr("Stopped.");
    if (!answers && !_run.carried()) return tr("Stopped. Nothing was sent to the plotter.");
    // The plot's own ending has gone out already.
    if (!answers && _run.AllSent()) return tr("Stopped.");
    _ending =
        StopEnding(answers ? std::string() : FinishInstructionAt(_file, _run.sent()), answers);
    _endingPut = 0;
    return answers ? tr("Stopped. The plotter drops what it holds, lifts the pen and stops.")
                   : tr("Stopped. The plotter draws what it has taken in, then lifts the pen and "
                        "stops.");
}

void TSerialDelivery::PutEnding(std::chrono::milliseconds limit) {
    QElapsedTimer clock;
    clock.start();
    while (_endingPut < _ending.size()) {
        const ssize_t n = WriteSome(_fd, _ending.data() + _endingPut, _ending.size() - _endingPut);
        if (n < 0) {
            _ending.clear();  // a broken line takes nothing more
            return;
        }
        if (n > 0) _run.MarkCarried();
        _endingPut += static_cast<size_t>(n);
        const qint64 left = limit.count() - clock.elapsed();
        if (_endingPut < _ending.size() &&
            (left <= 0 || !WaitWritable(_fd, static_cast<int>(left))))
            return;
    }
}

QString TSerialDelivery::ClosingState() const {
    if (_fd < 0 || _run.broken() || !_run.carried() || _pacing->EndsWhenDrawn()) return {};
    return tr("Waiting for the plotter to take in what was sent…");
}

void TSerialDelivery::EndThread() {
    if (!_line.joinable()) return;
    _run.RequestStop();
    // The thread stops within one buffer: a write, then a drain that gives up on the flag.
    _line.join();
}

TDeliveryOutcome TSerialDelivery::Outcome() const {
    const LineEnd end = _run.end();
    const QString output = QString::fromLocal8Bit(FramedPlotPath(_setup).c_str());
    switch (end) {
        case LineEnd::Running:
            return {};
        case LineEnd::Done:
            if (_pacing->EndsWhenDrawn()) return {TDeliveryState::Delivered, tr("Plotted.")};
            return {TDeliveryState::Delivered,
                    tr("Sent. Waiting for the plotter to take everything in…")};
        case LineEnd::OpenFailed:
            return {TDeliveryState::Failed, SerialOpenFailureText(Address(), _run.endError())};
        case LineEnd::FileFailed:
        case LineEnd::ReadFailed:
            return {TDeliveryState::Failed, OutputFileFailureText(output, _run.endError())};
        case LineEnd::WriteFailed:
            return {TDeliveryState::Failed, SerialWriteFailureText(Address(), _run.endError())};
        case LineEnd::Unanswered:
        case LineEnd::NotANumber:
            return {TDeliveryState::Failed,
                    PlotterUnansweredText(
                        Address(), QString::fromLatin1(_run.question()), end == LineEnd::NotANumber,
                        QString::fromLatin1(_run.answer()), _run.sent(), _run.total())};
    }
    return {};
}

void TSerialDelivery::Close() {
    EndThread();
    if (_fd >= 0) {
        // The plotter may still be taking in what the port holds; closing early would cut the
        // plot short. A broken line, or one that never carried a byte, holds nothing worth
        // waiting for.
        if (!_run.broken() && _run.carried()) {
            // An ending the line could not take at Stop (a plotter holding it) still goes first.
            if (_endingPut < _ending.size()) {
                WaitServing(_setup.writableLimit, [](int fd) { return WaitWritable(fd, 0); });
                PutEnding(kStopTime);
            }
            DrainServing(_fd, _setup.serve, [] { return false; });
            // A plotter that has said it drew everything, or was told to drop what it held,
            // needs no time given.
            if (!_pacing->EndsWhenDrawn()) {
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
