#include "sender/ftp_delivery.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/documents.h"
#include "platform/encoding.h"
#include "platform/file_transfer.h"
#include "platform/ports.h"
#include "sender/net_address.h"
#include "sender/send_messages.h"

TFtpDelivery::TFtpDelivery(const TDeliverySetup& setup) : _setup(setup) {
    const TSrConfig& sr = *setup.port;
    _address.assign(sr.ipaddr, strnlen(sr.ipaddr, sizeof sr.ipaddr));
}

QString TFtpDelivery::Destination() const {
    const HostFields fields = SplitHostText(_address);
    const char* model = "";
    for (const PseudoPort& p : kPseudoPorts)
        if (p.code == _setup.code) model = p.label;
    return tr("FTP サーバ %1  %2")
        .arg(fields.host.empty() ? tr("(未設定)") : SjisToQString(fields.host.c_str()),
             QString::fromLatin1(model));
}

QString TFtpDelivery::Address() const { return SjisToQString(MaskedAddressText(_address).c_str()); }

void TFtpDelivery::Start() { _progress.state = tr("送信の準備をしています…"); }

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
        fail(tr("ネットワークアドレスの設定が長すぎます (%1 バイト、79 バイトまで)。設定を"
                "短くしてください。")
                 .arg(_address.size()));
        return;
    }
    const HostFields fields = SplitHostText(_address);
    const QString server = SjisToQString(fields.host.c_str());
    if (fields.host.empty()) {
        fail(
            tr("FTP サーバのアドレスが設定されていません。設定アプリケーションでアドレスを"
               "入力してください。"));
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
    _progress.state = tr("FTP サーバ %1 に送信しています…").arg(server);
    _setup.serve();

    FtpRequest request;
    request.url = FtpFolderUrl(_setup.code, fields, _setup.ftpPort);
    request.user = fields.user;
    request.password = fields.password;
    request.localPath = local;
    request.keepGoing = [this] {
        _setup.serve();
        return true;
    };
    const DeliveryResult result = FtpUpload(request);
    if (!result.ok()) {
        fail(FtpFailureText(result, server));
        return;
    }
    _progress.state = tr("FTP サーバ %1 に送信しました。").arg(server);
    _outcome = {TDeliveryState::Delivered, tr("送信しました。")};
}
