#pragma once
// A printer queue of the CUPS client: the framed plot handed over as one raw job, then the job
// followed until CUPS says how it ended. Stop takes the job back.

#include <QElapsedTimer>
#include <memory>

#include "sender/delivery.h"

class TQueueJob;

class TQueueDelivery : public TDelivery {
    Q_DECLARE_TR_FUNCTIONS(TQueueDelivery)

public:
    explicit TQueueDelivery(const TDeliverySetup& setup);
    ~TQueueDelivery() override;
    QString Destination() const override;
    QString Address() const override;
    void Start() override;
    void Step() override;
    TDeliveryProgress Progress() const override { return _progress; }
    TStopReply Stop(QString* message) override;
    TDeliveryOutcome Outcome() const override { return _outcome; }

private:
    void Submit();
    void FollowJob();

    TDeliverySetup _setup;
    TDeliveryProgress _progress;
    TDeliveryOutcome _outcome;
    std::unique_ptr<TQueueJob> _job;
    bool _submitting = false;
    bool _stopAsked = false;  // Stop came while the job's data went out
    QElapsedTimer _poll;
    QElapsedTimer _silent;  // since when the server has not answered about the job
};
