// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The one place that knows which desktops exist and how to recognise the
// running one. QUILVANE_DESKTOP=<name> forces a back end (for tests, and for
// sessions we misdetect); otherwise XDG_CURRENT_DESKTOP decides, a
// colon-separated list such as "ubuntu:GNOME" read part by part, case
// ignored, first known part winning; then the variables particular desktops
// set for their programs; then the session type: any other Wayland
// compositor gets swaybg ("wlroots"; drawing on XWayland's root window would
// show nothing), an X session gets our own root pixmap.

#include "desktop/DesktopBackend.h"

#include <QString>
#include <QStringList>

#include <memory>

class DesktopBackendFactory final {
public:
    // The process environment as far as choosing a back end goes.
    struct Environment {
        QString forced;         // QUILVANE_DESKTOP
        QString currentDesktop; // XDG_CURRENT_DESKTOP
        QString sessionType;    // XDG_SESSION_TYPE
        QString waylandDisplay; // WAYLAND_DISPLAY
        QString display;        // DISPLAY
        QString swaySocket;     // SWAYSOCK: sway is running
        QString kdeSession;     // KDE_FULL_SESSION
        QString gnomeSession;   // GNOME_DESKTOP_SESSION_ID
        QString mateSession;    // MATE_DESKTOP_SESSION_ID

        static Environment FromProcess();
    };

    struct Choice {
        QString name;   // a back end's Name(), or "none"
        QString reason; // why "none"
    };

    // The names QUILVANE_DESKTOP accepts.
    static QStringList KnownNames();

    static Choice Choose(const Environment& environment);
    static std::unique_ptr<DesktopBackend> Create(const Choice& choice);
    static std::unique_ptr<DesktopBackend> CreateForSession() { return Create(Choose(Environment::FromProcess())); }
};
