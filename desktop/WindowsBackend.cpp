// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/WindowsBackend.h"

#include "desktop/DesktopMessages.h"
#include "desktop/UndoList.h"

#include <QDir>

#include <windows.h>

#include <optional>
#include <string>

namespace {

// A REG_SZ value of the key as it is now; nullopt when it is not there.
std::optional<std::wstring> ReadDesktopValue(HKEY key, const wchar_t* name)
{
    wchar_t buffer[MAX_PATH] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    return std::wstring(buffer);
}

bool WriteDesktopValue(HKEY key, const wchar_t* name, const wchar_t* value)
{
    const DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes) == ERROR_SUCCESS;
}

// Writes the value after noting how to put it back in undo.
bool ChangeDesktopValue(HKEY key, const wchar_t* name, const wchar_t* value, UndoList& undo)
{
    const std::optional<std::wstring> old = ReadDesktopValue(key, name);
    undo.Add([key, name, old] {
        if (old)
            WriteDesktopValue(key, name, old->c_str());
        else
            RegDeleteValueW(key, name);
    });
    return WriteDesktopValue(key, name, value);
}

} // namespace

bool WindowsBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    // Centre 0/0, tile 0/1, stretch 2/0.
    const wchar_t* wallpaperStyle = style == WallpaperStyle::Stretch ? L"2" : L"0";
    const wchar_t* tileWallpaper = style == WallpaperStyle::Tile ? L"1" : L"0";

    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_SET_VALUE | KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        WarnUnchanged(QStringLiteral("cannot open the desktop settings"));
        return false;
    }
    bool done = false;
    {
        // The style is put back when the picture is refused, so the old
        // picture keeps its own style. Undone before the key closes.
        UndoList undo;
        if (!ChangeDesktopValue(key, L"WallpaperStyle", wallpaperStyle, undo) ||
            !ChangeDesktopValue(key, L"TileWallpaper", tileWallpaper, undo)) {
            WarnUnchanged(QStringLiteral("cannot write the wallpaper style"));
        } else {
            std::wstring path = QDir::toNativeSeparators(absolutePath).toStdWString();
            if (SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
                undo.Commit();
                done = true;
            } else {
                WarnUnchanged(QStringLiteral("Windows refused the wallpaper (error %1)").arg(GetLastError()));
            }
        }
    }
    RegCloseKey(key);
    return done;
}
