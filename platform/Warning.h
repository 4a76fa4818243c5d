// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's one way to report a problem that has no window to show it in
// (a desktop that refused the wallpaper, a settings file that could not be
// read or written). Written straight to standard error, where a user starting
// the program from a terminal, or a session log, sees it; not through
// qWarning, whose message handler or journald redirection could swallow it.

#include <QString>

#include <QStringList>

// Writes "quilvane: <message>" and a line break to standard error, or hands
// the message to the current thread's WarningCapture when there is one.
void Warning(const QString& message);

// While one lives, the Warning messages of its thread are collected instead
// of written: work done on a worker thread for a window says its problems on
// the window's thread, in order, when its result arrives there.
class WarningCapture {
public:
    WarningCapture();
    ~WarningCapture();
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;

    // The messages so far, forgotten here.
    QStringList Take();

private:
    friend void Warning(const QString& message);
    QStringList m_messages;
    WarningCapture* m_outer;
};

// Writes each message as Warning does.
void WarnAll(const QStringList& messages);

// A file name or other outside text made safe for a terminal: control
// characters (escape sequences among them) and lone surrogates are shown as
// \xNN / \uNNNN escapes, a backslash as "\\"; everything else as it is.
QString Printable(const QString& text);
