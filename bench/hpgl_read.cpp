// How fast the preview reader gets through a 50 MB plot of PU/PD coordinate lists (the shape of
// what the plot plug-in writes), and how much memory it holds at its peak.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "hpgl/hpgl_reader.h"

namespace {

constexpr std::size_t kTargetBytes = 50u << 20;

// A random walk of short strokes: PU to a start, then PD with a list of 1 to 8 points, pens
// changing now and then, coordinates of 3 to 5 digits as on A3/A2 media.
std::string MakePlot(std::size_t bytes) {
    std::mt19937 rng(42);
    std::string s = "\x1b.(IN;IW;IW0,0,16000,11000;SP1;";
    s.reserve(bytes + 256);
    int x = 8000, y = 5500;
    const auto step = [&](int& v, int limit) {
        v += static_cast<int>(rng() % 401) - 200;
        if (v < 0) v = -v;
        if (v > limit) v = 2 * limit - v;
    };
    char buf[32];
    while (s.size() < bytes) {
        step(x, 16000);
        step(y, 11000);
        std::snprintf(buf, sizeof buf, "PU%d,%d;PD", x, y);
        s += buf;
        const int n = 1 + static_cast<int>(rng() % 8);
        for (int i = 0; i < n; ++i) {
            step(x, 16000);
            step(y, 11000);
            std::snprintf(buf, sizeof buf, i + 1 < n ? "%d,%d," : "%d,%d;", x, y);
            s += buf;
        }
        if (rng() % 500 == 0) {
            std::snprintf(buf, sizeof buf, "SP%u;", static_cast<unsigned>(1 + rng() % 8));
            s += buf;
        }
    }
    s += "PU;SP0;\x1b.)";
    return s;
}

std::string WritePlot() {
    char dir[] = "/tmp/trzn-bench-hpgl-XXXXXX";
    if (!::mkdtemp(dir)) std::abort();
    const std::string path = std::string(dir) + "/Trazen.tmp";
    const std::string plot = MakePlot(kTargetBytes);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(plot.data(), 1, plot.size(), f) != plot.size()) std::abort();
    std::fclose(f);
    return path;
}

double MaxRssMb() {
    rusage ru{};
    ::getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

void BM_ReadHpglFile50MB(benchmark::State& state) {
    const std::string path = WritePlot();
    const double rssBefore = MaxRssMb();
    std::size_t bytes = 0, segments = 0, held = 0;
    for (auto _ : state) {
        auto plot = ReadHpglFile(path);
        if (!plot) {
            state.SkipWithError("could not read the generated plot");
            break;
        }
        segments = plot->SegmentCount();
        held = plot->points.capacity() * sizeof(THpglPoint) +
               plot->segmentOffsets.capacity() * sizeof(std::uint64_t) +
               plot->paths.capacity() * sizeof(THpglPath);
        benchmark::DoNotOptimize(plot->penDownLength);
        bytes += kTargetBytes;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["segments"] = static_cast<double>(segments);
    state.counters["plot_MB"] = static_cast<double>(held) / (1 << 20);
    state.counters["peak_rss_MB"] = MaxRssMb();
    state.counters["rss_before_MB"] = rssBefore;
    ::unlink(path.c_str());
    ::rmdir(path.substr(0, path.rfind('/')).c_str());
}
BENCHMARK(BM_ReadHpglFile50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// The reader alone, on bytes already in memory.
void BM_ReadHpglInMemory(benchmark::State& state) {
    const std::string plot = MakePlot(static_cast<std::size_t>(state.range(0)) << 20);
    for (auto _ : state) {
        THpglPlot p = ReadHpgl(plot);
        benchmark::DoNotOptimize(p.penDownLength);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plot.size()));
}
BENCHMARK(BM_ReadHpglInMemory)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
