#include "tests/support/small_disk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>

SmallDisk::SmallDisk(const std::string& folder, long bytes) : folder_(folder) {
    std::filesystem::create_directories(folder);
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
    // Lazy: a descriptor a test left open must not keep the mount behind.
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
}

void SmallDisk::Fill() {
    const int fd = open((folder_ + "/.filler").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return;
    static const char block[4096] = {};
    for (size_t size = sizeof block; size > 0; size /= 2) {
        while (write(fd, block, size) == static_cast<ssize_t>(size)) {
        }
    }
    close(fd);
}
