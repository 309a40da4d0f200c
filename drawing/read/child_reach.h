#pragma once
// Where a confined program may reach: it writes only beneath `folder`, and reads only there,
// beneath `reads` and in the system's own folders (programs, libraries, fonts, settings). The
// kernel holds it there (Landlock) where the kernel offers it: a reference the sanitizer let
// through by mistake still can't open the user's files or devices, nor write anything outside
// the folder.

#include <QString>
#include <QStringList>
#include <memory>

struct ChildReach {
    QString folder;
    QStringList reads;
};

// The kernel's rules for a reach, made before the program starts: the child only enforces them
// (between fork and exec nothing may allocate).
class ChildRuleset {
public:
    static std::shared_ptr<const ChildRuleset> Make(const ChildReach& reach);
    ~ChildRuleset();
    ChildRuleset(const ChildRuleset&) = delete;
    ChildRuleset& operator=(const ChildRuleset&) = delete;

    // False when the kernel can't confine (no Landlock): the other bounds still hold.
    bool confines() const { return _fd >= 0; }
    // In the child: false when the rules could not be put on it, which must then not run.
    bool EnforceOnSelf() const;

private:
    explicit ChildRuleset(int fd) : _fd(fd) {}
    int _fd;
};
