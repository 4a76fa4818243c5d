// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/SerialWorker.h"
#include "core/Singleton.h"
#include "desktop/DesktopBackend.h"

#include <QMutex>
#include <QPointer>
#include <QString>

#include <functional>
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
    // entries that are not pictures). Waits while a change started by
    // ApplyWallPaperInBackground runs: one change at a time reaches the
    // desktop. Safe on any thread. A picture shown is remembered (see
    // Remember) on the thread that created the manager: at once when called
    // there, else through its event loop.
    Result ApplyWallPaper(const QString& path, int style);

    // What a change put on the desktop. order counts changes, so that one
    // remembered late never takes the place of a later one.
    struct Shown {
        QString path;
        WallpaperStyle style = WallpaperStyle::Centre;
        QString desktop;
        quint64 order = 0;
    };
    // ApplyWallPaper without the remembering, for a worker that hands what
    // was shown to the creating thread itself (the slide show remembers the
    // picture and its own position in one write). Safe on any thread.
    Result Change(const QString& path, int style, std::optional<Shown>* shown);
    // A picture on the desktop is remembered in the settings
    // (RegConfig::RecordWallpaper) when they exist, for `quilvane --restore`,
    // and follows the monitors from now on (see MonitorsChanged). On the
    // thread that created the manager only.
    void Remember(const Shown& shown);

    // The same change on the manager's own worker thread, so a window's
    // thread never waits for decoding or for a desktop that is slow to
    // answer. Changes run in the order they were asked for. The path is
    // taken from the current folder now. done (optional) gets the result on
    // the thread that created the manager, after the change's messages were
    // written there; it is not called once context is gone.
    using Done = std::function<void(Result)>;
    void ApplyWallPaperInBackground(const QString& path, int style, QObject* context = nullptr, Done done = {});

    // Background changes asked for and not yet reported back.
    bool IsChanging() const { return m_worker.Pending() > 0; }

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
    // FollowMonitors). Once a picture is shown, this is called by itself,
    // on the worker thread, when the screens have settled after a monitor
    // came or changed size. Waits while a change runs; safe on any thread.
    void MonitorsChanged();

private:
    friend class CoreSingleton<WallPaperManager>;
    WallPaperManager();
    ~WallPaperManager();

    Result Apply(const QString& path, int style, std::optional<Shown>* shown);
    void WatchMonitors();

    // Held for the whole of a change: the back end is chosen and used by
    // one change at a time.
    QMutex m_changeMutex;
    std::unique_ptr<DesktopBackend> m_backend;
    std::optional<bool> m_activeDesktopOverride;
    quint64 m_changes = 0; // under m_changeMutex
    // The picture remembered last: written on the creating thread, read by
    // a follow on the worker.
    mutable QMutex m_shownMutex;
    std::optional<Shown> m_shown;
    // The screens' signals end with it; it owns the settling timer.
    std::unique_ptr<QObject> m_monitorWatch;
    QTimer* m_settle = nullptr;
    // Last, so it is destroyed first: its destructor waits for a change
    // still using the members above.
    SerialWorker m_worker;
};
