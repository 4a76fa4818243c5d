// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/PcmanfmBackend.h"

#include "desktop/ChildProcess.h"
#include "desktop/DesktopMessages.h"
#include "desktop/WallpaperLink.h"
#include "platform/Warning.h"

#include <QStandardPaths>

QString PcmanfmBackend::PathToSend(const QString& absolutePath) const
{
    // pcmanfm-qt ignores a picture name equal to the one it shows, so a new
    // picture written to the same path (as the slide show does) would never
    // appear. It gets a link whose name changes with the file's content,
    // kept with our data because it remembers the name across sessions.
    if (m_program != u"pcmanfm-qt")
        return absolutePath;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) {
        WarnUnchanged(QStringLiteral("%1: no data folder for a link to %2").arg(m_program, PictureName(absolutePath)));
        return {};
    }
    return WallpaperLink::Make(data + QStringLiteral("/quilvane/wallpaper-links"),
                               WallpaperLink::NameFor(WallpaperLink::ContentKey(absolutePath), absolutePath),
                               absolutePath, m_program);
}

bool PcmanfmBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    if (!HasProgram(m_program)) {
        WarnUnchanged(QStringLiteral("%1 is not installed").arg(m_program));
        return false;
    }
    const QString path = PathToSend(absolutePath);
    if (path.isEmpty())
        return false;
    // One argument each, joined to its option by '=', so a file name that
    // starts like an option is still taken as the file name.
    const ChildResult result = RunProgram(m_program, {QStringLiteral("--set-wallpaper=") + path,
                                                      QStringLiteral("--wallpaper-mode=") + WallpaperStyleWord(style)});
    if (!result.Succeeded()) {
        WarnUnchanged(QStringLiteral("cannot set the wallpaper: %1").arg(result.Describe(m_program)));
        return false;
    }
    return true;
}
