// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The slide-show page's folder, file list and preview.

#include "slideshow/SetWallpaperDlg.h"

#include "core/WallPaperManager.h"
#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"
#include "widgets/FilePrompts.h"

#include <QDir>

void CSetWallpaperDlg::FillFileList()
{
    m_listFiles.ResetContent();
    if (!m_strFolder.endsWith(u'/'))
        m_strFolder += u'/';

    const WallPaperManager* manager = WallPaperManager::GetInstance();
    const bool allTypes = !manager || manager->SupportActiveDesktop();
    const PictureFiles found = FindPictureFiles(QDir(m_strFolder).absolutePath(), {.allTypes = allTypes});
    for (const QString& path : found.paths)
        m_listFiles.AddString(path);
    ApplyHorizontalExtentRule(&m_listFiles, found.longest);

    if (m_listFiles.GetCount() > 0) {
        m_listFiles.setFocus();
        m_listFiles.SetCurSel(0);
        OnSelchangeFileList();
    }
}

void CSetWallpaperDlg::OnBrowseFolder()
{
    FilePrompt prompt;
    prompt.kind = FilePrompt::Kind::Folder;
    prompt.title = tr("Browse for Images");
    prompt.parent = this;
    const std::optional<QString> chosen = PromptForPath(prompt);
    if (!chosen || chosen->isEmpty())
        return;
    m_strFolder = *chosen + u'/';
    m_editFolder.setText(m_strFolder);
    m_listFiles.ResetContent();
    FillFileList();
}

void CSetWallpaperDlg::OnSelchangeFileList()
{
    const int index = m_listFiles.GetCurSel();
    if (index >= 0)
        PreviewFile(m_listFiles.GetText(index));
}
