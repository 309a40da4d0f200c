#include "sender/plot_slot.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

bool SameFile(int fd, const std::string& path) {
    struct stat held {}, named {};
    return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

SlotState TakePlotSlot(const std::string& productFolder, int inheritedFd, int* fd) {
    *fd = -1;
    const std::string lockPath = productFolder + "/.plot.lock";
    // Locking a description already locked by it succeeds at once, so this also proves the
    // caller really holds the lock it handed down.
    if (inheritedFd >= 0 && SameFile(inheritedFd, lockPath) &&
        flock(inheritedFd, LOCK_EX | LOCK_NB) == 0) {
        fcntl(inheritedFd, F_SETFD, FD_CLOEXEC);
        *fd = inheritedFd;
        return SlotState::Held;
    }
    // Read-only is enough for flock, and works on a lock file left by another user.
    const int lock = open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (lock < 0) return SlotState::Unavailable;
    if (flock(lock, LOCK_EX | LOCK_NB) == 0) {
        *fd = lock;
        return SlotState::Held;
    }
    const bool busy = errno == EWOULDBLOCK;
    close(lock);
    return busy ? SlotState::Busy : SlotState::Unavailable;
}
