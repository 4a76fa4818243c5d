// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/SlideShowRunner.h"

#include "core/SlideShowManager.h"

#include <QFileInfo>
#include <QPointer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

SlideShowRunner::SlideShowRunner()
{
    connect(&m_timer, &QTimer::timeout, this, &SlideShowRunner::Tick);
}

SlideShowRunner::~SlideShowRunner()
{
    Halt();
}

void SlideShowRunner::Play(const SlideShowRecord& show)
{
    SlideShowManager* manager = SlideShowManager::GetInstance();
    if (!manager)
        return;
    m_entries = show.entries;
    m_refused.clear();
    manager->SetWallpaperSetter([this](const QString& path, int style) { return Show(path, style); });
    {
        const RegConfig::BatchedWrites batch;
        // A manager outliving this runner gets nothing more to show.
        manager->OnStartTimer(
            [runner = QPointer<SlideShowRunner>(this)] { return runner ? runner->m_entries : QStringList(); },
            show.random, show.style, show.periodMs);
        if (show.lastIndex >= 0)
            manager->ResumeAfter(show.lastIndex, show.lastShown);
    }
    m_timer.start(show.periodMs);
}

void SlideShowRunner::Tick()
{
    if (SlideShowManager* manager = SlideShowManager::GetInstance())
        manager->OnChangeWallpaper();
#ifdef __GLIBC__
    // A show runs for days and mostly waits: the megabytes a photo was
    // decoded in go back to the system now, not whenever the allocator
    // would next reuse them.
    malloc_trim(0);
#endif
}

void SlideShowRunner::Next()
{
    if (!m_timer.isActive())
        return;
    Tick();
    m_timer.start();
}

void SlideShowRunner::Stop()
{
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    if (SlideShowManager* manager = SlideShowManager::GetInstance()) {
        manager->OnEndTimer();
        manager->SetWallpaperSetter(nullptr);
    }
}

void SlideShowRunner::Halt()
{
    m_timer.stop();
    if (SlideShowManager* manager = SlideShowManager::GetInstance())
        manager->SetWallpaperSetter(nullptr);
}

SlideShowRunner::Refused SlideShowRunner::StateOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified()};
}

WallPaperManager::Result SlideShowRunner::Show(const QString& path, int style)
{
    const auto known = m_refused.constFind(path);
    if (known != m_refused.constEnd() && *known == StateOf(path))
        return WallPaperManager::Result::NotAPicture;
    WallPaperManager* manager = WallPaperManager::GetInstance();
    if (!manager)
        return WallPaperManager::Result::DesktopFailed;
    const WallPaperManager::Result result = manager->ApplyWallPaper(path, style);
    if (result == WallPaperManager::Result::NotAPicture)
        m_refused.insert(path, StateOf(path));
    else
        m_refused.remove(path);
    return result;
}
