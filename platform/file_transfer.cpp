#include "platform/file_transfer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr size_t kUsualPieceBytes = 64 * 1024;
size_t g_pieceBytes = kUsualPieceBytes;

DeliveryResult Fail(DeliveryError error, int err) {
    DeliveryResult r;
    r.error = error;
    r.sysErrno = err;
    r.detail = std::strerror(err);
    return r;
}

bool WriteAll(int fd, const char* p, size_t n) {
    while (n > 0) {
        const ssize_t w = write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

}  // namespace

namespace {

// Read, not set and restored: umask(0) would briefly apply to every thread's new files.
mode_t CurrentUmask() {
    mode_t mask = 022;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[128];
        unsigned value = 0;
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "Umask: %o", &value) == 1) mask = static_cast<mode_t>(value);
        std::fclose(status);
    }
    return mask;
}

// Puts the finished copy under its name without replacing anything there. renameat2 does it in
// one step; shares whose filesystem lacks it get a hard link (EEXIST is just as atomic), and
// those without links a check and a rename.
int PlaceWithoutReplacing(const std::string& temp, const std::string& dst) {
    if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
    if (link(temp.c_str(), dst.c_str()) == 0) {
        unlink(temp.c_str());
        return 0;
    }
    if (errno == EEXIST) return EEXIST;
    struct stat st {};
    if (lstat(dst.c_str(), &st) == 0) return EEXIST;
    return rename(temp.c_str(), dst.c_str()) == 0 ? 0 : errno;
}

}  // namespace

void SetCopyPieceBytes(size_t bytes) { g_pieceBytes = bytes == 0 ? kUsualPieceBytes : bytes; }

DeliveryResult CopyFileNoOverwrite(const std::string& src, const std::string& dst,
                                   const std::function<bool()>& keepGoing) {
    const int in = open(src.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        const int err = errno;
        return Fail(
            err == ENOENT || err == ENOTDIR ? DeliveryError::SourceMissing : DeliveryError::Other,
            err);
    }
    struct stat st {};
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        close(in);
        return Fail(DeliveryError::SourceMissing, err);
    }
    // A name taken (a dangling link included) is refused before any byte is copied: the caller
    // tries the next name, and a big plot must not be copied once per name.
    struct stat taken {};
    if (lstat(dst.c_str(), &taken) == 0) {
        close(in);
        return Fail(DeliveryError::TargetExists, EEXIST);
    }
    // Written under a hidden name beside the target and renamed when whole: a print server
    // watching the folder never sees a growing or cut-off plot under a plot's name, not even
    // when this program is killed.
    const size_t slash = dst.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : dst.substr(0, slash);
    const std::string base = slash == std::string::npos ? dst : dst.substr(slash + 1);
    std::string temp = folder + "/." + base + ".XXXXXX";
    const int out = mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0) {
        const int err = errno;
        close(in);
        return Fail(DeliveryError::FolderNotWritable, err);
    }
    // The print server reads the file as another user: the mode a plain new file gets, not
    // the temporary's private 0600.
    fchmod(out, 0666 & ~CurrentUmask());
    auto abandon = [&](DeliveryError error, int err) {
        close(in);
        close(out);
        unlink(temp.c_str());
        return Fail(error, err);
    };
    std::vector<char> buf(g_pieceBytes);
    for (;;) {
        if (keepGoing && !keepGoing()) return abandon(DeliveryError::Aborted, ECANCELED);
        const ssize_t n = read(in, buf.data(), buf.size());
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return abandon(DeliveryError::Other, errno);
        }
        if (!WriteAll(out, buf.data(), static_cast<size_t>(n)))
            return abandon(DeliveryError::FolderNotWritable, errno);
    }
    // Network shares report a full disk or a lost server only when the data is flushed.
    if (fsync(out) != 0 && errno != EINVAL && errno != EROFS)
        return abandon(DeliveryError::FolderNotWritable, errno);
    close(in);
    if (close(out) != 0) {
        const int err = errno;
        unlink(temp.c_str());
        return Fail(DeliveryError::FolderNotWritable, err);
    }
    if (const int err = PlaceWithoutReplacing(temp, dst); err != 0) {
        unlink(temp.c_str());
        return Fail(err == EEXIST ? DeliveryError::TargetExists : DeliveryError::FolderNotWritable,
                    err);
    }
    return {};
}
