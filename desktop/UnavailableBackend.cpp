#include "desktop/UnavailableBackend.h"

#include "desktop/DesktopMessages.h"
#include "platform/Warning.h"

bool UnavailableBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle)
{
    Warning(QStringLiteral("cannot set %1 as the wallpaper: %2").arg(PictureName(absolutePath), Printable(m_reason)));
    return false;
}
