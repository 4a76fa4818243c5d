#include "desktop/MateBackend.h"

#include "desktop/GSettingsWallpaper.h"

bool MateBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    GSettingsWallpaper::Keys keys;
    keys.schema = "org.mate.background";
    keys.pathKey = "picture-filename";
    return GSettingsWallpaper::Apply(keys, absolutePath, style);
}
