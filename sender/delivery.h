#pragma once
// One destination's way of getting the framed plot out, behind what every destination shares:
// the controller starts it, shows its progress, asks it to stop and reads how it ended. Each
// destination lives in a file of its own; MakeDelivery (make_delivery.h) picks one.

#include <QCoreApplication>
#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "settings/records.h"

enum class TDeliveryState { Working, Delivered, Failed };

struct TDeliveryOutcome {
    TDeliveryState state = TDeliveryState::Working;
    QString message;  // delivered: the closing words; failed: what went wrong and why
};

struct TDeliveryProgress {
    int64_t sent = 0;
    int64_t total = 0;  // 0 while how far it is can't be told (the bar just runs)
    QString state;      // the state line; empty: the controller counts the bytes
    QString detail;     // the second message line; empty leaves it as it is
};

enum class TStopReply {
    Stopped,  // nothing more goes out; the message says what became of what did
    Later,    // a step is under way: ask again once it has returned
    GoesOn,   // can't be taken back half done: the delivery carries on
};

// What a delivery is made from: the resolved destination and the settings it reads.
struct TDeliverySetup {
    int16_t code = 0;
    bool chosen = true;      // false: the settings name no destination at all
    std::string devicePath;  // a serial port
    std::string queue;       // a printer queue, as CUPS names it (UTF-8)
    const TSrConfig* port = nullptr;
    std::string productFolder;  // holds the framed plot
    std::string plotTitle;      // a printer queue's job name for it (UTF-8)
    int64_t ftpPort = 0;        // 0: the protocol's own (THSrConfig.portid, checked on use)
    std::chrono::milliseconds pause{15000};
    std::chrono::milliseconds writableLimit{600000};
    // Keeps the window live while a step runs long (a copy, an upload, a job handed over).
    std::function<void()> serve;
};

class TDelivery {
public:
    virtual ~TDelivery() = default;

    // After "Destination: ", and the first message line.
    virtual QString Destination() const = 0;
    virtual QString Address() const = 0;
    // The plot reaches the plotter byte by byte as it is sent (a line), rather than whole at
    // the end: the preview marks what went out, and a failure says how much did.
    virtual bool Streams() const { return false; }

    // Before the plot is framed: claim what the destination holds for the whole run.
    virtual void Prepare() {}
    // Once the plot is framed; a start that can't go on shows in Outcome().
    virtual void Start() = 0;
    // One timer tick's share of the work.
    virtual void Step() {}
    virtual TDeliveryProgress Progress() const = 0;
    // message: the closing words, as the run's result keeps them.
    virtual TStopReply Stop(QString* message) = 0;
    // What the window adds to the closing words while Close still waits (empty: nothing).
    virtual QString ClosingState() const { return {}; }
    virtual TDeliveryOutcome Outcome() const = 0;
    // At shut-down, after the outcome is recorded: let go of what the delivery holds.
    virtual void Close() {}
};

// The framed plot's path in the product folder.
std::string FramedPlotPath(const TDeliverySetup& setup);
