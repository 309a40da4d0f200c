#include "sender/ftp_delivery.h"

#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/documents.h"
#include "platform/encoding.h"
#include "platform/file_transfer.h"
#include "platform/ports.h"
#include "sender/net_address.h"
#include "sender/send_messages.h"
#include "settings/utility.h"

TFtpDelivery::TFtpDelivery(const TDeliverySetup& setup) : _setup(setup) {
    const TSrConfig& sr = *setup.port;
    _address = FieldText(sr.ipaddr);
}

QString TFtpDelivery::Destination() const {
    const HostFields fields = SplitHostText(_address);
    const char* model = "";
    for (const PseudoPort& p : kPseudoPorts)
        if (p.code == _setup.code) model = p.label;
    return tr("FTP server %1  %2")
        .arg(fields.host.empty() ? tr("(not set)") : SjisToQString(fields.host.c_str()),
             QString::fromLatin1(model));
}

QString TFtpDelivery::Address() const { return SjisToQString(MaskedAddressText(_address).c_str()); }

void TFtpDelivery::Start() { _progress.state = tr("Preparing to send…"); }

void TFtpDelivery::Step() {
    if (_done) return;
    _done = true;
    Upload();
}

void TFtpDelivery::Upload() {
    const auto fail = [this](const QString& message) {
        _outcome = {TDeliveryState::Failed, message};
    };
    // A longer text than the print servers take would be cut somewhere in the password or
    // folder; sending it anyway could deliver to the wrong place.
    if (_address.size() >= kHostTextLimit) {
        fail(tr("The network address is too long (%1 bytes, at most 79). Shorten it in the "
                "configuration window.")
                 .arg(_address.size()));
        return;
    }
    if (_setup.ftpPort < 0 || _setup.ftpPort > 65535) {
        fail(tr("The FTP port number %1 can't be used. Enter a number from 1 to 65535, or 0 for "
                "the server's usual port.")
                 .arg(_setup.ftpPort));
        return;
    }
    const HostFields fields = SplitHostText(_address);
    const QString server = SjisToQString(fields.host.c_str());
    if (fields.host.empty()) {
        fail(tr("No FTP server address is set. Enter the address in the configuration window."));
        return;
    }
    std::string local = FramedPlotPath(_setup);
    if (!FileExists(local)) {
        DeliveryResult missing;
        missing.error = DeliveryError::SourceMissing;
        fail(FtpFailureText(missing, server));
        return;
    }
    if (_setup.code != kDestPricomFtp) {
        // The AXIS servers print what arrives under the port's name.
        const std::string target = _setup.productFolder + AxisFileName(_setup.code);
        std::remove(target.c_str());
        if (std::rename(local.c_str(), target.c_str()) != 0) {
            // Uploading an older lpt1/usb1 left behind would print a previous plot.
            fail(OutputFileFailureText(QString::fromLocal8Bit(local.c_str()), errno));
            return;
        }
        local = target;
    }
    _progress.state = tr("Sending to FTP server %1…").arg(server);
    _uploading = true;  // from here a Stop is the upload's to carry out
    _setup.serve();

    FtpRequest request;
    request.url = FtpFolderUrl(_setup.code, fields, static_cast<int>(_setup.ftpPort));
    request.user = fields.user;
    request.password = fields.password;
    request.localPath = local;
    request.keepGoing = [this] {
        _setup.serve();
        return !_stopAsked;
    };
    if (_stopAsked) {
        _uploading = false;
        _stopWords = NothingSentText();
        return;
    }
    const DeliveryResult result = FtpUpload(request);
    if (result.error == DeliveryError::Aborted && _stopAsked) {
        TakeBack(request, server);  // a Stop meanwhile (the close box) waits for it too
        _uploading = false;
        return;  // Stop carries on after the tick
    }
    _uploading = false;
    if (!result.ok()) {
        fail(FtpFailureText(result, server));
        return;
    }
    _progress.state = tr("Sent to FTP server %1.").arg(server);
    _outcome = {TDeliveryState::Delivered, tr("Sent.")};
}

void TFtpDelivery::TakeBack(const FtpRequest& request, const QString& server) {
    _progress.state =
        tr("Stopping. Deleting the part of the plot that reached the FTP server %1…").arg(server);
    _setup.serve();
    FtpRequest removal = request;
    removal.keepGoing = [this] {
        _setup.serve();
        return true;
    };
    std::string why;
    const QString name = QFileInfo(QString::fromLocal8Bit(request.localPath.c_str())).fileName();
    switch (FtpRemovePartial(removal, &why)) {
        case FtpLeftover::None:
            _stopWords = NothingSentText();
            break;
        case FtpLeftover::Removed:
            _stopWords =
                tr("Stopped. The part of the plot that reached the server, %1, was deleted.")
                    .arg(name);
            break;
        case FtpLeftover::Kept:
            _stopWords = tr("Stopped. The part of the plot that reached the server, %1, is still "
                            "there: the server would not let it be deleted. Delete it on the print "
                            "server.\nThe server said: %2")
                             .arg(name, QString::fromStdString(why));
            break;
    }
}

TStopReply TFtpDelivery::Stop(QString* message) {
    if (_uploading) {
        _stopAsked = true;
        return TStopReply::Later;
    }
    if (_stopAsked) {
        *message = _stopWords;
        return TStopReply::Stopped;
    }
    // Before the first tick: nothing has left.
    _done = true;
    *message = NothingSentText();
    return TStopReply::Stopped;
}

QString TFtpDelivery::NothingSentText() { return tr("Stopped. Nothing reached the server."); }
