#include "drawing/read/bounded_child.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <csignal>

namespace {

// What is kept of what a program says: the first bytes hold a fault's own account (ghostscript
// says "Error:" there), the last ones the line it ended with.
constexpr qsizetype kKeptFirst = 64 * 1024;
constexpr qsizetype kKeptLast = 4096;

// A program that does not start within this is taken as not startable.
constexpr int kStartMillis = 10'000;
// How often a running program's clock and output are looked at.
constexpr int kPollMillis = 50;
// A killed group is waited for this long: SIGKILL can't be caught, but a process in the middle
// of a disk write ends only when the write does.
constexpr int kKilledMillis = 5'000;
// The exit of a program whose starter died before the program could know it.
constexpr int kOrphanExit = 127;

// The limits as the child sets them on itself: plain numbers, nothing that allocates.
struct Limits {
    pid_t parent;
    rlim_t cpu;
    rlim_t cpuHard;
    rlim_t memory;
};

// In the child, between fork and exec: only calls that are safe there.
void EnterBounds(const Limits& limits, const ChildRuleset* rules) {
    // A group of its own, so that whatever it starts ends with it.
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != limits.parent) _exit(kOrphanExit);  // its starter died before the line above
    if (limits.cpu > 0) {
        const rlimit cpu{limits.cpu, limits.cpuHard};
        setrlimit(RLIMIT_CPU, &cpu);
    }
    if (limits.memory > 0) {
        const rlimit space{limits.memory, limits.memory};
        setrlimit(RLIMIT_AS, &space);
    }
    // A core of gigabytes would take longer to write than the reading it records.
    const rlimit core{0, 0};
    setrlimit(RLIMIT_CORE, &core);
    if (rules && !rules->EnforceOnSelf()) _exit(kOrphanExit);  // never unconfined when it was to be
}

Limits LimitsOf(const ChildBounds& bounds) {
    const auto cpu = static_cast<rlim_t>(bounds.cpuSeconds);
    const int64_t hard = bounds.cpuHardSeconds > 0 ? bounds.cpuHardSeconds : bounds.cpuSeconds;
    return {getpid(), cpu, static_cast<rlim_t>(hard), static_cast<rlim_t>(bounds.memoryBytes)};
}

}  // namespace

BoundedChild::BoundedChild(const QString& folder) : _folder(folder) {
    if (!_folder.isEmpty()) return;
    _own = std::make_unique<QTemporaryDir>();
    if (_own->isValid()) _folder = _own->path();
}

BoundedChild::~BoundedChild() {
    // Only reached with a group still running when Run was left by an exception.
    if (_group > 0) killpg(_group, SIGKILL);
}

bool BoundedChild::Give(const QString& name, const QByteArray& bytes, QString* error) const {
    QFile copy(file(name));
    if (copy.open(QIODevice::WriteOnly) && copy.write(bytes) == bytes.size() && copy.flush())
        return true;
    if (error) *error = copy.errorString();
    return false;
}

void BoundedChild::Keep(const QByteArray& said) {
    _head += said.left(kKeptFirst - _head.size());
    _tail = (_tail + said).right(kKeptLast);
}

ChildEnd BoundedChild::Run(const QString& program, const QStringList& arguments,
                           const ChildBounds& bounds) {
    ChildEnd end;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (bounds.keepsOutput) {
        process.setProcessChannelMode(QProcess::MergedChannels);
    } else {
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
    }
    if (!bounds.workingDirectory.isEmpty()) process.setWorkingDirectory(bounds.workingDirectory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!_folder.isEmpty()) environment.insert(QStringLiteral("TMPDIR"), _folder);
    process.setProcessEnvironment(bounds.environment.value_or(environment));
    const std::shared_ptr<const ChildRuleset> rules =
        bounds.reach ? ChildRuleset::Make(*bounds.reach) : nullptr;
    const Limits limits = LimitsOf(bounds);
    process.setChildProcessModifier([limits, rules] { EnterBounds(limits, rules.get()); });
    process.start();
    if (!process.waitForStarted(kStartMillis)) {
        end.startError = process.errorString();
        return end;
    }
    _group = static_cast<pid_t>(process.processId());
    if (bounds.groupStarted) bounds.groupStarted(_group);
    QElapsedTimer clock;
    clock.start();
    std::optional<ChildEnd::How> stopped;
    while (!stopped && process.state() != QProcess::NotRunning &&
           !process.waitForFinished(kPollMillis)) {
        if (bounds.keepsOutput) Keep(process.readAllStandardOutput());
        if (clock.elapsed() > bounds.seconds * 1000)
            stopped = ChildEnd::How::TimedOut;
        else if (!bounds.watchedFile.isEmpty() &&
                 QFileInfo(bounds.watchedFile).size() > bounds.maxFileBytes)
            stopped = ChildEnd::How::FileTooLarge;
    }
    // Its group goes with it, on every way out: a program it started and left behind too. (A
    // group of 0 would be this process's own.)
    if (_group > 0) killpg(_group, SIGKILL);
    if (stopped) process.waitForFinished(kKilledMillis);
    if (bounds.keepsOutput) Keep(process.readAllStandardOutput());
    if (bounds.groupStarted) bounds.groupStarted(0);
    _group = 0;
    if (stopped) {
        end.how = *stopped;
        return end;
    }
    end.how = process.exitStatus() == QProcess::CrashExit ? ChildEnd::How::Crashed
                                                          : ChildEnd::How::Exited;
    end.value = process.exitCode();
    return end;
}
