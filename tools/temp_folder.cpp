#include "tools/temp_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr char kPrefix[] = "trzn-plot-";
constexpr char kLockName[] = "lock";
// A folder without a lock file younger than this may be one a run is making this instant.
constexpr time_t kUnlockedGraceSeconds = 60;
// The folder holds ghostscript's folder inside it, and nothing deeper.
constexpr int kMaxDepth = 4;

// The kernel's record for getdents64: readdir(3) may allocate, a signal handler must not.
struct DirEntry64 {
    uint64_t ino;
    int64_t off;
    unsigned short reclen;
    unsigned char type;
    char name[1];
};

void EmptyFolder(int dir, int depth) {
    alignas(8) char buffer[4096];
    while (true) {
        const long n = syscall(SYS_getdents64, dir, buffer, sizeof buffer);
        if (n <= 0) return;
        for (long at = 0; at < n;) {
            const auto* entry = reinterpret_cast<const DirEntry64*>(buffer + at);
            at += entry->reclen;
            const char* name = entry->name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
                continue;
            if (unlinkat(dir, name, 0) == 0 || errno != EISDIR || depth == 0) continue;
            const int sub = openat(dir, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (sub < 0) continue;
            EmptyFolder(sub, depth - 1);
            close(sub);
            unlinkat(dir, name, AT_REMOVEDIR);
        }
    }
}

}  // namespace

bool RemoveTree(const char* path) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int dir = open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (dir < 0) return errno == ENOENT;
        EmptyFolder(dir, kMaxDepth);
        close(dir);
        if (rmdir(path) == 0 || errno == ENOENT) return true;
        const timespec pause{0, 20 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    return false;
}

std::optional<TempFolder> TempFolder::Make(const std::string& tempPath, Note* error) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string name = tempPath + "/" + kPrefix + "XXXXXX";
        if (!mkdtemp(name.data())) {
            *error = Note(NoteId::CannotMakeTemporaryFolderIn, {tempPath, std::strerror(errno)});
            return std::nullopt;
        }
        const int fd = open((name + "/" + kLockName).c_str(),
                            O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        struct stat st {};
        // Another run's cleaner may have taken the folder for stale in the instant before the
        // lock: then the lock file is gone (no link left) and the folder with it.
        if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &st) == 0 && st.st_nlink > 0)
            return TempFolder(name, fd);
        if (fd >= 0) close(fd);
        RemoveTree(name.c_str());
    }
    *error = Note(NoteId::CannotLockTemporaryFolder, {tempPath});
    return std::nullopt;
}

TempFolder::TempFolder(TempFolder&& other) noexcept
    : _path(std::move(other._path)), _lockFd(other._lockFd) {
    other._path.clear();
    other._lockFd = -1;
}

TempFolder::~TempFolder() {
    // Removed while still locked: no other run's cleaner works on it at the same time.
    if (!_path.empty()) RemoveTree(_path.c_str());
    if (_lockFd >= 0) close(_lockFd);
}

int RemoveStaleTempFolders(const std::string& tempPath) {
    DIR* dir = opendir(tempPath.c_str());
    if (!dir) return 0;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, kPrefix, sizeof kPrefix - 1) == 0)
            names.emplace_back(entry->d_name);
    }
    closedir(dir);
    int removed = 0;
    for (const std::string& name : names) {
        const std::string path = tempPath + "/" + name;
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
            continue;
        const int lock = open((path + "/" + kLockName).c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
        const bool stale =
            lock >= 0 ? flock(lock, LOCK_EX | LOCK_NB) == 0
                      : errno == ENOENT && time(nullptr) - st.st_mtime > kUnlockedGraceSeconds;
        if (stale && RemoveTree(path.c_str())) ++removed;
        if (lock >= 0) close(lock);
    }
    return removed;
}
