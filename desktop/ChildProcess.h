// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs a desktop's own tool (gsettings-like helpers, xfconf-query, swaymsg,
// pcmanfm) the way every back end must: the program found on PATH, the
// arguments as a vector (no shell ever sees a file name), no input, and a
// short time-out after which the child is killed, so the GUI thread that
// asked never waits for more than a moment.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ChildResult {
    bool started = false;  // the program was found and ran
    bool finished = false; // it ended by itself within the time-out
    int exitCode = -1;
    QByteArray output; // its standard output
    QByteArray errors; // its standard error

    bool Succeeded() const { return started && finished && exitCode == 0; }
    // "prog: not found", "prog: timed out", "prog: exit 2: <stderr>" for messages.
    QString Describe(const QString& program) const;
};

inline constexpr int kChildTimeoutMs = 2000;

// Whether program is an executable on PATH (as it is now).
bool HasProgram(const QString& program);

ChildResult RunProgram(const QString& program, const QStringList& arguments, int timeoutMs = kChildTimeoutMs);
