// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/DesktopBackendFactory.h"

#include "desktop/CinnamonBackend.h"
#include "desktop/GnomeBackend.h"
#include "desktop/KdeBackend.h"
#include "desktop/MateBackend.h"
#include "desktop/PcmanfmBackend.h"
#include "desktop/SwayBackend.h"
#include "desktop/SwaybgBackend.h"
#include "desktop/UnavailableBackend.h"
#include "desktop/WindowsBackend.h"
#include "desktop/X11Backend.h"
#include "desktop/XfceBackend.h"

#include <utility>

namespace {

using MakeBackend = std::unique_ptr<DesktopBackend> (*)();

template <typename T> std::unique_ptr<DesktopBackend> Make()
{
    return std::make_unique<T>();
}

std::unique_ptr<DesktopBackend> MakeLxqt()
{
    return std::make_unique<PcmanfmBackend>(QStringLiteral("pcmanfm-qt"), QStringLiteral("lxqt"));
}

std::unique_ptr<DesktopBackend> MakeLxde()
{
    return std::make_unique<PcmanfmBackend>(QStringLiteral("pcmanfm"), QStringLiteral("lxde"));
}

// Every back end this build has, by the name QUILVANE_DESKTOP uses (each
// one's Name()). The build leaves out the other systems' sources (see the
// layer's CMakeLists.txt); this table is the one place that follows suit.
struct BackendEntry {
    const char* name;
    MakeBackend make;
};

constexpr BackendEntry kBackends[] = {
#ifdef _WIN32
    {"windows", Make<WindowsBackend>},
#else
    {"gnome", Make<GnomeBackend>},
    {"cinnamon", Make<CinnamonBackend>},
    {"mate", Make<MateBackend>},
    {"kde", Make<KdeBackend>},
    {"xfce", Make<XfceBackend>},
    {"lxqt", MakeLxqt},
    {"lxde", MakeLxde},
    {"sway", Make<SwayBackend>},
    {"wlroots", Make<SwaybgBackend>},
    {"x11", Make<X11Backend>},
#endif
};

// XDG_CURRENT_DESKTOP parts (lower case) and the back end each needs.
struct DesktopName {
    const char* part;
    const char* backend;
};

constexpr DesktopName kDesktopNames[] = {
    {"gnome", "gnome"},
    {"gnome-classic", "gnome"},
    {"gnome-flashback", "gnome"},
    {"unity", "gnome"},
    {"budgie", "gnome"},
    {"pantheon", "gnome"},
    {"x-cinnamon", "cinnamon"},
    {"cinnamon", "cinnamon"},
    {"mate", "mate"},
    {"kde", "kde"},
    {"xfce", "xfce"},
    {"lxqt", "lxqt"},
    {"lxde", "lxde"},
    {"sway", "sway"},
    {"wlroots", "wlroots"},
    {"labwc", "wlroots"},
    {"river", "wlroots"},
    {"hyprland", "wlroots"},
    {"wayfire", "wlroots"},
    {"phosh", "wlroots"},
};

QString FromDesktopList(const QString& currentDesktop)
{
    for (const QString& rawPart : currentDesktop.split(u':', Qt::SkipEmptyParts)) {
        const QString part = rawPart.trimmed().toLower();
        for (const DesktopName& known : kDesktopNames) {
            if (part == QLatin1String(known.part))
                return QString::fromLatin1(known.backend);
        }
    }
    return {};
}

} // namespace

DesktopBackendFactory::Environment DesktopBackendFactory::Environment::FromProcess()
{
    Environment e;
    e.forced = qEnvironmentVariable("QUILVANE_DESKTOP");
    e.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    e.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    e.waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY");
    e.display = qEnvironmentVariable("DISPLAY");
    e.swaySocket = qEnvironmentVariable("SWAYSOCK");
    e.kdeSession = qEnvironmentVariable("KDE_FULL_SESSION");
    e.gnomeSession = qEnvironmentVariable("GNOME_DESKTOP_SESSION_ID");
    e.mateSession = qEnvironmentVariable("MATE_DESKTOP_SESSION_ID");
    return e;
}

QStringList DesktopBackendFactory::KnownNames()
{
    QStringList names;
    for (const BackendEntry& entry : kBackends)
        names << QString::fromLatin1(entry.name);
    names << QStringLiteral("none");
    return names;
}

DesktopBackendFactory::Choice DesktopBackendFactory::Choose(const Environment& e)
{
    const QString forced = e.forced.trimmed().toLower();
    if (!forced.isEmpty()) {
        if (KnownNames().contains(forced))
            return {forced, forced == u"none" ? QStringLiteral("QUILVANE_DESKTOP=none turns wallpaper changes off")
                                              : QString()};
        return {QStringLiteral("none"), QStringLiteral("QUILVANE_DESKTOP=%1 names no desktop; known are %2")
                                            .arg(e.forced, KnownNames().join(QStringLiteral(", ")))};
    }
#ifdef _WIN32
    return {QStringLiteral("windows"), {}};
#else
    if (const QString named = FromDesktopList(e.currentDesktop); !named.isEmpty())
        return {named, {}};
    if (!e.swaySocket.isEmpty())
        return {QStringLiteral("sway"), {}};
    if (!e.kdeSession.isEmpty())
        return {QStringLiteral("kde"), {}};
    if (!e.gnomeSession.isEmpty())
        return {QStringLiteral("gnome"), {}};
    if (!e.mateSession.isEmpty())
        return {QStringLiteral("mate"), {}};
    // Any other Wayland compositor has no wallpaper of its own: a
    // layer-shell background program draws it.
    if (e.sessionType.compare(u"wayland", Qt::CaseInsensitive) == 0 || !e.waylandDisplay.isEmpty())
        return {QStringLiteral("wlroots"), {}};
    if (!e.display.isEmpty())
        return {QStringLiteral("x11"), {}};
    return {QStringLiteral("none"),
            QStringLiteral("there is no desktop session (neither DISPLAY nor WAYLAND_DISPLAY is set)")};
#endif
}

std::unique_ptr<DesktopBackend> DesktopBackendFactory::Create(const Choice& choice)
{
    for (const BackendEntry& entry : kBackends) {
        if (choice.name == QLatin1String(entry.name))
            return entry.make();
    }
    return std::make_unique<UnavailableBackend>(choice.reason.isEmpty() ? QStringLiteral("no desktop back end")
                                                                        : choice.reason);
}
