// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The wallpaper keys of the GSettings-based desktops (GNOME and its family,
// Cinnamon, MATE), written through GIO. GIO aborts the whole process when
// asked for a schema or key that is not installed, so everything is looked up
// in the schema source first and a missing piece is reported instead.

#include "desktop/WallpaperStyle.h"

#include <QByteArray>
#include <QString>

struct _GSettingsBackend; // GIO's GSettingsBackend

class GSettingsWallpaper final {
public:
    struct Keys {
        const char* schema = nullptr;
        // Keys that take a file:// URI; the dark one is optional (GNOME 42+).
        const char* uriKey = nullptr;
        const char* darkUriKey = nullptr;
        // A key that takes a plain path instead (MATE).
        const char* pathKey = nullptr;
        const char* optionsKey = "picture-options";
    };

    // Writes the keys and waits until the settings back end has them.
    // settingsBackend: GIO's settings store to write to; null means the
    // default one. A store the desktop never reads (memory, or GIO's own key
    // file, what GIO falls back to when it cannot load its dconf module) is a
    // failure, and nothing is written; a key file named in GSETTINGS_BACKEND
    // is used.
    static bool Apply(const Keys& keys, const QString& absolutePath, WallpaperStyle style,
                      _GSettingsBackend* settingsBackend = nullptr);

    // A file:// URI with every byte that is not safe in a URI percent-encoded,
    // as GIO itself builds them, so GIO turns it back into the same file name.
    static QString FileUri(const QString& absolutePath);

    // "centered", "wallpaper" or "stretched".
    static const char* OptionsValue(WallpaperStyle style);
};
