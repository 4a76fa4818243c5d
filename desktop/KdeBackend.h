// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// KDE Plasma: plasmashell runs a desktop script sent over the session bus
// (org.kde.PlasmaShell.evaluateScript) that switches every desktop to the
// image wallpaper plugin with our picture and fill mode. Plasma keeps one
// desktop (containment) per screen and makes a new one, with its own default
// picture, for a screen it has not seen: FollowMonitors gives the desktops
// made since the last change the picture.

#include "desktop/DesktopBackend.h"

#include <QList>

#include <optional>
#include <utility>

class KdeBackend final : public DesktopBackend {
public:
    // busAddress: the session bus to use; empty means the session's own
    // (DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus), looked up at each
    // call so a bus that appears later is found.
    explicit KdeBackend(QString busAddress = {}) : m_busAddress(std::move(busAddress)) {}

    QString Name() const override { return QStringLiteral("kde"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;
    bool FollowMonitors(const QString& absolutePath, WallpaperStyle style) override;

    // Plasma's FillMode (Qt Quick's Image.fillMode): 6 Pad (centre), 3 Tile,
    // 0 Stretch.
    static int FillMode(WallpaperStyle style);

    // text as a single-quoted JavaScript string literal that holds only
    // printable ASCII: quotes and backslashes are escaped, and every control
    // character, non-ASCII character and line or paragraph separator is
    // written as \uXXXX, so no file name can end the string or the script.
    static QString JsStringLiteral(const QString& text);

    // The whole desktop script for the picture and style, for every desktop
    // but those whose containment id is in skip. It prints the ids of all
    // desktops as "quilvane-desktops ID ID ...".
    static QString Script(const QString& absolutePath, WallpaperStyle style, const QList<int>& skip = {});

    // The desktop ids in the script's output; nullopt when it has none.
    static std::optional<QList<int>> DesktopIds(const QString& output);

private:
    // Runs the script in plasmashell; its output, or nullopt after saying
    // why it failed.
    std::optional<QString> RunScript(const QString& script);

    QString m_busAddress;
    // The desktops that got the picture last; empty before any.
    QList<int> m_desktopsShown;
};
