// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starting and stopping the slide show, its ticks, and the shows later
// starts of the program ask for.

#include "slideshow/SetWallpaperDlg.h"

#include "core/RegConfig.h"
#include "core/SlidePeriod.h"
#include "core/SlideShowManager.h"

#include <QPointer>

int CSetWallpaperDlg::SlidePeriodMs(const QString& frequencyText)
{
    return SlidePeriodFromText(frequencyText);
}

void CSetWallpaperDlg::OnPlayStop()
{
    SlideShowManager* manager = SlideShowManager::GetInstance();
    if (!m_bPlaying) {
        const int period = SlidePeriodMs(m_editFrequency.text());
        const bool random = m_checkRandom.isChecked();
        const int style = ShowTypeIndex();
        m_timer.start(period);
        if (manager)
            // Read afresh at every tick; nothing once the page has gone.
            manager->OnStartTimer(
                [list = QPointer<CListBox>(&m_listSlides)] { return list ? list->GetTexts() : QStringList(); }, random,
                style, period);
        m_bPlaying = true;
        m_btnPlay.setText(tr("Stop"));
        return;
    }
    if (m_timer.isActive()) {
        m_timer.stop();
        if (manager)
            manager->OnEndTimer();
    }
    m_bPlaying = false;
    m_btnPlay.setText(tr("Play"));
}

void CSetWallpaperDlg::OnTimer()
{
    // The change runs off the window's thread; a tick that finds the last
    // one still running is skipped.
    if (SlideShowManager* manager = SlideShowManager::GetInstance())
        manager->OnChangeWallpaperInBackground();
}

void CSetWallpaperDlg::ShowNextSlide()
{
    if (!m_bPlaying)
        return;
    if (SlideShowManager* manager = SlideShowManager::GetInstance())
        manager->OnChangeWallpaperInBackground(SlideShowManager::WhileChanging::Wait);
}

void CSetWallpaperDlg::StopShow()
{
    if (m_bPlaying)
        OnPlayStop();
}

void CSetWallpaperDlg::PlayShow(const SlideShowRecord& show, bool showNow)
{
    Create();
    StopShow();
    m_listSlides.ResetContent();
    for (const QString& entry : show.entries)
        m_listSlides.AddString(entry);
    m_editFrequency.setText(QString::number(show.periodMs / 1000));
    m_comboShowType.setCurrentIndex(show.style);
    m_checkRandom.setChecked(show.random);
    OnPlayStop();
    SlideShowManager* manager = SlideShowManager::GetInstance();
    if (manager && show.lastIndex >= 0)
        manager->ResumeAfter(show.lastIndex, show.lastShown);
    if (showNow)
        ShowNextSlide();
}
