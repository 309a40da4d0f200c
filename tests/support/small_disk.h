#pragma once
// A real filesystem that runs out of space: a small tmpfs mounted on a folder for one test.
// Mounting needs root (CI runs as root); where it is refused, mounted() is false and the test
// skips rather than pretend with a mock.

#include <string>

class SmallDisk {
public:
    // Mounts a tmpfs of `bytes` on folder (created when missing).
    SmallDisk(const std::string& folder, long bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    // Takes every free byte with a filler file, so the next write fails with ENOSPC.
    void Fill();

private:
    std::string folder_;
    bool mounted_ = false;
};
