// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/WallPaperManager.h"

#include "core/RegConfig.h"
#include "core/SlideListFile.h"
#include "desktop/DesktopBackendFactory.h"
#include "desktop/DesktopMessages.h"
#include "desktop/ScreenNames.h"
#include "desktop/WallpaperPicture.h"
#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <memory>

namespace {

// A monitor coming or going changes several screens' geometry in a burst,
// and a desktop sets up its own part for a new monitor in the meantime: the
// picture follows once nothing has changed for this long.
constexpr int kMonitorsSettleMs = 1500;

} // namespace

WallPaperManager::WallPaperManager()
{
    // Back ends that name monitors get them on the worker thread from what
    // this thread has seen.
    ScreenNames();
}
WallPaperManager::~WallPaperManager() = default;

DesktopBackend& WallPaperManager::Backend()
{
    if (!m_backend)
        m_backend = DesktopBackendFactory::CreateForSession();
    return *m_backend;
}

WallPaperManager::Result WallPaperManager::ApplyWallPaper(const QString& path, int style)
{
    std::optional<Shown> shown;
    const Result result = Change(path, style, &shown);
    if (shown)
        m_worker.OnOwnerThread([this, shown = *shown] { Remember(shown); });
    return result;
}

WallPaperManager::Result WallPaperManager::Change(const QString& path, int style, std::optional<Shown>* shown)
{
    const QMutexLocker lock(&m_changeMutex);
    return Apply(path, style, shown);
}

void WallPaperManager::ApplyWallPaperInBackground(const QString& path, int style, QObject* context, Done done)
{
    // The current folder is the caller's now, not whatever it is when the
    // worker gets to the change.
    const QString absolute = path.isEmpty() ? path : QDir::current().absoluteFilePath(path);
    auto result = std::make_shared<Result>(Result::DesktopFailed);
    auto shown = std::make_shared<std::optional<Shown>>();
    m_worker.Run([this, absolute, style, result, shown] { *result = Change(absolute, style, shown.get()); },
                 [this, context = QPointer<QObject>(context), hasContext = context != nullptr, done = std::move(done),
                  result, shown] {
                     // The desktop changed whether or not its window is still there.
                     if (*shown)
                         Remember(**shown);
                     if (done && (!hasContext || context))
                         done(*result);
                 });
}

WallPaperManager::Result WallPaperManager::Apply(const QString& path, int style, std::optional<Shown>* shown)
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
        if (shown)
            *shown = Shown{absolute, WallpaperStyleFromInt(style), backend.Name(), ++m_changes};
        return Result::Shown;
    }
    // A back end that decodes the picture itself fails the same way for a
    // bad picture as for a desktop it cannot reach; only the former is the
    // picture's fault.
    if (backend.DecodesPicture() && !IsReadablePicture(absolute))
        return Result::NotAPicture;
    return Result::DesktopFailed;
}

void WallPaperManager::Remember(const Shown& shown)
{
    {
        const QMutexLocker lock(&m_shownMutex);
        // A change that reports after a later one was remembered (one on
        // the worker, one on this thread) is on the desktop no more.
        if (m_shown && m_shown->order > shown.order)
            return;
        m_shown = shown;
    }
    WatchMonitors();
    // Remembered for `quilvane --restore`, whichever page or command set it.
    if (RegConfig* config = RegConfig::GetInstance())
        config->RecordWallpaper({shown.path, static_cast<int>(shown.style), shown.desktop});
}

void WallPaperManager::MonitorsChanged()
{
    std::optional<Shown> shown;
    {
        const QMutexLocker lock(&m_shownMutex);
        shown = m_shown;
    }
    // Nothing of ours on the desktop, or a picture the slide show has since
    // removed: the desktop is left as it is.
    if (!shown || !QFileInfo(shown->path).isFile())
        return;
    const QMutexLocker lock(&m_changeMutex);
    Backend().FollowMonitors(shown->path, shown->style);
}

void WallPaperManager::WatchMonitors()
{
    if (m_monitorWatch || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    m_monitorWatch = std::make_unique<QObject>();
    m_settle = new QTimer(m_monitorWatch.get());
    m_settle->setSingleShot(true);
    m_settle->setInterval(kMonitorsSettleMs);
    // Some desktops take their time to answer: the window's thread does not wait for them.
    QObject::connect(m_settle, &QTimer::timeout, m_monitorWatch.get(),
                     [this] { m_worker.Run([this] { MonitorsChanged(); }, [] {}); });
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
