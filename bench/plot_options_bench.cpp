// Figures of the plotting options on drawings (run by hand, not in ctest):
//   trzn_bench_options figures        coverage and ink of hatching, the merged grid, the bands
//   trzn_bench_options convert F.svg THICK FSORT FOPTEX [BODY]   one conversion, timed (for big
//                                     files), its plot body written to BODY
//   trzn_bench_options nested N       inside-first order of N closed paths, timed
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "drawing/drawing_plot.h"
#include "drawing/stages/path_sort.h"
#include "plotjob/plot_note.h"
#include "settings/geometry.h"

namespace {

struct Stroke {
    double x0, y0, x1, y1;
};

struct Plot {
    DrawingResult result;
    std::string body;
    double seconds = 0;
};

Plot ConvertFile(const std::string& path, int16_t thick, int16_t fsort, int16_t foptEx,
                 int16_t widthPt = 595, int16_t heightPt = 842) {
    TPrint print;
    std::memset(&print, 0, sizeof print);
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    CalcPageWidth(&print, &config, widthPt, heightPt, 100, 0);
    config.fsort = fsort;
    config.foptEx = foptEx;
    config.toollist[0] = {1, thick, 0, 0, 0, 1};
    Plot plot;
    char* data = nullptr;
    size_t size = 0;
    std::FILE* body = open_memstream(&data, &size);
    const auto t0 = std::chrono::steady_clock::now();
    plot.result = ConvertDrawing(path, DecodePlotSettings(print, config), body);
    std::fclose(body);
    plot.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    plot.body.assign(data, size);
    std::free(data);
    return plot;
}

Plot ConvertText(const std::string& svg, int16_t thick, int16_t fsort, int16_t foptEx) {
    char name[] = "/tmp/trzn-options-XXXXXX.svg";
    const int fd = mkstemps(name, 4);
    std::FILE* f = fdopen(fd, "w");
    std::fputs(svg.c_str(), f);
    std::fclose(f);
    Plot plot = ConvertFile(name, thick, fsort, foptEx);
    std::remove(name);
    return plot;
}

// Pen-down strokes (plotter units) and the pen-down runs.
std::vector<Stroke> Strokes(const std::string& body, int* runs = nullptr) {
    std::vector<Stroke> strokes;
    static const std::regex instruction("(PU|PD)([-0-9,]*)");
    double x = 0, y = 0;
    int down = 0;
    for (auto it = std::sregex_iterator(body.begin(), body.end(), instruction);
         it != std::sregex_iterator(); ++it) {
        const bool pd = (*it)[1] == "PD";
        if (!pd && (*it)[2].length()) ++down;
        std::string numbers = (*it)[2];
        std::replace(numbers.begin(), numbers.end(), ',', ' ');
        std::istringstream in(numbers);
        for (double nx, ny; in >> nx >> ny; x = nx, y = ny)
            if (pd) strokes.push_back({x, y, nx, ny});
    }
    if (runs) *runs = down;
    return strokes;
}

double Dist(double px, double py, const Stroke& s) {
    const double dx = s.x1 - s.x0, dy = s.y1 - s.y0, len2 = dx * dx + dy * dy;
    const double t =
        len2 > 0 ? std::clamp(((px - s.x0) * dx + (py - s.y0) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(s.x0 + dx * t - px, s.y0 + dy * t - py);
}

// The share of the box's points (0.05 mm apart) within half a pen width of a stroke.
double Covered(const std::vector<Stroke>& strokes, double x0, double y0, double x1, double y1,
               double half) {
    int64_t in = 0, all = 0;
    for (double y = y0 + 1; y < y1; y += 2)
        for (double x = x0 + 1; x < x1; x += 2) {
            ++all;
            for (const Stroke& s : strokes)
                if (Dist(x, y, s) <= half) {
                    ++in;
                    break;
                }
        }
    return all ? double(in) / all : 0;
}

double Length(const std::vector<Stroke>& strokes) {
    double l = 0;
    for (const Stroke& s : strokes) l += std::hypot(s.x1 - s.x0, s.y1 - s.y0);
    return l;
}

const char kOpen[] =
    "<svg xmlns='http://www.w3.org/2000/svg' width='210mm' height='297mm' viewBox='0 0 210 297'>";
constexpr double kTop = 11882;  // A4's height in plotter units

int Figures() {
    // A 20 mm black square at (10, 10) mm with a 0.5 mm pen.
    {
        const Plot p = ConvertText(
            std::string(kOpen) + "<rect x='10' y='10' width='20' height='20'/></svg>", 50, 0, 0);
        const auto s = Strokes(p.body);
        const double cover = Covered(s, 400, kTop - 1200, 1200, kTop - 400, 10);
        const double ink = Length(s) * 20 / (800.0 * 800.0);
        std::printf(
            "20 mm square, 0.5 mm pen: %.1f %% covered, ink %.1f %% of its area, %zu strokes\n",
            100 * cover, 100 * ink, s.size());
        const Plot z = ConvertText(
            std::string(kOpen) + "<rect x='10' y='10' width='20' height='20'/></svg>", 0, 0, 0);
        std::printf("the same at thickness 0: %zu strokes (the outline)\n", Strokes(z.body).size());
    }
    // A 4 mm stroke, 40 mm long, butt caps.
    {
        const Plot p = ConvertText(
            std::string(kOpen) +
                "<path d='M10 10 H50' stroke='black' stroke-width='4' fill='none'/></svg>",
            50, 0, 0);
        const auto s = Strokes(p.body);
        const double cover = Covered(s, 400, kTop - 480, 2000, kTop - 320, 10);
        std::printf("4 mm stroke, 0.5 mm pen: band %.1f %% covered, %zu strokes\n", 100 * cover,
                    s.size());
    }
    // 10 x 10 abutting 5 mm squares.
    {
        std::string svg = std::string(kOpen) + "<g fill='none' stroke='black' stroke-width='0.1'>";
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                svg += "<rect x='" + std::to_string(10 + 5 * x) + "' y='" +
                       std::to_string(10 + 5 * y) + "' width='5' height='5'/>";
        svg += "</g></svg>";
        for (int ex = 0; ex <= 1; ++ex) {
            const Plot p = ConvertText(svg, 0, 0, ex);
            int runs = 0;
            const auto s = Strokes(p.body, &runs);
            // Every edge: the midpoint of each 5 mm edge within 0.05 mm of a stroke.
            int missing = 0;
            for (int i = 0; i <= 10; ++i)
                for (int j = 0; j < 10; ++j)
                    for (int turn = 0; turn < 2; ++turn) {
                        const double a = 400 + 200 * i, b = 400 + 200 * j + 100;
                        const double x = turn ? b : a, y = kTop - (turn ? a : b);
                        bool hit = false;
                        for (const Stroke& st : s) hit = hit || Dist(x, y, st) <= 2;
                        missing += !hit;
                    }
            std::printf(
                "grid, extended optimisation %s: %.0f mm pen-down in %d runs, %d edges missing\n",
                ex ? "on" : "off", Length(s) / 40, runs, missing);
        }
    }
    // 60 scattered 5 to 10 mm squares with sort C: how far the pen goes back along y.
    {
        std::mt19937 random(3);
        std::string svg = std::string(kOpen) + "<g fill='none' stroke='black' stroke-width='0.1'>";
        for (int i = 0; i < 60; ++i) {
            const int side = 5 + random() % 6;
            svg += "<rect x='" + std::to_string(5 + random() % 190) + "' y='" +
                   std::to_string(5 + random() % 275) + "' width='" + std::to_string(side) +
                   "' height='" + std::to_string(side) + "'/>";
        }
        svg += "</g></svg>";
        for (int sort : {0, 2}) {
            const Plot p = ConvertText(svg, 0, sort, 0);
            // Back from the furthest point reached: anywhere, and where the pen goes down.
            double furthest = 0, back = 0, backDown = 0;
            static const std::regex move("(PU|PD)([-0-9,]*)");
            for (auto it = std::sregex_iterator(p.body.begin(), p.body.end(), move);
                 it != std::sregex_iterator(); ++it) {
                std::string numbers = (*it)[2];
                std::replace(numbers.begin(), numbers.end(), ',', ' ');
                std::istringstream in(numbers);
                for (double x, y; in >> x >> y;) {
                    back = std::max(back, furthest - y);
                    if ((*it)[1] == "PU") backDown = std::max(backDown, furthest - y);
                    furthest = std::max(furthest, y);
                }
            }
            std::printf(
                "60 squares, sort %c: furthest back along the paper %.1f mm, to where the pen goes "
                "down %.1f mm\n",
                "ABC"[sort], back / 40, backDown / 40);
        }
    }
    // A4 filled with a 0.3 mm pen.
    {
        const Plot p =
            ConvertText(std::string(kOpen) + "<rect width='210' height='297'/></svg>", 30, 0, 0);
        std::printf("A4 filled, 0.3 mm pen: %.4f s, %zu strokes, %lld bytes\n", p.seconds,
                    Strokes(p.body).size(), static_cast<long long>(p.result.bodyBytes));
    }
    return 0;
}

int Nested(int n) {
    std::mt19937 random(11);
    PathSet paths;
    const auto square = [&](int32_t x, int32_t y, int32_t side) {
        paths.starts.push_back(static_cast<uint32_t>(paths.points.size()));
        paths.points.insert(paths.points.end(),
                            {{x, y}, {x, y + side}, {x + side, y + side}, {x + side, y}, {x, y}});
    };
    while (static_cast<int>(paths.size()) < n) {
        const int32_t x = random() % 40000, y = random() % 40000, side = 40 + random() % 400;
        square(x, y, side);  // a letter and, for every other one, its counter
        if (random() % 2 && static_cast<int>(paths.size()) < n)
            square(x + side / 4, y + side / 4, side / 2);
    }
    const auto t0 = std::chrono::steady_clock::now();
    const auto steps = InsideFirstOrder(paths, {0, 0});
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("%zu closed paths, inside first: %.3f s (%zu steps)\n", paths.size(), s,
                steps.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "figures") return Figures();
    if (mode == "nested" && argc == 3) return Nested(std::atoi(argv[2]));
    if (mode == "convert" && (argc == 6 || argc == 7)) {
        // A 1 m square sheet, as the big drawings are made for.
        const Plot p = ConvertFile(argv[2], static_cast<int16_t>(std::atoi(argv[3])),
                                   static_cast<int16_t>(std::atoi(argv[4])),
                                   static_cast<int16_t>(std::atoi(argv[5])), 2835, 2835);
        std::printf("seconds %.3f paths %lld bytes %lld %s\n", p.seconds,
                    static_cast<long long>(p.result.paths),
                    static_cast<long long>(p.result.bodyBytes),
                    NoteEnglish(p.result.message).c_str());
        if (argc == 7) {  // the body, to compare plots
            std::FILE* out = std::fopen(argv[6], "wb");
            if (out) std::fwrite(p.body.data(), 1, p.body.size(), out), std::fclose(out);
        }
        return p.result.ok() ? 0 : 2;
    }
    std::fprintf(
        stderr,
        "usage: trzn_bench_options figures | nested N | convert F.svg THICK FSORT FOPTEX [BODY]\n");
    return 2;
}
