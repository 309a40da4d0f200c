#include "sender/unset_destination.h"

QString TUnsetDestination::Destination() const { return tr("(not set)"); }

void TUnsetDestination::Start() {
    _outcome = {TDeliveryState::Failed, tr("The plotter is not set up yet: choose where plots go "
                                           "in Trazen Plotter Settings, then plot again.")};
}

TStopReply TUnsetDestination::Stop(QString* message) {
    *message = tr("Stopped.");
    return TStopReply::Stopped;
}
