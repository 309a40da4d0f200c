#include "sender/send_messages.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("TRZN_SerSend", text); }

// The system's own wording, for the part of a message no plain words cover.
QString SystemWords(int err) {
    return err ? QString::fromLocal8Bit(std::strerror(err)) : QString();
}

}  // namespace

QString SerialOpenFailureText(const QString& device, int err) {
    QString why;
    switch (err) {
    case EACCES:
    case EPERM:
        why = Tr("このユーザーにはシリアルポートを使う権限がありません。ユーザーを dialout "
                 "グループに加え (sudo adduser $USER dialout)、ログアウトしてから再度ログイン"
                 "してください。");
        break;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        why = Tr("ポートが見つかりません。プロッタのケーブルや USB アダプタがつながっているか"
                 "確かめ、設定でポートを選び直してください。");
        break;
    case EBUSY:
        why = Tr("ほかのプログラムがこのポートを使っています。そのプログラムを終了してから"
                 "送り直してください。");
        break;
    case ENOTTY:
        why = Tr("シリアルポートではありません。設定でポートを選び直してください。");
        break;
    default:
        why = Tr("システムの説明: %1").arg(SystemWords(err));
        break;
    }
    return Tr("シリアルポート %1 を開けませんでした。").arg(device) + "\n" + why;
}

QString SerialWriteFailureText(const QString& device, int err) {
    QString why = err == EIO || err == ENXIO || err == ENODEV
                      ? Tr("回線が切れました。ケーブルや USB アダプタが抜けていないか確かめてから"
                           "送り直してください。")
                      : Tr("システムの説明: %1").arg(SystemWords(err));
    return Tr("シリアルポート %1 への送信が途中で失敗しました。").arg(device) + "\n" + why;
}

QString SharedFolderFailureText(const DeliveryResult& result, const QString& target) {
    switch (result.error) {
    case DeliveryError::SourceMissing:
        return Tr("送るプロットデータ (Trazen.tmp) がありません。イラストレーションプログラム"
                  "から出力し直してください。");
    case DeliveryError::TargetExists:
        return Tr("共有フォルダに同じ時刻のファイルが多すぎるため、コピーできませんでした。"
                  "少し待ってから送り直してください。");
    case DeliveryError::FolderNotWritable:
        return Tr("共有フォルダにコピーできませんでした (%1)。\n"
                  "フォルダがあり、書き込めるか (サーバにつながっているか) 確かめてください。"
                  "システムの説明: %2")
            .arg(target, SystemWords(result.sysErrno));
    default:
        return Tr("共有フォルダへのコピーに失敗しました (%1)。システムの説明: %2")
            .arg(target, result.sysErrno ? SystemWords(result.sysErrno)
                                         : QString::fromStdString(result.detail));
    }
}

QString FtpFailureText(const DeliveryResult& result, const QString& server) {
    QString what = Tr("FTP サーバ %1 への送信に失敗しました。").arg(server) + "\n";
    switch (result.error) {
    case DeliveryError::SourceMissing:
        return Tr("送るプロットデータ (Trazen.tmp) がありません。イラストレーションプログラム"
                  "から出力し直してください。");
    case DeliveryError::ConnectFailed:
        return what + Tr("サーバにつながりません。サーバの電源とネットワーク、設定のアドレスを"
                         "確かめてください。");
    case DeliveryError::LoginDenied:
        return what + Tr("ユーザー名またはパスワードが違います。設定を確かめてください。");
    case DeliveryError::RemoteFolderMissing:
        return what + Tr("サーバに指定のフォルダがありません。設定のフォルダ名を確かめて"
                         "ください。");
    case DeliveryError::TimedOut:
        return what + Tr("サーバが時間内に応答しませんでした。");
    default:
        return what + Tr("詳しい説明: %1").arg(QString::fromStdString(result.detail));
    }
}

QString OutputFileFailureText(const QString& path, int err) {
    return Tr("プロットデータ %1 を読めませんでした。").arg(path) + "\n" +
           Tr("システムの説明: %1").arg(SystemWords(err));
}
