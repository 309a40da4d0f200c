#include "hpgl/hpgl_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <optional>

#include "hpgl/hpgl_interpreter.h"
#include "hpgl/hpgl_lexer.h"

THpglPlot ReadHpgl(std::string_view bytes, const THpglOptions& options) {
    THpglPlot plot;
    // A plot of coordinate pairs is roughly one segment per 10 bytes; reserving that much spares
    // the repeated reallocations without over-committing on text-heavy input.
    const std::size_t guess = std::min(bytes.size() / 10, options.maxSegments);
    plot.points.reserve(guess);
    plot.segmentOffsets.reserve(guess);
    THpglInterpreter(bytes, options, plot).Run();
    return plot;
}

THpglStreamResult ReadHpglStream(int fd, const THpglOptions& options,
                                 const std::function<void(const THpglPlot&)>& batch,
                                 const std::function<bool()>& keepGoing) {
    THpglStreamResult result;
    std::uint64_t at = 0;
    bool failed = false;
    THpglLexer::Source source = [&](char* into, std::size_t n) -> std::size_t {
        if (options.streamPiece > 0) n = std::min(n, options.streamPiece);
        while (!failed) {
            // pread: the caller's descriptor may be shared, and a second pass starts at 0 again.
            const ssize_t got = ::pread(fd, into, n, static_cast<off_t>(at));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                failed = true;
                break;
            }
            at += static_cast<std::uint64_t>(got);
            return static_cast<std::size_t>(got);
        }
        return 0;
    };
    THpglPlot running;
    result.finished = THpglInterpreter(std::move(source), options, running)
                          .RunInBatches(kStreamBatchPoints, batch, keepGoing);
    result.readable = !failed;
    result.bytes = at;
    result.bounds = running.bounds;
    result.penDownLength = running.penDownLength;
    result.instructions = running.instructions;
    result.skipped = running.skipped;
    result.truncated = running.truncated;
    return result;
}

std::optional<THpglPlot> ReadHpglFile(const std::string& path, const THpglOptions& options) {
    // Read, not mapped: a mapping dies with SIGBUS when the file shrinks under it, and the
    // sender rewrites its output file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;  // shrank meanwhile: read what is there
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return ReadHpgl(bytes, options);
}
