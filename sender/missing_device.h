#pragma once
// A serial device named in the settings that is not there now (an adapter unplugged): the plot
// fails naming it. Sending it to whatever else the port list holds would plot on the wrong
// device, or blame one the user never chose.

#include "sender/delivery.h"

class TMissingDevice : public TDelivery {
    Q_DECLARE_TR_FUNCTIONS(TMissingDevice)

public:
    explicit TMissingDevice(const TDeliverySetup& setup) : _setup(setup) {}
    QString Destination() const override;
    QString Address() const override;
    void Start() override;
    TDeliveryProgress Progress() const override { return {}; }
    TStopReply Stop(QString* message) override;
    TDeliveryOutcome Outcome() const override { return _outcome; }

private:
    TDeliverySetup _setup;
    TDeliveryOutcome _outcome;
};
