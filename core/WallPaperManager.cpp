#include "core/WallPaperManager.h"

#include "core/ImageHelpers.h"
#include "core/desktop/DesktopBackendFactory.h"
#include "platform/Warning.h"
#include "core/desktop/WallpaperPicture.h"

#include <QDir>
#include <QFileInfo>

DesktopBackend& WallPaperManager::Backend()
{
    if (!m_backend)
        m_backend = DesktopBackendFactory::CreateForSession();
    return *m_backend;
}

WallPaperManager::Result WallPaperManager::ApplyWallPaper(const QString& path, int style)
{
    if (path.isEmpty()) {
        Warning(QStringLiteral("no picture named; the wallpaper stays as it is"));
        return Result::NotAPicture;
    }
    // Every desktop keeps the name it is given and reads the file later, from
    // its own working folder, so it must get an absolute one.
    const QFileInfo info(QDir::current(), path);
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    if (!info.exists() || !info.isFile()) {
        Warning(QStringLiteral("%1 does not exist; the wallpaper stays as it is").arg(absolute));
        return Result::NotAPicture;
    }
    if (FindType(FindExtension(absolute)) == CXIMAGE_FORMAT_UNKNOWN) {
        Warning(QStringLiteral("%1 is not a picture file; the wallpaper stays as it is").arg(absolute));
        return Result::NotAPicture;
    }

    DesktopBackend& backend = Backend();
    if (!backend.DecodesPicture() && !IsReadablePicture(absolute)) {
        Warning(
            QStringLiteral("%1 is not a picture that can be read; the wallpaper stays as it is").arg(absolute));
        return Result::NotAPicture;
    }
    if (backend.SetWallpaper(absolute, WallpaperStyleFromInt(style)))
        return Result::Shown;
    // A back end that decodes the picture itself fails the same way for a
    // bad picture as for a desktop it cannot reach; only the former is the
    // picture's fault.
    if (backend.DecodesPicture() && !IsReadablePicture(absolute))
        return Result::NotAPicture;
    return Result::DesktopFailed;
}
