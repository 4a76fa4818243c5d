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
    // desktop. Safe on any thread.
    Result ApplyWallPaper(const QString& path, int style);

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

private:
    friend class CoreSingleton<WallPaperManager>;
    WallPaperManager() = default;
    ~WallPaperManager() = default;

    Result Apply(const QString& path, int style);

    // Held for the whole of a change: the back end is chosen and used by
    // one change at a time.
    QMutex m_changeMutex;
    std::unique_ptr<DesktopBackend> m_backend;
    std::optional<bool> m_activeDesktopOverride;
    // Last, so it is destroyed first: its destructor waits for a change
    // still using the members above.
    SerialWorker m_worker;
};
