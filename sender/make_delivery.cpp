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
    if (setup.code >= 0) return std::make_unique<TSerialDelivery>(setup);
    switch (setup.code) {
        case kDestSharedFolder:
            return std::make_unique<TFolderDelivery>(setup);
        case kDestPrinterQueue:
            return std::make_unique<TQueueDelivery>(setup);
        case kDestMissingDevice:
            return std::make_unique<TMissingDevice>(setup);
        default:
            // The FTP print servers, and whatever resolved to no destination at all (that goes
            // to the first FTP server, as it always has).
            return std::make_unique<TFtpDelivery>(setup);
    }
}
