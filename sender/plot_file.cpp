#include "sender/plot_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "hpgl/hpgl_options.h"
#include "platform/encoding.h"
#include "plotjob/product_folder.h"

namespace {

constexpr int kPieceSize = 80;
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

std::string PlotTitle(const std::string& productFolder) {
    std::FILE* header = std::fopen(ProductFile(productFolder, product::kHeaderLines).c_str(), "rb");
    std::string title;
    if (header) {
        char line[256];
        while (std::fgets(line, sizeof line, header)) {
            if (std::strncmp(line, "NAME:", 5) != 0) continue;
            title = line + 5;
            while (!title.empty() && (title.back() == '\n' || title.back() == '\r'))
                title.pop_back();
            break;
        }
        std::fclose(header);
    }
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

namespace {

// The header lines of `productFolder`, CR LF or LF ended. Notes and the unit are a few lines; a
// header file of megabytes (or a device someone put there) is not read to its end for them.
std::vector<std::string> HeaderLines(const std::string& productFolder) {
    constexpr std::size_t kHeaderReadLimit = 64 * 1024;
    std::vector<std::string> lines;
    std::FILE* header = std::fopen(ProductFile(productFolder, product::kHeaderLines).c_str(), "rb");
    if (!header) return lines;
    std::string text(kHeaderReadLimit, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), header));
    const bool cut = text.size() == kHeaderReadLimit && std::fgetc(header) != EOF;
    std::fclose(header);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        // A line the limit cut in two is not a line as written.
        if (end == std::string::npos && cut) break;
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

std::vector<std::string> HeaderNotes(const std::string& productFolder) {
    std::vector<std::string> notes;
    for (std::string& line : HeaderLines(productFolder)) {
        if (line.compare(0, 5, "NOTE:") != 0) continue;
        line.erase(0, 5);
        if (!line.empty() && std::find(notes.begin(), notes.end(), line) == notes.end())
            notes.push_back(std::move(line));
    }
    return notes;
}

int HeaderStepsPerInch(const std::string& productFolder) {
    for (const std::string& line : HeaderLines(productFolder)) {
        if (line.compare(0, 5, "UNIT:") != 0) continue;
        int steps = 0;
        const char* end = line.data() + line.size();
        const auto [at, error] = std::from_chars(line.data() + 5, end, steps);
        // A unit that can't be read is no unit: the plot is drawn in HP-GL's own.
        if (error == std::errc() && at == end && steps >= kFewestStepsPerInch &&
            steps <= kMostStepsPerInch)
            return steps;
        break;
    }
    return kHpglStepsPerInch;
}

std::string ScanBrcValue(int fd) {
    // The plug-in's header lines are read in pieces of at most 80 bytes; a piece ends at an LF,
    // after the file's last byte, or when full. Only the first piece starting "BRC:" counts.
    off_t left = LengthOf(fd);
    char piece[kPieceSize];
    while (left > 0) {
        int len = 0;
        bool lastByteIsEnd = false;  // the piece ended at LF or at the last byte of the file
        while (len < kPieceSize && left > 0) {
            char c = 0;
            const ssize_t r = ReadRetry(fd, &c, 1);
            // A file that shrank or can't be read any more: the scan ends with what it has.
            if (r <= 0) {
                left = 0;
                break;
            }
            --left;
            piece[len++] = c;
            if (c == '\n' || left == 0) {
                lastByteIsEnd = true;
                break;
            }
        }
        if (len >= 4 && std::memcmp(piece, "BRC:", 4) == 0) {
            int end = len;
            // The terminator is dropped; an unterminated last line keeps its last byte.
            if (lastByteIsEnd && piece[end - 1] == '\n') --end;
            if (end > 4 && (piece[end - 1] == '\r' || piece[end - 1] == '\n')) --end;
            if (end > 4 && (piece[end - 1] == '\r' || piece[end - 1] == '\n')) --end;
            // A NUL ends the value, as it ends a text everywhere else.
            const char* value = piece + 4;
            return std::string(value, strnlen(value, static_cast<size_t>(end - 4)));
        }
    }
    return {};
}

PlotFileResult CreateSerPltFile(const std::string& folder) {
    PlotFileResult result;
    const auto failed = [&result](PlotFileProblem problem) {
        // The first failure is the one worth telling.
        if (result.whole()) result = PlotFileResult{problem, errno};
    };
    int openError = 0;
    Fd out(OpenOutput(ProductFile(folder, product::kFramedPlot), openError));
    if (!out.ok()) return PlotFileResult{PlotFileProblem::OutputUnwritable, openError};

    const std::string headerPath = ProductFile(folder, product::kHeaderLines);
    CreateNewFile(headerPath);
    {
        bool plain = true;
        Fd header(OpenInput(headerPath, plain));
        if (!plain) {
            failed(PlotFileProblem::HeaderNotAFile);
            return result;
        }
        if (header.ok()) {
            const std::string brc = ScanBrcValue(header.get());
            const bool lead = WriteAll(out.get(), kPlotterOn, sizeof kPlotterOn) &&
                              WriteAll(out.get(), "IN;", 3) && WriteAll(out.get(), "IW;", 3);
            if (!lead) failed(PlotFileProblem::WriteFailed);
            if (lead && !brc.empty()) {
                const std::string window = "IW" + brc + ";";
                if (!WriteAll(out.get(), window.data(), window.size()))
                    failed(PlotFileProblem::WriteFailed);
            }
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
