// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/DesktopMessages.h"

#include "platform/Warning.h"

void WarnUnchanged(const QString& why)
{
    Warning(why + QStringLiteral("; the wallpaper stays as it is"));
}

QString PictureName(const QString& path)
{
    return Printable(path);
}
