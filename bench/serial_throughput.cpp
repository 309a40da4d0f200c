// The sender's serial transfer through a pseudo-terminal whose reader, standing in for the
// plotter, takes bytes no faster than the line would carry them (baud/10 bytes per second for
// 8N1). The sender runs as in the program: its own 10 ms timer in the event loop. Reports
// bytes per second at the plotter, line utilisation, and the sender's CPU time per MB.
//
// The plot is a real-world HP-GL file (hp2xx's acad.hp, decompressed at run time) repeated to
// the size of the run; the repository's sample plot when hp2xx's files are missing.

#include <fcntl.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
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

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

struct Result {
    double bytesPerSecond = 0;
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

    WriteFile(product + "/Trazen Sender Prefs", "BRC:0,0,16000,11000\r\n");
    WriteFile(product + "/Trazen Prefs", body);
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    std::strncpy(r.serial->port_name, slave.c_str(), sizeof r.serial->port_name - 1);
    r.serial->baud = baudIndex;
    r.serial->data = 1;
    SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                  r.refCon.get(), nullptr, nullptr, PrintLines::Sender);
    // Framing adds plotter on, "IN;", "IW;" and the input window in front, plotter off behind.
    const size_t expected = body.size() + 9 + std::strlen("IW0,0,16000,11000;") + 3;

    std::atomic<size_t> got{0};
    std::atomic<bool> stop{false};
    Clock::time_point done{};
    const auto start = Clock::now();
    std::thread plotter([&] {
        char buf[4096];
        while (!stop && got < expected) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
            const double allowed = rate * elapsed - static_cast<double>(got);
            if (allowed < 1) continue;
            const size_t want = std::min(sizeof buf, static_cast<size_t>(allowed));
            const ssize_t n = read(master, buf, want);
            if (n > 0) got += static_cast<size_t>(n);
        }
        done = Clock::now();
    });

    QEventLoop loop;
    const double cpu0 = ThreadCpuSeconds();
    {
        TRZN_SerSend sender;
        sender.setShutdownWaits(std::chrono::milliseconds(0), std::chrono::milliseconds(100));
        sender.setQuitHandler([&](int) { loop.quit(); });
        sender.awakeFromNib();
        loop.exec();
    }
    const double cpu = ThreadCpuSeconds() - cpu0;
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
    const std::string product = home + "/Documents/Adobe/Illustrator/Trazen";
    std::filesystem::create_directories(product);

    struct Plan {
        int16_t baudIndex;
        size_t bytes;
    };
    const Plan plans[] = {{4, 20 * 1024}, {7, 30 * 1024}, {8, 40 * 1024}};
    // acad.hp is mostly short single-point instructions (12 bytes a segment); the sample plot
    // is long polylines (80-byte segments). Two segments a tick make the difference.
    const std::pair<const char*, std::string> plots[] = {{"acad.hp", RealWorldPlot()},
                                                         {"sample-plot.hpgl", SamplePlot()}};
    for (const auto& [name, plot] : plots) {
        if (plot.empty()) continue;
        std::printf("%s\n%8s %8s %10s %10s %12s\n", name, "baud", "bytes", "bytes/s", "line use",
                    "CPU s/MB");
        for (const Plan& p : plans) {
            std::string body;
            while (body.size() < p.bytes) body += plot;
            body.resize(p.bytes);
            const Result r = RunAt(p.baudIndex, body, product);
            std::printf("%8d %8zu %10.0f %9.1f%% %12.3f%s\n", kBaudRates[p.baudIndex], r.bytes,
                        r.bytesPerSecond,
                        100.0 * r.bytesPerSecond / (kBaudRates[p.baudIndex] / 10.0), r.cpuPerMb,
                        r.complete ? "" : "  (incomplete)");
            std::fflush(stdout);
        }
    }
    std::filesystem::remove_all(home);
    return 0;
}
