#include "tools/plot_job.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "plotjob/header_lines.h"
#include "plotjob/product_folder.h"
#include "settings/completion_status.h"
#include "settings/store.h"

extern char** environ;

namespace {

// The messages go out as local 8-bit text (the caller decodes them so); names are bytes.
std::string Said(const QString& text) { return text.toLocal8Bit().toStdString(); }
QString Shown(const std::string& path) { return QString::fromLocal8Bit(path); }
QString Reason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

}  // namespace

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

namespace {

// The plot is copied in pieces: a plot of hundreds of megabytes needs no copy in memory.
bool CopyBody(int in, QSaveFile& out, std::string* readError) {
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *readError = std::strerror(errno);
            return false;
        }
        if (n == 0) return true;
        if (out.write(buffer, n) != n) return false;
    }
}

}  // namespace

std::string InputWindowHeader(const std::string& brc) {
    HeaderLines lines;
    lines.brc = brc;
    return lines.Format("\r\n");
}

std::optional<PlotOutcome> WritePlotInputs(const std::string& productFolder,
                                           const std::string& file, const std::string& headerLines,
                                           std::string* error) {
    const int in = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        const int err = errno;
        *error = Said(TPlotWords::tr("cannot read %1: %2").arg(Shown(file), Reason(err)));
        return PlotOutcome::BadInput;
    }
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{in};
    struct stat st {};
    if (fstat(in, &st) != 0 || st.st_size == 0) {
        *error = Said(TPlotWords::tr("%1 is empty: there is nothing to plot").arg(Shown(file)));
        return PlotOutcome::BadInput;
    }
    auto cannotWrite = [&](const QString& path, const QSaveFile& out) {
        *error = Said(TPlotWords::tr("cannot write %1: %2").arg(path, out.errorString()));
        return PlotOutcome::NoFolder;
    };

    // Header first: the body is what marks a plot as ready.
    const QString headerPath =
        QString::fromStdString(ProductFile(productFolder, product::kHeaderLines));
    QSaveFile header(headerPath);
    const QByteArray line = QByteArray::fromStdString(headerLines);
    if (!header.open(QIODevice::WriteOnly) || header.write(line) != line.size() ||
        !header.commit()) {
        return cannotWrite(headerPath, header);
    }
    const QString bodyPath = QString::fromStdString(ProductFile(productFolder, product::kPlotBody));
    QSaveFile body(bodyPath);
    if (!body.open(QIODevice::WriteOnly)) return cannotWrite(bodyPath, body);
    std::string readError;
    if (!CopyBody(in, body, &readError)) {
        body.cancelWriting();
        if (!readError.empty()) {
            *error = Said(TPlotWords::tr("cannot read %1: %2")
                              .arg(Shown(file), QString::fromLocal8Bit(readError)));
            return PlotOutcome::BadInput;
        }
        return cannotWrite(bodyPath, body);
    }
    if (!body.commit()) return cannotWrite(bodyPath, body);
    return std::nullopt;
}

std::string FindProgram(const std::string& selfDir, const std::string& name,
                        const std::string& buildFolder) {
    for (const std::string& candidate :
         {selfDir + "/" + name, selfDir + "/../" + buildFolder + "/" + name}) {
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = dirs.find(':', start);
        const std::string dir = dirs.substr(start, end == std::string::npos ? end : end - start);
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return {};
}

SettingsState LoadPlotSettings(RecordSet* records, std::string* reason) {
    const std::string path = SettingsFilePath(nullptr);
    struct stat st {};
    if (path.empty() || (stat(path.c_str(), &st) != 0 && errno == ENOENT)) {
        ClearRecords(records->print.get(), records->paper.get(), records->config.get(),
                     records->serial.get());
        return SettingsState::Missing;
    }
    if (!LoadSettings(records)) {
        *reason = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : std::strerror(errno);
        return SettingsState::Unreadable;
    }
    return SettingsState::Loaded;
}

SenderExit RunSender(const std::string& senderPath, const std::vector<std::string>& args,
                     int lockFd) {
    std::vector<std::string> all = args;
    if (lockFd >= 0) all.insert(all.end(), {"--lock-fd", std::to_string(lockFd)});
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(senderPath.c_str()));
    for (const std::string& a : all) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // A dup2 onto itself clears close-on-exec for the sender alone.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (lockFd >= 0) posix_spawn_file_actions_adddup2(&actions, lockFd, lockFd);
    // As system(3) does: Ctrl-C and Ctrl-\ from the terminal end the sender, and this side stays
    // to record how it ended; so does a closed terminal. The sender gets back the actions this
    // side had (a signal ignored by nohup or a background start stays ignored).
    constexpr int kLeftToSender[] = {SIGINT, SIGQUIT, SIGHUP};
    struct sigaction ignore {
    }, old[3]{};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int i = 0; i < 3; ++i) {
        sigaction(kLeftToSender[i], &ignore, &old[i]);
        if (old[i].sa_handler != SIG_IGN) sigaddset(&defaults, kLeftToSender[i]);
    }
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);

    SenderExit result;
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, senderPath.c_str(), &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    int status = 0;
    bool waited = false;
    if (spawned == 0) {
        while (!(waited = waitpid(pid, &status, 0) == pid) && errno == EINTR) {
        }
    }
    for (int i = 0; i < 3; ++i) sigaction(kLeftToSender[i], &old[i], nullptr);
    if (!waited) return result;
    if (WIFEXITED(status)) {
        result.how = SenderExit::How::Exited;
        result.value = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.how = SenderExit::How::Killed;
        result.value = WTERMSIG(status);
    }
    return result;
}

KilledStatus StoreKilledSenderStatus() {
    RecordSet r;
    if (!LoadSettings(&r)) {
        // Nothing readable: writing now would replace the settings with cleared records.
        return KilledStatus::Failed;
    }
    const auto cancelled = static_cast<int64_t>(Completion::Cancelled);
    if (*r.refCon == cancelled) return KilledStatus::Unchanged;
    // Only the status line: the window may have saved other settings since the sender started.
    return StoreCompletionStatus(Completion::Cancelled, PrintLines::Sender) ? KilledStatus::Written
                                                                            : KilledStatus::Failed;
}

std::string RawArgument(const std::vector<std::string>& rawArgs, const std::string& decoded,
                        const std::vector<std::string>& valueOptions) {
    for (size_t i = rawArgs.size(); i-- > 1;) {
        const bool optionValue = std::find(valueOptions.begin(), valueOptions.end(),
                                           rawArgs[i - 1]) != valueOptions.end();
        if (!optionValue && QString::fromLocal8Bit(rawArgs[i].c_str()).toStdString() == decoded) {
            return rawArgs[i];
        }
    }
    return decoded;
}
