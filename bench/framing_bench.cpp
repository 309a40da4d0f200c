// Frames a generated 50 MB plot body with CreateSerPltFile and copies the same bytes with a
// plain read/write loop; prints both times (best of three, warm cache) and their ratio.

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "plotjob/product_folder.h"
#include "sender/plot_file.h"

namespace {

double BestOf3(const std::function<void()>& run) {
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (s < best) best = s;
    }
    return best;
}

void PlainCopy(const std::string& from, const std::string& to) {
    const int in = open(from.c_str(), O_RDONLY);
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    static char buf[64 * 1024];
    for (;;) {
        const ssize_t n = read(in, buf, sizeof buf);
        if (n <= 0) break;
        if (write(out, buf, static_cast<size_t>(n)) != n) break;
    }
    close(in);
    close(out);
}

}  // namespace

int main() {
    char pattern[] = "/tmp/trzn-bench-framing-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string folder = pattern;
    const size_t target = 50u * 1024u * 1024u;
    {
        std::FILE* f = std::fopen(ProductFile(folder, product::kPlotBody).c_str(), "wb");
        size_t written = 0;
        for (int i = 0; written < target; ++i) {
            char line[96];
            const int x = (i * 37) % 16000, y = (i * 91) % 11000;
            const int n = std::snprintf(line, sizeof line, "SP%d;PU%d,%d;PD%d,%d,%d,%d;\n",
                                        i % 8 + 1, x, y, x + 200, y, x + 200, y + 200);
            std::fwrite(line, 1, static_cast<size_t>(n), f);
            written += static_cast<size_t>(n);
        }
        std::fclose(f);
        f = std::fopen(ProductFile(folder, product::kHeaderLines).c_str(), "wb");
        std::fputs("NAME:bench\r\nBRC:0,0,16000,11000\r\n", f);
        std::fclose(f);
    }
    const auto bodySize = std::filesystem::file_size(ProductFile(folder, product::kPlotBody));
    const double framing = BestOf3([&] { CreateSerPltFile(folder); });
    const double copying =
        BestOf3([&] { PlainCopy(ProductFile(folder, product::kPlotBody), folder + "/copy"); });
    const auto outSize = std::filesystem::file_size(ProductFile(folder, product::kFramedPlot));
    std::printf("plot body %.1f MB, framed output %llu bytes\n", bodySize / 1048576.0,
                static_cast<unsigned long long>(outSize));
    std::printf("CreateSerPltFile  %.3f s  (%.0f MB/s)\n", framing, bodySize / 1048576.0 / framing);
    std::printf("plain copy        %.3f s  (%.0f MB/s)\n", copying, bodySize / 1048576.0 / copying);
    std::printf("ratio framing / copy: %.2f\n", framing / copying);
    std::filesystem::remove_all(folder);
    return 0;
}
