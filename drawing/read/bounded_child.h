#pragma once
// A program the reading starts (ghostscript, Inkscape) runs under the reading's own bounds:
// its address space and processor time are limited, and it dies with the process that started
// it (killed, its terminal closed), so that no drawing leaves a program running on its own.

#include <QProcess>
#include <QString>
#include <QStringList>

void BoundChild(QProcess& process, qint64 maxMemoryBytes, int cpuSeconds);

// Where a confined program may reach: it writes only beneath `folder`, and reads only there,
// beneath `reads` and in the system's own folders (programs, libraries, fonts, settings).
struct ChildReach {
    QString folder;
    QStringList reads;
};

// As BoundChild, and held to `reach` by the kernel (Landlock) where the kernel offers it: a
// reference the sanitizer let through by mistake still can't open the user's files or devices,
// nor write anything outside the folder. False when the kernel can't confine it (the bounds
// still hold).
bool BoundConfinedChild(QProcess& process, qint64 maxMemoryBytes, int cpuSeconds,
                        const ChildReach& reach);
