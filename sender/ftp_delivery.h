#pragma once
// The FTP print servers: one upload of the framed plot on the first tick, under the name the
// server prints from.

#include "sender/delivery.h"

class TFtpDelivery : public TDelivery {
    Q_DECLARE_TR_FUNCTIONS(TFtpDelivery)

public:
    explicit TFtpDelivery(const TDeliverySetup& setup);
    QString Destination() const override;
    QString Address() const override;
    void Start() override;
    void Step() override;
    TDeliveryProgress Progress() const override { return _progress; }
    TStopReply Stop(QString*) override { return TStopReply::GoesOn; }
    TDeliveryOutcome Outcome() const override { return _outcome; }

private:
    void Upload();

    TDeliverySetup _setup;
    std::string _address;  // the network address text, Shift-JIS
    bool _done = false;
    TDeliveryProgress _progress;
    TDeliveryOutcome _outcome;
};
