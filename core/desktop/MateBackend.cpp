#include "core/desktop/MateBackend.h"

#include "core/desktop/GSettingsWallpaper.h"

bool MateBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    GSettingsWallpaper::Keys keys;
    keys.schema = "org.mate.background";
    keys.pathKey = "picture-filename";
    return GSettingsWallpaper::Apply(keys, absolutePath, style);
}
