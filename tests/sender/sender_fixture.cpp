#include "tests/sender/sender_fixture.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include "settings/store.h"

void WriteSenderSettings(const std::function<void(TSrConfig&)>& edit, int64_t refCon,
                         const std::function<void(TPrConfig&)>& editConfig) {
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    edit(*r.serial);
    if (editConfig) editConfig(*r.config);
    *r.refCon = refCon;
    tPldStatRes stat{};
    stat.plstVersion = kDefaultStatVersion;
    char preset[kPresetNameSize] = {};
    SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                  r.refCon.get(), preset, &stat, PrintLines::Sender);
}

std::optional<int64_t> StoredCompletion() {
    RecordSet r;
    if (!GetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                       r.refCon.get()))
        return std::nullopt;
    return *r.refCon;
}

void WritePlugInFiles(const TempHome& home, const std::string& header, const std::string& body) {
    WriteFileBytes(home.productFolder() + "/Trazen Sender Prefs", header);
    WriteFileBytes(home.productFolder() + "/Trazen Prefs", body);
}

PtyPlotter::PtyPlotter() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) return;
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        close(master_);
        master_ = -1;
        return;
    }
    slave_ = ptsname(master_);
}

PtyPlotter::~PtyPlotter() {
    if (master_ >= 0) close(master_);
}

std::string PtyPlotter::ReadAvailable() {
    std::string out;
    char buf[4096];
    for (;;) {
        const ssize_t n = read(master_, buf, sizeof buf);
        if (n > 0) {
            out.append(buf, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return out;  // EAGAIN: nothing more for now; EIO: the sender closed its end
    }
}

std::string PtyPlotter::Read(size_t most) {
    std::string out(most, '\0');
    const ssize_t n = read(master_, out.data(), most);
    out.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return out;
}

SenderUnderTest::SenderUnderTest() {
    sender.setShutdownWaits(std::chrono::milliseconds(0), std::chrono::milliseconds(200));
    sender.setQuitHandler([this](int code) { exitCode = code; });
}

void SenderUnderTest::Tick() {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    sender.firedByTimer();
}

std::string SamplePlotBody(size_t size) {
    std::string body;
    int pen = 1;
    for (int i = 0; body.size() < size; ++i) {
        char line[128];
        const int x = (i * 137) % 9000, y = (i * 251) % 6500, s = 100 + (i * 37) % 700;
        std::snprintf(line, sizeof line, "SP%d;PU%d,%d;PD%d,%d,%d,%d,%d,%d,%d,%d;\n", pen, x, y,
                      x + s, y, x + s, y + s, x, y + s, x, y);
        body += line;
        if (i % 9 == 8) pen = pen % 6 + 1;
    }
    return body;
}
