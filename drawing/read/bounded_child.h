#pragma once
// A program started to read a drawing (trzn-plot's own reading process, ghostscript, Inkscape)
// runs under the reading's bounds, the same way for each: in a folder of its own that goes with
// it, as the leader of a process group of its own, with its address space, processor time, wall
// time and output held to limits, and dying with the process that started it (killed, its
// terminal closed). Whatever way the run ends, nothing of it is left: the group is killed, the
// folder removed. The callers only say what to run and what its end means.

#include <sys/types.h>

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "drawing/read/child_reach.h"

struct ChildBounds {
    int64_t seconds = 30;        // waited for this long (wall time), then the group is killed
    int64_t cpuSeconds = 0;      // its processor time (soft limit; 0: none set here)
    int64_t cpuHardSeconds = 0;  // the hard limit past which it is killed (0: cpuSeconds)
    qint64 memoryBytes = 0;      // its address space (0: none set here)
    QString watchedFile;         // a file it writes, killed once past maxFileBytes
    qint64 maxFileBytes = 0;
    bool keepsOutput = false;         // what it says (standard output and error) kept, bounded
    std::optional<ChildReach> reach;  // confined to it by the kernel where the kernel allows
    // Its environment; by default the caller's, with TMPDIR the run's folder (scratch files
    // of a killed program go with the folder).
    std::optional<QProcessEnvironment> environment;
    QString workingDirectory;  // empty: the caller's
    // Told the group while it runs and 0 after, for a signal handler that must end it too.
    std::function<void(pid_t)> groupStarted;
};

struct ChildEnd {
    enum class How { NotStarted, Exited, Crashed, TimedOut, FileTooLarge };
    How how = How::NotStarted;
    int value = 0;       // the exit status, or the signal that ended it
    QString startError;  // why it could not be started
    bool ok() const { return how == How::Exited && value == 0; }
};

class BoundedChild {
public:
    // The run's folder: `folder` when given (the caller's, kept), else one made in the
    // temporary folder and removed with this object.
    explicit BoundedChild(const QString& folder = {});
    ~BoundedChild();
    BoundedChild(const BoundedChild&) = delete;
    BoundedChild& operator=(const BoundedChild&) = delete;

    bool hasFolder() const { return !_folder.isEmpty(); }
    const QString& folder() const { return _folder; }
    QString file(const QString& name) const { return _folder + u'/' + name; }
    // Writes `bytes` as `name` in the folder, for the program to read; false when it can't.
    bool Give(const QString& name, const QByteArray& bytes, QString* error = nullptr) const;

    // Runs `program` and waits for it within `bounds`. May run once.
    ChildEnd Run(const QString& program, const QStringList& arguments, const ChildBounds& bounds);

    // What it said, when kept: its first and its last bytes (a program that talks forever
    // fills no memory).
    const QByteArray& saidFirst() const { return _head; }
    const QByteArray& saidLast() const { return _tail; }

private:
    void Keep(const QByteArray& said);

    std::unique_ptr<QTemporaryDir> _own;
    QString _folder;
    pid_t _group = 0;
    QByteArray _head;
    QByteArray _tail;
};
