#include "plotjob/plot_slot.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "plotjob/product_folder.h"

namespace {

// Read-only is enough for flock, and works on a lock file left by another user.
int OpenLock(const std::string& productFolder) {
    const std::string path = ProductFile(productFolder, product::kSlotLock);
    return open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
}

bool SameFile(int fd, const std::string& path) {
    struct stat held {
    }, named{};
    return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

std::optional<PlotSlot> PlotSlot::Acquire(const std::string& productFolder, bool wait, bool* busy) {
    *busy = false;
    const int fd = OpenLock(productFolder);
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

SlotState PlotSlot::Take(const std::string& productFolder, int inheritedFd,
                         std::optional<PlotSlot>* slot) {
    slot->reset();
    // Locking a description already locked by it succeeds at once, so this also proves the
    // caller really holds the lock it handed down.
    if (inheritedFd >= 0 && SameFile(inheritedFd, ProductFile(productFolder, product::kSlotLock)) &&
        flock(inheritedFd, LOCK_EX | LOCK_NB) == 0) {
        fcntl(inheritedFd, F_SETFD, FD_CLOEXEC);
        slot->emplace(PlotSlot(inheritedFd));
        return SlotState::Held;
    }
    const int fd = OpenLock(productFolder);
    if (fd < 0) return SlotState::Unavailable;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        slot->emplace(PlotSlot(fd));
        return SlotState::Held;
    }
    const bool busy = errno == EWOULDBLOCK;
    close(fd);
    return busy ? SlotState::Busy : SlotState::Unavailable;
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
