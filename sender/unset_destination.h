#pragma once
// A settings file that names no destination (the default setup a first start's Cancel left):
// the plot fails saying that nothing is set up. Falling back to the FTP server of old would ask
// for an address the user never meant to give.

#include "sender/delivery.h"

class TUnsetDestination : public TDelivery {
    Q_DECLARE_TR_FUNCTIONS(TUnsetDestination)

public:
    QString Destination() const override;
    QString Address() const override { return {}; }
    void Start() override;
    TDeliveryProgress Progress() const override { return {}; }
    TStopReply Stop(QString* message) override;
    TDeliveryOutcome Outcome() const override { return _outcome; }

private:
    TDeliveryOutcome _outcome;
};
