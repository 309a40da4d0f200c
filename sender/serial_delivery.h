#pragma once
// The serial line to the plotter. A thread of its own keeps the line busy: it reads up to two
// segments, writes them once, waits until they have left the port, and goes on at once, so the
// line never idles waiting for the window's timer and the window never waits for the line.
// How the thread fills the line (as fast as the line takes it, or as the plotter's buffer has
// room) is the pacing it holds.

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "sender/delivery.h"
#include "sender/line_pacing.h"
#include "sender/line_run.h"

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
    QString ClosingState() const override;
    TDeliveryOutcome Outcome() const override;
    void Close() override;

private:
    void EndThread();
    // The bytes that leave the plotter safe after Stop (stop_ending.h), and the closing words.
    QString PrepareEnding();
    // Writes what is left of the ending while the line takes it, for at most limit.
    void PutEnding(std::chrono::milliseconds limit);
    void WaitServing(std::chrono::milliseconds limit, bool (*done)(int fd));

    TDeliverySetup _setup;
    std::unique_ptr<TLinePacing> _pacing;
    int _fd = -1;  // the line
    int _openError = 0;
    int _file = -1;  // the framed plot
    int _wake = -1;  // eventfd: Stop reaches the line thread in its wait for room
    TLineRun _run;
    std::string _ending;  // after Stop
    size_t _endingPut = 0;
    std::thread _line;
};
