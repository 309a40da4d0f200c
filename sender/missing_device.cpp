#include "sender/missing_device.h"

QString TMissingDevice::Destination() const {
    return tr("serial port %1 (not connected)").arg(Address());
}

QString TMissingDevice::Address() const {
    return QString::fromLocal8Bit(_setup.devicePath.c_str());
}

void TMissingDevice::Start() {
    _outcome = {TDeliveryState::Failed, tr("%1 is not connected: plug in the adapter, or choose "
                                           "another port in Trazen Plotter Settings.")
                                            .arg(Address())};
}

TStopReply TMissingDevice::Stop(QString* message) {
    *message = tr("Stopped.");
    return TStopReply::Stopped;
}
