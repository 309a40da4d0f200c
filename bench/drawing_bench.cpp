// Drawings to plots, measured: conversion time, pen-up travel with and without line
// optimisation, and how closely the plotted lines follow another renderer's drawing.
//
//   trzn_bench_drawing convert DRAWING BODY [optimise 0|1] [elements per piece]
//                                                             (prints one line of figures;
//                                                             TRZN_EVERY_OUTLINE=1: every outline)
//   trzn_bench_drawing frame PLOT WIDTH                         (trzn-render's frame of a plot)
//   trzn_bench_drawing compare PLOT.png REFERENCE.png X Y W H  (line pixels within 2 px)
//
// The page is a sheet as large as the drawing's canvas (rounded up to whole points) without
// margins at 100 %: the drawing lands whole with its top-left corner on the sheet's, and the
// figures measure reading and plotting, not clipping. The pictures are compared in one frame:
// the reference is drawn where trzn-render's frame puts the canvas, so nothing is aligned by
// what the lines happen to cover.

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "drawing/drawing_plot.h"
#include "drawing/geometry/page_layout.h"
#include "drawing/read/svg/svg_chunks.h"
#include "drawing/read/svg/svg_sanitize.h"
#include "drawing/read/svg/svg_source.h"
#include "plotjob/plot_note.h"
#include "preview/plot_picture.h"
#include "settings/geometry.h"

namespace {

bool IsLine(QRgb c) { return qGray(c) < 144 && qAlpha(c) > 128; }

QImage Load(const char* path) {
    QImage image(QString::fromLocal8Bit(path));
    if (image.isNull()) return image;
    // A transparent background (rsvg) reads as paper.
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) > 128) flat.setPixel(x, y, c | 0xff000000u);
        }
    return flat;
}

// The share of a's line pixels within `canvas` with one of b's within 2 px.
double Within(const QImage& a, const QImage& b, const QRect& canvas) {
    long lines = 0, near = 0;
    const QRect inside = canvas.intersected(a.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (!IsLine(a.pixel(x, y))) continue;
            ++lines;
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx) {
                    if (dx * dx + dy * dy > 4) continue;
                    const int bx = x + dx, by = y + dy;
                    found = b.valid(bx, by) && IsLine(b.pixel(bx, by));
                }
            near += found;
        }
    return lines ? static_cast<double>(near) / lines : 0;
}

// The drawing's canvas in mm, as the conversion sizes it (a missing side from the viewBox).
bool CanvasMm(const char* drawing, double* w, double* h) {
    const SvgBytes bytes = ReadSvgBytes(drawing);
    if (bytes.error != DrawingError::None) return false;
    const SanitizedSvg svg = SanitizeSvg(bytes.xml);
    if (svg.error != DrawingError::None) return false;
    const QTransform toMm = DrawingToDevice(svg.root.width, svg.root.height, svg.root.viewBox,
                                            svg.root.preserveAspectRatio, PlotArea{1, 1, 1}) *
                            QTransform::fromScale(1 / kPlotUnitsPerMm, 1 / kPlotUnitsPerMm);
    std::optional<double> mw = LengthInMm(svg.root.width), mh = LengthInMm(svg.root.height);
    const QStringList box = svg.root.viewBox.simplified().replace(',', ' ').split(' ');
    if (box.size() == 4) {
        const QPointF far = toMm.map(
            QPointF(box[0].toDouble() + box[2].toDouble(), box[1].toDouble() + box[3].toDouble()));
        if (!mw) mw = far.x();
        if (!mh) mh = far.y();
    }
    if (!mw || !mh) return false;
    *w = *mw;
    *h = *mh;
    return true;
}

int Convert(const char* drawing, const char* bodyPath, bool optimise, const SvgChunking& chunking) {
    double w = 0, h = 0;
    if (!CanvasMm(drawing, &w, &h)) {
        std::printf("error: the drawing's canvas size can't be read\n");
        return 2;
    }
    TPrint print;
    std::memset(&print, 0, sizeof print);
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    const auto points = [](double mm) {
        return static_cast<int16_t>(std::min(32000.0, std::ceil(mm * 72 / 25.4 - 1e-6)));
    };
    CalcPageWidth(&print, &config, points(w), points(h), 100, 0);
    config.fautopen = 0;
    config.foptln = optimise ? 0 : 1;
    const int16_t shares[][3] = {{0, 0, 0},         {10000, 0, 0},        {0, 10000, 0},
                                 {0, 0, 10000},     {10000, 10000, 0},    {10000, 0, 10000},
                                 {0, 10000, 10000}, {10000, 10000, 10000}};
    // Thickness 0: the conversion's figures are of outlines; a pen with a thickness would hatch
    // the big drawings' wide strokes (measured on their own by trzn_bench_options).
    for (int i = 0; i < 8; ++i)
        config.toollist[i] = {
            static_cast<int16_t>(i + 1), 0, shares[i][0], shares[i][1], shares[i][2], 1};
    std::FILE* body = std::fopen(bodyPath, "wb");
    if (!body) return 1;
    const auto start = std::chrono::steady_clock::now();
    PlotSettings settings = DecodePlotSettings(print, config);
    settings.everyOutline = std::getenv("TRZN_EVERY_OUTLINE") != nullptr;
    const DrawingResult r = ConvertDrawing(drawing, settings, body, chunking);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fclose(body);
    if (!r.ok()) {
        std::printf("error %d: %s\n", static_cast<int>(r.error), NoteEnglish(r.message).c_str());
        return 2;
    }
    std::printf(
        "seconds %.3f paths %lld travel_mm %.0f bytes %lld notes %zu canvas_mm %.3f %.3f brc %s\n",
        seconds, static_cast<long long>(r.paths), r.penUpTravel / 40.0,
        static_cast<long long>(r.bodyBytes), r.notes.size(), w, h, r.brc.c_str());
    if (r.clipped())
        std::fprintf(stderr, "  note: clipped by the sheet: %.1f %.1f %.1f %.1f mm\n", r.clipLeftMm,
                     r.clipTopMm, r.clipRightMm, r.clipBottomMm);
    for (const Note& n : r.notes) std::fprintf(stderr, "  note: %s\n", NoteEnglish(n).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "convert" && argc >= 4) {
        SvgChunking chunking;
        if (argc >= 6) {
            // Pieces this small only show that splitting changes nothing.
            chunking.elements = std::max(1, std::atoi(argv[5]));
            chunking.carried = 1e9;
        }
        return Convert(argv[2], argv[3], argc < 5 || argv[4][0] != '0', chunking);
    }
    if (mode == "frame" && argc == 4) {
        // The frame trzn-render draws a plot this wide in: pixels per plotter unit, where
        // plotter (0, 0) lands, the line width.
        const int fd = ::open(argv[2], O_RDONLY | O_CLOEXEC);
        if (fd < 0) return 2;
        const TPlotExtent extent = MeasurePlot(fd);
        ::close(fd);
        if (!extent.readable || extent.segments == 0) return 2;
        const int width = std::atoi(argv[3]);
        const QSize size(width, RenderHeightFor(extent.bounds, width));
        const TPlotFrame f = FitPlot(extent.bounds, QRectF(QPointF(0, 0), QSizeF(size)));
        std::printf("%d %d %.9g %.9g %.9g %.9g\n", size.width(), size.height(), f.scale, f.originX,
                    f.originY, f.lineWidth);
        return 0;
    }
    if (mode == "compare" && argc == 8) {
        const QImage plot = Load(argv[2]), reference = Load(argv[3]);
        if (plot.isNull() || reference.isNull() || plot.size() != reference.size()) return 2;
        // Both in one frame; only the canvas counts (the sheet's rounding and the plotter's
        // reach leave a sliver beyond it that the reference never draws).
        const QRect canvas(std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]),
                           std::atoi(argv[7]));
        std::printf("plot_near %.4f reference_near %.4f\n", Within(plot, reference, canvas),
                    Within(reference, plot, canvas));
        return 0;
    }
    std::fprintf(stderr, "usage: see the comment at the top of drawing_bench.cpp\n");
    return 1;
}
