#include "drawing/read/child_reach.h"

#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>
#include <memory>

namespace {

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

std::shared_ptr<const ChildRuleset> ChildRuleset::Make(const ChildReach& reach) {
    return std::shared_ptr<const ChildRuleset>(new ChildRuleset(MakeRuleset(reach)));
}

ChildRuleset::~ChildRuleset() {
    if (_fd >= 0) ::close(_fd);
}

bool ChildRuleset::EnforceOnSelf() const {
    if (_fd < 0) return true;
    // No new privileges: what Landlock asks of an unprivileged process.
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           syscall(SYS_landlock_restrict_self, _fd, 0) == 0;
}
