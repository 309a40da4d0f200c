// How long Stop takes to end a plot that is being uploaded to an FTP print server:
//   QT_QPA_PLATFORM=offscreen bench_ftp_stop [KB] [SERVER_BYTES_PER_SECOND] [STOP_AFTER_MS] [RUNS]
// A real FTP server on loopback (tests/platform/ftp_server.py) takes the upload no faster than
// the given rate, so that the upload is still running when Stop is pressed; the sender runs in
// this process, in a throwaway home, with its window on the offscreen platform. For each run it
// prints when Stop was pressed, when the press was handled, when the run ended, its exit code
// and completion status, and how much of the plot the server kept; then the median delay from
// the press to the end of the run.

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "plotjob/product_folder.h"
#include "sender/trzn_sersend.h"
#include "settings/store.h"
#include "tests/platform/ftp_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

struct Run {
    double pressed = 0;  // seconds from the sender's start
    double handled = 0;  // when the button's click returned
    double ended = 0;    // when the sender asked to quit
    int exitCode = -1;
    int64_t completion = -1;
    uintmax_t keptOnServer = 0;
};

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Squares in two pens, as a plug-in writes them, to about size bytes.
std::string PlotBody(size_t size) {
    std::string body;
    for (int i = 0; body.size() < size; ++i) {
        const int x = (i * 37) % 15000, y = (i * 91) % 10000;
        body += "SP" + std::to_string(1 + i % 2) + ";PU" + std::to_string(x) + "," +
                std::to_string(y) + ";PD" + std::to_string(x + 500) + "," + std::to_string(y) +
                "," + std::to_string(x + 500) + "," + std::to_string(y + 500) + ";\r\n";
    }
    return body;
}

uintmax_t FilesSize(const std::string& folder) {
    uintmax_t total = 0;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(folder, ec))
        if (e.is_regular_file(ec)) total += e.file_size(ec);
    return total;
}

Run Once(size_t bytes, int rate, int stopAfterMs) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    const std::string product = ProductFolder();
    const std::string user = home.path().toStdString() + "/ftp-user";
    const std::string anon = home.path().toStdString() + "/ftp-anon";
    fs::create_directories(user);
    fs::create_directories(anon + "/lp");
    FtpServer server(user, anon, "plot", "secret", rate);
    if (!server.ok()) {
        std::fprintf(stderr, "no FTP server: %s\n", server.errorText().c_str());
        std::exit(1);
    }
    WriteFile(ProductFile(product, product::kHeaderLines), "BRC:0,0,16000,11000\r\n");
    WriteFile(ProductFile(product, product::kPlotBody), PlotBody(bytes));
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    std::snprintf(r.serial->port_name, sizeof r.serial->port_name, "TCP/IP(PRICOM 3100 FTP)");
    std::snprintf(r.serial->ipaddr, sizeof r.serial->ipaddr, "127.0.0.1");
    r.serial->portid = server.port();
    SaveSettings(r, nullptr, PrintLines::Sender);

    Run run;
    QEventLoop loop;
    const auto start = Clock::now();
    const auto since = [start] {
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    {
        TRZN_SerSend sender;
        // Senders that take the FTP port only from this seam get it here too.
        if constexpr (requires(TRZN_SerSend & s) { s.setFtpPort(0); })
            sender.setFtpPort(server.port());
        sender.setQuitHandler([&](int code) {
            run.ended = since();
            run.exitCode = code;
            loop.quit();
        });
        sender.awakeFromNib();
        // Ends with the sender, so that it never fires into the next run.
        QTimer press;
        press.setSingleShot(true);
        QObject::connect(&press, &QTimer::timeout, &loop, [&] {
            run.pressed = since();
            if (auto* stop = sender.panel()->findChild<QPushButton*>("prserPBtnStopData"))
                stop->click();
            run.handled = since();
        });
        press.start(stopAfterMs);
        if (run.exitCode < 0) loop.exec();
    }
    RecordSet after;
    if (LoadSettings(&after)) run.completion = *after.refCon;
    run.keptOnServer = FilesSize(anon);
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const size_t kb = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 104;
    const int rate = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int stopAfter = argc > 3 ? std::atoi(argv[3]) : 1000;
    const int runs = argc > 4 ? std::atoi(argv[4]) : 3;
    // pyftpdlib throttles a second at a time after a first burst: the upload takes less than
    // size / rate, so the run's end without Stop is the figure to set the delay against.
    std::printf("plot %zu KB, server read limit %d bytes/s, Stop after %d ms\n", kb, rate,
                stopAfter);
    std::vector<double> delays;
    for (int i = 0; i < runs; ++i) {
        const Run r = Once(kb * 1024, rate, stopAfter);
        const double delay = r.pressed > 0 ? r.ended - r.pressed : r.ended - stopAfter / 1000.0;
        delays.push_back(delay);
        std::printf(
            "run %d: Stop pressed %.3f s, handled %.3f s, run ended %.3f s (%.3f s after "
            "the press), exit %d, status %lld, %ju bytes on the server\n",
            i + 1, r.pressed, r.handled, r.ended, delay, r.exitCode,
            static_cast<long long>(r.completion), r.keptOnServer);
    }
    std::sort(delays.begin(), delays.end());
    std::printf("median delay from Stop to the end of the run: %.3f s\n",
                delays[delays.size() / 2]);
    return 0;
}
