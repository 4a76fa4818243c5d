// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The slide list: editing it, filling it from a list file and saving it to
// one, and setting one of its pictures as the wallpaper.

#include "slideshow/SetWallpaperDlg.h"

#include "core/WallPaperManager.h"

void CSetWallpaperDlg::ApplySlidesExtent()
{
    // The first of the longest entries.
    QString longest;
    for (int i = 0; i < m_listSlides.GetCount(); ++i) {
        if (m_listSlides.GetTextLen(i) > longest.size())
            longest = m_listSlides.GetText(i);
    }
    ApplyHorizontalExtentRule(&m_listSlides, longest);
}

void CSetWallpaperDlg::AppendSlide(const QString& path)
{
    m_listSlides.AddString(path);
    m_listSlides.setFocus();
    m_listSlides.SetCurSel(m_listSlides.GetCount() - 1);
}

void CSetWallpaperDlg::OnSelchangeSlideList()
{
    const int index = m_listSlides.GetCurSel();
    if (index >= 0)
        PreviewFile(m_listSlides.GetText(index));
}

void CSetWallpaperDlg::OnAddToList()
{
    const int index = m_listFiles.GetCurSel();
    if (index >= 0 && m_listFiles.GetTextLen(index) > 0)
        AppendSlide(m_listFiles.GetText(index));
    ApplySlidesExtent();
}

void CSetWallpaperDlg::OnDropFiles(const QStringList& paths)
{
    for (const QString& path : paths)
        AppendSlide(path);
    ApplySlidesExtent();
}

void CSetWallpaperDlg::OnRemove()
{
    const int index = m_listSlides.GetCurSel();
    if (index >= 0) {
        m_listSlides.DeleteString(index);
        m_listSlides.SetCurSel(-1);
    }
}

void CSetWallpaperDlg::OnRemoveAll()
{
    m_listSlides.ResetContent();
}

void CSetWallpaperDlg::MoveSlide(int from, int to)
{
    // The entry's item data travels with it.
    const QString text = m_listSlides.GetText(from);
    const std::intptr_t data = m_listSlides.GetItemData(from);
    m_listSlides.DeleteString(from);
    m_listSlides.InsertString(to, text);
    m_listSlides.SetItemData(to, data);
    m_listSlides.SetCurSel(to);
    m_listSlides.setFocus();
    OnSelchangeSlideList();
}

void CSetWallpaperDlg::OnMoveUp()
{
    const int i = m_listSlides.GetCurSel();
    if (i > 0 && i < m_listSlides.GetCount())
        MoveSlide(i, i - 1);
}

void CSetWallpaperDlg::OnMoveDown()
{
    const int i = m_listSlides.GetCurSel();
    if (i >= 0 && i < m_listSlides.GetCount() - 1)
        MoveSlide(i, i + 1);
}

void CSetWallpaperDlg::OnSaveList()
{
    SaveSlideListFile(m_listSlides.GetTexts(), this);
}

void CSetWallpaperDlg::OnOpenList()
{
    const std::optional<QStringList> entries = OpenSlideListFile(this);
    if (!entries)
        return;
    m_listSlides.ResetContent();
    for (const QString& entry : *entries)
        m_listSlides.AddString(entry);
    ApplySlidesExtent();
    if (m_listSlides.GetCount() > 0) {
        m_listSlides.setFocus();
        m_listSlides.SetCurSel(0);
        OnSelchangeSlideList();
    }
}

void CSetWallpaperDlg::OnSetWallpaper()
{
    const int index = m_listSlides.GetCurSel();
    if (index < 0)
        return;
    if (WallPaperManager* manager = WallPaperManager::GetInstance())
        manager->ApplyWallPaperInBackground(m_listSlides.GetText(index), ShowTypeIndex(), this);
}
