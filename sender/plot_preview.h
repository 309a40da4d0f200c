#pragma once
// The sender panel's picture of the plot: the whole plot pale, what has gone out in full colour,
// and a ring where the pen is. The picture is drawn from the framed file on a worker thread, so
// neither the delivery nor the window ever waits for it; until it is there the panel says that
// it is being prepared. A frame costs a blit of the shown picture plus the pixels sent since the
// last one.

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "hpgl/hpgl_options.h"
#include "preview/plot_picture.h"
#include "preview/plot_render.h"

class TPlotPreview : public QWidget {
    Q_OBJECT
public:
    explicit TPlotPreview(QWidget* parent = nullptr);
    ~TPlotPreview() override;

    // The plot to show. The file is opened now and kept open, so that the picture can still be
    // drawn when the delivery moves the file away. The plot shows pale until it is sent. It is
    // read at the plotter's `stepsPerInch` (the header lines' UNIT:), which gives its labels their
    // real size.
    void setPlotFile(const std::string& path, const TPlotPalette& palette,
                     int stepsPerInch = kHpglStepsPerInch);
    // No picture: the note is shown instead.
    void setNote(const QString& note);
    // Bytes of the file that have gone out. Repaints only on change.
    void setSentBytes(std::int64_t sent);
    void setAllSent() { setSentBytes(std::numeric_limits<std::int64_t>::max()); }
    // Whether the ring marking the pen is drawn (a transfer under way).
    void setPenMarked(bool marked);

    bool isPreparing() const { return _worker.joinable() || _pendingBuild; }
    bool hasPicture() const { return _picture.status == TPictureStatus::Ready; }
    QString note() const { return _note; }
    // What the panel says along the picture's bottom edge when the picture is cut short
    // (TPlotPicture::cut); empty for a whole picture.
    QString cutNote() const;
    std::size_t segmentCount() const { return _picture.segments; }
    std::int64_t sentBytes() const { return _sent; }
    const TPlotPicture& picture() const { return _picture; }
    const QImage& shown() const { return _shown; }

    // Waits (without an event loop) for a picture being drawn and takes it in. For tests and
    // for pictures of the panel.
    void waitUntilReady();

    QSize sizeHint() const override { return {520, 300}; }
    QSize minimumSizeHint() const override { return {240, 150}; }

signals:
    // The plot can't be shown (unreadable, or nothing to draw); the note says so.
    void pictureFailed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void StartBuild();
    void StopWorker();
    void TakeResult();
    void PaintNote(QPainter& painter, const QString& text);
    void PaintCutNote(QPainter& painter);
    // Picture pixels to widget coordinates, for the stretched picture of a pending resize too.
    QRect ToWidget(const QRect& pixels) const;
    bool RingCentre(std::int64_t sent, QPointF& at) const;
    QRect RingRect(std::int64_t sent) const;

    int _fd = -1;
    TPlotPalette _palette;
    int _stepsPerInch = kHpglStepsPerInch;
    QString _note;
    std::int64_t _sent = 0;
    bool _penMarked = false;

    TPlotPicture _picture;
    QImage _shown;
    std::size_t _applied = 0;  // marks already taken into _shown
    QSize _builtFor;

    std::thread _worker;
    std::atomic<bool> _cancel{false};
    std::mutex _resultLock;
    std::optional<TPlotPicture> _result;  // handed over by the worker
    bool _pendingBuild = false;
    QTimer _rebuild;  // a resize redraws once the size has settled
};
