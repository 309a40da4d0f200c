#include "sender/unset_destination.h"

QString TUnsetDestination::Destination() const { return tr("(未設定)"); }

void TUnsetDestination::Start() {
    _outcome = {TDeliveryState::Failed,
                tr("プロッタはまだ設定されていません。Trazen プロッタ設定で送信先を選んでから、"
                   "もう一度プロットしてください。")};
}

TStopReply TUnsetDestination::Stop(QString* message) {
    *message = tr("中止しました。");
    return TStopReply::Stopped;
}
