#include "core/TrayRect.h"

#include "platform/TrayIcon.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr int kTraySize = 32;

// GNOME-style desktops keep status icons in the top bar; most others keep
// the tray at the bottom right.
bool TrayAtTop()
{
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    for (const QString& part : desktop.split(u':', Qt::SkipEmptyParts)) {
        const QString p = part.trimmed().toLower();
        if (p == u"gnome" || p == u"unity" || p == u"pantheon" || p == u"budgie")
            return true;
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
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int left = area.x() + area.width() - kTraySize;
    const int top = TrayAtTop() ? area.y() : area.y() + area.height() - kTraySize;
    *rect = CRect(left, top, left + kTraySize, top + kTraySize);
}
