// PDF, EPS, PostScript and DXF drawings to plots, measured (run by reader_figures.sh):
//
//   trzn_bench_readers convert DRAWING BODY WIDTH_MM HEIGHT_MM   (prints one line of figures)
//
// The page is a sheet of the size given, without margins, at 100 %, with automatic pens and
// line optimisation: the drawing lands whole with its top-left corner on the sheet's.

#include <QGuiApplication>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "drawing/drawing_plot.h"
#include "settings/geometry.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 6 || std::strcmp(argv[1], "convert") != 0) {
        std::fprintf(stderr, "usage: see the comment at the top of reader_bench.cpp\n");
        return 1;
    }
    TPrint print;
    std::memset(&print, 0, sizeof print);
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    const auto points = [](const char* mm) {
        return static_cast<int16_t>(std::min(32000.0, std::ceil(std::atof(mm) * 72 / 25.4)));
    };
    CalcPageWidth(&print, &config, points(argv[4]), points(argv[5]), 100, 0);
    config.iFstPage = 1;  // the first page of a document
    config.iLstPage = 1;
    config.fautopen = 0;
    config.foptln = 0;
    const int16_t shares[][3] = {{0, 0, 0},         {10000, 0, 0},     {0, 10000, 0},
                                 {0, 0, 10000},     {10000, 10000, 0}, {10000, 0, 10000},
                                 {0, 10000, 10000}, {10000, 10000, 10000}};
    for (int i = 0; i < 8; ++i)
        config.toollist[i] = {
            static_cast<int16_t>(i + 1), 30, shares[i][0], shares[i][1], shares[i][2], 1};
    std::FILE* body = std::fopen(argv[3], "wb");
    if (!body) return 1;
    const auto start = std::chrono::steady_clock::now();
    const DrawingResult r = ConvertDrawing(argv[2], print, config, body);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fclose(body);
    if (!r.ok()) {
        std::printf("error %d: %s\n", static_cast<int>(r.error), r.message.c_str());
        return 2;
    }
    std::printf("seconds %.3f paths %lld pages %d bytes %lld brc %s\n", seconds,
                static_cast<long long>(r.paths), r.panels, static_cast<long long>(r.bodyBytes),
                r.brc.c_str());
    for (const std::string& n : r.notes) std::fprintf(stderr, "  note: %s\n", n.c_str());
    return 0;
}
