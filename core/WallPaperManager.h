// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Singleton.h"
#include "desktop/DesktopBackend.h"

#include <QString>

#include <memory>
#include <optional>

class QObject;
class QTimer;

// Puts pictures on the desktop through the back end that suits the session,
// chosen once, on the first change (see DesktopBackendFactory).
class WallPaperManager : public CoreSingleton<WallPaperManager> {
public:
    static constexpr const char* kServiceName = "WallPaperManager";

    enum class Result {
        Shown,         // the desktop shows the picture
        NotAPicture,   // missing, not a picture file, or unreadable: nothing changed
        DesktopFailed, // the desktop could not be changed: nothing changed
    };

    // Shows the picture at once in the style (0 centre, 1 tile, 2 stretch;
    // -1 and anything else centre). A relative path is taken from the current
    // folder. A path that is missing or not a picture leaves the desktop
    // alone: the desktop is never pointed at a file it cannot show. Problems
    // are reported on standard error.
    void SetWallPaper(const QString& path, int style) { ApplyWallPaper(path, style); }

    // SetWallPaper, telling the caller what happened (the slide show skips
    // entries that are not pictures). A picture shown is remembered in the
    // settings (RegConfig::RecordWallpaper) when they exist.
    Result ApplyWallPaper(const QString& path, int style);

    // Whether the desktop can show all six picture types, not bitmaps only.
    // Every back end of ours can.
    bool SupportActiveDesktop() const { return m_activeDesktopOverride.value_or(true); }

    // Test seams: a back end of the caller's in place of the session's, and
    // a forced SupportActiveDesktop answer (nullopt: the real one).
    void SetBackend(std::unique_ptr<DesktopBackend> backend) { m_backend = std::move(backend); }
    void SetSupportActiveDesktopOverride(std::optional<bool> answer) { m_activeDesktopOverride = answer; }

    // The session's back end, chosen on first use.
    DesktopBackend& Backend();

    // The monitors changed while the program runs: the picture shown last
    // goes on to the monitors that lack it (see DesktopBackend::
    // FollowMonitors). Once a picture is shown, this is called by itself
    // when the screens have settled after a monitor came or changed size.
    void MonitorsChanged();

private:
    friend class CoreSingleton<WallPaperManager>;
    WallPaperManager();
    ~WallPaperManager();

    void WatchMonitors();

    struct Shown {
        QString path;
        WallpaperStyle style;
    };
    std::unique_ptr<DesktopBackend> m_backend;
    std::optional<bool> m_activeDesktopOverride;
    std::optional<Shown> m_shown;
    // The screens' signals end with it; it owns the settling timer.
    std::unique_ptr<QObject> m_monitorWatch;
    QTimer* m_settle = nullptr;
};
