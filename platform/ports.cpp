#include "platform/ports.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/print_queue.h"

const PseudoPort kPseudoPorts[4] = {
    {"Shared Folder(Trazen Server)", kDestSharedFolder},
    {"TCP/IP(PRICOM 3100 FTP)", kDestPricomFtp},
    {"TCP/IP(AXIS 5550 LPT)", kDestAxisLpt},
    {"TCP/IP(AXIS 5550 USB)", kDestAxisUsb},
};

namespace {

namespace fs = std::filesystem;

// Digit runs compare by value, everything else byte by byte, so ttyS2 < ttyS10 and the
// families fall in name order (rfcomm*, ttyACM*, ttyS*, ttyUSB*). A name can't change its
// place when another device is plugged in, which keeps stored positions meaningful.
bool NaturalLess(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i]));
        const bool db = std::isdigit(static_cast<unsigned char>(b[j]));
        if (da && db) {
            size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
            // Compare numerically without overflow: skip leading zeros, then length, then digits.
            size_t zi = i, zj = j;
            while (zi + 1 < ei && a[zi] == '0') ++zi;
            while (zj + 1 < ej && b[zj] == '0') ++zj;
            const std::string_view na = a.substr(zi, ei - zi), nb = b.substr(zj, ej - zj);
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            // Same value: fewer leading zeros first, so the order stays strict.
            if (ei - i != ej - j) return ei - i < ej - j;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

// A ttyS node without a UART reports type 0 (PORT_UNKNOWN); USB and ACM nodes have no type file.
bool HasNoUart(const fs::path& entry) {
    std::ifstream in(entry / "type");
    if (!in) return false;
    long type = -1;
    if (!(in >> type)) return false;
    return type == 0;
}

std::mutex gSourceMutex;
std::function<std::vector<std::string>()> gSource;

}  // namespace

std::vector<std::string> ScanSerialDevices(const std::string& sysfsRoot) {
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path classDir = fs::path(sysfsRoot) / "class" / "tty";
    for (fs::directory_iterator it(classDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code linkEc;
        // Virtual consoles, ptys and the console alias have no driver behind them; rfcomm
        // nodes are virtual but carry a real Bluetooth serial link.
        const bool backed = fs::exists(it->path() / "device" / "driver", linkEc) ||
                            name.rfind("rfcomm", 0) == 0;
        if (!backed || HasNoUart(it->path())) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const auto& n : names) paths.push_back("/dev/" + n);
    return paths;
}

std::vector<std::string> SerialDevices() {
    std::function<std::vector<std::string>()> source;
    {
        std::lock_guard lock(gSourceMutex);
        source = gSource;
    }
    return source ? source() : ScanSerialDevices("/sys");
}

void SetSerialDeviceSource(std::function<std::vector<std::string>()> source) {
    std::lock_guard lock(gSourceMutex);
    gSource = std::move(source);
}

DestinationKind KindOfDestination(int16_t code) {
    if (code >= 0 || code == kDestMissingDevice) return DestinationKind::SerialPort;
    if (code == kDestSharedFolder) return DestinationKind::SharedFolder;
    if (code == kDestPrinterQueue) return DestinationKind::PrinterQueue;
    return DestinationKind::Network;
}

std::vector<std::string> PortList(const std::vector<std::string>& devices) {
    std::vector<std::string> list = devices;
    for (const auto& p : kPseudoPorts) list.emplace_back(p.label);
    return list;
}

std::vector<std::string> PortList(const std::vector<std::string>& devices,
                                  const std::vector<std::string>& queues) {
    std::vector<std::string> list = PortList(devices);
    for (const auto& q : queues) list.push_back(QueueLabel(q));
    return list;
}

Destination ResolveDestination(const std::vector<std::string>& devices, int16_t port,
                               const char* portName) {
    Destination d;  // nothing matched: the PRICOM FTP destination
    const bool byName = portName != nullptr && portName[0] != '\0';
    if (byName) {
        if (std::optional<std::string> queue = QueueFromLabel(portName)) {
            d.code = kDestPrinterQueue;
            d.queue = std::move(*queue);
            return d;
        }
    }
    bool matched = false;
    const int n = static_cast<int>(devices.size());
    for (int i = 0; i < n && i <= INT16_MAX; ++i) {
        const bool hit = byName ? devices[i] == portName : i == port;
        if (hit) {
            d.code = static_cast<int16_t>(i);
            d.devicePath = devices[i];
            matched = true;
        }
    }
    for (int k = 0; k < 4; ++k) {
        const bool hit = byName ? std::strcmp(portName, kPseudoPorts[k].label) == 0
                                : static_cast<int>(port) == n + k;
        if (hit) {
            d.code = kPseudoPorts[k].code;
            d.devicePath.clear();
            matched = true;
        }
    }
    if (byName && !matched) {
        d.code = kDestMissingDevice;
        d.devicePath = portName;
    }
    return d;
}
