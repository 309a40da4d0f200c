#pragma once
// What poppler paints of a PDF page, made fit for a plotter on its way to the path collector.
// Poppler's painter draws on this device; each shape goes on to `onward` (a painter on the
// collector) in device units, except what has no line to plot:
// - a fill with a gradient (a shading poppler could hand over whole) is skipped;
// - a shading poppler cuts into bands (a run of plain fills under one clip whose colours step
//   gradually) is skipped whole;
// - an image is skipped;
// and a fill reaching outside its clip path is cut to it: a PDF often fills a box clipped to a
// shape, and the shape is what a pen should draw.

#include <QPaintDevice>
#include <QPainter>
#include <cstdint>
#include <memory>

class PdfPlotFilter : public QPaintDevice {
public:
    // `width` x `height`: the page's size in device units, as QPainter asks for it.
    PdfPlotFilter(QPainter& onward, int width, int height);
    ~PdfPlotFilter() override;

    QPaintEngine* paintEngine() const override;

    // Passes on or drops what is still held back; call when poppler's painter has ended.
    void Finish();

    int images() const;
    int64_t shadings() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int _width, _height;
    std::unique_ptr<QPaintEngine> _engine;
};

// How many plain fills in a row, under one clip, make a shading cut into bands.
inline constexpr int kShadingBands = 8;
