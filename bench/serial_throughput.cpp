// The sender's serial transfer through a pseudo-terminal whose reader, standing in for the
// plotter, takes bytes no faster than the line would carry them (baud/10 bytes per second for
// 8N1). The reader behaves as a line: time it finds nothing to take is lost, not made up later.
// The sender runs as in the program,
// its window shown on the offscreen platform with the preview, in its own event loop. Reports
// bytes per second at the plotter, line utilisation, and the CPU the whole process spent while
// sending (every thread but the plotter's), as a share of one core.
//
// The plot is a real-world HP-GL file (hp2xx's acad.hp, decompressed at run time) repeated to
// the size of the run; the repository's sample plot when hp2xx's files are missing.

#include <fcntl.h>
#include <pthread.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
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
#include "platform/serial_line.h"
#include "plotjob/product_folder.h"
#include "sender/trzn_sersend.h"
#include "settings/store.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string RealWorldPlot() {
    QProcess gzip;
    gzip.start("gzip", {"-dc", "/usr/share/doc/hp2xx/hp-tests/acad.hp.gz"});
    if (gzip.waitForFinished(10000) && gzip.exitCode() == 0)
        return gzip.readAllStandardOutput().toStdString();
    return {};
}

std::string SamplePlot() {
    QFile sample(QStringLiteral(TRZN_SOURCE_DIR "/bench/data/sample-plot.hpgl"));
    return sample.open(QIODevice::ReadOnly) ? sample.readAll().toStdString() : std::string();
}

double CpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

struct Result {
    double bytesPerSecond = 0;
    double cpuShare = 0;  // of one core, from start-up to quit
    double cpuPerMb = 0;
    size_t bytes = 0;
    bool complete = false;
};

Result RunAt(int16_t baudIndex, const std::string& body, const std::string& product) {
    const int baud = kBaudRates[baudIndex];
    const double rate = baud / 10.0;

    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    grantpt(master);
    unlockpt(master);
    const std::string slave = ptsname(master);
    SetSerialDeviceSource([slave] { return std::vector<std::string>{slave}; });

    WriteFile(ProductFile(product, product::kHeaderLines), "BRC:0,0,16000,11000\r\n");
    WriteFile(ProductFile(product, product::kPlotBody), body);
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    std::strncpy(r.serial->port_name, slave.c_str(), sizeof r.serial->port_name - 1);
    r.serial->baud = baudIndex;
    r.serial->data = 1;
    SaveSettings(r, nullptr, PrintLines::Sender);
    // Framing adds plotter on, "IN;", "IW;" and the input window in front, plotter off behind.
    const size_t expected = body.size() + 9 + std::strlen("IW0,0,16000,11000;") + 3;

    std::atomic<size_t> got{0};
    std::atomic<bool> stop{false};
    Clock::time_point done{};
    const auto start = Clock::now();
    std::thread plotter([&] {
        // Credit is the bytes the line could have carried since the last look. When the pty
        // held fewer, the line ran dry and that time is lost, not made up later; when it held
        // enough, the line was busy all along (however late this thread woke up).
        char buf[4096];
        double credit = 0;
        auto last = Clock::now();
        while (!stop && got < expected) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            const auto now = Clock::now();
            credit += rate * std::chrono::duration<double>(now - last).count();
            last = now;
            if (credit < 1) continue;
            const size_t want = std::min(sizeof buf, static_cast<size_t>(credit));
            const ssize_t n = read(master, buf, want);
            const size_t took = n > 0 ? static_cast<size_t>(n) : 0;
            got += took;
            credit = took < want ? 0 : credit - static_cast<double>(took);
        }
        done = Clock::now();
    });
    clockid_t plotterClock{};
    pthread_getcpuclockid(plotter.native_handle(), &plotterClock);

    QEventLoop loop;
    const double process0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const double plotter0 = CpuSeconds(plotterClock);
    const auto senderStart = Clock::now();
    double cpu = 0;
    double senderSeconds = 0;
    {
        TRZN_SerSend sender;
        sender.setShutdownWaits(std::chrono::milliseconds(0), std::chrono::milliseconds(100));
        sender.setQuitHandler([&](int) {
            cpu = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process0 -
                  (CpuSeconds(plotterClock) - plotter0);
            senderSeconds = std::chrono::duration<double>(Clock::now() - senderStart).count();
            loop.quit();
        });
        sender.awakeFromNib();
        loop.exec();
    }
    const auto deadline = Clock::now() + std::chrono::seconds(120);
    while (got < expected && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    stop = true;
    plotter.join();
    close(master);
    SetSerialDeviceSource({});

    Result res;
    res.bytes = got;
    res.complete = got == expected;
    res.bytesPerSecond = got / std::chrono::duration<double>(done - start).count();
    res.cpuPerMb = cpu / (got / 1048576.0);
    res.cpuShare = senderSeconds > 0 ? cpu / senderSeconds : 0;
    return res;
}

}  // namespace

int main(int argc, char** argv) {
    if (!getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char pattern[] = "/tmp/trzn-bench-serial-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string home = pattern;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
    QApplication app(argc, argv);
    const std::string product = ProductFolderIn(home + "/Documents");
    std::filesystem::create_directories(product);

    // About 40 s of line time each, well beyond the 16 to 20 KB a pty takes in before it
    // refuses more, so the steady state is what is measured.
    struct Plan {
        int16_t baudIndex;
        size_t bytes;
    };
    const Plan plans[] = {{4, 40 * 1024}, {7, 150 * 1024}, {8, 225 * 1024}};
    // acad.hp is mostly short single-point instructions (12 bytes a segment); the sample plot
    // (only when hp2xx's files are missing) is long polylines (80-byte segments).
    std::pair<const char*, std::string> plot{"acad.hp", RealWorldPlot()};
    if (plot.second.empty()) plot = {"sample-plot.hpgl", SamplePlot()};
    std::printf("%s\n%8s %8s %10s %10s %10s %12s\n", plot.first, "baud", "bytes", "bytes/s",
                "line use", "CPU", "CPU s/MB");
    for (const Plan& p : plans) {
        if (argc > 1 && std::atoi(argv[1]) != kBaudRates[p.baudIndex]) continue;
        std::string body;
        while (body.size() < p.bytes) body += plot.second;
        body.resize(p.bytes);
        const Result r = RunAt(p.baudIndex, body, product);
        std::printf("%8d %8zu %10.0f %9.1f%% %9.2f%% %12.3f%s\n", kBaudRates[p.baudIndex], r.bytes,
                    r.bytesPerSecond, 100.0 * r.bytesPerSecond / (kBaudRates[p.baudIndex] / 10.0),
                    100.0 * r.cpuShare, r.cpuPerMb, r.complete ? "" : "  (incomplete)");
        std::fflush(stdout);
    }
    std::filesystem::remove_all(home);
    return 0;
}
