#include "core/WallPaperManager.h"

#include "desktop/DesktopBackendFactory.h"
#include "desktop/DesktopMessages.h"
#include "desktop/WallpaperPicture.h"
#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

DesktopBackend& WallPaperManager::Backend()
{
    if (!m_backend)
        m_backend = DesktopBackendFactory::CreateForSession();
    return *m_backend;
}

WallPaperManager::Result WallPaperManager::ApplyWallPaper(const QString& path, int style)
{
    const QMutexLocker lock(&m_changeMutex);
    return Apply(path, style);
}

void WallPaperManager::ApplyWallPaperInBackground(const QString& path, int style, QObject* context, Done done)
{
    // The current folder is the caller's now, not whatever it is when the
    // worker gets to the change.
    const QString absolute = path.isEmpty() ? path : QDir::current().absoluteFilePath(path);
    auto result = std::make_shared<Result>(Result::DesktopFailed);
    m_worker.Run(
        [this, absolute, style, result] { *result = ApplyWallPaper(absolute, style); },
        [context = QPointer<QObject>(context), hasContext = context != nullptr, done = std::move(done), result] {
            if (done && (!hasContext || context))
                done(*result);
        });
}

WallPaperManager::Result WallPaperManager::Apply(const QString& path, int style)
{
    if (path.isEmpty()) {
        WarnUnchanged(QStringLiteral("no picture named"));
        return Result::NotAPicture;
    }
    // Every desktop keeps the name it is given and reads the file later, from
    // its own working folder, so it must get an absolute one. The name is
    // resolved once, links and ".." as the file system sees them, and that
    // one name is both checked and handed on: "/p/link/../x.jpg" cleaned as
    // text would name a different file than the one checked.
    const QFileInfo info(QDir::current(), path);
    const QString absolute = info.canonicalFilePath();
    if (absolute.isEmpty() || !QFileInfo(absolute).isFile()) {
        WarnUnchanged(QStringLiteral("%1 does not exist").arg(PictureName(QDir::cleanPath(info.absoluteFilePath()))));
        return Result::NotAPicture;
    }
    if (FindType(FindExtension(absolute)) == CXIMAGE_FORMAT_UNKNOWN) {
        WarnUnchanged(QStringLiteral("%1 is not a picture file").arg(PictureName(absolute)));
        return Result::NotAPicture;
    }

    DesktopBackend& backend = Backend();
    if (!backend.DecodesPicture() && !IsReadablePicture(absolute)) {
        WarnUnchanged(QStringLiteral("%1 is not a picture that can be read").arg(PictureName(absolute)));
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
