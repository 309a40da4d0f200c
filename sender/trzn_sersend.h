#pragma once
// The sender's window controller: loads the settings, frames the plug-in's plot, hands it to
// the destination's delivery, shows how far it is, carries out Stop and records the outcome.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plotjob/plot_note.h"
#include "plotjob/plot_slot.h"
#include "settings/records.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QWidget;
class TDelivery;
class TPlotPreview;
namespace Ui {
class trznSendModal;
}

// The program's exit status.
enum class SendOutcome : int {
    Delivered = 0,   // the whole plot went out (completion status 1)
    Stopped = 1,     // the user stopped a serial transfer (completion status 2)
    Failed = 2,      // the delivery failed; the panel said why (completion status 2)
    NotStarted = 3,  // no product folder: nothing was loaded, built or sent
};

class TRZN_SerSend : public QObject {
    Q_OBJECT
public:
    TRZN_SerSend();
    ~TRZN_SerSend() override;

    void awakeFromNib();
    void stopTimer();

    // Test seams. The pause after the last byte (15 s) and the limit for the line to become
    // writable (600 s) give a plotter time to take in what its buffer holds; tests shorten
    // them. The quit handler receives the exit status instead of the application's event loop.
    void setShutdownWaits(std::chrono::milliseconds pause, std::chrono::milliseconds writableLimit);
    void setQuitHandler(std::function<void(int)> quit) { _quit = std::move(quit); }
    // One plot to this printer queue instead of the stored destination (trzn-plot --queue);
    // the settings keep their destination. Set before awakeFromNib.
    void setQueueOverride(std::string queue) { _queueOverride = std::move(queue); }
    // The plot slot's lock descriptor handed down by trzn-plot (`--lock-fd N`). Set before
    // awakeFromNib.
    void setInheritedLock(int fd) { _inheritedLockFd = fd; }

    QWidget* panel() const { return trznSendModal.get(); }
    int16_t destinationCode() const { return _ftcpip; }
    int64_t sentBytes() const { return _ffinline; }
    int64_t totalBytes() const { return _fttlline; }
    bool failed() const { return _outcome == SendOutcome::Failed; }

public slots:
    // The timer's tick: the delivery's step, the panel, and the outcome once there is one.
    void firedByTimer();
    void prserPBtnStopDataAction();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Phase { Idle, Waiting, Sending, Failed, Finishing };

    bool StoreCompletion(Completion value);
    bool TakeSlot();
    void WaitForSlot();
    void StartDelivery();
    void ShowNotes(const std::vector<Note>& notes);
    void Complete(const QString& words);
    void Fail(const QString& message);
    QString StatusUnrecordedText() const;
    void ShowState(const QString& text);
    void FitPanel();
    void LeaveResult();
    void CentrePanel();
    void LoadPreview(int stepsPerInch);
    void ApplyProgress(bool now);
    void RefreshPanel(bool now);
    bool Streams() const;
    void Serve();

    // Outlets.
    QProgressBar* prserPrBrSendData = nullptr;
    QLineEdit* prserTextSendMsg1 = nullptr;
    QLineEdit* prserTextSendMsg2 = nullptr;
    std::unique_ptr<QWidget> trznSendModal;
    TPlotPreview* prserViewPlot = nullptr;

    QTimer* _timer = nullptr;
    int16_t _finvalidate = 0;
    int16_t _finsidetimer = 0;
    int64_t _ffinline = 0;  // as the delivery last told
    int64_t _fttlline = 0;
    int16_t _ftcpip = 0;
    char _path[512] = {};
    std::unique_ptr<RecordSet> _records;  // null before start-up and after stop

    std::unique_ptr<Ui::trznSendModal> _ui;
    std::unique_ptr<TDelivery> _delivery;
    Phase _phase = Phase::Idle;
    SendOutcome _outcome = SendOutcome::NotStarted;
    bool _stopping = false;
    bool _stopRequested = false;  // Stop pressed while a step of the delivery was under way
    // A delivery that streams shows at a steady rate, not per tick: repainting the bar, the
    // text and the picture a hundred times a second cost more CPU than sending.
    QString _detail;
    QElapsedTimer _panelClock;
    QElapsedTimer _textClock;
    std::chrono::milliseconds _pause{15000};
    std::chrono::milliseconds _writableLimit{600000};
    std::function<void(int)> _quit;
    int _inheritedLockFd = -1;
    std::optional<PlotSlot> _slot;  // held from start-up until the program ends
    QTimer* _slotTimer = nullptr;
    bool _delivered = false;         // the whole plot went out
    bool _statusUnwritable = false;  // a write of the completion status failed
    std::string _queueOverride;      // UTF-8
    // What the window last said of the outcome, for the caller's copy (plotjob/send_result.h):
    // left only by a run that had the slot, since the product folder is another plot's before.
    QString _closingWords;
    bool _resultDue = false;
};
