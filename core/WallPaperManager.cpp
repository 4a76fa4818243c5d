// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/WallPaperManager.h"

#include "core/RegConfig.h"
#include "core/SlideListFile.h"
#include "desktop/DesktopBackendFactory.h"
#include "desktop/DesktopMessages.h"
#include "desktop/WallpaperPicture.h"
#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace {

// A monitor coming or going changes several screens' geometry in a burst,
// and a desktop sets up its own part for a new monitor in the meantime: the
// picture follows once nothing has changed for this long.
constexpr int kMonitorsSettleMs = 1500;

} // namespace

WallPaperManager::WallPaperManager() = default;
WallPaperManager::~WallPaperManager() = default;

DesktopBackend& WallPaperManager::Backend()
{
    if (!m_backend)
        m_backend = DesktopBackendFactory::CreateForSession();
    return *m_backend;
}

WallPaperManager::Result WallPaperManager::ApplyWallPaper(const QString& path, int style)
{
    if (path.isEmpty()) {
        WarnUnchanged(QStringLiteral("no picture named"));
        return Result::NotAPicture;
    }
    if (HasForeignBytes(path)) {
        WarnUnchanged(QStringLiteral("%1 has a name that is not UTF-8, which the desktop cannot be given")
                          .arg(PictureName(path)));
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
    if (backend.SetWallpaper(absolute, WallpaperStyleFromInt(style))) {
        m_shown = Shown{absolute, WallpaperStyleFromInt(style)};
        WatchMonitors();
        // Remembered for `quilvane --restore`, whichever page or command set it.
        if (RegConfig* config = RegConfig::GetInstance())
            config->RecordWallpaper({absolute, static_cast<int>(WallpaperStyleFromInt(style)), backend.Name()});
        return Result::Shown;
    }
    // A back end that decodes the picture itself fails the same way for a
    // bad picture as for a desktop it cannot reach; only the former is the
    // picture's fault.
    if (backend.DecodesPicture() && !IsReadablePicture(absolute))
        return Result::NotAPicture;
    return Result::DesktopFailed;
}

void WallPaperManager::MonitorsChanged()
{
    // Nothing of ours on the desktop, or a picture the slide show has since
    // removed: the desktop is left as it is.
    if (!m_shown || !QFileInfo(m_shown->path).isFile())
        return;
    Backend().FollowMonitors(m_shown->path, m_shown->style);
}

void WallPaperManager::WatchMonitors()
{
    if (m_monitorWatch || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    m_monitorWatch = std::make_unique<QObject>();
    m_settle = new QTimer(m_monitorWatch.get());
    m_settle->setSingleShot(true);
    m_settle->setInterval(kMonitorsSettleMs);
    QObject::connect(m_settle, &QTimer::timeout, m_monitorWatch.get(), [this] { MonitorsChanged(); });
    const auto watch = [this](QScreen* screen) {
        QObject::connect(screen, &QScreen::geometryChanged, m_settle, qOverload<>(&QTimer::start));
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    QObject::connect(qGuiApp, &QGuiApplication::screenAdded, m_monitorWatch.get(), [this, watch](QScreen* screen) {
        watch(screen);
        m_settle->start();
    });
}
