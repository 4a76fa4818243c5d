// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Programs that must outlive us (a background drawer that keeps showing the
// wallpaper after Quilvane quits) and what /proc says about a process, so
// that a process id we wrote down is only ever acted on while it still names
// the very process we started.

#include <QString>
#include <QStringList>

#include <sys/types.h>

// Starts program (an absolute path) with the arguments as they are (no shell)
// in a session of its own, not as our child, so it neither dies with our
// terminal nor waits on us; standard input and output go to /dev/null,
// standard error is appended to errorLog. Returns its process id, or -1 with
// the reason in error.
pid_t StartDetached(const QString& program, const QStringList& arguments, const QString& errorLog, QString& error);

// The fields of /proc/<pid>/stat we use.
struct ProcessStat {
    bool exists = false;
    char state = 0;        // 'R', 'S', ... 'Z' for a zombie
    quint64 startTime = 0; // clock ticks after boot: with the pid, names one process
    quint64 cpuTicks = 0;  // user and system time so far
    bool Running() const { return exists && state != 'Z' && state != 'X'; }
};
ProcessStat ReadProcessStat(pid_t pid);

// The process's argument vector (empty when it is gone or not readable).
QStringList ProcessCommandLine(pid_t pid);
