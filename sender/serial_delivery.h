#pragma once
// The serial line to the plotter. A thread of its own keeps the line busy: it reads up to two
// segments, writes them once, waits until they have left the port, and goes on at once, so the
// line never idles waiting for the window's timer and the window never waits for the line.
// With the plotter's buffer as flow control (serial_pacing.cpp) the thread asks the plotter for
// room before it writes, and for its status once the plot has gone out.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "sender/delivery.h"

class SegmentReader;

class TSerialDelivery : public TDelivery {
    Q_DECLARE_TR_FUNCTIONS(TSerialDelivery)

public:
    explicit TSerialDelivery(const TDeliverySetup& setup);
    ~TSerialDelivery() override;
    QString Destination() const override;
    QString Address() const override;
    bool Streams() const override { return true; }
    void Prepare() override;
    void Start() override;
    TDeliveryProgress Progress() const override;
    TStopReply Stop(QString* message) override;
    TDeliveryOutcome Outcome() const override;
    void Close() override;

private:
    enum class LineEnd {
        Running,
        Done,
        OpenFailed,
        FileFailed,
        ReadFailed,
        WriteFailed,
        Unanswered,    // the plotter said nothing to a question
        NotANumber,    // it said something that is no answer
    };

    void Run();
    // Writes the first take bytes of buffer, waits until they have left the port and counts
    // them; gives back to the reader what the line didn't take. False when the line failed.
    bool Put(std::string& buffer, size_t take);
    void End(LineEnd end, int error);
    bool Paced() const;
    void RunPaced();
    void AwaitDrawn();
    // The plotter's answer, or nothing when the run ended (stopped, or ended as failed).
    std::optional<long> Ask(std::string_view question);
    bool Rest(std::chrono::milliseconds time);  // false when Stop came meanwhile
    void WaitForRoom();
    void EndThread();
    void WaitServing(std::chrono::milliseconds limit, bool (*done)(int fd));

    TDeliverySetup _setup;
    int _fd = -1;  // the line
    int _openError = 0;
    int _file = -1;  // the framed plot
    int _wake = -1;  // eventfd: Stop reaches the line thread in its wait for room
    int64_t _total = 0;
    std::unique_ptr<SegmentReader> _reader;  // the line thread's once it runs
    std::thread _line;

    std::atomic<bool> _stop{false};
    std::atomic<int64_t> _sent{0};
    std::atomic<bool> _carried{false};  // some byte went out: the plotter may be busy with it
    std::atomic<bool> _broken{false};   // the line failed: nothing left to wait for
    std::atomic<bool> _drawing{false};  // all sent; the plotter draws what it holds
    std::atomic<LineEnd> _end{LineEnd::Running};
    int _endError = 0;            // written before _end
    std::string _question;        // the one left unanswered, written before _end
    std::string _answer;          // what came back instead of a number, written before _end

    mutable std::mutex _segmentLock;
    std::string _lastSegment;  // what the line carried last
    uint64_t _segmentCount = 0;
    mutable uint64_t _shownCount = 0;
    mutable QString _shownSegment;
};
