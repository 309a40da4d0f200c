#include "drawing/read/bounded_child.h"

#include <sys/prctl.h>
#include <sys/resource.h>

#include <csignal>

void BoundChild(QProcess& process, qint64 maxMemoryBytes, int cpuSeconds) {
    const rlim_t memory = static_cast<rlim_t>(maxMemoryBytes);
    const rlim_t cpu = static_cast<rlim_t>(cpuSeconds);
    process.setChildProcessModifier([memory, cpu]() {
        const rlimit as{memory, memory};
        setrlimit(RLIMIT_AS, &as);
        const rlimit time{cpu, cpu};
        setrlimit(RLIMIT_CPU, &time);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
}
