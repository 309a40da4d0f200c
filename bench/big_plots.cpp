// The sender on big plots, in one process as the program runs it (its own timer, the event
// loop, the preview drawn beside the delivery). Run by big_plots.sh, which measures peak memory
// from outside.
//
//   bench_big_plots shared PLOT         shared-folder delivery; prints the wall time from
//                                       start-up to quit and checks the copy byte for byte
//   bench_big_plots serial PLOT SECONDS serial delivery to a pseudo-terminal drained at once;
//                                       after SECONDS presses Stop, prints the longest stall of
//                                       the event loop meanwhile and how long Stop took to end
//                                       the run

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/ports.h"
#include "plotjob/product_folder.h"
#include "sender/plot_preview.h"
#include "sender/trzn_sersend.h"
#include "settings/store.h"

namespace {

namespace fs = std::filesystem;

void WriteSettings(const std::function<void(TSrConfig&)>& edit) {
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    edit(*r.serial);
    SaveSettings(r, nullptr, PrintLines::Sender);
}

bool SameBytes(const std::string& a, const std::string& b, std::uintmax_t skipA) {
    std::FILE* fa = std::fopen(a.c_str(), "rb");
    std::FILE* fb = std::fopen(b.c_str(), "rb");
    if (!fa || !fb) return false;
    std::fseek(fa, static_cast<long>(skipA), SEEK_SET);
    std::vector<char> x(1 << 20), y(1 << 20);
    bool same = true;
    while (same) {
        const size_t n = std::fread(x.data(), 1, x.size(), fa);
        const size_t m = std::fread(y.data(), 1, n, fb);
        same = n == m && std::memcmp(x.data(), y.data(), n) == 0;
        if (n == 0) break;
    }
    std::fclose(fa);
    std::fclose(fb);
    return same;
}

int Shared(const std::string& product, const std::string& home) {
    const std::string folder = home + "/server";
    fs::create_directories(folder);
    WriteSettings([&](TSrConfig& s) {
        std::strcpy(s.port_name, "Shared Folder(Trazen Server)");
        std::strcpy(s.shared_folder, folder.c_str());
    });
    QEventLoop loop;
    int status = -1;
    QElapsedTimer clock;
    clock.start();
    {
        TRZN_SerSend sender;
        sender.setQuitHandler([&](int code) {
            status = code;
            loop.quit();
        });
        sender.awakeFromNib();
        if (status < 0) loop.exec();
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::string copy;
    for (const auto& e : fs::directory_iterator(folder)) copy = e.path();
    const bool same =
        !copy.empty() && SameBytes(ProductFile(product, product::kFramedPlot), copy, 0);
    std::printf("shared: %.3f s to deliver and quit, status %d, copy %s\n", seconds, status,
                same ? "identical" : "DIFFERENT");
    return same && status == 0 ? 0 : 1;
}

int Serial(double stopAfter) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    grantpt(master);
    unlockpt(master);
    const std::string slave = ptsname(master);
    SetSerialDeviceSource([slave] { return std::vector<std::string>{slave}; });
    WriteSettings([&](TSrConfig& s) {
        std::strcpy(s.port_name, slave.c_str());
        s.baud = 8;
        s.data = 1;
    });
    std::atomic<bool> stop{false};
    // The plotter takes bytes at the line's pace (57600 bit/s, 8N1): the sender's line thread
    // keeps up with any reader, so an unpaced one would measure the panel drawing megabytes a
    // refresh, which no serial line delivers.
    std::thread plotter([&] {
        constexpr double kBytesPerSecond = 5760;
        char buf[4096];
        const auto start = std::chrono::steady_clock::now();
        double taken = 0;
        while (!stop) {
            const double due =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() *
                    kBytesPerSecond -
                taken;
            const ssize_t n =
                due >= 1 ? read(master, buf, std::min<size_t>(sizeof buf, static_cast<size_t>(due)))
                         : 0;
            if (n > 0) taken += static_cast<double>(n);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });

    QEventLoop loop;
    QElapsedTimer sinceProbe, sinceStop;
    qint64 longestGap = 0;
    double stopTook = -1;
    bool readyAtStop = false;
    {
        TRZN_SerSend sender;
        sender.setShutdownWaits(std::chrono::milliseconds(0), std::chrono::milliseconds(100));
        sender.setQuitHandler([&](int) {
            if (sinceStop.isValid()) stopTook = sinceStop.nsecsElapsed() / 1e9;
            loop.quit();
        });
        sender.awakeFromNib();
        // A 5 ms probe: the longest time between two of its ticks is the longest the window
        // could not answer a click.
        QTimer probe;
        probe.setInterval(5);
        sinceProbe.start();
        QObject::connect(&probe, &QTimer::timeout, [&] {
            longestGap = std::max(longestGap, sinceProbe.elapsed());
            sinceProbe.restart();
        });
        probe.start();
        QTimer::singleShot(static_cast<int>(stopAfter * 1000), [&] {
            auto* view = sender.panel()->findChild<TPlotPreview*>("prserViewPlot");
            readyAtStop = view && view->hasPicture();
            sinceStop.start();
            sender.prserPBtnStopDataAction();
        });
        loop.exec();
    }
    stop = true;
    plotter.join();
    close(master);
    std::printf("serial: longest event-loop stall %lld ms over %.1f s, Stop ended the run in "
                "%.3f s, preview %s at Stop\n",
                static_cast<long long>(longestGap), stopAfter, stopTook,
                readyAtStop ? "ready" : "still being drawn");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_big_plots shared|serial PLOT [SECONDS]\n");
        return 2;
    }
    if (!getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char pattern[] = "/tmp/trzn-bench-big-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string home = pattern;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
    QApplication app(argc, argv);
    const std::string product = ProductFolderIn(home + "/Documents");
    fs::create_directories(product);
    fs::copy_file(argv[2], ProductFile(product, product::kPlotBody));
    std::FILE* header = std::fopen(ProductFile(product, product::kHeaderLines).c_str(), "wb");
    std::fclose(header);

    const std::string mode = argv[1];
    const int result = mode == "shared" ? Shared(product, home)
                                        : Serial(argc > 3 ? std::atof(argv[3]) : 3.0);
    fs::remove_all(home);
    return result;
}
