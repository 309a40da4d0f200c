#include "tools/send_plots.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/desktop_notice.h"
#include "plotjob/plot_notes.h"
#include "plotjob/plot_slot.h"
#include "plotjob/send_result.h"
#include "settings/store.h"
#include "tools/plot_checks.h"
#include "tools/plot_job.h"
#include "tools/plot_outcome.h"
#include "tools/plot_tr.h"
#include "tools/plot_words.h"
#include "tools/sender_run.h"
#include "tools/settings_state.h"

namespace {

// The plot slot, waited for unless the command line says not to; an exit status without it.
std::optional<PlotSlot> TakeSlot(const std::string& folder, bool wait, int* status) {
    bool busy = false;
    std::optional<PlotSlot> slot = PlotSlot::Acquire(folder, /*wait=*/false, &busy);
    if (!slot && busy && wait) {
        Say(TPlotWords::tr("another plot is being sent; waiting for it to finish"));
        slot = PlotSlot::Acquire(folder, /*wait=*/true, &busy);
    }
    if (slot) return slot;
    if (busy) {
        *status =
            Fail(PlotOutcome::Busy,
                 TPlotWords::tr("another plot is being sent; try again when it has finished"));
    } else {
        *status =
            Fail(PlotOutcome::NoFolder, TPlotWords::tr("the product folder %1 can't be written")
                                            .arg(QString::fromStdString(folder)));
    }
    return std::nullopt;
}

// Where the parts go: the sender, its arguments, the slot it inherits, the product folder.
struct SendContext {
    std::string sender;
    std::vector<std::string> senderArgs;
    int slotFd = -1;
    std::string folder;
    std::string file;  // the file plotted, for the line that says it was delivered
};

// What a sender that ended with `status` left of why; the status itself when it left nothing.
QString SenderReason(const std::optional<SendResult>& result, int status) {
    const QString reason = ReasonOnOneLine(result);
    return reason.isEmpty() ? TPlotWords::tr("TRZNSerSend status %1").arg(status) : reason;
}

// The plot's name as the user knows it: the file's, with the panel's number.
QString ShownName(const std::string& file, const PlotPart& part) {
    const size_t slash = file.rfind('/');
    QString shown = QString::fromLocal8Bit(file.substr(slash == std::string::npos ? 0 : slash + 1));
    if (part.count > 1) shown += QStringLiteral(" (%1/%2)").arg(part.number).arg(part.count);
    return shown;
}

// Part `i` of `parts` through the sender; an exit status when it did not get through. *went
// is where the sender said it went.
std::optional<int> SendPart(const std::vector<PlotPart>& parts, size_t i, const SendContext& to,
                            QString* went) {
    std::string error;
    const PlotPart& part = parts[i];
    const std::optional<Note> unsent = NotSent(parts, i + 1);
    const QString rest = unsent ? "; " + NoteWords(*unsent) : QString();
    const QString label = NoteWords(PartLabel(part));
    const QString which = part.count > 1 ? label + ": " : QString();
    if (part.count > 1) Say(label);
    if (auto failure = WritePlotInputs(to.folder, part.body, part.headerLines, &error)) {
        const std::optional<Note> unsentHere = NotSent(parts, i);
        const QString none = unsentHere ? NoteWords(*unsentHere) : QString();
        return Fail(*failure, QString::fromLocal8Bit(error.c_str()) +
                                  (part.count > 1 ? "; " + none : QString()));
    }
    ForgetSendResult(to.folder);
    const SenderExit sent = RunSender(to.sender, to.senderArgs, to.slotFd);
    if (sent.how == SenderExit::How::NotStarted) {
        return Fail(PlotOutcome::NoSender,
                    which + TPlotWords::tr("TRZNSerSend could not be started") + rest);
    }
    if (sent.how == SenderExit::How::Killed) {
        // A killed sender could not store its outcome; left alone, the status would say
        // "running" for ever.
        const KilledStatus stored = StoreKilledSenderStatus();
        QString message = which + TPlotWords::tr(
                                      "the plot was not delivered: TRZNSerSend was "
                                      "killed (%1)")
                                      .arg(QString::fromLocal8Bit(strsignal(sent.value)));
        if (stored == KilledStatus::Failed) {
            message += TPlotWords::tr("; the completion status could not be written to %1")
                           .arg(QString::fromStdString(SettingsFilePath(nullptr)));
        }
        return Fail(PlotOutcome::SenderFailed, message + rest);
    }
    const std::optional<SendResult> result = ReadSendResult(to.folder);
    if (sent.value != 0) {
        // The sender's window said it already, and waited for Close: no box repeats it.
        const bool stopped = result && result->end == SendEnd::Stopped;
        Say(which +
            (stopped ? TPlotWords::tr("the plot was stopped: %1")
                     : TPlotWords::tr("the plot was not delivered: %1"))
                .arg(SenderReason(result, sent.value)) +
            rest);
        return static_cast<int>(PlotOutcome::SenderFailed);
    }
    *went = result && result->end == SendEnd::Delivered ? result->destination : QString();
    const QString shown = ShownName(to.file, part);
    const QString line = went->isEmpty() ? TPlotWords::tr("%1: delivered").arg(shown)
                                         : TPlotWords::tr("%1: delivered to %2").arg(shown, *went);
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
    return std::nullopt;
}

// Started from the file manager, nothing else says that the plot went: the sender's window
// closes as soon as it is out.
void NoticeDelivered(const std::string& file, const std::vector<PlotPart>& parts,
                     const QString& went) {
    if (!ShowsWindows()) return;
    PlotPart whole = parts.back();
    whole.count = 1;
    QString what = ShownName(file, whole);
    if (parts.size() > 1)
        what = TPlotWords::tr("%1, %n plots", nullptr, int(parts.size())).arg(what);
    const QString body = went.isEmpty() ? what : TPlotWords::tr("%1 to %2").arg(what, went);
    ShowDesktopNotice({TPlotWords::tr("Plot delivered"), body, QStringLiteral("document-send")});
}

}  // namespace

int SendPlots(const std::vector<PlotPart>& parts, const SendRequest& request,
              const std::string& folder) {
    const std::string sender =
        FindProgram(QCoreApplication::applicationDirPath().toStdString(), "TRZNSerSend", "sender");
    if (sender.empty()) {
        return Fail(PlotOutcome::NoSender, TPlotWords::tr("TRZNSerSend is not installed"));
    }
    if (!HasDisplay()) {
        return Fail(PlotOutcome::NoSender,
                    TPlotWords::tr("no display: TRZNSerSend shows a window and needs a desktop "
                                   "session (DISPLAY or WAYLAND_DISPLAY)"));
    }
    int status = 0;
    const std::optional<PlotSlot> slot = TakeSlot(folder, request.wait, &status);
    if (!slot) return status;
    const SendContext to{sender, request.senderArgs, slot->fd(), folder, request.file};
    QString went;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (auto failed = SendPart(parts, i, to, &went)) return *failed;
    }
    NoticeDelivered(request.file, parts, went);
    return static_cast<int>(PlotOutcome::Delivered);
}
