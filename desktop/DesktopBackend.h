// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One way of putting a picture on the desktop of the running session. The
// wallpaper manager picks one per session (DesktopBackendFactory) and hands it
// only absolute paths of files it has checked are pictures, unless the back
// end decodes the picture itself and so does its own checking.

#include "desktop/WallpaperStyle.h"

#include <QString>

class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;

    // The name QUILVANE_DESKTOP uses for this back end ("gnome", "x11", ...).
    virtual QString Name() const = 0;

    // Shows the picture in the style. Returns false, after saying why on
    // standard error, when the desktop could not be changed; in that case it
    // has been left as it was.
    virtual bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) = 0;

    // True when SetWallpaper decodes the picture and refuses a bad one on its
    // own, so the caller need not decode it a second time to check it.
    virtual bool DecodesPicture() const { return false; }

    // The monitors changed (one came, or one's size did) since SetWallpaper
    // showed the picture, while the program kept running. Most desktops
    // draw their one picture on every monitor by themselves and need
    // nothing. A desktop that keeps a picture per monitor gives a new one its
    // own default, and a picture drawn for each monitor's size no longer
    // fits: those back ends put the picture on what lacks it, leaving alone
    // whatever somebody else has set since. Returns false, after saying why,
    // when a monitor could not be given the picture.
    virtual bool FollowMonitors(const QString& absolutePath, WallpaperStyle style)
    {
        (void)absolutePath;
        (void)style;
        return true;
    }
};
