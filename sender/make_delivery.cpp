#include "sender/make_delivery.h"

#include "platform/ports.h"
#include "sender/folder_delivery.h"
#include "sender/ftp_delivery.h"
#include "sender/missing_device.h"
#include "sender/queue_delivery.h"
#include "sender/serial_delivery.h"
#include "sender/unset_destination.h"

std::unique_ptr<TDelivery> MakeDelivery(const TDeliverySetup& setup) {
    if (!setup.chosen) return std::make_unique<TUnsetDestination>();
    switch (KindOfDestination(setup.code)) {
        case DestinationKind::SerialPort:
            if (setup.code == kDestMissingDevice) return std::make_unique<TMissingDevice>(setup);
            return std::make_unique<TSerialDelivery>(setup);
        case DestinationKind::SharedFolder:
            return std::make_unique<TFolderDelivery>(setup);
        case DestinationKind::PrinterQueue:
            return std::make_unique<TQueueDelivery>(setup);
        case DestinationKind::Network:
            break;
    }
    // The FTP print servers, and whatever resolved to no destination at all (that goes to the
    // first FTP server, as it always has).
    return std::make_unique<TFtpDelivery>(setup);
}
