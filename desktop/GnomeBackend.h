// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// GNOME and the desktops that read its background settings (Unity, Budgie,
// Pantheon, GNOME Flashback): picture-uri, and picture-uri-dark where the
// installed schema has it (otherwise the dark style keeps showing the old
// picture), plus picture-options.

#include "desktop/DesktopBackend.h"

class GnomeBackend final : public DesktopBackend {
public:
    QString Name() const override { return QStringLiteral("gnome"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;
};
