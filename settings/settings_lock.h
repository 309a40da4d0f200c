#pragma once
// Saves of the main settings file take turns. The configuration window's save, a program that
// puts its completion status into the file as it stands on disk, and trzn-plot's status for a
// killed sender each read or write the whole file: a save that came between another's read
// and its write would be undone by that write. Every save of the main settings file holds this
// lock for its length, and a read that is to be written back holds it from the read on.

class SettingsLock {
public:
    // Waits until the lock (an flock on the product folder) is this process's. Without a
    // product folder there is nothing to wait for, and no save could succeed either.
    SettingsLock();
    ~SettingsLock();
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

private:
    int fd_ = -1;
};
