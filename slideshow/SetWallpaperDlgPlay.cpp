// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starting and stopping the slide show, and its ticks.

#include "slideshow/SetWallpaperDlg.h"

#include "core/SlidePeriod.h"
#include "core/SlideShowManager.h"
#include "platform/CallTrace.h"

#include <QPointer>
#include <string>

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
        m_nTimerID = startTimer(period);
        calltrace::Record("SetTimer " + std::to_string(period));
        calltrace::Record("OnStartTimer random=" + std::to_string(random) + " style=" + std::to_string(style));
        if (manager)
            // Read afresh at every tick; nothing once the page has gone.
            manager->OnStartTimer(
                [list = QPointer<CListBox>(&m_listSlides)] { return list ? list->GetTexts() : QStringList(); }, random,
                style, period);
        m_bPlaying = true;
        m_btnPlay.setText(tr("Stop"));
        return;
    }
    if (m_nTimerID != 0) {
        killTimer(m_nTimerID);
        calltrace::Record("KillTimer");
        calltrace::Record("OnEndTimer");
        if (manager)
            manager->OnEndTimer();
        m_nTimerID = 0;
    }
    m_bPlaying = false;
    m_btnPlay.setText(tr("Play"));
}

void CSetWallpaperDlg::OnTimer(int)
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
