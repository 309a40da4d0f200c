#include "sender/plot_preview.h"

#include <fcntl.h>
#include <unistd.h>

#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>

namespace {

// Long enough for a window being dragged to a new size to come to rest.
constexpr int kResizeSettleMs = 150;

}  // namespace

TPlotPreview::TPlotPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    _rebuild.setSingleShot(true);
    _rebuild.setInterval(kResizeSettleMs);
    connect(&_rebuild, &QTimer::timeout, this, &TPlotPreview::StartBuild);
}

TPlotPreview::~TPlotPreview() {
    StopWorker();
    if (_fd >= 0) ::close(_fd);
}

void TPlotPreview::setPlotFile(const std::string& path, const TPlotPalette& palette,
                               int stepsPerInch) {
    StopWorker();
    if (_fd >= 0) ::close(_fd);
    _fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    _palette = palette;
    _stepsPerInch = stepsPerInch;
    _picture = {};
    _shown = QImage();
    _applied = 0;
    _note.clear();
    if (_fd < 0) {
        setNote(
            tr("This plot can't be shown (the file can't be opened).\nIt is sent all the same."));
        emit pictureFailed();
        return;
    }
    _pendingBuild = true;
    if (isVisible()) StartBuild();
    update();
}

void TPlotPreview::setNote(const QString& note) {
    StopWorker();
    _pendingBuild = false;
    _picture = {};
    _shown = QImage();
    _note = note;
    update();
}

void TPlotPreview::setSentBytes(std::int64_t sent) {
    if (sent == _sent) return;
    if (!hasPicture()) {
        _sent = sent;
        return;
    }
    // Only what changed is repainted: the pixels newly sent and the ring's old and new place.
    // A frame of a slow serial line then costs a few small blits, not the whole picture.
    QRect touched;
    if (sent < _sent) {
        _shown = _picture.pale.copy();
        _applied = 0;
        touched = _shown.rect();
    }
    _applied = ApplySent(_picture, _shown, sent, _applied, &touched);
    QRect dirty = ToWidget(touched);
    if (_penMarked) dirty |= RingRect(_sent) | RingRect(sent);
    _sent = sent;
    if (!dirty.isEmpty()) update(dirty);
}

QRect TPlotPreview::ToWidget(const QRect& pixels) const {
    if (pixels.isEmpty() || _shown.isNull()) return {};
    const double sx = width() / static_cast<double>(_shown.width());
    const double sy = height() / static_cast<double>(_shown.height());
    return QRectF(pixels.x() * sx, pixels.y() * sy, pixels.width() * sx, pixels.height() * sy)
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

bool TPlotPreview::RingCentre(std::int64_t sent, QPointF& at) const {
    if (!_picture.PenAt(sent, at) || _shown.isNull()) return false;
    at = QPointF(at.x() * width() / _shown.width(), at.y() * height() / _shown.height());
    return true;
}

QRect TPlotPreview::RingRect(std::int64_t sent) const {
    QPointF at;
    if (!RingCentre(sent, at)) return {};
    constexpr int kReach = 10;  // radius 6 and half the 4-pixel white pen, and a pixel spare
    return QRect(at.toPoint() - QPoint(kReach, kReach), QSize(2 * kReach, 2 * kReach));
}

void TPlotPreview::setPenMarked(bool marked) {
    if (marked == _penMarked) return;
    _penMarked = marked;
    update();
}

void TPlotPreview::StartBuild() {
    _rebuild.stop();
    if (_fd < 0) return;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (pixels.isEmpty()) return;
    StopWorker();
    _pendingBuild = false;
    _builtFor = pixels;
    _cancel.store(false);
    const int fd = _fd;
    const TPlotPalette palette = _palette;
    const int steps = _stepsPerInch;
    _worker = std::thread([this, fd, palette, pixels, ratio, steps] {
        TPlotPicture picture =
            DrawPlotPicture(fd, palette, pixels, ratio, true, &_cancel, nullptr, steps);
        {
            const std::lock_guard<std::mutex> lock(_resultLock);
            _result = std::move(picture);
        }
        // Queued to the widget's thread; dropped by Qt if the widget is gone by then (it joins
        // this thread before it goes).
        QMetaObject::invokeMethod(this, [this] { TakeResult(); }, Qt::QueuedConnection);
    });
}

void TPlotPreview::StopWorker() {
    if (_worker.joinable()) {
        _cancel.store(true);
        _worker.join();
    }
    const std::lock_guard<std::mutex> lock(_resultLock);
    _result.reset();
}

void TPlotPreview::TakeResult() {
    std::optional<TPlotPicture> result;
    {
        const std::lock_guard<std::mutex> lock(_resultLock);
        result.swap(_result);
    }
    // A call queued by a worker that a newer build has replaced finds no result, and must not
    // wait for the newer worker's whole drawing.
    if (!result) return;
    // The worker stored its result as its last step: this join is immediate.
    if (_worker.joinable()) _worker.join();
    if (result->status == TPictureStatus::Cancelled) return;
    if (result->status != TPictureStatus::Ready) {
        setNote(
            result->status == TPictureStatus::Unreadable
                ? tr("This plot can't be shown (the file can't be read).\nIt is sent all the same.")
                : tr("This plot can't be shown (no HP-GL lines found).\nIt is sent all the same."));
        emit pictureFailed();
        return;
    }
    _picture = std::move(*result);
    _shown = _picture.pale.copy();
    _applied = ApplySent(_picture, _shown, _sent, 0);
    update();
}

void TPlotPreview::waitUntilReady() {
    if (_pendingBuild) StartBuild();
    if (_worker.joinable()) _worker.join();
    TakeResult();
}

void TPlotPreview::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!hasPicture()) {
        PaintNote(painter, isPreparing() ? tr("Preparing the preview…") : _note);
        return;
    }
    // Until a resize has been redrawn, the picture drawn for the old size is stretched.
    if (_shown.size() == (QSizeF(size()) * _shown.devicePixelRatio()).toSize()) {
        const QRect area = event->rect();
        const qreal ratio = _shown.devicePixelRatio();
        painter.drawImage(QRectF(area),
                          _shown, QRectF(area.x() * ratio, area.y() * ratio,
                                         area.width() * ratio, area.height() * ratio));
    } else {
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size())), _shown);
    }
    QPointF at;
    if (_penMarked && RingCentre(_sent, at)) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 4));
        painter.drawEllipse(at, 6, 6);
        painter.setPen(QPen(QColor(0xe6, 0x51, 0x00), 2));
        painter.drawEllipse(at, 6, 6);
    }
    if (_picture.Incomplete()) PaintCutNote(painter);
}

QString TPlotPreview::cutNote() const {
    if (!hasPicture() || !_picture.Incomplete()) return {};
    return tr("The preview shows only part of the plot (too many lines). The whole plot is sent.");
}

// Along the bottom edge, over the desk and the paper's margin rather than over the middle of
// the drawing; translucent so that the paper still shows through.
void TPlotPreview::PaintCutNote(QPainter& painter) {
    const int high = painter.fontMetrics().height() + 6;
    const QRect band(0, height() - high, width(), high);
    painter.fillRect(band, QColor(0xff, 0xf4, 0xd6, 225));
    painter.setPen(QColor(0x6b, 0x4a, 0x00));
    painter.drawText(band.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(cutNote(), Qt::ElideRight, width() - 16));
}

void TPlotPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (_fd < 0 || (!hasPicture() && !isPreparing())) return;
    const QSize pixels = (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (pixels == _builtFor && !_pendingBuild) return;
    _pendingBuild = true;
    _rebuild.start();
}

void TPlotPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (_pendingBuild) StartBuild();
}

void TPlotPreview::PaintNote(QPainter& painter, const QString& text) {
    painter.fillRect(rect(), QColor(kDeskColour));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, text);
}
