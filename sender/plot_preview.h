#pragma once
// The sender panel's picture of the plot: the whole plot pale, what has gone out in full colour,
// and a ring where the pen is. The picture is cached and only the segments sent since the last
// paint are added to it, so a repaint costs what the transfer advanced, not the whole plot.

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <memory>

#include "hpgl/hpgl_plot.h"
#include "sender/plot_render.h"

class TPlotPreview : public QWidget {
    Q_OBJECT
public:
    explicit TPlotPreview(QWidget* parent = nullptr);
    ~TPlotPreview() override;

    // A plot with at least one segment; the picture starts with nothing sent.
    void setPlot(THpglPlot plot, const TPlotPalette& palette);
    // No picture: the note is shown instead (a plot that can't be read or draws nothing).
    void setNote(const QString& note);
    // How many segments (plot-wide, in drawing order) have gone out. Repaints only on change.
    void setSentSegments(std::size_t sent);
    // Whether the ring marking the pen is drawn (a transfer under way).
    void setPenMarked(bool marked);

    bool hasPicture() const { return _plot != nullptr; }
    QString note() const { return _note; }
    std::size_t segmentCount() const { return _plot ? _plot->SegmentCount() : 0; }
    std::size_t sentSegments() const { return _sent; }
    const THpglPlot* plot() const { return _plot.get(); }

    QSize sizeHint() const override { return {520, 300}; }
    QSize minimumSizeHint() const override { return {240, 150}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintNote(QPainter& painter);

    std::unique_ptr<THpglPlot> _plot;
    TPlotPalette _palette;
    QString _note;
    std::size_t _sent = 0;
    bool _penMarked = false;

    QImage _cache;
    std::size_t _cachedSent = 0;
    TPlotFrame _frame;
};
