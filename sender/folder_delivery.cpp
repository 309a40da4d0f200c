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
    return tr("共有フォルダ %1").arg(folder.isEmpty() ? tr("(未設定)") : folder);
}

void TFolderDelivery::Start() { _progress.state = tr("送信の準備をしています…"); }

void TFolderDelivery::Step() {
    if (_done) return;
    _done = true;
    if (_folder.empty()) {
        _outcome = {
            TDeliveryState::Failed,
            tr("共有フォルダが設定されていません。設定アプリケーションで送信先の共有フォルダを"
               "選んでください。")};
        return;
    }
    _progress.state = tr("共有フォルダにコピーしています…");
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
    _progress.state = tr("共有フォルダにコピーしました: %1").arg(target);
    _outcome = {TDeliveryState::Delivered, tr("送信しました。")};
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
    return tr("中止しました。共有フォルダにはプロットを残していません。");
}
