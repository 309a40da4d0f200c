#include "sender/queue_delivery.h"

#include "platform/print_queue.h"
#include "sender/plot_file.h"
#include "sender/send_messages.h"

TQueueDelivery::TQueueDelivery(const TDeliverySetup& setup) : _setup(setup) {}

TQueueDelivery::~TQueueDelivery() = default;

QString TQueueDelivery::Destination() const {
    return tr("printer queue %1").arg(QString::fromStdString(_setup.queue));
}

QString TQueueDelivery::Address() const { return QString::fromStdString(QueueLabel(_setup.queue)); }

void TQueueDelivery::Start() { _progress.state = tr("Preparing to send…"); }

void TQueueDelivery::Step() {
    if (!_job)
        Submit();
    else
        FollowJob();
}

void TQueueDelivery::Submit() {
    const QString queue = QString::fromStdString(_setup.queue);
    _progress.state = tr("Sending the plot to printer queue %1…").arg(queue);
    _job = std::make_unique<TQueueJob>();
    _submitting = true;
    _progress.sent = 0;
    _progress.total = 1;
    const QueueSubmitResult result =
        _job->Submit(_setup.queue, FramedPlotPath(_setup), _setup.plotTitle,
                     [this](std::int64_t sent, std::int64_t total) {
                         _progress.sent = sent;
                         _progress.total = total > 0 ? total : 1;
                         if (total <= 0) _progress.sent = 1;
                         _setup.serve();
                         return !_stopAsked;
                     });
    _submitting = false;
    if (result.error == QueueError::Interrupted) return;  // Stop carries on after the tick
    if (!result.ok()) {
        _outcome = {TDeliveryState::Failed, QueueSubmitFailureText(result, queue)};
        return;
    }
    _progress.sent = _progress.total = 0;  // the plotter's pace is CUPS' business now
    _progress.detail = tr("Job %1").arg(result.jobId);
    _progress.state = tr("Job %2 is on printer queue %1. Waiting for the plotter to finish it…")
                          .arg(queue)
                          .arg(result.jobId);
    _poll.start();
}

void TQueueDelivery::FollowJob() {
    // Twice a second is prompt enough for a job that takes as long as the plotter draws, and
    // leaves the server alone.
    constexpr qint64 kQueuePollMs = 500;
    if (_poll.isValid() && _poll.elapsed() < kQueuePollMs) return;
    _poll.restart();
    const QString queue = QString::fromStdString(_setup.queue);
    const QueueJobStatus status = _job->Status();
    if (status.ok && status.state == QueueJobState::Completed) {
        _outcome = {TDeliveryState::Delivered, tr("Sent.")};
        return;
    }
    // A server that is restarting or busy for a moment still holds the job and will plot it;
    // failing at once would invite sending the plot a second time.
    constexpr qint64 kQueueSilenceMs = 15000;
    if (!status.ok) {
        if (!_silent.isValid()) _silent.start();
        if (_silent.elapsed() < kQueueSilenceMs) {
            _progress.state = QueueJobWaitingText(QueueJobState::Pending, queue, _job->jobId()) +
                              "\n" + QString::fromStdString(status.message);
            return;
        }
    } else {
        _silent.invalidate();
    }
    if (!status.ok || IsFinal(status.state)) {
        _outcome = {TDeliveryState::Failed, QueueJobFailureText(status, queue, _job->jobId())};
        return;
    }
    const QString words = QString::fromStdString(status.message);
    _progress.state = QueueJobWaitingText(status.state, queue, _job->jobId()) +
                      (words.isEmpty() ? QString() : QStringLiteral("\n") + words);
}

TStopReply TQueueDelivery::Stop(QString* message) {
    if (_submitting) {
        // The job's data is going out: the hand-over stops and cancels the job it made, and
        // this Stop is carried out once that has returned.
        _stopAsked = true;
        return TStopReply::Later;
    }
    // A queued plot can still be taken back: the plotter never sees a cancelled job, or stops
    // where CUPS cut it off.
    *message = tr("Stopped.");
    if (_job && _job->jobId() > 0) {
        std::string why;
        *message = _job->Cancel(&why) ? tr("Stopped. Job %1 was cancelled.").arg(_job->jobId())
                                      : tr("Stopped. Job %1 could not be cancelled: %2")
                                            .arg(_job->jobId())
                                            .arg(QString::fromStdString(why));
    }
    return TStopReply::Stopped;
}
