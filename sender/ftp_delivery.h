#pragma once
// The FTP print servers: one upload of the framed plot on the first tick, under the name the
// server prints from. Stop gives the upload up and deletes what reached the server, where the
// server lets it: a print server prints whatever file it finds, a cut-off plot included.

#include "platform/file_transfer.h"
#include "sender/delivery.h"

class TFtpDelivery : public TDelivery {
    Q_DECLARE_TR_FUNCTIONS(TFtpDelivery)

public:
    explicit TFtpDelivery(const TDeliverySetup& setup);
    QString Destination() const override;
    QString Address() const override;
    void Start() override;
    void Step() override;
    TDeliveryProgress Progress() const override { return _progress; }
    TStopReply Stop(QString* message) override;
    TDeliveryOutcome Outcome() const override { return _outcome; }

private:
    void Upload();
    void TakeBack(const FtpRequest& request, const QString& server);
    static QString NothingSentText();

    TDeliverySetup _setup;
    std::string _address;  // the network address text, Shift-JIS
    bool _done = false;
    bool _uploading = false;
    bool _stopAsked = false;  // the upload gives up at its next look, then Stop carries on
    QString _stopWords;       // what became of the part that reached the server
    TDeliveryProgress _progress;
    TDeliveryOutcome _outcome;
};
