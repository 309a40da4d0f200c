#include "sender/trzn_sersend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <thread>

#include "platform/delivery.h"
#include "platform/documents.h"
#include "platform/encoding.h"
#include "platform/modal.h"
#include "platform/ports.h"
#include "platform/print_queue.h"
#include "platform/serial_line.h"
#include "sender/line_drain.h"
#include "sender/plot_preview.h"
#include "sender/plot_slot.h"
#include "preview/plot_render.h"
#include "sender/net_address.h"
#include "sender/plot_file.h"
#include "sender/segment_reader.h"
#include "sender/send_messages.h"
#include "sender/shared_copy.h"
#include "settings/store.h"
#include "ui_trznSendModal.h"

namespace {

// The panel's refresh interval: 20 times a second reads as smooth movement.
constexpr qint64 kPanelIntervalMs = 50;
// The texts change five times a second: a byte count or a line of plotter instructions is no
// easier to read faster, and laying out their text was most of what the panel cost.
constexpr qint64 kTextIntervalMs = 200;

// The longest name the sender appends to the product folder.
constexpr size_t kLongestFileName = sizeof("/Trazen Sender Prefs") - 1;

// What the line just carried, as text: escape and line ends would show as boxes.
QString SegmentText(const std::string& bytes) {
    QString text = SjisToQString(bytes.c_str());
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char(' ');
    return text;
}

QString FromUtf8Field(const char* text, size_t size) {
    return QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, size)));
}

std::string FieldText(const char* text, size_t size) { return std::string(text, strnlen(text, size)); }

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
    if (_lockFd >= 0) close(_lockFd);
    if (_fd >= 0) CloseSerialLine(_fd);
    if (_fcFRefNum >= 0) close(_fcFRefNum);
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
    _fcFRefNum = -1;
    _ftcpip = 0;
    _path[0] = 0;
    _records.reset();
    _phase = Phase::Idle;

    const std::string documents = DocumentsFolder();
    std::string product = documents + "/Adobe/Illustrator/Trazen";
    if (documents.empty() || product.size() + kLongestFileName >= sizeof _path) {
        _outcome = SendOutcome::NotStarted;
        _ui->prserLabelDest->setText(tr("送信先: (不明)"));
        ShowState(documents.empty()
                      ? tr("書類フォルダが見つからないため、プロットを送れません。")
                      : tr("書類フォルダのパスが長すぎるため、プロットを送れません。"));
        _ui->prserPBtnStopData->setText(tr("閉じる"));
        CentrePanel();
        return;
    }
    MakeFolder(documents + "/Adobe");
    MakeFolder(documents + "/Adobe/Illustrator");
    MakeFolder(product);
    MakeFolder(product + "/Prefs");
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
    return TakePlotSlot(_path, _inheritedLockFd, &_lockFd) != SlotState::Busy;
}

void TRZN_SerSend::WaitForSlot() {
    _phase = Phase::Waiting;
    _outcome = SendOutcome::Stopped;  // what Stop leaves while waiting
    _ui->prserLabelDest->setText(tr("送信先: (待機中)"));
    prserPrBrSendData->setRange(0, 0);
    _ui->prserLabelPreviewKey->hide();  // nothing is drawn until this plot's turn
    ShowState(tr("別のプロットを送信しています。それが終わりしだい、このプロットを送ります…"));
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

void TRZN_SerSend::StartDelivery() {
    _records = std::make_unique<RecordSet>();
    GetPrefarence(nullptr, _records->print.get(), _records->paper.get(), _records->config.get(),
                  _records->serial.get(), _records->refCon.get(), _preset_name, &_resstat);
    // A status that can't be set to "running" can't be set to "done" either: the plug-in would
    // read an earlier run's result for this plot. Nothing is sent then.
    const bool statusRecorded = *_records->refCon == 0 || StoreCompletion(Completion::Running);

    const TSrConfig& sr = *_records->serial;
    const std::string portName = FieldText(sr.port_name, sizeof sr.port_name);
    const Destination dest = ResolveDestination(SerialDevices(), sr.port, portName.c_str());
    _ftcpip = dest.code;
    _devicePath = dest.devicePath;
    if (!_queueOverride.empty()) {
        _ftcpip = kDestPrinterQueue;
        _queue = _queueOverride;
    } else if (_ftcpip == kDestPrinterQueue) {
        // The stored label is Shift-JIS, as every text of the settings file.
        _queue = SjisToQString(dest.queue.c_str()).toStdString();
    }
    _phase = Phase::Sending;
    _outcome = SendOutcome::Delivered;
    ShowDestination();
    if (!statusRecorded) {
        CentrePanel();
        Fail(StatusUnrecordedText());
        return;
    }

    int openError = 0;
    if (SerialDestination()) {
        const LineOpen line = OpenSerialLine(
            _devicePath, BuildLineSettings(sr.baud, sr.data, sr.stop, sr.parity, sr.flctrl));
        _fd = line.fd;
        openError = line.error;
        prserTextSendMsg1->setText(QString::fromLocal8Bit(_devicePath.c_str()));
    } else if (_ftcpip == kDestPrinterQueue) {
        prserTextSendMsg1->setText(QString::fromStdString(QueueLabel(_queue)));
    } else if (_ftcpip != kDestSharedFolder) {
        const std::string address = FieldText(sr.ipaddr, sizeof sr.ipaddr);
        prserTextSendMsg1->setText(SjisToQString(MaskedAddressText(address).c_str()));
    }

    const PlotFileResult framed = CreateSerPltFile(_path);
    if (!framed.whole()) {
        // A plot cut short, or an earlier run's plot left in its place, must not go out as
        // this one: the plotter would draw it as if it were complete.
        CentrePanel();
        Fail(PlotFileFailureText(QString::fromLocal8Bit(_path), framed));
        return;
    }
    LoadPreview();

    if (SerialDestination()) {
        const std::string output = ProductFile(kOutputFileName);
        CreateNewFile(output);
        _fcFRefNum = open(output.c_str(), O_RDONLY | O_CLOEXEC);
        const int readError = errno;
        struct stat st {};
        if (_fcFRefNum >= 0 && fstat(_fcFRefNum, &st) == 0) _fttlline = st.st_size;
        _reader = std::make_unique<SegmentReader>(_fcFRefNum);
        CentrePanel();
        // Either way the plot can't reach the plotter; saying so now beats a bar stuck at 0.
        if (_fd < 0) {
            Fail(SerialOpenFailureText(QString::fromLocal8Bit(_devicePath.c_str()), openError));
            return;
        }
        if (_fcFRefNum < 0) {
            Fail(OutputFileFailureText(QString::fromLocal8Bit(output.c_str()), readError));
            return;
        }
        ShowState(tr("送信中: 0 / %L1 バイト").arg(_fttlline));
    } else {
        CentrePanel();
        _fttlline = 100;
        prserPrBrSendData->setRange(0, 0);
        ShowState(tr("送信の準備をしています…"));
    }

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
    if (_ffinline >= _fttlline) {
        if (SerialDestination()) RefreshPanel(true);
        prserViewPlot->setAllSent();
        prserViewPlot->setPenMarked(false);
        _delivered = true;
        if (!StoreCompletion(Completion::Done)) {
            Fail(StatusUnrecordedText());
            _finsidetimer = 0;
            return;
        }
        _outcome = SendOutcome::Delivered;
        ShowState(SerialDestination() ? tr("送信しました。プロッタの受信完了を待っています…")
                                      : tr("送信しました。"));
        stopTimer();
        _finsidetimer = 0;
        return;
    }
    if (SerialDestination()) SerialStep();
    else if (_ftcpip == kDestPrinterQueue) QueueStep();
    else PseudoPortTransfer();
    if (_panelStale) RefreshPanel(false);
    _finsidetimer = 0;
    if (_stopRequested) {
        _stopRequested = false;
        prserPBtnStopDataAction();
    }
}

void TRZN_SerSend::SerialStep() {
    std::string buffer;
    if (!_reader->Next(buffer)) {
        Fail(OutputFileFailureText(QString::fromLocal8Bit(ProductFile(kOutputFileName).c_str()),
                                   _reader->error()));
        return;
    }
    if (!buffer.empty()) {
        const ssize_t written = WriteSome(_fd, buffer.data(), buffer.size());
        const int writeError = errno;
        DrainWithEvents();
        if (written < 0) {
            _lineBroken = true;
            Fail(SerialWriteFailureText(QString::fromLocal8Bit(_devicePath.c_str()), writeError));
            return;
        }
        const size_t sent = static_cast<size_t>(written);
        if (sent > 0) _lineCarried = true;
        if (sent < buffer.size()) _reader->Unread(buffer.size() - sent);
        _ffinline += static_cast<int64_t>(sent);
    } else if (_ffinline < _fttlline) {
        // The file ended before its length: it shrank while being sent. What went out is all
        // there is, and it is not the whole plot.
        Fail(OutputFileFailureText(QString::fromLocal8Bit(ProductFile(kOutputFileName).c_str()),
                                   EIO));
        return;
    }
    if (!buffer.empty() && buffer[0] != 0) _lastSegment = std::move(buffer);
    _panelStale = true;
    // The last bytes are shown at once: the completing tick must find the panel exact.
    RefreshPanel(_ffinline >= _fttlline);
}

void TRZN_SerSend::RefreshPanel(bool now) {
    if (!now && _panelClock.isValid() && _panelClock.elapsed() < kPanelIntervalMs) return;
    _panelClock.restart();
    _panelStale = false;
    if (!SerialDestination()) return;
    const double ratio = _fttlline > 0 ? static_cast<double>(_ffinline) / _fttlline : 1.0;
    prserPrBrSendData->setValue(static_cast<int>(ratio * 100.0));
    prserViewPlot->setSentBytes(_ffinline);
    if (!now && _textClock.isValid() && _textClock.elapsed() < kTextIntervalMs) return;
    _textClock.restart();
    if (!_lastSegment.empty()) prserTextSendMsg2->setText(SegmentText(_lastSegment));
    if (_phase == Phase::Sending && !_stopping)
        ShowState(tr("送信中: %L1 / %L2 バイト").arg(_ffinline).arg(_fttlline));
}

void TRZN_SerSend::DrainWithEvents() {
    // The re-entrance flag makes ticks that arrive meanwhile return at once; Stop waits for
    // this tick to count what the line took (see prserPBtnStopDataAction).
    DrainServing(
        _fd, [] { QCoreApplication::processEvents(QEventLoop::AllEvents); },
        [this] { return _stopRequested; });
}

void TRZN_SerSend::LoadPreview() {
    // Drawn from the framed file itself, so the picture's byte offsets count the same bytes as
    // _ffinline. The drawing runs beside the delivery and never holds it back.
    connect(prserViewPlot, &TPlotPreview::pictureFailed, _ui->prserLabelPreviewKey,
            &QWidget::hide);
    prserViewPlot->setPlotFile(ProductFile(kOutputFileName), TPlotPalette(*_records->config));
    if (SerialDestination()) {
        prserViewPlot->setPenMarked(true);
    } else {
        _ui->prserLabelPreviewKey->setText(tr("薄い線: 送信前のプロット　　濃い線: 送信を終えたプロット"));
    }
}

void TRZN_SerSend::PseudoPortTransfer() {
    _ffinline = _fttlline;
    CentrePanel();
    if (_ftcpip == kDestSharedFolder) DeliverToSharedFolder();
    else DeliverByFtp();
}

void TRZN_SerSend::DeliverToSharedFolder() {
    const TSrConfig& sr = *_records->serial;
    const std::string folder = FieldText(sr.shared_folder, sizeof sr.shared_folder);
    if (folder.empty()) {
        Fail(tr("共有フォルダが設定されていません。設定アプリケーションで送信先の共有フォルダを"
                "選んでください。"));
        return;
    }
    ShowState(tr("共有フォルダにコピーしています…"));
    QCoreApplication::processEvents();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const SharedCopyResult copy =
        CopyToSharedFolder(ProductFile(kOutputFileName), folder, local, std::rand());
    const QString target = QString::fromUtf8(copy.target.c_str());
    if (!copy.result.ok()) {
        Fail(SharedFolderFailureText(copy.result, target));
        return;
    }
    prserTextSendMsg2->setText(target);
    ShowState(tr("共有フォルダにコピーしました: %1").arg(target));
}

void TRZN_SerSend::DeliverByFtp() {
    const TSrConfig& sr = *_records->serial;
    const std::string address = FieldText(sr.ipaddr, sizeof sr.ipaddr);
    // A longer text than the print servers take would be cut somewhere in the password or
    // folder; sending it anyway could deliver to the wrong place.
    if (address.size() >= kHostTextLimit) {
        Fail(tr("ネットワークアドレスの設定が長すぎます (%1 バイト、79 バイトまで)。設定を"
                "短くしてください。")
                 .arg(address.size()));
        return;
    }
    const HostFields fields = SplitHostText(address);
    const QString server = SjisToQString(fields.host.c_str());
    if (fields.host.empty()) {
        Fail(tr("FTP サーバのアドレスが設定されていません。設定アプリケーションでアドレスを"
                "入力してください。"));
        return;
    }
    std::string local = ProductFile(kOutputFileName);
    if (!FileExists(local)) {
        DeliveryResult missing;
        missing.error = DeliveryError::SourceMissing;
        Fail(FtpFailureText(missing, server));
        return;
    }
    if (_ftcpip != kDestPricomFtp) {
        // The AXIS servers print what arrives under the port's name.
        const std::string target = ProductFile(AxisFileName(_ftcpip).c_str());
        std::remove(target.c_str());
        if (std::rename(local.c_str(), target.c_str()) != 0) {
            // Uploading an older lpt1/usb1 left behind would print a previous plot.
            Fail(OutputFileFailureText(QString::fromLocal8Bit(local.c_str()), errno));
            return;
        }
        local = target;
    }
    ShowState(tr("FTP サーバ %1 に送信しています…").arg(server));
    QCoreApplication::processEvents();

    FtpRequest request;
    request.url = FtpFolderUrl(_ftcpip, fields, _ftpPort);
    request.user = fields.user;
    request.password = fields.password;
    request.localPath = local;
    request.keepGoing = [] {
        QCoreApplication::processEvents();
        return true;
    };
    const DeliveryResult result = FtpUpload(request);
    if (!result.ok()) {
        Fail(FtpFailureText(result, server));
        return;
    }
    ShowState(tr("FTP サーバ %1 に送信しました。").arg(server));
}

bool TRZN_SerSend::TickWaitsForStop() const {
    return _finsidetimer && (SerialDestination() || _ftcpip == kDestPrinterQueue);
}

void TRZN_SerSend::QueueStep() {
    if (!_job) SubmitToQueue();
    else FollowQueueJob();
}

void TRZN_SerSend::SubmitToQueue() {
    const QString queue = QString::fromStdString(_queue);
    ShowState(tr("プリンタキュー %1 にプロットを送っています…").arg(queue));
    prserPrBrSendData->setRange(0, 100);
    prserPrBrSendData->setValue(0);
    _job = std::make_unique<TQueueJob>();
    const QueueSubmitResult result = _job->Submit(
        _queue, ProductFile(kOutputFileName), PlotTitle(_path),
        [this](std::int64_t sent, std::int64_t total) {
            prserPrBrSendData->setValue(total > 0 ? static_cast<int>(sent * 100 / total) : 100);
            QCoreApplication::processEvents();
            return !_stopRequested;
        });
    if (result.error == QueueError::Interrupted) return;  // Stop carries on after the tick
    if (!result.ok()) {
        Fail(QueueSubmitFailureText(result, queue));
        return;
    }
    prserTextSendMsg2->setText(tr("ジョブ %1").arg(result.jobId));
    ShowState(tr("プリンタキュー %1 にジョブ %2 を送りました。プロッタで終わるのを待っています…")
                  .arg(queue)
                  .arg(result.jobId));
    prserPrBrSendData->setRange(0, 0);
    _queuePoll.start();
}

void TRZN_SerSend::FollowQueueJob() {
    // Twice a second is prompt enough for a job that takes as long as the plotter draws, and
    // leaves the server alone.
    constexpr qint64 kQueuePollMs = 500;
    if (_queuePoll.isValid() && _queuePoll.elapsed() < kQueuePollMs) return;
    _queuePoll.restart();
    const QString queue = QString::fromStdString(_queue);
    const QueueJobStatus status = _job->Status();
    if (status.ok && status.state == QueueJobState::Completed) {
        _ffinline = _fttlline;
        return;
    }
    // A server that is restarting or busy for a moment still holds the job and will plot it;
    // failing at once would invite sending the plot a second time.
    constexpr qint64 kQueueSilenceMs = 15000;
    if (!status.ok) {
        if (!_queueSilent.isValid()) _queueSilent.start();
        if (_queueSilent.elapsed() < kQueueSilenceMs) {
            ShowState(QueueJobWaitingText(QueueJobState::Pending, queue, _job->jobId()) + "\n" +
                      QString::fromStdString(status.message));
            return;
        }
    } else {
        _queueSilent.invalidate();
    }
    if (!status.ok || IsFinal(status.state)) {
        Fail(QueueJobFailureText(status, queue, _job->jobId()));
        return;
    }
    const QString words = QString::fromStdString(status.message);
    ShowState(QueueJobWaitingText(status.state, queue, _job->jobId()) +
              (words.isEmpty() ? QString() : QStringLiteral("\n") + words));
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
    if (TickWaitsForStop()) {
        // A tick is waiting for the line to drain or for the job's data to go: it stops
        // waiting, counts what went out, and then carries out this Stop.
        _stopRequested = true;
        return;
    }
    QString unrecorded;
    if (!StoreCompletion(Completion::Cancelled)) {
        _outcome = SendOutcome::Failed;
        unrecorded = "\n" + StatusUnrecordedText();
    }
    const SendOutcome stopped =
        _outcome == SendOutcome::Failed ? SendOutcome::Failed : SendOutcome::Stopped;
    if (_ftcpip == kDestPrinterQueue) {
        // A queued plot can still be taken back: the plotter never sees a cancelled job, or
        // stops where CUPS cut it off.
        QString cancelled = tr("中止しました。");
        if (_job && _job->jobId() > 0) {
            std::string message;
            cancelled = _job->Cancel(&message)
                            ? tr("中止しました。ジョブ %1 を取り消しました。").arg(_job->jobId())
                            : tr("中止しました。ジョブ %1 を取り消せませんでした: %2")
                                  .arg(_job->jobId())
                                  .arg(QString::fromStdString(message));
        }
        _outcome = stopped;
        ShowState(cancelled + unrecorded);
        stopTimer();
        return;
    }
    if (SerialDestination()) {
        RefreshPanel(true);
        _outcome = stopped;
        ShowState(tr("中止しました。プロッタの受信完了を待っています…") + unrecorded);
        stopTimer();
    } else {
        // An upload or copy under way can't be taken back half done; it goes on.
        Modal().Beep();
    }
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
    if (SerialDestination() && _fd >= 0) {
        // The plotter may still be taking in what the port holds; closing early would cut the
        // plot short. A broken line, or one that never carried a byte, holds nothing worth
        // waiting for.
        if (!_lineBroken && _lineCarried) {
            DrainServing(
                _fd, [] { QCoreApplication::processEvents(QEventLoop::AllEvents); },
                [] { return false; });
            const int fd = _fd;
            WaitWithEvents(_writableLimit, [fd] { return WaitWritable(fd, 0); });
            WaitWithEvents(_pause, [] { return false; });
        }
        CloseSerialLine(_fd);
        _fd = -1;
    }
    if (_fcFRefNum >= 0) {
        close(_fcFRefNum);
        _fcFRefNum = -1;
    }
    _reader.reset();
    _records.reset();
    // The slot is given back last, once the status is written and the line is closed.
    if (_lockFd >= 0) {
        close(_lockFd);
        _lockFd = -1;
    }
    _quit(static_cast<int>(_outcome));
}

void TRZN_SerSend::WaitWithEvents(std::chrono::milliseconds limit,
                                  const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limit.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const auto left = limit.count() - clock.elapsed();
        if (left > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::min<qint64>(left, 20)));
    }
}

bool TRZN_SerSend::StoreCompletion(Completion value) {
    if (!_records) return true;
    *_records->refCon = static_cast<int64_t>(value);
    const bool stored =
        SetPrefarence(nullptr, _records->print.get(), _records->paper.get(), _records->config.get(),
                      _records->serial.get(), _records->refCon.get(), _preset_name, &_resstat,
                      PrintLines::Sender);
    if (!stored) _statusUnwritable = true;
    return stored;
}

QString TRZN_SerSend::StatusUnrecordedText() const {
    return StatusFailureText(QString::fromLocal8Bit(SettingsFilePath(nullptr).c_str()),
                             SettingsWriteError());
}

void TRZN_SerSend::Fail(const QString& message) {
    if (SerialDestination()) RefreshPanel(true);
    _phase = Phase::Failed;
    _outcome = SendOutcome::Failed;
    // A failed run records "not done": not over a plot that went out whole, and not again where
    // recording is what failed.
    QString text = message;
    if (!_delivered && !_statusUnwritable && !StoreCompletion(Completion::Cancelled))
        text += "\n" + StatusUnrecordedText();
    if (_timer && !_finvalidate) {
        _timer->stop();
        _finvalidate = 1;
    }
    if (prserPrBrSendData->maximum() == 0) prserPrBrSendData->setRange(0, 100);
    prserPrBrSendData->setFormat(SerialDestination() ? tr("失敗 (%p% 送信済み)") : tr("失敗"));
    _ui->prserLabelState->setStyleSheet(QStringLiteral("color: #b00020; font-weight: bold;"));
    ShowState((_delivered ? tr("プロットは送りましたが、その結果を記録できませんでした。")
                         : tr("送信できませんでした。")) +
              "\n" + text);
    _ui->prserPBtnStopData->setText(tr("閉じる"));
    _ui->prserPBtnStopData->setEnabled(true);
    trznSendModal->adjustSize();
}

void TRZN_SerSend::ShowState(const QString& text) { _ui->prserLabelState->setText(text); }

void TRZN_SerSend::ShowDestination() {
    const TSrConfig& sr = *_records->serial;
    QString where;
    if (SerialDestination()) {
        where = tr("シリアルポート %1").arg(QString::fromLocal8Bit(_devicePath.c_str()));
    } else if (_ftcpip == kDestPrinterQueue) {
        where = tr("プリンタキュー %1").arg(QString::fromStdString(_queue));
    } else if (_ftcpip == kDestSharedFolder) {
        const QString folder = FromUtf8Field(sr.shared_folder, sizeof sr.shared_folder);
        where = tr("共有フォルダ %1").arg(folder.isEmpty() ? tr("(未設定)") : folder);
    } else {
        const HostFields fields = SplitHostText(FieldText(sr.ipaddr, sizeof sr.ipaddr));
        const char* model = "";
        for (const PseudoPort& p : kPseudoPorts)
            if (p.code == _ftcpip) model = p.label;
        where = tr("FTP サーバ %1  %2")
                    .arg(fields.host.empty() ? tr("(未設定)") : SjisToQString(fields.host.c_str()),
                         QString::fromLatin1(model));
    }
    _ui->prserLabelDest->setText(tr("送信先: %1").arg(where));
}

void TRZN_SerSend::CentrePanel() {
    QWidget* w = trznSendModal.get();
    w->adjustSize();
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
