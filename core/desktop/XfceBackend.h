#pragma once

// Xfce: xfdesktop follows the xfconf channel xfce4-desktop, where every
// monitor and workspace has a /backdrop/.../last-image and image-style.
// Every last-image there is set, so the picture shows whichever workspace or
// monitor is current; when the channel has none yet (xfdesktop never ran with
// a picture) they are created for the connected monitors' first workspace.

#include "core/desktop/DesktopBackend.h"

#include <QStringList>

#include <functional>
#include <utility>

class XfceBackend final : public DesktopBackend {
public:
    // The names of the connected monitors (RandR output names such as
    // "HDMI-1"); by default those of the screens Qt knows.
    using MonitorNames = std::function<QStringList()>;
    explicit XfceBackend(MonitorNames monitors = {}) : m_monitors(std::move(monitors)) {}

    QString Name() const override { return QStringLiteral("xfce"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;

    // image-style: 1 centred, 2 tiled, 3 stretched.
    static int ImageStyle(WallpaperStyle style);

private:
    QStringList Monitors() const;

    MonitorNames m_monitors;
};
