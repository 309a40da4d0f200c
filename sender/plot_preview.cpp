#include "sender/plot_preview.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>

TPlotPreview::TPlotPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

TPlotPreview::~TPlotPreview() = default;

void TPlotPreview::setPlot(THpglPlot plot, const TPlotPalette& palette) {
    _plot = std::make_unique<THpglPlot>(std::move(plot));
    _palette = palette;
    _note.clear();
    _sent = 0;
    _cache = QImage();
    _cachedSent = 0;
    update();
}

void TPlotPreview::setNote(const QString& note) {
    _plot.reset();
    _note = note;
    _sent = 0;
    _cache = QImage();
    _cachedSent = 0;
    update();
}

void TPlotPreview::setSentSegments(std::size_t sent) {
    sent = std::min(sent, segmentCount());
    if (sent == _sent) return;
    _sent = sent;
    update();
}

void TPlotPreview::setPenMarked(bool marked) {
    if (marked == _penMarked) return;
    _penMarked = marked;
    update();
}

void TPlotPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!_plot) {
        PaintNote(painter);
        return;
    }
    const TPlotRenderer renderer(*_plot, _palette);
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (_cache.size() != pixels || _sent < _cachedSent) {
        _cache = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        _cache.setDevicePixelRatio(ratio);
        const QRectF area(QPointF(0, 0), QSizeF(size()));
        _frame = FitPlot(_plot->bounds, area);
        QPainter cache(&_cache);
        renderer.PaintAll(cache, area, _frame, _sent);
        _cachedSent = _sent;
    } else if (_sent > _cachedSent) {
        QPainter cache(&_cache);
        renderer.PaintSegments(cache, _frame, _cachedSent, _sent, TInk::Sent);
        _cachedSent = _sent;
    }
    painter.drawImage(QPointF(0, 0), _cache);

    THpglPoint pen;
    if (_penMarked && renderer.PenPosition(_sent, pen)) {
        const QPointF at = _frame.Map(pen);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 4));
        painter.drawEllipse(at, 6, 6);
        painter.setPen(QPen(QColor(0xe6, 0x51, 0x00), 2));
        painter.drawEllipse(at, 6, 6);
    }
}

void TPlotPreview::PaintNote(QPainter& painter) {
    painter.fillRect(rect(), QColor(kDeskColour));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, _note);
}
