// PDF, EPS, PostScript and DXF drawings to plots, measured (run by reader_figures.sh):
//
//   trzn_bench_readers convert DRAWING BODY WIDTH_MM HEIGHT_MM [PEN_THICKNESS | setup]
//                                                        (prints one line of figures)
//   trzn_bench_readers extents DRAWING.dxf   (the model-space box the plot lays on the sheet)
//
// The page is a sheet of the size given, without margins, at 100 %, with automatic pens and
// line optimisation: the drawing lands whole with its top-left corner on the sheet's. The pens'
// thickness is in hundredths of a mm (0.3 mm when not given; 0 hatches nothing). "setup" takes
// the pens of the setup a new user starts from instead, colours and thicknesses: which colours
// have a pen of their own decides what is plotted at all (the paper's white has none).

#include <QFile>
#include <QGuiApplication>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "drawing/drawing_plot.h"
#include "drawing/read/dxf/dxf_paint.h"
#include "plotjob/plot_note.h"
#include "settings/default_setup.h"
#include "settings/geometry.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "extents") == 0) {
        // What a picture of the plot needs to set another renderer's drawing in the same frame:
        // the box's left and top land on the sheet's top-left corner, at the unit's size.
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly)) return 2;
        const std::optional<DxfExtents> e = DxfExtentsOf(file.readAll());
        if (!e) return 2;
        std::printf("extents %.9g %.9g %.9g %.9g unit_mm %.9g\n", e->box.left(), e->box.top(),
                    e->box.right(), e->box.bottom(), e->unitMm);
        return 0;
    }
    if ((argc != 6 && argc != 7) || std::strcmp(argv[1], "convert") != 0) {
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
    const int16_t shares[][3] = {{0, 0, 0},         {10000, 0, 0},        {0, 10000, 0},
                                 {0, 0, 10000},     {10000, 10000, 0},    {10000, 0, 10000},
                                 {0, 10000, 10000}, {10000, 10000, 10000}};
    if (argc == 7 && std::strcmp(argv[6], "setup") == 0) {
        RecordSet setup;
        BuiltInSetup(&setup);
        std::memcpy(config.toollist, setup.config->toollist, sizeof config.toollist);
    } else {
        const auto thick = static_cast<int16_t>(argc == 7 ? std::atoi(argv[6]) : 30);
        for (int i = 0; i < 8; ++i)
            config.toollist[i] = {
                static_cast<int16_t>(i + 1), thick, shares[i][0], shares[i][1], shares[i][2], 1};
    }
    std::FILE* body = std::fopen(argv[3], "wb");
    if (!body) return 1;
    const auto start = std::chrono::steady_clock::now();
    const DrawingResult r = ConvertDrawing(argv[2], DecodePlotSettings(print, config), body);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fclose(body);
    if (!r.ok()) {
        std::printf("error %d: %s\n", static_cast<int>(r.error), NoteEnglish(r.message).c_str());
        return 2;
    }
    std::printf("seconds %.3f paths %lld pages %d bytes %lld brc %s\n", seconds,
                static_cast<long long>(r.paths), r.panels, static_cast<long long>(r.bodyBytes),
                r.brc.c_str());
    for (const Note& n : r.notes) std::fprintf(stderr, "  note: %s\n", NoteEnglish(n).c_str());
    return 0;
}
