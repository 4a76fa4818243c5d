// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's one way to report a problem that has no window to show it in
// (a desktop that refused the wallpaper, a settings file that could not be
// read or written). Written straight to standard error, where a user starting
// the program from a terminal, or a session log, sees it; not through
// qWarning, whose message handler or journald redirection could swallow it.

#include <QString>

// Writes "quilvane: <message>" and a line break to standard error.
void Warning(const QString& message);

// A file name or other outside text made safe for a terminal: control
// characters (escape sequences among them) and lone surrogates are shown as
// \xNN / \uNNNN escapes, a backslash as "\\"; everything else as it is.
QString Printable(const QString& text);
