#include "tools/plot_checks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "tools/plot_tr.h"

using plot_words::Reason;
using plot_words::Said;
using plot_words::Shown;

std::optional<std::string> CheckPlotFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        const int err = errno;
        return Said(TPlotWords::tr("cannot open %1: %2").arg(Shown(path), Reason(err)));
    }
    if (S_ISDIR(st.st_mode))
        return Said(TPlotWords::tr("%1 is a folder, not a file to plot").arg(Shown(path)));
    if (!S_ISREG(st.st_mode))
        return Said(TPlotWords::tr("%1 is not a regular file").arg(Shown(path)));
    if (st.st_size == 0)
        return Said(TPlotWords::tr("%1 is empty: there is nothing to plot").arg(Shown(path)));
    if (access(path.c_str(), R_OK) != 0) {
        const int err = errno;
        return Said(TPlotWords::tr("cannot read %1: %2").arg(Shown(path), Reason(err)));
    }
    return std::nullopt;
}

std::optional<std::string> CheckInputWindow(const std::string& brc) {
    // HP-GL's integer parameters: -2^30 to 2^30 - 1.
    constexpr std::int64_t kLow = -(std::int64_t{1} << 30), kHigh = (std::int64_t{1} << 30) - 1;
    const std::string bad = Said(
        TPlotWords::tr("the input window \"%1\" is not four whole numbers x1,y1,x2,y2 (for example "
                       "0,0,16000,11000)")
            .arg(Shown(brc)));
    int numbers = 0;
    size_t i = 0;
    while (true) {
        size_t start = i;
        if (i < brc.size() && brc[i] == '-') ++i;
        const size_t digits = i;
        while (i < brc.size() && brc[i] >= '0' && brc[i] <= '9') ++i;
        // Past ten digits every number is out of range; stopping here keeps the sum exact.
        if (i == digits || i - digits > 10) return bad;
        const std::int64_t value = std::stoll(brc.substr(start, i - start));
        if (value < kLow || value > kHigh) {
            return Said(TPlotWords::tr("the input window \"%1\" has a number outside %2 to %3")
                            .arg(Shown(brc))
                            .arg(kLow)
                            .arg(kHigh));
        }
        ++numbers;
        if (i == brc.size()) break;
        if (brc[i] != ',' || numbers == 4) return bad;
        ++i;
    }
    if (numbers != 4) return bad;
    return std::nullopt;
}

bool HasDisplay() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    // Qt tries the platforms of the list in turn; unset, it picks Wayland or X by the session.
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const std::string platforms = set("QT_QPA_PLATFORM") ? chosen : "wayland;xcb";
    size_t start = 0;
    while (start <= platforms.size()) {
        const size_t end = std::min(platforms.find(';', start), platforms.size());
        const std::string entry = platforms.substr(start, end - start);
        const std::string name = entry.substr(0, entry.find(':'));  // options follow a colon
        if (name == "xcb"                   ? set("DISPLAY")
            : name.rfind("wayland", 0) == 0 ? set("WAYLAND_DISPLAY")
                                            : !name.empty())
            return true;  // offscreen, vnc and the like need no display server
        start = end + 1;
    }
    return false;
}
