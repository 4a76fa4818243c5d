#include "core/desktop/DesktopBackendFactory.h"

#include "core/desktop/UnavailableBackend.h"

#ifdef _WIN32
#include "core/desktop/WindowsBackend.h"
#else
#include "core/desktop/CinnamonBackend.h"
#include "core/desktop/GnomeBackend.h"
#include "core/desktop/KdeBackend.h"
#include "core/desktop/MateBackend.h"
#include "core/desktop/PcmanfmBackend.h"
#include "core/desktop/SwayBackend.h"
#include "core/desktop/X11Backend.h"
#include "core/desktop/XfceBackend.h"
#endif

#include <utility>

namespace {

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
    QStringList names{QStringLiteral("gnome"), QStringLiteral("cinnamon"), QStringLiteral("mate"),
                      QStringLiteral("kde"),   QStringLiteral("xfce"),     QStringLiteral("lxqt"),
                      QStringLiteral("lxde"),  QStringLiteral("sway"),     QStringLiteral("x11")};
#ifdef _WIN32
    names << QStringLiteral("windows");
#endif
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
    if (e.sessionType.compare(u"wayland", Qt::CaseInsensitive) == 0 || !e.waylandDisplay.isEmpty())
        return {QStringLiteral("none"),
                QStringLiteral("this Wayland session's desktop (XDG_CURRENT_DESKTOP=\"%1\") is not one we can set the "
                               "wallpaper on; QUILVANE_DESKTOP can name one")
                    .arg(e.currentDesktop)};
    if (!e.display.isEmpty())
        return {QStringLiteral("x11"), {}};
    return {QStringLiteral("none"),
            QStringLiteral("there is no desktop session (neither DISPLAY nor WAYLAND_DISPLAY is set)")};
#endif
}

std::unique_ptr<DesktopBackend> DesktopBackendFactory::Create(const Choice& choice)
{
    const QString& n = choice.name;
#ifdef _WIN32
    if (n == u"windows")
        return std::make_unique<WindowsBackend>();
#else
    if (n == u"gnome")
        return std::make_unique<GnomeBackend>();
    if (n == u"cinnamon")
        return std::make_unique<CinnamonBackend>();
    if (n == u"mate")
        return std::make_unique<MateBackend>();
    if (n == u"kde")
        return std::make_unique<KdeBackend>();
    if (n == u"xfce")
        return std::make_unique<XfceBackend>();
    if (n == u"lxqt")
        return std::make_unique<PcmanfmBackend>(QStringLiteral("pcmanfm-qt"), QStringLiteral("lxqt"));
    if (n == u"lxde")
        return std::make_unique<PcmanfmBackend>(QStringLiteral("pcmanfm"), QStringLiteral("lxde"));
    if (n == u"sway")
        return std::make_unique<SwayBackend>();
    if (n == u"x11")
        return std::make_unique<X11Backend>();
#endif
    return std::make_unique<UnavailableBackend>(choice.reason.isEmpty() ? QStringLiteral("no desktop back end")
                                                                        : choice.reason);
}
