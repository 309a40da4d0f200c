// How long Stop takes during an FTP upload: the sender runs as in the program (its window on
// the offscreen platform, its own event loop) against a real FTP server on loopback that takes
// the plot at a print server's pace. Stop is pressed once a given share of the plot has
// reached the server; the time runs from the press to the sender's end, so it holds the upload's
// abort and the second session that deletes the part that arrived.

#include <stdlib.h>

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "plotjob/product_folder.h"
#include "sender/trzn_sersend.h"
#include "settings/store.h"
#include "tests/platform/ftp_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void WriteSettings(int port) {
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    std::strcpy(r.serial->port_name, "TCP/IP(PRICOM 3100 FTP)");
    std::strcpy(r.serial->ipaddr, "127.0.0.1");
    r.serial->portid = port;
    tPldStatRes stat{};
    stat.plstVersion = kDefaultStatVersion;
    char preset[kPresetNameSize] = {};
    SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                  r.refCon.get(), preset, &stat, PrintLines::Sender);
}

struct Run {
    double stopSeconds = -1;  // press to end; negative: the plot went out before the press
    int exitCode = -1;
    bool partLeft = false;
};

Run StopOnce(const std::string& served, size_t pressAt) {
    Run run;
    QEventLoop loop;
    std::atomic<Clock::rep> pressed{0};
    TRZN_SerSend sender;
    sender.setQuitHandler([&](int code) {
        if (pressed != 0)
            run.stopSeconds =
                std::chrono::duration<double>(Clock::now().time_since_epoch() -
                                              Clock::duration(pressed.load()))
                    .count();
        run.exitCode = code;
        loop.quit();
    });
    // The user's hand: the press is posted the moment the server has the share, whatever the
    // sender is doing then, as a click from the window system would be.
    QPushButton* button = sender.panel()->findChild<QPushButton*>("prserPBtnStopData");
    std::atomic<bool> over{false};
    std::thread hand([&] {
        while (!over) {
            std::error_code ec;
            const auto size = std::filesystem::file_size(served, ec);
            if (!ec && size >= pressAt) {
                pressed = Clock::now().time_since_epoch().count();
                QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    sender.awakeFromNib();
    loop.exec();
    over = true;
    hand.join();
    run.partLeft = std::filesystem::exists(served);
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    if (!getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char pattern[] = "/tmp/trzn-bench-ftp-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string home = pattern;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
    QApplication app(argc, argv);
    const std::string product = ProductFolderIn(home + "/Documents");
    std::filesystem::create_directories(product);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    // A 104 KB plot, the size of the one that would not stop; the press comes after the first
    // bytes, a quarter, and half of it.
    std::string body;
    for (int i = 0; body.size() < 104 * 1024; ++i)
        body += "PU" + std::to_string(i % 9000) + ",0;PD" + std::to_string(i % 7000) + ",500;\n";
    std::printf("%10s %8s %5s %9s %9s %9s %s\n", "server B/s", "press at", "runs", "median s",
                "max s", "stopped", "part left");
    for (const int rate : {2000, 8000, 20000}) {
        const std::string userDir = home + "/ftp-user", anonDir = home + "/ftp-anon";
        std::filesystem::create_directories(userDir);
        std::filesystem::create_directories(anonDir + "/lp");
        FtpServer server(userDir, anonDir, "plot", "secret", rate);
        if (!server.ok()) {
            std::fprintf(stderr, "%s\n", server.errorText().c_str());
            return 1;
        }
        for (const size_t pressAt : {size_t{1}, body.size() / 4, body.size() / 2}) {
            std::vector<double> delays;
            int stopped = 0, left = 0;
            for (int i = 0; i < runs; ++i) {
                WriteSettings(server.port());
                WriteFile(product + "/Trazen Sender Prefs", "");
                WriteFile(product + "/Trazen Prefs", body);
                const Run r = StopOnce(anonDir + "/lp/Trazen.tmp", pressAt);
                if (r.stopSeconds >= 0) delays.push_back(r.stopSeconds);
                stopped += r.exitCode == 1;
                left += r.partLeft;
                std::filesystem::remove(anonDir + "/lp/Trazen.tmp");
            }
            std::sort(delays.begin(), delays.end());
            const double median = delays.empty() ? 0 : delays[delays.size() / 2];
            const double worst = delays.empty() ? 0 : delays.back();
            std::printf("%10d %8zu %5d %9.3f %9.3f %6d/%-2d %d\n", rate, pressAt, runs, median,
                        worst, stopped, runs, left);
            std::fflush(stdout);
        }
    }
    std::filesystem::remove_all(home);
    return 0;
}
