// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TrayRect.h"

#include "widgets/TrayIcon.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr int kTraySize = 32;

// Desktops whose status icons live in a panel along the top of the screen
// (their default layout); the others keep the tray at the bottom right.
bool TrayAtTop()
{
    static constexpr const char* kTopPanelDesktops[] = {
        "gnome", "gnome-classic", "gnome-flashback", "unity", "pantheon", "budgie", "mate", "xfce"};
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    for (const QString& part : desktop.split(u':', Qt::SkipEmptyParts)) {
        const QString p = part.trimmed().toLower();
        for (const char* top : kTopPanelDesktops) {
            if (p == QLatin1String(top))
                return true;
        }
    }
    return false;
}

} // namespace

void GetTrayWndRect(CRect* rect)
{
    if (!rect)
        return;
    const QRect icon = TrayIconGeometry();
    if (!icon.isEmpty()) {
        *rect = FromQRect(icon);
        return;
    }
    // The available area leaves out the panels themselves, so the square sits
    // just inside the panel that holds the tray, on the screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int left = area.x() + area.width() - kTraySize;
    const int top = TrayAtTop() ? area.y() : area.y() + area.height() - kTraySize;
    *rect = CRect(left, top, left + kTraySize, top + kTraySize);
}
