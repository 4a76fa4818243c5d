// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SlideShowManager.h"

#include "core/RegConfig.h"

#include <QSet>

SlideShowManager::SlideShowManager() : m_randomEngine(std::random_device{}()) {}

void SlideShowManager::OnStartTimer(Entries entries, bool random, int style, int periodMs)
{
    m_entries = std::move(entries);
    m_running = true;
    m_random = random;
    m_style = style;
    m_periodMs = periodMs;
    m_hasLast = false;
    m_lastIndex = -1;
    m_lastText.clear();
    m_shownThisRound.clear();
    if (m_entries)
        Record(m_entries());
}

void SlideShowManager::ResumeAfter(int index, const QString& text)
{
    if (!m_running || index < 0)
        return;
    Remember(index, text);
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
    m_shownThisRound.clear();
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
    if (m_random)
        NextAtRandom(entries);
    else
        NextInOrder(entries);
    Record(entries);
}

void SlideShowManager::Record(const QStringList& entries) const
{
    RegConfig* config = RegConfig::GetInstance();
    if (!config || m_periodMs <= 0)
        return;
    config->RecordSlideShow({entries, m_periodMs, static_cast<int>(WallpaperStyleFromInt(m_style)), m_random,
                             m_hasLast ? m_lastIndex : -1, m_hasLast ? m_lastText : QString(), true});
}

WallPaperManager::Result SlideShowManager::Show(const QString& path)
{
    if (m_setter)
        return m_setter(path, m_style);
    WallPaperManager* manager = WallPaperManager::GetInstance();
    return manager ? manager->ApplyWallPaper(path, m_style) : WallPaperManager::Result::DesktopFailed;
}

void SlideShowManager::Remember(int index, const QString& text)
{
    m_hasLast = true;
    m_lastIndex = index;
    m_lastText = text;
}

void SlideShowManager::NextInOrder(const QStringList& entries)
{
    const int n = static_cast<int>(entries.size());
    int start = 0;
    if (m_hasLast) {
        if (m_lastIndex < n && entries[m_lastIndex] == m_lastText) {
            start = m_lastIndex + 1;
        } else if (const int moved = static_cast<int>(entries.indexOf(m_lastText)); moved >= 0) {
            start = moved + 1;
        } else {
            start = m_lastIndex; // it was removed: the entry now in its place
        }
    }
    for (int k = 0; k < n; ++k) {
        const int i = (start + k) % n;
        if (Show(entries[i]) == WallPaperManager::Result::NotAPicture)
            continue;
        // A desktop failure still counts as this tick's picture, so the show
        // moves on rather than retrying the whole list every tick.
        Remember(i, entries[i]);
        return;
    }
}

void SlideShowManager::NextAtRandom(const QStringList& entries)
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
    for (auto it = m_shownThisRound.begin(); it != m_shownThisRound.end();) {
        it = present.contains(*it) ? std::next(it) : m_shownThisRound.erase(it);
    }

    // Pictures tried during this tick: each at most once, so a list full of
    // missing files costs one pass.
    QSet<QString> tried;
    const auto candidates = [&](bool freshRound) {
        QStringList result;
        for (const QString& p : pictures) {
            if (!tried.contains(p) && (freshRound || !m_shownThisRound.contains(p)) && !(m_hasLast && p == m_lastText))
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
                m_shownThisRound.clear();
        }
        if (remaining.isEmpty()) {
            // Nothing else can be shown; the current picture again only if it
            // is the one picture left in the list.
            if (m_hasLast && present.contains(m_lastText) && !tried.contains(m_lastText))
                remaining << m_lastText;
            else
                return;
        }

        std::uniform_int_distribution<qsizetype> pick(0, remaining.size() - 1);
        const QString chosen = remaining[pick(m_randomEngine)];
        tried.insert(chosen);
        // A picture that cannot be shown has had its turn too.
        m_shownThisRound.insert(chosen);
        if (Show(chosen) == WallPaperManager::Result::NotAPicture)
            continue;
        Remember(static_cast<int>(entries.indexOf(chosen)), chosen);
        return;
    }
}
