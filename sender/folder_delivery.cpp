#include "sender/folder_delivery.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "sender/send_messages.h"
#include "sender/shared_copy.h"
#include "settings/utility.h"

TFolderDelivery::TFolderDelivery(const TDeliverySetup& setup) : _setup(setup) {
    const TSrConfig& sr = *setup.port;
    _folder = FieldText(sr.shared_folder);
}

QString TFolderDelivery::Destination() const {
    const QString folder = QString::fromUtf8(_folder.c_str());
    return tr("Shared folder %1").arg(folder.isEmpty() ? tr("(not set)") : folder);
}

void TFolderDelivery::Start() { _progress.state = tr("Preparing to send…"); }

void TFolderDelivery::Step() {
    if (_done) return;
    _done = true;
    if (_folder.empty()) {
        _outcome = {TDeliveryState::Failed, tr("No shared folder is set. Choose the shared folder "
                                               "to send to in the configuration window.")};
        return;
    }
    _progress.state = tr("Copying to the shared folder…");
    _setup.serve();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    _copying = true;
    const SharedCopyResult copy =
        CopyToSharedFolder(FramedPlotPath(_setup), _folder, local, std::rand(), [this] {
            _setup.serve();
            return !_stopAsked;
        });
    _copying = false;
    if (copy.result.error == DeliveryError::Aborted && _stopAsked) return;  // Stop carries on
    const QString target = QString::fromUtf8(copy.target.c_str());
    if (!copy.result.ok()) {
        _outcome = {TDeliveryState::Failed, SharedFolderFailureText(copy.result, target)};
        return;
    }
    _progress.detail = target;
    _progress.state = tr("Copied to the shared folder: %1").arg(target);
    _outcome = {TDeliveryState::Delivered, tr("Sent.")};
}

TStopReply TFolderDelivery::Stop(QString* message) {
    if (_copying) {
        _stopAsked = true;
        return TStopReply::Later;
    }
    // Before the first tick nothing was copied; after an ended copy nothing is left.
    _done = true;
    *message = NothingLeftText();
    return TStopReply::Stopped;
}

QString TFolderDelivery::NothingLeftText() {
    return tr("Stopped. Nothing of the plot is left in the shared folder.");
}
