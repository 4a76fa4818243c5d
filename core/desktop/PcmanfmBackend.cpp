#include "core/desktop/PcmanfmBackend.h"

#include "core/desktop/ChildProcess.h"
#include "core/desktop/DesktopMessages.h"
#include "platform/Warning.h"

bool PcmanfmBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    if (!HasProgram(m_program)) {
        WarnUnchanged(QStringLiteral("%1 is not installed").arg(m_program));
        return false;
    }
    // One argument each, joined to its option by '=', so a file name that
    // starts like an option is still taken as the file name.
    const ChildResult result = RunProgram(m_program, {QStringLiteral("--set-wallpaper=") + absolutePath,
                                                      QStringLiteral("--wallpaper-mode=") + WallpaperStyleWord(style)});
    if (!result.Succeeded()) {
        WarnUnchanged(QStringLiteral("cannot set the wallpaper: %1").arg(result.Describe(m_program)));
        return false;
    }
    return true;
}
