#include "sender/missing_device.h"

QString TMissingDevice::Destination() const {
    return tr("シリアルポート %1 (未接続)").arg(Address());
}

QString TMissingDevice::Address() const {
    return QString::fromLocal8Bit(_setup.devicePath.c_str());
}

void TMissingDevice::Start() {
    _outcome = {TDeliveryState::Failed,
                tr("%1 はつながっていません。アダプタを差し込むか、Trazen プロッタ設定で別の"
                   "ポートを選んでください。")
                    .arg(Address())};
}

TStopReply TMissingDevice::Stop(QString* message) {
    *message = tr("中止しました。");
    return TStopReply::Stopped;
}
