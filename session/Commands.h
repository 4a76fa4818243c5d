// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The commands of the command line, run without a window: on the window-free
// layers under a QGuiApplication (a QCoreApplication where no picture is
// drawn), never a widget.

#include "core/RegConfig.h"
#include "session/CommandLine.h"
#include "session/SessionInstance.h"

#include <optional>

// Runs every action but Window; creates the application object it needs
// from argc/argv. Returns the exit code: 0 done, 1 failed (the reason on
// standard error), 2 a usage mistake.
int RunCommand(const CommandLine& line, int& argc, char** argv);

// A show as the session's owner receives it (a "play" request), and back.
SessionInstance::Request PlayRequest(const SlideShowRecord& show);
std::optional<SlideShowRecord> ShowOfRequest(const SessionInstance::Request& request);

// The answer to --next or --stop when no show runs.
QString NoSlideShowText();

// Sets QUILVANE_DESKTOP from --desktop (nothing when it was not given).
void ApplyDesktopChoice(const CommandLine& line);

// Before a QGuiApplication of a command exists, unless a platform was asked
// for: the session's platform, falling back to the offscreen one, so that a
// command can still do its work or say what is wrong instead of Qt aborting.
void ChooseCommandPlatform(int argc, char** argv);
