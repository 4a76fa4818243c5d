#ifdef _WIN32

#include "core/desktop/WindowsBackend.h"

#include "platform/Warning.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace {

bool WriteDesktopValue(HKEY key, const wchar_t* name, const wchar_t* value)
{
    const DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes) == ERROR_SUCCESS;
}

} // namespace

bool WindowsBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    // Centre 0/0, tile 0/1, stretch 2/0.
    const wchar_t* wallpaperStyle = style == WallpaperStyle::Stretch ? L"2" : L"0";
    const wchar_t* tileWallpaper = style == WallpaperStyle::Tile ? L"1" : L"0";

    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        Warning(QStringLiteral("cannot open the desktop settings; the wallpaper stays as it is"));
        return false;
    }
    const bool written = WriteDesktopValue(key, L"WallpaperStyle", wallpaperStyle) &&
                         WriteDesktopValue(key, L"TileWallpaper", tileWallpaper);
    RegCloseKey(key);
    if (!written) {
        Warning(QStringLiteral("cannot write the wallpaper style; the wallpaper stays as it is"));
        return false;
    }

    std::wstring path = QDir::toNativeSeparators(absolutePath).toStdWString();
    if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
        Warning(QStringLiteral("Windows refused the wallpaper (error %1)").arg(GetLastError()));
        return false;
    }
    return true;
}

#endif
