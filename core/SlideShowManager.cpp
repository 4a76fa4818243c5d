// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SlideShowManager.h"

#include "core/RegConfig.h"

#include <QSet>

#include <memory>
#include <utility>

SlideShowManager::SlideShowManager()
{
    m_cursor.randomEngine.seed(std::random_device{}());
}

void SlideShowManager::OnStartTimer(Entries entries, bool random, int style, int periodMs)
{
    m_entries = std::move(entries);
    m_running = true;
    m_random = random;
    m_style = style;
    m_periodMs = periodMs;
    ++m_generation;
    m_tickWaiting = false;
    m_cursor.hasLast = false;
    m_cursor.lastIndex = -1;
    m_cursor.lastText.clear();
    m_cursor.shownThisRound.clear();
    if (m_entries)
        Record(m_entries());
}

void SlideShowManager::ResumeAfter(int index, const QString& text)
{
    if (!m_running || index < 0)
        return;
    m_cursor.Remember(index, text);
    if (m_entries)
        Record(m_entries());
}

void SlideShowManager::OnEndTimer()
{
    if (m_running && m_periodMs > 0) {
        if (RegConfig* config = RegConfig::GetInstance()) {
            SlideShowRecord stopped = config->SlideShow();
            stopped.playing = false;
            config->RecordSlideShow(stopped);
        }
    }
    m_running = false;
    m_entries = nullptr;
    ++m_generation;
    m_tickWaiting = false;
    m_cursor.shownThisRound.clear();
}

void SlideShowManager::OnChangeWallpaper()
{
    if (!m_running || !m_entries)
        return;
    const QStringList entries = m_entries();
    if (entries.isEmpty())
        return;
    // The picture and the show's new position reach the settings in one write.
    const RegConfig::BatchedWrites batch;
    Step(m_cursor, entries, m_random, m_style, m_setter, nullptr);
    Record(entries);
}

bool SlideShowManager::OnChangeWallpaperInBackground(WhileChanging busy)
{
    if (!m_running || !m_entries)
        return false;
    // Only a change of this show holds the next tick back: one of a show
    // stopped or replaced since is no reason to miss the new show's first.
    if (IsChanging() && m_changeGeneration == m_generation) {
        if (busy == WhileChanging::Skip)
            return false;
        m_tickWaiting = true;
        return true;
    }
    // The list is read here, on the thread its owner lives on.
    const QStringList entries = m_entries();
    if (entries.isEmpty())
        return false;
    auto cursor = std::make_shared<Cursor>(m_cursor);
    auto shown = std::make_shared<std::optional<WallPaperManager::Shown>>();
    m_changeGeneration = m_generation;
    m_worker.Run([cursor, shown, entries, random = m_random, style = m_style,
                  setter = m_setter] { Step(*cursor, entries, random, style, setter, shown.get()); },
                 [this, cursor, shown, entries, generation = m_generation] {
                     // The settings are written here, on the thread that owns them:
                     // the picture and the show's new position in one write.
                     const RegConfig::BatchedWrites batch;
                     if (WallPaperManager* manager = WallPaperManager::GetInstance(); manager && *shown)
                         manager->Remember(**shown);
                     if (generation != m_generation)
                         return;
                     m_cursor = std::move(*cursor);
                     Record(entries);
                     if (std::exchange(m_tickWaiting, false))
                         OnChangeWallpaperInBackground();
                 });
    return true;
}

void SlideShowManager::Step(Cursor& cursor, const QStringList& entries, bool random, int style, const Setter& setter,
                            std::optional<WallPaperManager::Shown>* shown)
{
    const Show show = [&](const QString& path) {
        if (setter)
            return setter(path, style);
        WallPaperManager* manager = WallPaperManager::GetInstance();
        if (!manager)
            return WallPaperManager::Result::DesktopFailed;
        return shown ? manager->Change(path, style, shown) : manager->ApplyWallPaper(path, style);
    };
    if (random)
        NextAtRandom(cursor, entries, show);
    else
        NextInOrder(cursor, entries, show);
}

void SlideShowManager::Record(const QStringList& entries) const
{
    RegConfig* config = RegConfig::GetInstance();
    if (!config || m_periodMs <= 0)
        return;
    config->RecordSlideShow({entries, m_periodMs, static_cast<int>(WallpaperStyleFromInt(m_style)), m_random,
                             m_cursor.hasLast ? m_cursor.lastIndex : -1,
                             m_cursor.hasLast ? m_cursor.lastText : QString(), true});
}

void SlideShowManager::Cursor::Remember(int index, const QString& text)
{
    hasLast = true;
    lastIndex = index;
    lastText = text;
}

void SlideShowManager::NextInOrder(Cursor& cursor, const QStringList& entries, const Show& show)
{
    const int n = static_cast<int>(entries.size());
    int start = 0;
    if (cursor.hasLast) {
        if (cursor.lastIndex < n && entries[cursor.lastIndex] == cursor.lastText) {
            start = cursor.lastIndex + 1;
        } else if (const int moved = static_cast<int>(entries.indexOf(cursor.lastText)); moved >= 0) {
            start = moved + 1;
        } else {
            start = cursor.lastIndex; // it was removed: the entry now in its place
        }
    }
    for (int k = 0; k < n; ++k) {
        const int i = (start + k) % n;
        if (show(entries[i]) == WallPaperManager::Result::NotAPicture)
            continue;
        // A desktop failure still counts as this tick's picture, so the show
        // moves on rather than retrying the whole list every tick.
        cursor.Remember(i, entries[i]);
        return;
    }
}

void SlideShowManager::NextAtRandom(Cursor& cursor, const QStringList& entries, const Show& show)
{
    // Each picture counts once, however often the list holds its path.
    QStringList pictures;
    QSet<QString> present;
    for (const QString& e : entries) {
        if (!present.contains(e)) {
            present.insert(e);
            pictures << e;
        }
    }
    // Forget pictures that have left the list, so the round's record never
    // outgrows the list.
    for (auto it = cursor.shownThisRound.begin(); it != cursor.shownThisRound.end();) {
        it = present.contains(*it) ? std::next(it) : cursor.shownThisRound.erase(it);
    }

    // Pictures tried during this tick: each at most once, so a list full of
    // missing files costs one pass.
    QSet<QString> tried;
    const auto candidates = [&](bool freshRound) {
        QStringList result;
        for (const QString& p : pictures) {
            if (!tried.contains(p) && (freshRound || !cursor.shownThisRound.contains(p)) &&
                !(cursor.hasLast && p == cursor.lastText))
                result << p;
        }
        return result;
    };

    while (true) {
        QStringList remaining = candidates(false);
        if (remaining.isEmpty()) {
            // Everything but the picture on the desktop has had its turn: a
            // new round, which does not open with the picture just shown.
            remaining = candidates(true);
            if (!remaining.isEmpty())
                cursor.shownThisRound.clear();
        }
        if (remaining.isEmpty()) {
            // Nothing else can be shown; the current picture again only if it
            // is the one picture left in the list.
            if (cursor.hasLast && present.contains(cursor.lastText) && !tried.contains(cursor.lastText))
                remaining << cursor.lastText;
            else
                return;
        }

        std::uniform_int_distribution<qsizetype> pick(0, remaining.size() - 1);
        const QString chosen = remaining[pick(cursor.randomEngine)];
        tried.insert(chosen);
        // A picture that cannot be shown has had its turn too.
        cursor.shownThisRound.insert(chosen);
        if (show(chosen) == WallPaperManager::Result::NotAPicture)
            continue;
        cursor.Remember(static_cast<int>(entries.indexOf(chosen)), chosen);
        return;
    }
}
