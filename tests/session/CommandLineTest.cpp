// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line as a table: what each argument vector asks for, the
// mistakes that end in usage (exit 2, nothing started) and Qt's own options
// left to Qt.

#include "session/CommandLine.h"
#include "core/SlideListFile.h"

#include <QByteArrayList>
#include <gtest/gtest.h>

#include <climits>

namespace {

using A = CommandLine::Action;

struct Case {
    QByteArrayList args; // after the program's name
    A action;
    QString path = {};
    int style = 0;
    int periodMs = CommandLine::kDefaultPeriodMs;
    bool random = false;
    int warnings = 0;
};

CommandLine Parse(const QByteArrayList& args)
{
    return ParseCommandLine(QByteArrayList{"quilvane"} + args);
}

} // namespace

TEST(CommandLine, WhatEachLineAsksFor)
{
    const Case cases[] = {
        {{}, A::Window},
        // Qt's own options stay the window's, with or without their value.
        {{"-style", "fusion"}, A::Window},
        {{"--style", "fusion"}, A::Window},
        {{"-style=fusion", "-reverse", "-platform", "offscreen", "-display", ":3"}, A::Window},
        {{"-qwindowgeometry", "100x100+5+5", "-session", "x", "-widgetcount"}, A::Window},
        {{"--desktop", "x11"}, A::Window},
        {{"--help"}, A::Help},
        {{"-h"}, A::Help},
        {{"--set", "a.jpg", "--help"}, A::Help},
        {{"--version"}, A::Version},
        {{"-v"}, A::Version},
        {{"--set", "a.jpg"}, A::Set, "a.jpg"},
        {{"--set=a.jpg", "--mode", "stretch"}, A::Set, "a.jpg", 2},
        {{"--mode", "tile", "--set", "my photo.jpg"}, A::Set, "my photo.jpg", 1},
        {{"--set", "line\nbreak.png", "--mode=center"}, A::Set, "line\nbreak.png", 0},
        {{"--set", "-dash.jpg"}, A::Set, "-dash.jpg"},
        {{"--set", "a.jpg", "-platform", "xcb"}, A::Set, "a.jpg"},
        {{"--play", "l.lsl"}, A::Play, "l.lsl"},
        {{"--play", "l.lsl", "--every", "90"}, A::Play, "l.lsl", 0, 90000},
        {{"--play", "l.lsl", "--every", "90s"}, A::Play, "l.lsl", 0, 90000},
        {{"--play", "l.lsl", "--every", "5m", "--random"}, A::Play, "l.lsl", 0, 300000, true},
        {{"--play", "l.lsl", "--every=1h", "--mode", "tile"}, A::Play, "l.lsl", 1, 3600000},
        {{"--play", "l.lsl", "--every", " 2 "}, A::Play, "l.lsl", 0, 2000},
        // The page's floor of one second, and the longest period, each said.
        {{"--play", "l.lsl", "--every", "0"}, A::Play, "l.lsl", 0, 1000, false, 1},
        {{"--play", "l.lsl", "--every", "-5"}, A::Play, "l.lsl", 0, 1000, false, 1},
        {{"--play", "l.lsl", "--every", "soon"}, A::Play, "l.lsl", 0, 1000, false, 1},
        {{"--play", "l.lsl", "--every", "1.5"}, A::Play, "l.lsl", 0, 1000, false, 1},
        {{"--play", "l.lsl", "--every", "99999999999999999999999h"}, A::Play, "l.lsl", 0, INT_MAX, false, 1},
        {{"--play", "l.lsl", "--every", "2147484"}, A::Play, "l.lsl", 0, INT_MAX, false, 1},
        {{"--play", "l.lsl", "--every", "2147483"}, A::Play, "l.lsl", 0, 2147483000},
        {{"--next"}, A::Next},
        {{"--stop"}, A::Stop},
        {{"--restore"}, A::Restore},
        {{"--restore", "--desktop", "wlroots"}, A::Restore},
        {{"--list-desktops"}, A::ListDesktops},
        {{"--autostart", "on"}, A::Autostart},
        {{"--autostart", "off"}, A::Autostart},
        // Mistakes: usage, exit 2.
        {{"--bogus"}, A::Usage},
        {{"-bogus"}, A::Usage},
        {{"--set"}, A::Usage},
        {{"--set", ""}, A::Usage},
        {{"--play"}, A::Usage},
        {{"--every", "5"}, A::Usage},
        {{"--random"}, A::Usage},
        {{"--mode", "tile"}, A::Usage},
        {{"--set", "a.jpg", "--mode"}, A::Usage},
        {{"--set", "a.jpg", "--mode", "fill"}, A::Usage},
        {{"--set", "a.jpg", "--every", "5"}, A::Usage},
        {{"--set", "a.jpg", "--play", "l.lsl"}, A::Usage},
        {{"--next", "--stop"}, A::Usage},
        {{"--restore", "--mode", "tile"}, A::Usage},
        {{"--autostart"}, A::Usage},
        {{"--autostart", "yes"}, A::Usage},
        {{"--desktop", "amiga"}, A::Usage},
        {{"--desktop"}, A::Usage},
        {{"photo.jpg"}, A::Usage},
        {{"-style"}, A::Usage},
    };
    for (const Case& c : cases) {
        const CommandLine line = Parse(c.args);
        const std::string shown = c.args.join(' ').toStdString();
        EXPECT_EQ(line.action, c.action) << shown << ": " << line.error.toStdString();
        if (c.action == A::Usage) {
            EXPECT_FALSE(line.error.isEmpty()) << shown;
            continue;
        }
        EXPECT_EQ(line.path, c.path) << shown;
        EXPECT_EQ(line.style, c.style) << shown;
        EXPECT_EQ(line.periodMs, c.periodMs) << shown;
        EXPECT_EQ(line.random, c.random) << shown;
        EXPECT_EQ(line.warnings.size(), c.warnings) << shown << ": " << line.warnings.join('|').toStdString();
    }
}

TEST(CommandLine, PathBytesThatAreNotUtf8AreKept)
{
    const QByteArray raw("/photos/\xff\xfe caf\xe9.jpg");
    const CommandLine line = Parse({"--set", raw});
    ASSERT_EQ(line.action, A::Set);
    // The bytes come back as they were given, for messages and records.
    EXPECT_EQ(EntryBytes(line.path), raw);
    EXPECT_NE(line.path, QString::fromUtf8(raw)) << "no replacement characters";
}
