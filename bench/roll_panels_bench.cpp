// A 600 x 2,400 mm drawing on a 600 mm roll whose roll length is 1,000 mm, cut into panels:
//   trzn_bench_roll [scratch folder]
// prints the panels with their length along the roll, the line length of all panels against the
// drawing plotted whole on an unlimited roll, what the page range 2-2 plots, and the time.

#include <QDir>
#include <QFile>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "drawing/drawing_plot.h"
#include "drawing/read/svg/svg_chunks.h"
#include "plotjob/plot_note.h"
#include "settings/geometry.h"

namespace {

// A grid every 50 mm, both diagonals of every 600 mm square, and a circle in each 100 mm cell.
std::string LongDrawing() {
    std::string svg =
        "<svg xmlns='http://www.w3.org/2000/svg' width='600mm' height='2400mm' "
        "viewBox='0 0 600 2400'><g fill='none' stroke='black'>";
    for (int x = 0; x <= 600; x += 50) svg += "<path d='M" + std::to_string(x) + " 0V2400'/>";
    for (int y = 0; y <= 2400; y += 50) svg += "<path d='M0 " + std::to_string(y) + "H600'/>";
    for (int y = 0; y < 2400; y += 600)
        svg += "<path d='M0 " + std::to_string(y) + "l600 600m-600 0l600 -600'/>";
    for (int y = 50; y < 2400; y += 100)
        for (int x = 50; x < 600; x += 100)
            svg += "<circle cx='" + std::to_string(x) + "' cy='" + std::to_string(y) + "' r='30'/>";
    return svg + "</g></svg>";
}

struct Plots {
    DrawingResult result;
    std::vector<std::string> bodies;
};

Plots Convert(const std::string& path, const TPrint& print, const TPrConfig& config) {
    Plots out;
    std::vector<std::FILE*> files;
    std::vector<std::pair<char*, size_t>> buffers(16);
    out.result = ConvertDrawing(
        path, DecodePlotSettings(print, config),
        [&](const DrawingPlot&) -> std::FILE* {
            if (files.size() == buffers.size()) return nullptr;
            auto& b = buffers[files.size()];
            files.push_back(open_memstream(&b.first, &b.second));
            return files.back();
        },
        SvgChunking{});
    for (size_t i = 0; i < files.size(); ++i) {
        std::fclose(files[i]);
        out.bodies.emplace_back(buffers[i].first, buffers[i].second);
        std::free(buffers[i].first);
    }
    return out;
}

// Pen-down length of a body in plotter units, and how far its lines reach along y.
struct Lines {
    double length = 0;
    long lowest = 0, highest = 0;
};

Lines Measure(const std::string& body) {
    Lines m;
    bool any = false;
    long x = 0, y = 0;
    static const std::regex op("(PU|PD)([-0-9,]*);");
    static const std::regex number("-?[0-9]+");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), op); it != std::sregex_iterator();
         ++it) {
        const bool down = (*it)[1] == "PD";
        const std::string args = (*it)[2];
        std::vector<long> v;
        for (auto n = std::sregex_iterator(args.begin(), args.end(), number);
             n != std::sregex_iterator(); ++n)
            v.push_back(std::stol(n->str()));
        for (size_t i = 0; i + 1 < v.size(); i += 2) {
            if (down) m.length += std::hypot(v[i] - x, v[i + 1] - y);
            x = v[i], y = v[i + 1];
            m.lowest = any ? std::min(m.lowest, y) : y;
            m.highest = any ? std::max(m.highest, y) : y;
            any = true;
        }
    }
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    // The conversion makes its own offscreen application.
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const std::string path = (folder + "/roll-600x2400.svg").toStdString();
    QFile file(QString::fromStdString(path));
    const std::string svg = LongDrawing();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(svg.data(), static_cast<qint64>(svg.size())) != static_cast<qint64>(svg.size()))
        return 1;
    file.close();

    // 600 mm roll paper, 2,400 mm long, no margins: 1701 x 6804 points.
    TPrint print;
    std::memset(&print, 0, sizeof print);
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    config.toollist[0] = {1, 0, 0, 0, 0, 1};  // thickness 0: the outlines alone
    config.foptln = 0;
    config.iFstPage = 1;
    config.iLstPage = 9999;
    CalcPageWidth(&print, &config, 1701, 6804, 100, 1);

    const Plots whole = Convert(path, print, config);
    if (!whole.result.ok()) {
        std::fprintf(stderr, "whole: %s\n", NoteEnglish(whole.result.message).c_str());
        return 1;
    }
    const double wholeLength = Measure(whole.bodies[0]).length;

    // 1,000 mm typed in the window is stored as 2835 points.
    config.rlength = 2835;
    config.fautosep = 1;
    const auto start = std::chrono::steady_clock::now();
    const Plots cut = Convert(path, print, config);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!cut.result.ok()) {
        std::fprintf(stderr, "cut: %s\n", NoteEnglish(cut.result.message).c_str());
        return 1;
    }
    double cutLength = 0;
    std::printf("roll length %.2f mm: %d panels, %zu plots\n", cut.result.rollLengthMm,
                cut.result.panels, cut.bodies.size());
    for (size_t i = 0; i < cut.bodies.size(); ++i) {
        const Lines m = Measure(cut.bodies[i]);
        cutLength += m.length;
        std::printf(
            "  panel %d: input window %s, lines from %.2f to %.2f mm along the roll, "
            "%.1f m of line\n",
            cut.result.plots[i].number, cut.result.plots[i].brc.c_str(), m.lowest / 40.0,
            m.highest / 40.0, m.length / 40000.0);
    }
    std::printf("whole drawing %.3f m of line, panels together %.3f m (%+.4f %%), %.2f s\n",
                wholeLength / 40000.0, cutLength / 40000.0,
                100.0 * (cutLength - wholeLength) / wholeLength, seconds);

    config.iFstPage = config.iLstPage = 2;
    const Plots second = Convert(path, print, config);
    std::printf(
        "page range 2-2: %zu plot, panel %d, %s the second above\n", second.bodies.size(),
        second.result.plots.empty() ? 0 : second.result.plots[0].number,
        second.bodies.size() == 1 && second.bodies[0] == cut.bodies[1] ? "byte for byte" : "NOT");
    return 0;
}
