// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// sway: `swaymsg output * bg PATH MODE`. swaymsg joins its arguments into one
// command line, which sway splits again with its own quoting rules, replaces
// its $variables in, unescapes, and whose file name it finally runs through
// shell word expansion (wordexp, with command substitution). So the path goes
// to sway as "'PATH'": double quotes for sway's splitter, single quotes for
// the word expansion. A path with a character that one of those stages would
// still interpret (a quote, a backslash, '$', a control character, a run of
// spaces) is never sent at all: sway gets a symbolic link with a plain name in
// our private runtime folder that points at the picture instead.

#include "desktop/DesktopBackend.h"

class SwayBackend final : public DesktopBackend {
public:
    QString Name() const override { return QStringLiteral("sway"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;

    // Whether "'path'" reaches sway's file check as exactly path.
    static bool IsQuotable(const QString& path);
    // The quoted argument for a quotable path.
    static QString QuotedArgument(const QString& path);

    // The quotable path sway is given for absolutePath: itself when quotable,
    // otherwise a fresh link to it in the runtime folder (earlier links of
    // ours there are removed). Empty, with a warning, when no link could be
    // made.
    static QString PathForSway(const QString& absolutePath);
};
