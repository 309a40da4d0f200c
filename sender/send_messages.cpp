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
                "This user may not use serial ports. Add the user to the dialout group (sudo "
                "adduser $USER dialout), then log out and log in again."));
            break;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            why = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "The port can't be found. Check that the plotter's cable or USB adapter is "
                "connected, then choose the port again in the configuration window."));
            break;
        case EBUSY:
            why = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "Another program is using this port. Quit that program, then send again."));
            break;
        case ENOTTY:
            why = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "This is not a serial port. Choose the port again in the configuration window."));
            break;
        default:
            why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "System message: %1")).arg(SystemWords(err));
            break;
    }
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "Serial port %1 could not be opened."))
               .arg(device) +
           "\n" + why;
}

QString SerialWriteFailureText(const QString& device, int err) {
    QString why =
        err == EIO || err == ENXIO || err == ENODEV
            ? Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                   "The line was cut. Check that the cable or USB adapter is still "
                                   "plugged in, then send again."))
            : Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "System message: %1")).arg(SystemWords(err));
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "Sending to serial port %1 failed partway."))
               .arg(device) +
           "\n" + why;
}

QString PlotterUnansweredText(const QString& device, const QString& question, bool notANumber,
                              const QString& answer, int64_t sent, int64_t total) {
    QString text = notANumber
                       ? Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                              "The plotter on serial port %1 answered the query "
                                              "(%2) with “%3”, which is not a number."))
                             .arg(device, question, Printable(answer.trimmed()))
                       : Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                              "The plotter on serial port %1 did not answer the "
                                              "query (%2) within 2 seconds."))
                             .arg(device, question);
    if (sent >= total)
        text += Tr(QT_TRANSLATE_NOOP(
            "TRZN_SerSend",
            " The whole plot was sent, but whether it has been drawn could not be confirmed."));
    else if (sent > 0)
        text += Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", " %L1 of %L2 bytes had been sent."))
                    .arg(sent)
                    .arg(total);
    return text + "\n" +
           Tr(QT_TRANSLATE_NOOP(
               "TRZN_SerSend",
               "The flow control “Plotter buffer (ESC.B)” is for plotters that answer queries. In "
               "the settings, choose “RTS/CTS” (with a cable that has handshake lines) or "
               "“XON/XOFF” as the flow control and send again."));
}

QString SharedFolderFailureText(const DeliveryResult& result, const QString& target) {
    switch (result.error) {
        case DeliveryError::SourceMissing:
            return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                        "There is no plot data to send (Trazen.tmp). Plot again "
                                        "from the illustration program."));
        case DeliveryError::TargetExists:
            return Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "The shared folder has too many files with the same time stamp, so the plot could "
                "not be copied. Wait a moment, then send again."));
        case DeliveryError::FolderNotWritable:
            return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                        "Could not copy to the shared folder (%1).\nCheck that the "
                                        "folder exists and can be written to (that the server is "
                                        "connected). System message: %2"))
                .arg(target, SystemWords(result.sysErrno));
        default:
            return Tr(QT_TRANSLATE_NOOP(
                          "TRZN_SerSend",
                          "Copying to the shared folder failed (%1). System message: %2"))
                .arg(target, result.sysErrno ? SystemWords(result.sysErrno)
                                             : QString::fromStdString(result.detail));
    }
}

QString FtpFailureText(const DeliveryResult& result, const QString& server) {
    QString what =
        Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "Sending to FTP server %1 failed.")).arg(server) +
        "\n";
    switch (result.error) {
        case DeliveryError::SourceMissing:
            return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                        "There is no plot data to send (Trazen.tmp). Plot again "
                                        "from the illustration program."));
        case DeliveryError::ConnectFailed:
            return what +
                   Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                        "Can't connect to the server. Check the server's power and "
                                        "network, and the address in the configuration window."));
        case DeliveryError::LoginDenied:
            return what + Tr(QT_TRANSLATE_NOOP(
                              "TRZN_SerSend",
                              "Wrong user name or password. Check the configuration window."));
        case DeliveryError::RemoteFolderMissing:
            return what + Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                               "The server has no such folder. Check the folder "
                                               "name in the configuration window."));
        case DeliveryError::TimedOut:
            return what +
                   Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "The server did not answer in time."));
        default:
            return what + Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "Details: %1"))
                              .arg(QString::fromStdString(result.detail));
    }
}

QString OutputFileFailureText(const QString& path, int err) {
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "The plot data %1 could not be read.")).arg(path) +
           "\n" + Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "System message: %1")).arg(SystemWords(err));
}

QString PlotFileFailureText(const QString& folder, const PlotFileResult& result) {
    const int err = result.error;
    QString why;
    if (err == ENOSPC || err == EDQUOT) {
        why =
            Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                 "The disk is full. Delete files you no longer need to make room, "
                                 "then output the plot again from the illustration program."));
    } else if (err == EISDIR) {
        why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                   "A folder of the same name stands where the file should be. "
                                   "Move or rename that folder, then output the plot again."));
    } else if (err == EACCES || err == EPERM || err == EROFS) {
        why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                   "Writing is not permitted. Check the permissions of the folder "
                                   "and the file. System message: %1"))
                  .arg(SystemWords(err));
    } else {
        why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "System message: %1")).arg(SystemWords(err));
    }
    if (result.problem == PlotFileProblem::HeaderNotAFile ||
        result.problem == PlotFileProblem::BodyNotAFile) {
        why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                   "Named pipes, devices and other things that are not plain files "
                                   "are not read. Remove it, then output the plot again."));
    }
    QString what;
    switch (result.problem) {
        case PlotFileProblem::HeaderNotAFile:
        case PlotFileProblem::BodyNotAFile:
            what = Tr(QT_TRANSLATE_NOOP(
                          "TRZN_SerSend",
                          "The %1 written by the illustration program is not a plain file."))
                       .arg(result.problem == PlotFileProblem::BodyNotAFile
                                ? QString::fromLatin1(product::kPlotBody)
                                : QString::fromLatin1(product::kHeaderLines));
            break;
        case PlotFileProblem::OutputUnwritable:
            what = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "The plot data to send (Trazen.tmp) could not be created. Sending was stopped so "
                "that the previous plot is not sent again."));
            break;
        case PlotFileProblem::BodyUnreadable:
            what = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "The plot written by the illustration program (Trazen Prefs) could not be read."));
            break;
        default:
            what = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "The plot data to send (Trazen.tmp) could not be written completely."));
            break;
    }
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "The plot could not be prepared for sending.")) +
           "\n" + what + "\n" + why + "\n" +
           Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "Folder: %1")).arg(folder);
}

QString StatusFailureText(const QString& settingsFile, const std::string& why) {
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                "The result of the delivery could not be recorded in the settings "
                                "file, so the illustration program will not learn how it ended. "
                                "Check the free disk space and the file's permissions.")) +
           "\n" + Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "File: %1")).arg(settingsFile) + "\n" +
           Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "System message: %1"))
               .arg(QString::fromLocal8Bit(why.c_str()));
}

namespace {

// CUPS' own status message, on a line of its own, when it gave one.
QString CupsWords(const std::string& message) {
    return message.empty() ? QString()
                           : "\n" + Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "CUPS says: %1"))
                                        .arg(QString::fromStdString(message));
}

}  // namespace

QString QueueSubmitFailureText(const QueueSubmitResult& result, const QString& queue) {
    QString why;
    switch (result.error) {
        case QueueError::ServerUnreachable:
            why = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "The CUPS server can't be reached. Check that CUPS is running (on this machine, or "
                "the server named by CUPS_SERVER or client.conf) and the network."));
            break;
        case QueueError::NoSuchQueue:
            why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                       "The server has no such printer queue. Choose the "
                                       "destination again in the settings."));
            break;
        case QueueError::Refused:
            why = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                       "The server did not accept the job (the queue is not "
                                       "accepting jobs, or you are not allowed to print to it)."));
            break;
        default:
            why = Tr(QT_TRANSLATE_NOOP(
                "TRZN_SerSend",
                "The connection to the server broke before the job's data had all gone."));
            break;
    }
    return Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                "The plot could not be sent to the printer queue %1."))
               .arg(queue) +
           "\n" + why + CupsWords(result.message);
}

QString QueueJobFailureText(const QueueJobStatus& status, const QString& queue, int job) {
    QString what;
    if (!status.ok) {
        what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend",
                                    "The CUPS server can no longer be reached; whether job %1 (%2) "
                                    "finished can't be told."));
    } else if (status.state == QueueJobState::Aborted) {
        what = Tr(QT_TRANSLATE_NOOP(
            "TRZN_SerSend",
            "Job %1 (%2) was aborted on the server. The plotter did not get all of it."));
    } else if (status.state == QueueJobState::Cancelled) {
        what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "Job %1 (%2) was cancelled on the server."));
    } else if (status.state == QueueJobState::Stopped) {
        what = Tr(QT_TRANSLATE_NOOP("TRZN_SerSend", "Job %1 (%2) was stopped on the server."));
    } else {
        what = Tr(QT_TRANSLATE_NOOP(
            "TRZN_SerSend",
            "Job %1 (%2) is gone from the server (the queue may have been deleted)."));
    }
    return what.arg(job).arg(queue) + CupsWords(status.message);
}

QString QueueJobWaitingText(QueueJobState state, const QString& queue, int job) {
    const char* text =
        state == QueueJobState::Processing
            ? QT_TRANSLATE_NOOP("TRZN_SerSend",
                                "Printer queue %1 is sending job %2 to the plotter…")
        : state == QueueJobState::Held
            ? QT_TRANSLATE_NOOP("TRZN_SerSend", "Job %2 on printer queue %1 is held.")
            : QT_TRANSLATE_NOOP("TRZN_SerSend", "Job %2 on printer queue %1 is waiting its turn.");
    return Tr(text).arg(queue).arg(job);
}
