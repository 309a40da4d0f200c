#include "sender/send_messages.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

#include "plotjob/product_folder.h"

namespace {

// The texts are marked where they stand, so lupdate files them under the panel's context; the
// lookup happens here, when the message is shown in the language of the moment.
constexpr const char* kContext = "TRZN_SerSend";
QString Tr(const char* marked) { return QCoreApplication::translate(kContext, marked); }

// The system's own wording, for the part of a message no plain words cover.
QString SystemWords(int err) {
    return err ? QString::fromLocal8Bit(std::strerror(err)) : QString();
}

// A plotter's stray bytes, as the panel can show them.
QString Printable(QString text) {
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F) c = QLatin1Char('?');
    return text;
}

}  // namespace

QString SerialOpenFailureText(const QString& device, int err) {
    QString why;
    switch (err) {
        case EACCES:
        case EPERM:
            why = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "このユーザーにはシリアルポートを使う権限がありません。ユーザーを dialout "
                "グループに加え (sudo adduser $USER dialout)、ログアウトしてから再度ログイン"
                "してください。"));
            break;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            why = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "ポートが見つかりません。プロッタのケーブルや USB アダプタがつながっているか"
                "確かめ、設定でポートを選び直してください。"));
            break;
        case EBUSY:
            why = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "ほかのプログラムがこのポートを使っています。そのプログラムを終了してから"
                "送り直してください。"));
            break;
        case ENOTTY:
            why = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "シリアルポートではありません。設定でポートを選び直してください。"));
            break;
        default:
            why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "システムの説明: %1")).arg(SystemWords(err));
            break;
    }
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "シリアルポート %1 を開けませんでした。"))
               .arg(device) +
           "\n" + why;
}

QString SerialWriteFailureText(const QString& device, int err) {
    QString why =
        err == EIO || err == ENXIO || err == ENODEV
            ? Tr(QT_TRANSLATE_NOOP(
                  "TRZN_SerSend",
                  "回線が切れました。ケーブルや USB アダプタが抜けていないか確かめてから"
                  "送り直してください。"))
            : Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "システムの説明: %1")).arg(SystemWords(err));
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "シリアルポート %1 への送信が途中で失敗しました。"))
               .arg(device) +
           "\n" + why;
}

QString PlotterUnansweredText(const QString& device, const QString& question, bool notANumber,
                              const QString& answer, int64_t sent, int64_t total) {
    QString text =
        notANumber
            ? Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                   "シリアルポート %1 のプロッタが問い合わせ (%2) に、数ではない"
                                   "答え「%3」を返しました。"))
                  .arg(device, question, Printable(answer.trimmed()))
            : Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                   "シリアルポート %1 のプロッタが問い合わせ (%2) に 2 秒たっても"
                                   "答えませんでした。"))
                  .arg(device, question);
    if (sent >= total)
        text += Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                     "プロットは送り終えましたが、描き終えたかは確かめられません"
                                     "でした。"));
    else if (sent > 0)
        text += Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "送ったのは %L1 / %L2 バイトまでです。"))
                    .arg(sent)
                    .arg(total);
    return text + "\n" +
           Tr(QT_TRANSLATE_NOOP(
               "TRZN_SerSend",
               "フロー制御「プロッタのバッファ (ESC.B)」は問い合わせに答えるプロッタのためのもの"
               "です。設定でフロー制御を「RTS/CTS」(ハンドシェーク線のあるケーブル) か"
               "「XON/XOFF」に変えて送り直してください。"));
}

QString SharedFolderFailureText(const DeliveryResult& result, const QString& target) {
    switch (result.error) {
        case DeliveryError::SourceMissing:
            return Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "送るプロットデータ (Trazen.tmp) がありません。イラストレーションプログラム"
                "から出力し直してください。"));
        case DeliveryError::TargetExists:
            return Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "共有フォルダに同じ時刻のファイルが多すぎるため、コピーできませんでした。"
                "少し待ってから送り直してください。"));
        case DeliveryError::FolderNotWritable:
            return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                        "共有フォルダにコピーできませんでした (%1)。\n"
                                        "フォルダがあり、書き込めるか (サーバにつながっているか) "
                                        "確かめてください。"
                                        "システムの説明: %2"))
                .arg(target, SystemWords(result.sysErrno));
        default:
            return Tr(QT_TRANSLATE_NOOP(
                          "TRZN_SerSend",
                          "共有フォルダへのコピーに失敗しました (%1)。システムの説明: %2"))
                .arg(target, result.sysErrno ? SystemWords(result.sysErrno)
                                             : QString::fromStdString(result.detail));
    }
}

QString FtpFailureText(const DeliveryResult& result, const QString& server) {
    QString what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "FTP サーバ %1 への送信に失敗しました。"))
                       .arg(server) +
                   "\n";
    switch (result.error) {
        case DeliveryError::SourceMissing:
            return Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "送るプロットデータ (Trazen.tmp) がありません。イラストレーションプログラム"
                "から出力し直してください。"));
        case DeliveryError::ConnectFailed:
            return what + Tr(QT_TRANSLATE_NOOP(
                              "TRZN_SerSend",
                              "サーバにつながりません。サーバの電源とネットワーク、設定のアドレスを"
                              "確かめてください。"));
        case DeliveryError::LoginDenied:
            return what + Tr(QT_TRANSLATE_NOOP(
                              "TRZN_SerSend",
                              "ユーザー名またはパスワードが違います。設定を確かめてください。"));
        case DeliveryError::RemoteFolderMissing:
            return what + Tr(QT_TRANSLATE_NOOP(
                              "TRZN_SerSend",
                              "サーバに指定のフォルダがありません。設定のフォルダ名を確かめて"
                              "ください。"));
        case DeliveryError::TimedOut:
            return what +
                   Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "サーバが時間内に応答しませんでした。"));
        default:
            return what + Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "詳しい説明: %1"))
                              .arg(QString::fromStdString(result.detail));
    }
}

QString OutputFileFailureText(const QString& path, int err) {
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "プロットデータ %1 を読めませんでした。"))
               .arg(path) +
           "\n" + Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "システムの説明: %1")).arg(SystemWords(err));
}

QString PlotFileFailureText(const QString& folder, const PlotFileResult& result) {
    const int err = result.error;
    QString why;
    if (err == ENOSPC || err == EDQUOT) {
        why =
            Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                 "ディスクがいっぱいです。不要なファイルを消して空きを作ってから、"
                                 "イラストレーションプログラムから出力し直してください。"));
    } else if (err == EISDIR) {
        why = Tr(
            QT_TRANSLATE_NOOP("TRZN_SerSend",
                              "ファイルのあるべき所に同じ名前のフォルダがあります。そのフォルダを"
                              "移すか名前を変えてから出力し直してください。"));
    } else if (err == EACCES || err == EPERM || err == EROFS) {
        why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                   "書き込みが許されていません。フォルダとファイルの権限を確かめて"
                                   "ください。システムの説明: %1"))
                  .arg(SystemWords(err));
    } else {
        why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "システムの説明: %1")).arg(SystemWords(err));
    }
    if (result.problem == PlotFileProblem::HeaderNotAFile ||
        result.problem == PlotFileProblem::BodyNotAFile) {
        why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                   "名前付きパイプやデバイスなど、普通のファイルでないものは読みません。"
                                   "それを取り除いてから出力し直してください。"));
    }
    QString what;
    switch (result.problem) {
        case PlotFileProblem::HeaderNotAFile:
        case PlotFileProblem::BodyNotAFile:
            what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                        "イラストレーションプログラムが書き出した %1 は普通の"
                                        "ファイルではありません。"))
                       .arg(result.problem == PlotFileProblem::BodyNotAFile
                                ? QString::fromLatin1(product::kPlotBody)
                                : QString::fromLatin1(product::kHeaderLines));
            break;
        case PlotFileProblem::OutputUnwritable:
            what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                        "送るプロットデータ (Trazen.tmp) を作れませんでした。前回の"
                                        "プロットを送らないよう、送信をやめました。"));
            break;
        case PlotFileProblem::BodyUnreadable:
            what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                        "イラストレーションプログラムが書き出したプロット "
                                        "(Trazen Prefs) を読めませんでした。"));
            break;
        default:
            what = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend", "送るプロットデータ (Trazen.tmp) を最後まで書けませんでした。"));
            break;
    }
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "プロットを送る準備ができませんでした。")) + "\n" +
           what + "\n" + why + "\n" +
           Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "フォルダ: %1")).arg(folder);
}

QString StatusFailureText(const QString& settingsFile, const std::string& why) {
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                "送信の結果を設定ファイルに記録できませんでした。イラストレーション"
                                "プログラムには送信の終わりが伝わりません。ディスクの空きと"
                                "ファイルの権限を確かめてください。")) +
           "\n" + Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "ファイル: %1")).arg(settingsFile) + "\n" +
           Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "システムの説明: %1"))
               .arg(QString::fromLocal8Bit(why.c_str()));
}

namespace {

// CUPS' own status message, on a line of its own, when it gave one.
QString CupsWords(const std::string& message) {
    return message.empty() ? QString()
                           : "\n" + Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "CUPS の説明: %1"))
                                        .arg(QString::fromStdString(message));
}

}  // namespace

QString QueueSubmitFailureText(const QueueSubmitResult& result, const QString& queue) {
    QString why;
    switch (result.error) {
        case QueueError::ServerUnreachable:
            why = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "CUPS サーバにつながりません。CUPS が動いているか (このマシンか、CUPS_SERVER "
                "や client.conf に書かれたサーバ)、ネットワークを確かめてください。"));
            break;
        case QueueError::NoSuchQueue:
            why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                       "このプリンタキューはサーバにありません。設定で送信先を"
                                       "選び直してください。"));
            break;
        case QueueError::Refused:
            why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                       "サーバがジョブを受け付けませんでした (キューが受付を"
                                       "止めているか、権限がありません)。"));
            break;
        default:
            why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                       "ジョブのデータを送り終える前にサーバとの接続が切れました。"));
            break;
    }
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "プリンタキュー %1 に送れませんでした。"))
               .arg(queue) +
           "\n" + why + CupsWords(result.message);
}

QString QueueJobFailureText(const QueueJobStatus& status, const QString& queue, int job) {
    QString what;
    if (!status.ok) {
        what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                    "CUPS サーバにつながらなくなり、ジョブ %1 (%2) の終わりを"
                                    "確かめられません。"));
    } else if (status.state == QueueJobState::Aborted) {
        what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                    "ジョブ %1 (%2) はサーバで中断されました。プロッタに全部は"
                                    "届いていません。"));
    } else if (status.state == QueueJobState::Cancelled) {
        what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "ジョブ %1 (%2) はサーバで取り消されました。"));
    } else if (status.state == QueueJobState::Stopped) {
        what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "ジョブ %1 (%2) はサーバで止められました。"));
    } else {
        what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                    "ジョブ %1 (%2) がサーバから消えました (キューが削除された"
                                    "かもしれません)。"));
    }
    return what.arg(job).arg(queue) + CupsWords(status.message);
}

QString QueueJobWaitingText(QueueJobState state, const QString& queue, int job) {
    const char* text =
        state == QueueJobState::Processing
            ? QT_TRANSLATE_NOOP("TRZN_SerSend", "プリンタキュー %1 のジョブ %2 をプロッタに送っています…")
        : state == QueueJobState::Held
            ? QT_TRANSLATE_NOOP("TRZN_SerSend", "プリンタキュー %1 のジョブ %2 は保留されています。")
            : QT_TRANSLATE_NOOP("TRZN_SerSend", "プリンタキュー %1 のジョブ %2 は順番を待っています。");
    return Tr(text).arg(queue).arg(job);
}
