#include "settings/settings_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "plotjob/product_folder.h"

SettingsLock::SettingsLock() {
    const std::string folder = ProductFolder();
    if (folder.empty()) return;
    // The lock is on the product folder itself: no file of ours appears in a folder that the
    // plug-in shares, and a folder we may only read can still be locked.
    fd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    // Held only for one read and write of a small file: waiting is never long.
    while (flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        close(fd_);
        fd_ = -1;
        return;
    }
}

SettingsLock::~SettingsLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the flock
}
