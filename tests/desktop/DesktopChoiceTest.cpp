// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which back end a session gets, from its environment.

#include "desktop/DesktopBackendFactory.h"
#include "desktop/UnavailableBackend.h"
#include "support/EnvironmentGuard.h"
#include "support/StderrCapture.h"

#include <gtest/gtest.h>

namespace {

using Environment = DesktopBackendFactory::Environment;

Environment Session(const char* currentDesktop, const char* sessionType, const char* wayland, const char* display)
{
    Environment e;
    e.currentDesktop = QString::fromUtf8(currentDesktop);
    e.sessionType = QString::fromUtf8(sessionType);
    e.waylandDisplay = QString::fromUtf8(wayland);
    e.display = QString::fromUtf8(display);
    return e;
}

} // namespace

TEST(DesktopChoice, FromTheSessionsDesktopList)
{
    struct Row {
        const char* currentDesktop;
        const char* sessionType;
        const char* wayland;
        const char* display;
        const char* expected;
    };
    const Row rows[] = {
        {"GNOME", "wayland", "wayland-0", ":0", "gnome"},
        {"ubuntu:GNOME", "x11", "", ":0", "gnome"},
        {"Budgie:GNOME", "x11", "", ":0", "gnome"},
        {"GNOME-Flashback:GNOME", "x11", "", ":0", "gnome"},
        {"GNOME-Classic:GNOME", "x11", "", ":0", "gnome"},
        {"Unity", "x11", "", ":0", "gnome"},
        {"Pantheon", "wayland", "wayland-0", "", "gnome"},
        {"X-Cinnamon", "x11", "", ":0", "cinnamon"},
        {"MATE", "x11", "", ":0", "mate"},
        {"KDE", "wayland", "wayland-0", ":1", "kde"},
        {"kde", "x11", "", ":0", "kde"},
        {"XFCE", "x11", "", ":0", "xfce"},
        {"LXQt", "x11", "", ":0", "lxqt"},
        {"LXDE", "x11", "", ":0", "lxde"},
        {"sway", "wayland", "wayland-1", "", "sway"},
        {"foo: Kde :GNOME", "x11", "", ":0", "kde"}, // first known part wins, spaces ignored
        {"i3", "x11", "", ":0", "x11"},              // unknown X desktop: our own root pixmap
        {"", "", "", ":0", "x11"},
        // Compositors without a wallpaper of their own: swaybg, never
        // XWayland's root window, which shows nothing.
        {"Hyprland", "wayland", "wayland-1", ":0", "wlroots"},
        {"labwc:wlroots", "wayland", "wayland-0", "", "wlroots"},
        {"river", "wayland", "wayland-1", ":0", "wlroots"},
        {"someday", "wayland", "wayland-0", ":0", "wlroots"},
        {"", "wayland", "", "", "wlroots"},
        {"", "", "wayland-0", "", "wlroots"},
        {"", "tty", "", "", "none"},
    };
    for (const Row& row : rows) {
        const auto choice =
            DesktopBackendFactory::Choose(Session(row.currentDesktop, row.sessionType, row.wayland, row.display));
        EXPECT_EQ(choice.name.toStdString(), row.expected) << "XDG_CURRENT_DESKTOP=" << row.currentDesktop;
        EXPECT_EQ(choice.name == "none", !choice.reason.isEmpty()) << row.currentDesktop;
    }
}

TEST(DesktopChoice, RunningDesktopsAndTheOverride)
{
    Environment sway = Session("", "wayland", "wayland-1", "");
    sway.swaySocket = "/run/user/1000/sway-ipc.sock";
    EXPECT_EQ(DesktopBackendFactory::Choose(sway).name, "sway");
    Environment kde = Session("", "x11", "", ":0");
    kde.kdeSession = "true";
    EXPECT_EQ(DesktopBackendFactory::Choose(kde).name, "kde");
    Environment mate = Session("", "x11", "", ":0");
    mate.mateSession = "this-is-deprecated";
    EXPECT_EQ(DesktopBackendFactory::Choose(mate).name, "mate");

    Environment forced = Session("GNOME", "wayland", "wayland-0", ":0");
    for (const char* name : {"x11", "KDE", " xfce ", "sway", "wlroots", "none"}) {
        forced.forced = name;
        EXPECT_EQ(DesktopBackendFactory::Choose(forced).name, QString::fromUtf8(name).trimmed().toLower());
    }
    forced.forced = "enlightenment";
    const auto unknown = DesktopBackendFactory::Choose(forced);
    EXPECT_EQ(unknown.name, "none");
    EXPECT_TRUE(unknown.reason.contains("QUILVANE_DESKTOP=enlightenment")) << unknown.reason.toStdString();

    const EnvironmentGuard forcedDesktop("QUILVANE_DESKTOP", "lxqt");
    const EnvironmentGuard currentDesktop("XDG_CURRENT_DESKTOP", "KDE");
    const Environment fromProcess = Environment::FromProcess();
    EXPECT_EQ(fromProcess.forced, "lxqt");
    EXPECT_EQ(fromProcess.currentDesktop, "KDE");
    EXPECT_EQ(DesktopBackendFactory::CreateForSession()->Name(), "lxqt");
}

TEST(DesktopChoice, EveryKnownNameMakesThatBackEnd)
{
    for (const QString& name : DesktopBackendFactory::KnownNames()) {
        const auto backend = DesktopBackendFactory::Create({name, name == "none" ? "off" : ""});
        ASSERT_NE(backend, nullptr);
        EXPECT_EQ(backend->Name(), name);
    }
    const auto none = DesktopBackendFactory::Create({"none", "no display here"});
    StderrCapture stderrText;
    EXPECT_FALSE(none->SetWallpaper("/p/a.png", WallpaperStyle::Tile));
    EXPECT_EQ(stderrText.Take(), "quilvane: cannot set /p/a.png as the wallpaper: no display here\n");
}
