#pragma once
// The print server's shared folder: one time-stamped copy of the framed plot, made on the first
// tick. A copy into a slow or network folder can take long; Stop ends it and leaves nothing
// there, since a print server plots whatever file it finds.

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
    TStopReply Stop(QString* message) override;
    TDeliveryOutcome Outcome() const override { return _outcome; }

private:
    static QString NothingLeftText();

    TDeliverySetup _setup;
    std::string _folder;
    bool _done = false;
    bool _copying = false;  // a Stop now is the copy's to carry out
    bool _stopAsked = false;
    TDeliveryProgress _progress;
    TDeliveryOutcome _outcome;
};
