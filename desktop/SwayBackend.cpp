// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/SwayBackend.h"

#include "desktop/ChildProcess.h"
#include "desktop/DesktopMessages.h"
#include "desktop/WallpaperLink.h"

#include <QFile>
#include <QStandardPaths>

namespace {

const QString kProgram = QStringLiteral("swaymsg");

} // namespace

bool SwayBackend::IsQuotable(const QString& path)
{
    if (path.isEmpty())
        return false;
    QChar previous;
    for (const QChar c : path) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || u == u'\'' || u == u'"' || u == u'\\' || u == u'$')
            return false;
        // Newer sway escapes runs of spaces itself before expanding, which
        // would put a backslash into a single-quoted name.
        if (c.isSpace() && previous.isSpace())
            return false;
        if (c.isSpace() && u != u' ')
            return false;
        previous = c;
    }
    return true;
}

QString SwayBackend::QuotedArgument(const QString& path)
{
    return QStringLiteral("\"'") + path + QStringLiteral("'\"");
}

QString SwayBackend::PathForSway(const QString& absolutePath)
{
    if (IsQuotable(absolutePath))
        return absolutePath;

    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) {
        WarnUnchanged(QStringLiteral("sway: no runtime folder for a link to %1").arg(PictureName(absolutePath)));
        return {};
    }
    // Named after the path, so each picture gets a name of its own and the
    // command sway receives changes whenever the picture does. Only the
    // newest link is kept: swaybg has the old picture in memory.
    const QString link = WallpaperLink::Make(runtime + QStringLiteral("/quilvane"),
                                             WallpaperLink::NameFor(absolutePath.toUtf8(), absolutePath), absolutePath,
                                             QStringLiteral("sway"));
    if (link.isEmpty())
        return {};
    if (!IsQuotable(link)) {
        // The runtime folder's own name holds a character sway would read.
        WarnUnchanged(QStringLiteral("sway: cannot make the link %1").arg(PictureName(link)));
        QFile::remove(link);
        return {};
    }
    return link;
}

bool SwayBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    if (!HasProgram(kProgram)) {
        WarnUnchanged(QStringLiteral("sway: swaymsg is not installed"));
        return false;
    }
    const QString path = PathForSway(absolutePath);
    if (path.isEmpty())
        return false;
    const ChildResult result =
        RunProgram(kProgram, {QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"), QuotedArgument(path),
                              WallpaperStyleWord(style)});
    if (!result.Succeeded()) {
        WarnUnchanged(QStringLiteral("sway: cannot set the wallpaper: %1").arg(result.Describe(kProgram)));
        return false;
    }
    return true;
}
