// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/SerialWorker.h"
#include "core/Singleton.h"
#include "core/WallPaperManager.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <random>

// Advances the wallpaper slide show. The show's pictures are read afresh from
// their source at every tick (the slide-show page hands in its own list box):
// the user may add, remove, move or replace entries while the show runs, and
// the next tick simply works from what the list holds then.
//
// In order, each tick shows the entry after the one shown last (found again
// by its text if it moved; if it is gone, the entry now in its place), wrapping
// at the end. At random, the pictures come in shuffled rounds: each once
// before any comes again, and never the same one twice in a row while the list
// holds two or more. Entries that are missing or not pictures are skipped, at
// most one pass over the list per tick; an empty list changes nothing.
class SlideShowManager : public CoreSingleton<SlideShowManager> {
public:
    static constexpr const char* kServiceName = "SlideShowManager";

    // Where the pictures come from: called at every tick for the entries as
    // they are then. An empty list (its owner gone, say) changes nothing.
    using Entries = std::function<QStringList()>;

    // Called once when the user starts the show, right after the page has set
    // its timer. style as for WallPaperManager::SetWallPaper. A show started
    // with its period is remembered in the settings (RegConfig) as it goes,
    // for `quilvane --restore`: entries, period, style, order, position.
    void OnStartTimer(Entries entries, bool random, int style, int periodMs = 0);
    // Goes on as if the entry at index with that text had just been shown
    // (a resumed show); call right after OnStartTimer.
    void ResumeAfter(int index, const QString& text);
    // Called on every tick of the page's timer: the next picture is found
    // and shown before this returns (for a caller without a window).
    void OnChangeWallpaper();
    // The same tick for a window: the change starts now and runs on the
    // manager's worker thread, its messages and outcome reported back (and
    // remembered) on the thread that created the manager. A timer's tick that
    // comes while the show's previous change still runs is skipped; one the
    // user asked for (`quilvane --next`) runs once that change has reported.
    // True when a change started or waits.
    enum class WhileChanging { Skip, Wait };
    bool OnChangeWallpaperInBackground(WhileChanging busy = WhileChanging::Skip);
    // A change started by OnChangeWallpaperInBackground has not reported back.
    bool IsChanging() const { return m_worker.Pending() > 0; }
    // Called once when the user stops the show. (A show still playing when
    // the program ends stays remembered as playing.)
    void OnEndTimer();

    bool IsRunning() const { return m_running; }
    // As given to the last OnStartTimer.
    bool IsRandom() const { return m_random; }
    int Style() const { return m_style; }

    // Test seams: where the pictures go (by default the WallPaperManager
    // instance), and a fixed seed for the random order.
    using Setter = std::function<WallPaperManager::Result(const QString& path, int style)>;
    void SetWallpaperSetter(Setter setter) { m_setter = std::move(setter); }
    void SeedRandom(unsigned seed) { m_cursor.randomEngine.seed(seed); }

private:
    friend class CoreSingleton<SlideShowManager>;
    SlideShowManager();
    ~SlideShowManager() = default;

    // Where the show stands: what a tick starts from and moves on. A change
    // in the background works on a copy, taken back when it reports.
    struct Cursor {
        bool hasLast = false;
        int lastIndex = -1;
        QString lastText;
        // Pictures (by path) already shown in the current random round.
        QSet<QString> shownThisRound;
        std::mt19937 randomEngine;

        void Remember(int index, const QString& text);
    };
    using Show = std::function<WallPaperManager::Result(const QString& path)>;
    static void NextInOrder(Cursor& cursor, const QStringList& entries, const Show& show);
    static void NextAtRandom(Cursor& cursor, const QStringList& entries, const Show& show);
    // The tick's work on cursor: safe on the worker thread. Without shown,
    // a picture is remembered as WallPaperManager::ApplyWallPaper does;
    // with it, what the desktop got is left there for the caller.
    static void Step(Cursor& cursor, const QStringList& entries, bool random, int style, const Setter& setter,
                     std::optional<WallPaperManager::Shown>* shown);
    void Record(const QStringList& entries) const;

    Entries m_entries;
    bool m_running = false;
    bool m_random = false;
    int m_style = 0;
    int m_periodMs = 0;
    // Counts starts and stops, so a change that reports after the show was
    // stopped or started again leaves the new show's cursor alone.
    int m_generation = 0;
    // The generation of the change started last.
    int m_changeGeneration = -1;
    // A tick the user asked for waits for the change under way.
    bool m_tickWaiting = false;

    Cursor m_cursor;
    Setter m_setter;
    // Last, so it is destroyed first: its destructor waits for a change
    // under way.
    SerialWorker m_worker;
};
