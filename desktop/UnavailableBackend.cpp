// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/UnavailableBackend.h"

#include "desktop/DesktopMessages.h"
#include "platform/Warning.h"

bool UnavailableBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle)
{
    Warning(QStringLiteral("cannot set %1 as the wallpaper: %2").arg(PictureName(absolutePath), Printable(m_reason)));
    return false;
}
