// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Wayland compositors without a wallpaper interface of their own (labwc,
// river, Hyprland, wayfire, phoc and other wlroots-based ones): the picture
// is drawn by swaybg, a layer-shell background program, started for every
// output with the style's mode. It runs detached, so the wallpaper stays when
// we quit. A change starts a new swaybg, waits until it has started drawing,
// and only then ends the one we started before, so the desktop never shows a
// gap and instances never pile up. The instances we started are written down
// in $XDG_RUNTIME_DIR/quilvane/ (process id and start time), and a process is
// ended only while /proc still shows that very process running swaybg: a
// swaybg someone else started is never touched.

#include "desktop/DesktopBackend.h"

#include <QString>

class SwaybgBackend final : public DesktopBackend {
public:
    QString Name() const override { return QStringLiteral("wlroots"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;

    // The folder where our instances are written down; empty without a
    // runtime folder.
    static QString StateFolder();
};
