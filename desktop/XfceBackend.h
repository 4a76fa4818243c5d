// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Xfce: xfdesktop follows the xfconf channel xfce4-desktop, where every
// monitor and workspace has a /backdrop/.../last-image and image-style.
// Every last-image there is set, so the picture shows whichever workspace or
// monitor is current, and the connected monitors' first workspace always
// (created when the channel has none for them). All or nothing: when a
// setting cannot be written, those already written are put back.

#include "desktop/DesktopBackend.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class XfceBackend final : public DesktopBackend {
public:
    // The names of the connected monitors (RandR output names such as
    // "HDMI-1"); by default those of the screens Qt knows.
    using MonitorNames = std::function<QStringList()>;
    explicit XfceBackend(MonitorNames monitors = {}) : m_monitors(std::move(monitors)) {}

    QString Name() const override { return QStringLiteral("xfce"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;
    // The monitors connected now that were not at the last SetWallpaper get
    // the picture (every workspace of theirs in the channel, and the first);
    // the others keep whatever they show.
    bool FollowMonitors(const QString& absolutePath, WallpaperStyle style) override;

    // image-style: 1 centred, 2 tiled, 3 stretched.
    static int ImageStyle(WallpaperStyle style);

private:
    QStringList Monitors() const;
    // The last-image properties to set: those in xfconf-query's listing
    // (only the monitors' own when onlyThese) plus the first workspace's of
    // each of the monitors.
    static QStringList Backdrops(const QByteArray& listing, const QStringList& monitors, bool onlyThese);
    // Sets the properties in the channel for the monitors, all or nothing.
    bool SetBackdrops(const QStringList& monitors, bool onlyThese, const QString& absolutePath, WallpaperStyle style);

    MonitorNames m_monitors;
    // The monitors connected when the picture was last set; nullopt before.
    std::optional<QStringList> m_monitorsShown;
};
