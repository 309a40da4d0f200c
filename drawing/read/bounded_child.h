#pragma once
// A program the reading starts (ghostscript, Inkscape) runs under the reading's own bounds:
// its address space and processor time are limited, and it dies with the process that started
// it (killed, its terminal closed), so that no drawing leaves a program running on its own.

#include <QProcess>

void BoundChild(QProcess& process, qint64 maxMemoryBytes, int cpuSeconds);
