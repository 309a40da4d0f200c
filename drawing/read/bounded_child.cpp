#include "drawing/read/bounded_child.h"

#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <memory>

namespace {

void Bound(rlim_t memory, rlim_t cpu) {
    const rlimit as{memory, memory};
    setrlimit(RLIMIT_AS, &as);
    const rlimit time{cpu, cpu};
    setrlimit(RLIMIT_CPU, &time);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

// The system's folders a program needs to run and draw text: what it is made of and set by.
const char* const kSystemReads[] = {"/usr",  "/lib", "/lib64", "/lib32",   "/bin",
                                    "/sbin", "/etc", "/opt",   "/var/lib", "/var/cache",
                                    "/proc", "/sys", "/snap",  "/nix"};
// Devices it may open: none that talks to hardware.
const char* const kDevices[] = {"/dev/null", "/dev/zero", "/dev/urandom", "/dev/random"};

constexpr uint64_t kReadRights =
    LANDLOCK_ACCESS_FS_EXECUTE | LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR;
// Opening /dev/null for writing truncates it (TRUNCATE, from version 3 on).
constexpr uint64_t kFileRights = LANDLOCK_ACCESS_FS_EXECUTE | LANDLOCK_ACCESS_FS_READ_FILE |
                                 LANDLOCK_ACCESS_FS_WRITE_FILE | (1ULL << 14);

// Each right the kernel's Landlock knows, by its version.
uint64_t HandledRights(long abi) {
    uint64_t rights = kReadRights | LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_REMOVE_DIR |
                      LANDLOCK_ACCESS_FS_REMOVE_FILE | LANDLOCK_ACCESS_FS_MAKE_CHAR |
                      LANDLOCK_ACCESS_FS_MAKE_DIR | LANDLOCK_ACCESS_FS_MAKE_REG |
                      LANDLOCK_ACCESS_FS_MAKE_SOCK | LANDLOCK_ACCESS_FS_MAKE_FIFO |
                      LANDLOCK_ACCESS_FS_MAKE_BLOCK | LANDLOCK_ACCESS_FS_MAKE_SYM;
    if (abi >= 2) rights |= 1ULL << 13;  // REFER
    if (abi >= 3) rights |= 1ULL << 14;  // TRUNCATE
    return rights;
}

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

bool Allow(int ruleset, const QByteArray& path, uint64_t rights, uint64_t handled) {
    Fd parent{::open(path.constData(), O_PATH | O_CLOEXEC)};
    if (parent.fd < 0) return true;  // not on this system: nothing to allow
    landlock_path_beneath_attr rule{};
    rule.allowed_access = rights & handled;
    rule.parent_fd = parent.fd;
    return syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &rule, 0) == 0;
}

// A ruleset of `reach`, made before the program starts (the child only enforces it); -1 when
// the kernel has no Landlock.
int MakeRuleset(const ChildReach& reach) {
    const long abi =
        syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    if (abi < 1) return -1;
    landlock_ruleset_attr attr{};
    attr.handled_access_fs = HandledRights(abi);
    const int ruleset =
        static_cast<int>(syscall(SYS_landlock_create_ruleset, &attr, sizeof attr, 0));
    if (ruleset < 0) return -1;
    bool ok =
        Allow(ruleset, reach.folder.toLocal8Bit(), attr.handled_access_fs, attr.handled_access_fs);
    for (const char* path : kSystemReads)
        ok = ok && Allow(ruleset, path, kReadRights, attr.handled_access_fs);
    for (const QString& path : reach.reads)
        ok = ok && Allow(ruleset, path.toLocal8Bit(), kReadRights, attr.handled_access_fs);
    for (const char* path : kDevices)
        ok = ok && Allow(ruleset, path, kFileRights, attr.handled_access_fs);
    if (!ok) {
        ::close(ruleset);
        return -1;
    }
    return ruleset;
}

}  // namespace

void BoundChild(QProcess& process, qint64 maxMemoryBytes, int cpuSeconds) {
    const rlim_t memory = static_cast<rlim_t>(maxMemoryBytes);
    const rlim_t cpu = static_cast<rlim_t>(cpuSeconds);
    process.setChildProcessModifier([memory, cpu]() { Bound(memory, cpu); });
}

bool BoundConfinedChild(QProcess& process, qint64 maxMemoryBytes, int cpuSeconds,
                        const ChildReach& reach) {
    const rlim_t memory = static_cast<rlim_t>(maxMemoryBytes);
    const rlim_t cpu = static_cast<rlim_t>(cpuSeconds);
    // Shared with the modifier, which QProcess keeps until it starts the program again; the
    // ruleset closes with the last copy.
    const auto ruleset = std::shared_ptr<Fd>(new Fd{MakeRuleset(reach)});
    process.setChildProcessModifier([memory, cpu, ruleset]() {
        Bound(memory, cpu);
        if (ruleset->fd < 0) return;
        // No new privileges: what Landlock asks of an unprivileged process.
        if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
            syscall(SYS_landlock_restrict_self, ruleset->fd, 0) != 0)
            _exit(127);  // never run it unconfined when it was to be confined
    });
    return ruleset->fd >= 0;
}
