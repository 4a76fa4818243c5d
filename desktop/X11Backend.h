// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Any other X session: we draw the wallpaper ourselves. The picture is
// rendered for each monitor's rectangle (RandR monitors; the whole root
// window without them) by RenderWallpaper, put into a root-sized pixmap
// that becomes the root window's background, and announced in the root
// properties _XROOTPMAP_ID and ESETROOT_PMAP_ID, which terminals with
// pseudo-transparency and other setters read. The pixmap must outlive our
// short connection, so that client's resources are retained permanently; the
// previous setter's pixmap is freed the customary way, by killing its retained
// client when both properties name it.

#include "desktop/DesktopBackend.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <functional>
#include <utility>

class X11Backend final : public DesktopBackend {
public:
    // displayName: the X display to use; empty means $DISPLAY.
    explicit X11Backend(QByteArray displayName = {}) : m_displayName(std::move(displayName)) {}

    QString Name() const override { return QStringLiteral("x11"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;
    bool DecodesPicture() const override { return true; }
    // Draws the picture again for the new monitors' sizes, unless the root
    // window shows somebody else's background by now.
    bool FollowMonitors(const QString& absolutePath, WallpaperStyle style) override;

    // Connects, asks render for the image to show on a screen of the given
    // size, once for each size among the monitors, and makes the monitors'
    // images the root background. A null image leaves the desktop as it is. SetWallpaper is this with the picture
    // loader and RenderWallpaper; other ways of producing the image (a benchmark's naive full-size decode) go through
    // the same path.
    using Renderer = std::function<QImage(QSize screenSize)>;
    bool SetRootImage(const Renderer& render);

private:
    QByteArray m_displayName;
    // The background pixmap we left on the root window last; 0 for none.
    uint32_t m_pixmap = 0;
};
