// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What `quilvane ...` asks for. No arguments (or only Qt's own, such as
// -style or -platform, which stay the window's) start the window as always;
// everything else is one command.

#include <QByteArrayList>
#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Action {
        Window,       // no command: the window
        Help,         // --help: print, exit 0
        Version,      // --version: print, exit 0
        Set,          // --set PATH [--mode M]
        Play,         // --play LIST [--every D] [--random] [--mode M]
        Next,         // --next
        Stop,         // --stop
        Restore,      // --restore
        ListDesktops, // --list-desktops
        Autostart,    // --autostart on|off
        Usage,        // a mistake: usage on standard error, exit 2
    };

    // The period of a show started without --every, as the page starts it.
    static constexpr int kDefaultPeriodMs = 5000;

    Action action = Action::Window;
    // --set's picture or --play's list, the bytes given kept as EntryText
    // (core/SlideListFile.h) keeps them.
    QString path;
    int style = 0; // --mode: 0 centre, 1 tile, 2 stretch
    int periodMs = kDefaultPeriodMs;
    bool random = false;
    QString desktop; // --desktop, empty when not given
    bool autostartOn = false;
    // Said on standard error; the command runs all the same (--every 0).
    QStringList warnings;
    // For Action::Usage: what was wrong.
    QString error;
};

// arguments[0] is the program, as in argv.
CommandLine ParseCommandLine(const QByteArrayList& arguments);

// The --every value in milliseconds: 90, 90s, 5m or 1h, at least one second
// (the page's floor) and at most the longest period a timer takes. A value
// that is not a duration, zero or negative gets the floor, a larger one the
// longest period, each with a warning in *warning.
int ParseDuration(const QString& text, QString* warning);

// The --help text, and the short usage shown after a mistake.
QString CommandLineHelp();
QString CommandLineUsage();
