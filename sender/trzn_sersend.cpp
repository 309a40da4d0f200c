#include "sender/trzn_sersend.h"

#include <unistd.h>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/balanced_lines.h"
#include "platform/documents.h"
#include "platform/encoding.h"
#include "platform/modal.h"
#include "platform/ports.h"
#include "plotjob/plot_notes.h"
#include "plotjob/product_folder.h"
#include "plotjob/send_result.h"
#include "preview/plot_render.h"
#include "sender/make_delivery.h"
#include "sender/plot_file.h"
#include "sender/plot_preview.h"
#include "sender/send_messages.h"
#include "settings/completion_status.h"
#include "settings/default_setup.h"
#include "settings/store.h"
#include "settings/utility.h"
#include "ui_trznSendModal.h"

namespace {

// The panel's refresh interval: 20 times a second reads as smooth movement.
constexpr qint64 kPanelIntervalMs = 50;
// The texts change five times a second: a byte count or a line of plotter instructions is no
// easier to read faster, and laying out their text was most of what the panel cost.
constexpr qint64 kTextIntervalMs = 200;

}  // namespace

TRZN_SerSend::TRZN_SerSend() : trznSendModal(new QWidget), _ui(new Ui::trznSendModal) {
    _ui->setupUi(trznSendModal.get());
    prserPrBrSendData = _ui->prserPrBrSendData;
    prserTextSendMsg1 = _ui->prserTextSendMsg1;
    prserTextSendMsg2 = _ui->prserTextSendMsg2;
    prserViewPlot = _ui->prserViewPlot;
    connect(_ui->prserPBtnStopData, &QPushButton::clicked, this,
            &TRZN_SerSend::prserPBtnStopDataAction);
    trznSendModal->installEventFilter(this);
    _quit = [](int code) { QCoreApplication::exit(code); };
}

TRZN_SerSend::~TRZN_SerSend() {
    _delivery.reset();  // the line first: the slot is given back last
    _slot.reset();
}

void TRZN_SerSend::setShutdownWaits(std::chrono::milliseconds pause,
                                    std::chrono::milliseconds writableLimit) {
    _pause = pause;
    _writableLimit = writableLimit;
}

void TRZN_SerSend::awakeFromNib() {
    _finvalidate = 0;
    _finsidetimer = 0;
    _ffinline = 0;
    _fttlline = 0;
    _ftcpip = 0;
    _path[0] = 0;
    _records.reset();
    _phase = Phase::Idle;

    const std::string documents = DocumentsFolder();
    const std::string product = ProductFolderIn(documents);
    if (documents.empty() || product.size() + product::kLongestName >= sizeof _path) {
        _outcome = SendOutcome::NotStarted;
        _ui->prserLabelDest->setText(tr("Destination: (unknown)"));
        ShowState(
            documents.empty()
                ? tr("The plot can't be sent: the Documents folder can't be found.")
                : tr("The plot can't be sent: the path of the Documents folder is too long."));
        _ui->prserPBtnStopData->setText(tr("Close"));
        CentrePanel();
        return;
    }
    MakeProductFolder(documents);
    MakeFolder(ProductFile(product, product::kPresets));
    std::memcpy(_path, product.c_str(), product.size() + 1);

    // Nothing of the product folder is touched, not even the settings, before the slot is ours:
    // another sender is reading the framed plot this one would rebuild.
    if (!TakeSlot()) {
        WaitForSlot();
        return;
    }
    StartDelivery();
}

bool TRZN_SerSend::TakeSlot() {
    return PlotSlot::Take(_path, _inheritedLockFd, &_slot) != SlotState::Busy;
}

void TRZN_SerSend::WaitForSlot() {
    _phase = Phase::Waiting;
    _outcome = SendOutcome::Stopped;  // what Stop leaves while waiting
    _ui->prserLabelDest->setText(tr("Destination: (waiting)"));
    prserPrBrSendData->setRange(0, 0);
    _ui->prserLabelPreviewKey->hide();  // nothing is drawn until this plot's turn
    ShowState(tr("Another plot is being sent. This plot goes out as soon as it has finished…"));
    CentrePanel();
    _slotTimer = new QTimer(this);
    _slotTimer->setInterval(250);
    connect(_slotTimer, &QTimer::timeout, this, [this] {
        if (_phase != Phase::Waiting || !TakeSlot()) return;
        _slotTimer->stop();
        prserPrBrSendData->setRange(0, 100);
        _ui->prserLabelPreviewKey->show();
        StartDelivery();
    });
    _slotTimer->start();
}

void TRZN_SerSend::ShowNotes(const std::vector<Note>& notes) {
    // A few lines are read at a glance; the rest of a long list is what "…" stands for.
    constexpr size_t kShownNotes = 4;
    constexpr qsizetype kLongestNote = 200;
    if (notes.empty()) return;
    QStringList lines{tr("Not plotted:")};
    for (size_t i = 0; i < notes.size() && i < kShownNotes; ++i) {
        QString note = NoteWords(notes[i]);
        if (note.size() > kLongestNote) note = note.left(kLongestNote - 1) + QChar(0x2026);
        lines << QStringLiteral("・") + note;
    }
    if (notes.size() > kShownNotes) lines << QString(QChar(0x2026));
    _ui->prserLabelNotes->setText(lines.join('\n'));
    _ui->prserLabelNotes->show();
    FitPanel();
}

void TRZN_SerSend::StartDelivery() {
    ForgetSendResult(_path);
    _resultDue = true;
    const HeaderFile header = ReadHeaderFile(_path);
    ShowNotes(header.lines.notes);
    _records = std::make_unique<RecordSet>();
    // No settings file yet: the default setup, as the configuration window would start from,
    // which names no destination and so says that the plotter is not set up.
    if (std::string unread;
        !LoadSettings(_records.get()) &&
        ReadSettingsFile(SettingsFilePath(nullptr), &unread) == SettingsRead::Missing)
        DefaultSetup(_records.get());
    // A status that can't be set to "running" can't be set to "done" either: the plug-in would
    // read an earlier run's result for this plot. Nothing is sent then.
    const bool statusRecorded = *_records->refCon == 0 || StoreCompletion(Completion::Running);

    const TSrConfig& sr = *_records->serial;
    const std::string portName = FieldText(sr.port_name);
    const Destination dest = ResolveDestination(SerialDevices(), sr.port, portName.c_str());
    TDeliverySetup setup;
    setup.code = dest.code;
    setup.devicePath = dest.devicePath;
    setup.chosen = DestinationChosen(sr);
    if (!_queueOverride.empty()) {
        setup.chosen = true;
        setup.code = kDestPrinterQueue;
        setup.queue = _queueOverride;
    } else if (dest.code == kDestPrinterQueue) {
        // The stored label is Shift-JIS, as every text of the settings file.
        setup.queue = SjisToQString(dest.queue.c_str()).toStdString();
    }
    setup.port = _records->serial.get();
    setup.productFolder = _path;
    setup.plotTitle = PlotTitle(header.lines);
    setup.ftpPort = sr.portid;
    setup.pause = _pause;
    setup.writableLimit = _writableLimit;
    setup.serve = [this] { Serve(); };
    _ftcpip = setup.code;
    _delivery = MakeDelivery(setup);

    _phase = Phase::Sending;
    _outcome = SendOutcome::Delivered;
    _ui->prserLabelDest->setText(tr("Destination: %1").arg(_delivery->Destination()));
    if (!statusRecorded) {
        CentrePanel();
        Fail(StatusUnrecordedText());
        return;
    }
    _delivery->Prepare();
    if (const QString address = _delivery->Address(); !address.isEmpty())
        prserTextSendMsg1->setText(address);

    const PlotFileResult framed = CreateSerPltFile(_path, header);
    if (!framed.whole()) {
        // A plot cut short, or an earlier run's plot left in its place, must not go out as
        // this one: the plotter would draw it as if it were complete.
        CentrePanel();
        Fail(PlotFileFailureText(QString::fromLocal8Bit(_path), framed));
        return;
    }
    LoadPreview(header.lines.stepsPerInch);
    _delivery->Start();
    CentrePanel();
    if (const TDeliveryOutcome start = _delivery->Outcome();
        start.state == TDeliveryState::Failed) {
        Fail(start.message);
        return;
    }
    ApplyProgress(true);

    _panelClock.start();
    _textClock.start();
    _timer = new QTimer(this);
    _timer->setInterval(10);
    connect(_timer, &QTimer::timeout, this, &TRZN_SerSend::firedByTimer);
    _timer->start();
}

void TRZN_SerSend::firedByTimer() {
    if (_finsidetimer) return;
    if (_phase != Phase::Sending) return;
    _finsidetimer = 1;
    TDeliveryOutcome outcome = _delivery->Outcome();
    if (outcome.state == TDeliveryState::Delivered) {
        Complete(outcome.message);
        _finsidetimer = 0;
        return;
    }
    if (outcome.state == TDeliveryState::Working) {
        _delivery->Step();
        outcome = _delivery->Outcome();
    }
    // Callers wait on the sender: a plot that is out is recorded, and the window gone, at once.
    if (outcome.state == TDeliveryState::Delivered) {
        Complete(outcome.message);
        _finsidetimer = 0;
        return;
    }
    if (outcome.state == TDeliveryState::Failed)
        Fail(outcome.message);
    else
        ApplyProgress(false);
    _finsidetimer = 0;
    if (_stopRequested) {
        _stopRequested = false;
        prserPBtnStopDataAction();
    }
}

void TRZN_SerSend::Complete(const QString& words) {
    if (Streams()) ApplyProgress(true);
    prserViewPlot->setAllSent();
    prserViewPlot->setPenMarked(false);
    _delivered = true;
    if (!StoreCompletion(Completion::Done)) {
        Fail(StatusUnrecordedText());
        return;
    }
    _outcome = SendOutcome::Delivered;
    ShowState(words);
    _closingWords = words;
    stopTimer();
}

bool TRZN_SerSend::Streams() const { return _delivery && _delivery->Streams(); }

void TRZN_SerSend::Serve() {
    if (_phase == Phase::Sending && !_stopping) ApplyProgress(true);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TRZN_SerSend::ApplyProgress(bool now) {
    const TDeliveryProgress p = _delivery->Progress();
    _ffinline = p.sent;
    _fttlline = p.total;
    if (Streams()) {
        _detail = p.detail;
        RefreshPanel(now);
        // A line that waits on its plotter rather than on the port says so, not a byte count.
        if (!p.state.isEmpty() && _phase == Phase::Sending && !_stopping &&
            p.state != _ui->prserLabelState->text())
            ShowState(p.state);
        return;
    }
    // The other deliveries change little, and seldom: what they say is shown at once.
    if (p.total > 0) {
        if (prserPrBrSendData->maximum() == 0) prserPrBrSendData->setRange(0, 100);
        prserPrBrSendData->setValue(static_cast<int>(p.sent * 100 / p.total));
    } else if (prserPrBrSendData->maximum() != 0) {
        prserPrBrSendData->setRange(0, 0);
    }
    if (!p.state.isEmpty() && p.state != _ui->prserLabelState->text()) ShowState(p.state);
    if (!p.detail.isEmpty() && p.detail != prserTextSendMsg2->text())
        prserTextSendMsg2->setText(p.detail);
}

void TRZN_SerSend::RefreshPanel(bool now) {
    if (!now && _panelClock.isValid() && _panelClock.elapsed() < kPanelIntervalMs) return;
    _panelClock.restart();
    const double ratio = _fttlline > 0 ? static_cast<double>(_ffinline) / _fttlline : 1.0;
    prserPrBrSendData->setValue(static_cast<int>(ratio * 100.0));
    prserViewPlot->setSentBytes(_ffinline);
    if (!now && _textClock.isValid() && _textClock.elapsed() < kTextIntervalMs) return;
    _textClock.restart();
    if (!_detail.isEmpty() && _detail != prserTextSendMsg2->text())
        prserTextSendMsg2->setText(_detail);
    if (_phase == Phase::Sending && !_stopping)
        ShowState(tr("Sending: %L1 / %L2 bytes").arg(_ffinline).arg(_fttlline));
}

void TRZN_SerSend::LoadPreview(int stepsPerInch) {
    // Drawn from the framed file itself, so the picture's byte offsets count the same bytes as
    // _ffinline. The drawing runs beside the delivery and never holds it back.
    connect(prserViewPlot, &TPlotPreview::pictureFailed, _ui->prserLabelPreviewKey, &QWidget::hide);
    prserViewPlot->setPlotFile(ProductFile(_path, product::kFramedPlot),
                               TPlotPalette(*_records->config), stepsPerInch);
    if (Streams()) {
        prserViewPlot->setPenMarked(true);
    } else {
        _ui->prserLabelPreviewKey->setText(
            tr("Light lines: the plot before sending    Dark lines: the plot once sent"));
    }
}

void TRZN_SerSend::prserPBtnStopDataAction() {
    if (_stopping) return;
    if (_phase == Phase::Waiting) {
        stopTimer();
        return;
    }
    if (_phase == Phase::Failed || _phase == Phase::Idle) {
        // The button is the way out of a failed run: the status says "not done" again (not
        // for a plot that went out whole and only could not be recorded as such).
        if (_records && !_delivered && !_statusUnwritable) StoreCompletion(Completion::Cancelled);
        stopTimer();
        return;
    }
    if (_phase != Phase::Sending) return;
    QString words;
    const TStopReply reply = _delivery->Stop(&words);
    if (reply == TStopReply::Later) {
        _stopRequested = true;
        // The press is seen at once, though what it stops takes a moment to wind down.
        _ui->prserPBtnStopData->setEnabled(false);
        _ui->prserPBtnStopData->setText(tr("Stopping…"));
        return;
    }
    QString unrecorded;
    if (!StoreCompletion(Completion::Cancelled)) {
        _outcome = SendOutcome::Failed;
        unrecorded = "\n" + StatusUnrecordedText();
    }
    if (reply == TStopReply::GoesOn) {
        // An upload or copy under way can't be taken back half done; it goes on.
        Modal().Beep();
        return;
    }
    const SendOutcome stopped =
        _outcome == SendOutcome::Failed ? SendOutcome::Failed : SendOutcome::Stopped;
    if (Streams()) ApplyProgress(true);
    _outcome = stopped;
    _closingWords = words + unrecorded;
    // The wait for the line is the window's to say while it lasts, not the run's result.
    const QString closing = _delivery->ClosingState();
    ShowState(closing.isEmpty() ? _closingWords : _closingWords + "\n" + closing);
    _ui->prserPBtnStopData->setText(tr("Stopping…"));
    stopTimer();
}

void TRZN_SerSend::stopTimer() {
    if (_stopping) return;
    _stopping = true;
    if (_phase != Phase::Failed) _phase = Phase::Finishing;
    if (!_finvalidate) {
        if (_timer) _timer->stop();
        _finvalidate = 1;
    }
    if (_slotTimer) _slotTimer->stop();
    _ui->prserPBtnStopData->setEnabled(false);
    if (_delivery) _delivery->Close();
    LeaveResult();
    _records.reset();
    // The slot is given back last, once the status is written and the line is closed.
    _slot.reset();
    _quit(static_cast<int>(_outcome));
}

bool TRZN_SerSend::StoreCompletion(Completion value) {
    if (!_records) return true;
    *_records->refCon = static_cast<int64_t>(value);
    // Only the status: the rest of the file may have been saved by the configuration window
    // since it was loaded here (the user mending what a failure message asked for).
    const bool stored = StoreCompletionStatus(value, PrintLines::Sender);
    if (!stored) _statusUnwritable = true;
    return stored;
}

QString TRZN_SerSend::StatusUnrecordedText() const {
    return StatusFailureText(QString::fromLocal8Bit(SettingsFilePath(nullptr).c_str()),
                             SettingsWriteError());
}

void TRZN_SerSend::Fail(const QString& message) {
    if (Streams()) ApplyProgress(true);
    _phase = Phase::Failed;
    _outcome = SendOutcome::Failed;
    // A failed run records "not done": not over a plot that went out whole, and not again where
    // recording is what failed.
    QString text = message;
    if (!_delivered && !_statusUnwritable && !StoreCompletion(Completion::Cancelled))
        text += "\n" + StatusUnrecordedText();
    _closingWords = text;
    if (_timer && !_finvalidate) {
        _timer->stop();
        _finvalidate = 1;
    }
    if (prserPrBrSendData->maximum() == 0) prserPrBrSendData->setRange(0, 100);
    prserPrBrSendData->setFormat(Streams() ? tr("Failed (%p% sent)") : tr("Failed"));
    _ui->prserLabelState->setStyleSheet(QStringLiteral("color: #b00020; font-weight: bold;"));
    ShowState((_delivered ? tr("The plot was delivered, but its result could not be recorded.")
                          : tr("The plot could not be sent.")) +
              "\n" + text);
    _ui->prserPBtnStopData->setText(tr("Close"));
    _ui->prserPBtnStopData->setEnabled(true);
    FitPanel();
}

void TRZN_SerSend::ShowState(const QString& text) {
    QLabel* label = _ui->prserLabelState;
    label->setText(text);
    // The label wraps at the width its lines balance at: a Japanese sentence a little wider than
    // the window would leave its last characters alone on a line.
    const int room = label->width();
    if (room > 0)
        label->setContentsMargins(0, 0, room - BalancedWidth(text, label->font(), room), 0);
    FitPanel();
}

void TRZN_SerSend::FitPanel() {
    // A window smaller than its layout needs lays its parts over each other (a three-line
    // failure over the picture's key) or cuts them at its edge (a longer English text). It
    // grows to fit, and never shrinks under the user's eyes.
    QWidget* w = trznSendModal.get();
    QLayout* layout = w->layout();
    layout->activate();
    const int width = std::max(w->width(), layout->totalMinimumSize().width());
    const int height =
        std::max(layout->totalMinimumSize().height(),
                 layout->hasHeightForWidth() ? layout->totalHeightForWidth(width) : 0);
    if (width > w->width() || height > w->height()) w->resize(width, std::max(height, w->height()));
}

void TRZN_SerSend::LeaveResult() {
    if (!_resultDue) return;
    _resultDue = false;
    SendResult result;
    result.end = _outcome == SendOutcome::Delivered ? SendEnd::Delivered
                 : _outcome == SendOutcome::Stopped ? SendEnd::Stopped
                                                    : SendEnd::Failed;
    result.destination = _delivery ? _delivery->Destination() : QString();
    result.words = _closingWords;
    // The caller falls back on the status and the exit code when this can't be left.
    WriteSendResult(_path, result);
}

void TRZN_SerSend::CentrePanel() {
    QWidget* w = trznSendModal.get();
    w->adjustSize();
    FitPanel();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        w->move(area.center() - QPoint(w->width() / 2, w->height() / 2));
    }
    w->show();
}

bool TRZN_SerSend::eventFilter(QObject* watched, QEvent* event) {
    // The window's close box acts as the button does; only the shut-down closes the window,
    // so the status and the line are always seen to.
    if (watched == trznSendModal.get() && event->type() == QEvent::Close) {
        event->ignore();
        if (!_stopping) prserPBtnStopDataAction();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
