#include "sender/plot_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/encoding.h"
#include "plotjob/product_folder.h"

namespace {

constexpr char kPlotterOn[3] = {0x1B, 0x2E, 0x28};
constexpr char kPlotterOff[3] = {0x1B, 0x2E, 0x29};

// Closes on every way out of a scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

ssize_t ReadRetry(int fd, void* p, size_t n) {
    for (;;) {
        const ssize_t r = read(fd, p, n);
        if (r >= 0 || errno != EINTR) return r;
    }
}

// One write of all the bytes; a short write counts as a failure, as the plotter would get a
// broken instruction otherwise.
bool WriteAll(int fd, const void* p, size_t n) {
    const char* c = static_cast<const char*>(p);
    while (n > 0) {
        const ssize_t w = write(fd, c, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (w == 0) {
            errno = ENOSPC;
            return false;
        }
        c += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

off_t LengthOf(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 ? st.st_size : 0;
}

// Opens a plug-in file for reading, or -1 with errno. Only a plain file is read: a named pipe
// would hold the sender for ever and a device (a link to /dev/zero) would never end.
int OpenInput(const std::string& path, bool& plain) {
    plain = true;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        // A folder is an unreadable file, which the panel words as such.
        const bool folder = S_ISDIR(st.st_mode);
        plain = folder;
        close(fd);
        errno = folder ? EISDIR : EINVAL;
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Opens the output emptied. An output that won't open for writing (read-only, another user's, a
// link to nowhere, a named pipe with no reader) is an earlier run's leftover in the user's own
// folder: it goes, and a new file takes its place. A folder of that name is not removed.
int OpenOutput(const std::string& path, int& error) {
    // Non-blocking only for the open: a named pipe would otherwise wait for a reader forever.
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        error = errno;
        if (unlink(path.c_str()) != 0 && errno != ENOENT) return -1;
        // O_EXCL: what is made is a new plain file, never something a link points at.
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NONBLOCK, 0666);
        if (fd < 0) {
            error = errno;
            return -1;
        }
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

}  // namespace

void CreateNewFile(const std::string& path) {
    // Non-blocking: a named pipe in the file's place must not hold the sender before its
    // window shows; it is refused when read.
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd >= 0) close(fd);
}

std::string PlotTitle(const HeaderLines& header) {
    std::string title = header.name;
    // The plug-in writes Shift-JIS, as every text it leaves; trzn-plot names a drawing in
    // UTF-8. Shift-JIS with kanji or kana is hardly ever valid UTF-8, and ASCII reads alike.
    if (!title.empty()) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString asUtf8 = utf8(QByteArrayView(title.data(), static_cast<qsizetype>(title.size())));
        title = (utf8.hasError() ? SjisToQString(title.c_str()) : asUtf8).toStdString();
    }
    // A job name holds at most 255 bytes; cut at a character boundary.
    constexpr std::size_t kLongestJobName = 255;
    if (title.size() > kLongestJobName) {
        std::size_t end = kLongestJobName;
        while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) --end;
        title.resize(end);
    }
    return title.empty() ? std::string("Trazen plot") : title;
}

HeaderFile ReadHeaderFile(const std::string& productFolder) {
    HeaderFile out;
    const std::string path = ProductFile(productFolder, product::kHeaderLines);
    CreateNewFile(path);
    bool plain = true;
    Fd header(OpenInput(path, plain));
    out.notAFile = !plain;
    if (!header.ok()) return out;
    out.opened = true;
    // The file as long as it was when opened: one still being written to is not followed.
    std::string text(static_cast<size_t>(std::max<off_t>(0, LengthOf(header.get()))), '\0');
    size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ReadRetry(header.get(), text.data() + got, text.size() - got);
        // A file that shrank or can't be read any more: read with what it has.
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    text.resize(got);
    out.lines = HeaderLines::Read(text);
    return out;
}

PlotFileResult CreateSerPltFile(const std::string& folder) {
    return CreateSerPltFile(folder, ReadHeaderFile(folder));
}

PlotFileResult CreateSerPltFile(const std::string& folder, const HeaderFile& header) {
    PlotFileResult result;
    const auto failed = [&result](PlotFileProblem problem) {
        // The first failure is the one worth telling.
        if (result.whole()) result = PlotFileResult{problem, errno};
    };
    int openError = 0;
    Fd out(OpenOutput(ProductFile(folder, product::kFramedPlot), openError));
    if (!out.ok()) return PlotFileResult{PlotFileProblem::OutputUnwritable, openError};

    if (header.notAFile) {
        errno = EINVAL;
        failed(PlotFileProblem::HeaderNotAFile);
        return result;
    }
    if (header.opened) {
        const std::string& brc = header.lines.brc;
        const bool lead = WriteAll(out.get(), kPlotterOn, sizeof kPlotterOn) &&
                          WriteAll(out.get(), "IN;", 3) && WriteAll(out.get(), "IW;", 3);
        if (!lead) failed(PlotFileProblem::WriteFailed);
        if (lead && !brc.empty()) {
            const std::string window = "IW" + brc + ";";
            if (!WriteAll(out.get(), window.data(), window.size()))
                failed(PlotFileProblem::WriteFailed);
        }
    }

    const std::string bodyPath = ProductFile(folder, product::kPlotBody);
    CreateNewFile(bodyPath);
    bool plain = true;
    Fd body(OpenInput(bodyPath, plain));
    if (!body.ok()) {
        failed(plain ? PlotFileProblem::BodyUnreadable : PlotFileProblem::BodyNotAFile);
        return result;
    }
    // The body as long as it was when opened: one still being appended to is not followed.
    off_t left = LengthOf(body.get());
    // Larger pieces than the plug-in's 80 bytes: the bytes written are the same, in far fewer
    // system calls (a plot body can be tens of megabytes).
    char buf[64 * 1024];
    bool copied = true;
    while (left > 0) {
        const ssize_t n =
            ReadRetry(body.get(), buf, static_cast<size_t>(std::min<off_t>(left, sizeof buf)));
        if (n == 0) break;
        if (n < 0) {
            failed(PlotFileProblem::BodyUnreadable);
            copied = false;
            break;
        }
        if (!WriteAll(out.get(), buf, static_cast<size_t>(n))) {
            failed(PlotFileProblem::WriteFailed);
            copied = false;
            break;
        }
        left -= n;
    }
    // Plotter off only after a whole body: a plotter told "done" mid-plot would finish a
    // truncated drawing as if it were complete.
    if (copied && !WriteAll(out.get(), kPlotterOff, sizeof kPlotterOff))
        failed(PlotFileProblem::WriteFailed);
    return result;
}
