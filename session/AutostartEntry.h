// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The login entry that runs `quilvane --restore`: an XDG autostart file in
// $XDG_CONFIG_HOME/autostart/. Desktops that follow XDG autostart (GNOME,
// KDE Plasma, Xfce, MATE, Cinnamon, LXQt, LXDE) start it at login; sway and
// the other wlroots compositors do not, and get one line in their own
// configuration instead (README).

#include <QByteArray>
#include <QString>

// Where the entry lives.
QString AutostartEntryPath();

// Whether the entry is there.
bool AutostartEnabled();

// Writes (atomically) or removes the entry; false with *error on failure.
bool SetAutostart(bool on, QString* error = nullptr);

// The entry's text for a program: "quilvane" when that is what PATH finds,
// else the absolute path, quoted as desktop entries quote.
QByteArray AutostartEntryText(const QString& program);

// How the entry names this program (see AutostartEntryText).
QString AutostartProgram();
