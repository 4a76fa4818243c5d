// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the tray is taken to be when no tray icon reports its place.

#include "app/TrayRect.h"
#include "support/EnvironmentGuard.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

TEST(TrayRect, CornerOfTheAvailableAreaWhereTheDesktopKeepsItsTray)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EnvironmentGuard desktop("XDG_CURRENT_DESKTOP");
    const struct {
        const char* desktop;
        bool top;
    } cases[] = {{"KDE", false},  {"X-Cinnamon", false},  {"LXQt", false}, {"", false},
                 {"GNOME", true}, {"ubuntu:GNOME", true}, {"MATE", true},  {"XFCE", true}};
    for (const auto& c : cases) {
        desktop.Set(c.desktop);
        CRect rect;
        GetTrayWndRect(&rect);
        EXPECT_EQ(rect.Width(), 32) << c.desktop;
        EXPECT_EQ(rect.Height(), 32) << c.desktop;
        EXPECT_EQ(rect.right, area.x() + area.width()) << c.desktop;
        EXPECT_EQ(rect.top, c.top ? area.y() : area.y() + area.height() - 32) << c.desktop;
    }
    GetTrayWndRect(nullptr); // tolerated
}
