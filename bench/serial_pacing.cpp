// Pacing by the plotter's own buffer, against the test plotter on a pseudo-terminal: a 1 KB
// buffer drawn at 1,500 bytes a second, fed over a 38,400 bit/s line (3,840 bytes a second).
// Reports, for flow control none and for the plotter's buffer: bytes lost, the share of the time
// the plotter was drawing, and when the run was recorded as done against when the plotter's
// buffer emptied; then how long Stop takes to empty the plotter.
//   bench_serial_pacing [plot bytes]

#include <stdlib.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "platform/ports.h"
#include "platform/serial_line.h"
#include "plotjob/product_folder.h"
#include "sender/trzn_sersend.h"
#include "settings/store.h"
#include "tests/support/answering_plotter.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int16_t kBaud38400 = 7;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// Pen-plotter work: squares in several pens, about 40 bytes an instruction line.
std::string PlotBody(size_t size) {
    std::string body;
    for (int i = 0; body.size() < size; ++i) {
        char line[128];
        const int x = (i * 137) % 9000, y = (i * 251) % 6500, s = 100 + (i * 37) % 700;
        std::snprintf(line, sizeof line, "SP%d;PU%d,%d;PD%d,%d,%d,%d,%d,%d,%d,%d;\n", i / 9 % 6 + 1,
                      x, y, x + s, y, x + s, y + s, x, y + s, x, y);
        body += line;
    }
    body.resize(size);
    return body;
}

struct Run {
    size_t taken = 0, lost = 0;
    double drawingShare = 0;   // drawing time over the span from first byte to last drawn
    double doneAfterEmpty = 0; // seconds from the buffer's last emptying to "done" (< 0: before)
    double stopToEmpty = -1;   // seconds from Stop to an empty buffer
    double drawnAfterStop = 0; // bytes the pen drew once Stop was pressed
    int exitCode = -1;
};

Run RunOnce(int16_t flctrl, const std::string& product, const std::string& body, int stopAfterMs) {
    PlotterModel model;
    model.buffer = 1024;
    model.drawRate = 1500;
    model.lineRate = 38400 / 10.0;
    AnsweringPlotter plotter(model);
    const std::string slave = plotter.slavePath();
    SetSerialDeviceSource([slave] { return std::vector<std::string>{slave}; });
    WriteFile(ProductFile(product, product::kHeaderLines), "BRC:0,0,10000,7500\r\n");
    WriteFile(ProductFile(product, product::kPlotBody), body);
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    std::strncpy(r.serial->port_name, slave.c_str(), sizeof r.serial->port_name - 1);
    r.serial->baud = kBaud38400;
    r.serial->data = 1;
    r.serial->flctrl = flctrl;
    SaveSettings(r, nullptr, PrintLines::Sender);

    Run run;
    Clock::time_point doneAt{}, stopAt{};
    size_t drawnAtStop = 0;
    QEventLoop loop;
    {
        TRZN_SerSend sender;
        sender.setShutdownWaits(std::chrono::milliseconds(0), std::chrono::milliseconds(100));
        sender.setQuitHandler([&](int code) {
            run.exitCode = code;
            doneAt = Clock::now();
            loop.quit();
        });
        if (stopAfterMs > 0) {
            QTimer::singleShot(stopAfterMs, &sender, [&] {
                stopAt = Clock::now();
                drawnAtStop = plotter.Drawn();
                sender.prserPBtnStopDataAction();
            });
        }
        sender.awakeFromNib();
        if (run.exitCode < 0) loop.exec();
    }
    // Let the plotter draw out (or drop) whatever it still holds.
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (plotter.Held() > 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    SetSerialDeviceSource({});

    run.taken = plotter.Taken().size();
    run.lost = plotter.Lost();
    const double span = std::chrono::duration<double>(plotter.DrawingSpan()).count();
    if (span > 0) run.drawingShare = plotter.Drawn() / model.drawRate / span;
    run.doneAfterEmpty = std::chrono::duration<double>(doneAt - plotter.LastEmptied()).count();
    if (stopAfterMs > 0) {
        run.stopToEmpty = std::chrono::duration<double>(plotter.LastEmptied() - stopAt).count();
        run.drawnAfterStop = static_cast<double>(plotter.Drawn() - drawnAtStop);
    }
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    if (!getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char pattern[] = "/tmp/trzn-bench-pacing-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string home = pattern;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
    QApplication app(argc, argv);
    const std::string product = ProductFolderIn(home + "/Documents");
    std::filesystem::create_directories(product);

    const size_t bytes = argc > 1 ? static_cast<size_t>(std::atol(argv[1])) : 15000;
    const std::string body = PlotBody(bytes);
    std::printf("plot %zu bytes; plotter: 1024-byte buffer, draws 1500 bytes/s; line 38400 bit/s\n",
                bytes);
    std::printf("%-22s %8s %8s %9s %16s\n", "flow control", "taken", "lost", "drawing",
                "done after empty");
    const struct {
        const char* name;
        int16_t flctrl;
    } modes[] = {{"none (0)", 0}, {"plotter buffer (3)", kFlowPlotterBuffer}};
    for (const auto& m : modes) {
        const Run r = RunOnce(m.flctrl, product, body, 0);
        std::printf("%-22s %8zu %8zu %8.1f%% %+15.3fs%s\n", m.name, r.taken, r.lost,
                    100 * r.drawingShare, r.doneAfterEmpty, r.exitCode == 0 ? "" : "  (not done)");
        std::fflush(stdout);
    }
    const Run s = RunOnce(kFlowPlotterBuffer, product, body, 3000);
    std::printf("Stop after 3 s (plotter buffer): buffer empty %.3f s after Stop, %.0f bytes "
                "drawn after Stop, exit %d\n",
                s.stopToEmpty, s.drawnAfterStop, s.exitCode);
    std::filesystem::remove_all(home);
    return 0;
}
