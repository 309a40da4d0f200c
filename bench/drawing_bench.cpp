// Drawings to plots, measured: conversion time, pen-up travel with and without line
// optimisation, and how closely the plotted lines follow another renderer's drawing.
//
//   trzn_bench_drawing convert DRAWING BODY [optimise 0|1] [elements per piece]
//                                                             (prints one line of figures)
//   trzn_bench_drawing compare PLOT.png REFERENCE.png          (line pixels within 2 px)
//   trzn_bench_drawing box IMAGE.png                            (the line pixels' box)
//
// The page is a sheet of 14000 x 14000 points without margins at 100 %, so that real drawings
// land whole and the figures measure reading and plotting, not clipping.

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "drawing/drawing_plot.h"
#include "drawing/svg_chunks.h"
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

QRect LineBox(const QImage& image) {
    int x0 = image.width(), y0 = image.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsLine(image.pixel(x, y))) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
}

// The share of a's line pixels with one of b's within 2 px, b shifted by `shift`.
double Within(const QImage& a, const QImage& b, QPoint shift) {
    long lines = 0, near = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!IsLine(a.pixel(x, y))) continue;
            ++lines;
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx) {
                    if (dx * dx + dy * dy > 4) continue;
                    const int bx = x + dx - shift.x(), by = y + dy - shift.y();
                    found = b.valid(bx, by) && IsLine(b.pixel(bx, by));
                }
            near += found;
        }
    return lines ? static_cast<double>(near) / lines : 0;
}

int Convert(const char* drawing, const char* bodyPath, bool optimise, const SvgChunking& chunking) {
    TPrint print;
    std::memset(&print, 0, sizeof print);
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    CalcPageWidth(&print, &config, 14000, 14000, 100, 0);
    config.fautopen = 0;
    config.foptln = optimise ? 0 : 1;
    const int16_t shares[][3] = {{0, 0, 0},         {10000, 0, 0},        {0, 10000, 0},
                                 {0, 0, 10000},     {10000, 10000, 0},    {10000, 0, 10000},
                                 {0, 10000, 10000}, {10000, 10000, 10000}};
    for (int i = 0; i < 8; ++i)
        config.toollist[i] = {
            static_cast<int16_t>(i + 1), 30, shares[i][0], shares[i][1], shares[i][2], 1};
    std::FILE* body = std::fopen(bodyPath, "wb");
    if (!body) return 1;
    const auto start = std::chrono::steady_clock::now();
    const DrawingResult r = ConvertDrawing(drawing, print, config, body, chunking);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fclose(body);
    if (!r.ok()) {
        std::printf("error %d: %s\n", static_cast<int>(r.error), r.message.c_str());
        return 2;
    }
    std::printf("seconds %.3f paths %lld travel_mm %.0f bytes %lld notes %zu\n", seconds,
                static_cast<long long>(r.paths), r.penUpTravel / 40.0,
                static_cast<long long>(r.bodyBytes), r.notes.size());
    for (const std::string& n : r.notes) std::fprintf(stderr, "  note: %s\n", n.c_str());
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
    if (mode == "box" && argc == 3) {
        const QRect box = LineBox(Load(argv[2]));
        std::printf("%d %d %d %d\n", box.x(), box.y(), box.width(), box.height());
        return box.isNull() ? 2 : 0;
    }
    if (mode == "compare" && argc == 4) {
        const QImage plot = Load(argv[2]), reference = Load(argv[3]);
        if (plot.isNull() || reference.isNull()) return 2;
        const QRect a = LineBox(plot), b = LineBox(reference);
        // The two pictures are framed differently: the boxes of their lines line them up.
        const QPoint shift = a.topLeft() - b.topLeft();
        std::printf("plot_near %.4f reference_near %.4f\n", Within(plot, reference, shift),
                    Within(reference, plot, -shift));
        return 0;
    }
    std::fprintf(stderr, "usage: see the comment at the top of drawing_bench.cpp\n");
    return 1;
}
