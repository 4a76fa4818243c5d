#include "core/desktop/UnavailableBackend.h"

#include "core/desktop/DesktopMessage.h"

bool UnavailableBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle)
{
    DesktopWarning(QStringLiteral("cannot set %1 as the wallpaper: %2").arg(absolutePath, m_reason));
    return false;
}
