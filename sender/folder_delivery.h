#pragma once
// The print server's shared folder: one time-stamped copy of the framed plot, made on the first
// tick.

#include "sender/delivery.h"

class TFolderDelivery : public TDelivery {
    Q_DECLARE_TR_FUNCTIONS(TFolderDelivery)

public:
    explicit TFolderDelivery(const TDeliverySetup& setup);
    QString Destination() const override;
    QString Address() const override { return {}; }
    void Start() override;
    void Step() override;
    TDeliveryProgress Progress() const override { return _progress; }
    TStopReply Stop(QString*) override { return TStopReply::GoesOn; }
    TDeliveryOutcome Outcome() const override { return _outcome; }

private:
    TDeliverySetup _setup;
    std::string _folder;
    bool _done = false;
    TDeliveryProgress _progress;
    TDeliveryOutcome _outcome;
};
