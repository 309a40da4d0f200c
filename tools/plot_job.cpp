#include "tools/plot_job.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

std::optional<std::string> CheckPlotFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        return "cannot open " + path + ": " + std::strerror(errno);
    }
    if (S_ISDIR(st.st_mode)) return path + " is a folder, not an HP-GL file";
    if (!S_ISREG(st.st_mode)) return path + " is not a regular file";
    if (st.st_size == 0) return path + " is empty: there is nothing to plot";
    if (access(path.c_str(), R_OK) != 0) {
        return "cannot read " + path + ": " + std::strerror(errno);
    }
    return std::nullopt;
}

std::optional<PlotSlot> PlotSlot::Acquire(const std::string& productFolder, bool wait,
                                          bool* busy) {
    *busy = false;
    const std::string lockPath = productFolder + "/.plot.lock";
    const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return std::nullopt;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return PlotSlot(fd);
    if (errno != EWOULDBLOCK || !wait) {
        *busy = errno == EWOULDBLOCK;
        close(fd);
        return std::nullopt;
    }
    *busy = true;
    int rc;
    do {
        rc = flock(fd, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        close(fd);
        return std::nullopt;
    }
    *busy = false;
    return PlotSlot(fd);
}

PlotSlot::PlotSlot(PlotSlot&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

PlotSlot& PlotSlot::operator=(PlotSlot&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

PlotSlot::~PlotSlot() {
    if (fd_ >= 0) close(fd_);  // closing releases the flock
}

namespace {

bool WriteWhole(const QString& path, const QByteArray& bytes, std::string* error) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        *error = "cannot write " + path.toStdString() + ": " + out.errorString().toStdString();
        return false;
    }
    return true;
}

}  // namespace

bool WritePlotInputs(const std::string& productFolder, const std::string& file,
                     const std::string& brc, std::string* error) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly)) {
        *error = "cannot read " + file + ": " + in.errorString().toStdString();
        return false;
    }
    const QByteArray body = in.readAll();
    if (body.isEmpty()) {
        *error = file + " is empty: there is nothing to plot";
        return false;
    }
    const QString folder = QString::fromStdString(productFolder);
    QByteArray header;
    if (!brc.empty()) header = "BRC:" + QByteArray::fromStdString(brc) + "\r\n";
    // Header first: the body is what marks a plot as ready.
    return WriteWhole(folder + "/Trazen Sender Prefs", header, error) &&
           WriteWhole(folder + "/Trazen Prefs", body, error);
}

std::string FindSender(const std::string& selfDir) {
    for (const std::string& candidate :
         {selfDir + "/TRZNSerSend", selfDir + "/../sender/TRZNSerSend"}) {
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = dirs.find(':', start);
        const std::string dir = dirs.substr(start, end == std::string::npos ? end : end - start);
        const std::string candidate = (dir.empty() ? "." : dir) + "/TRZNSerSend";
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return {};
}

int RunSender(const std::string& senderPath, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(senderPath.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, senderPath.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}
