// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving the slide list to a list file and opening one into it.

#include "slideshow/SetWallpaperDlg.h"

#include "core/RegConfig.h"
#include "core/SlideListFile.h"
#include "pictures/PictureFiles.h"
#include "platform/Warning.h"
#include "widgets/FilePrompts.h"
#include "widgets/MessageBox.h"

#include <QDir>
#include <QFileInfo>

namespace {

FilePrompt ListFilePrompt(FilePrompt::Kind kind, QWidget* parent)
{
    FilePrompt prompt;
    prompt.kind = kind;
    prompt.title = kind == FilePrompt::Kind::Save ? CSetWallpaperDlg::tr("Save As") : CSetWallpaperDlg::tr("Open");
    //: A file-dialog filter: "shown text|patterns||". Translate only the text
    //: before the first "|".
    prompt.filter = CSetWallpaperDlg::tr("*.lsl| *.lsl||");
    if (kind == FilePrompt::Kind::Save)
        prompt.defaultExt = QStringLiteral(".lsl");
    prompt.parent = parent;
    // Where the last list was saved or opened, else where the wallpapers are.
    const RegConfig* config = RegConfig::GetInstance();
    prompt.directory = config && !config->m_strListFolder.isEmpty() ? config->m_strListFolder
                                                                    : QDir(DefaultPictureFolder()).absolutePath();
    return prompt;
}

void RememberListFolder(const QString& path)
{
    if (RegConfig* config = RegConfig::GetInstance())
        config->m_strListFolder = QFileInfo(path).absolutePath();
}

} // namespace

void CSetWallpaperDlg::OnSaveList()
{
    if (m_listSlides.GetCount() == 0) {
        AfxMessageBox(tr("Can not save empty list."), this);
        return;
    }
    const std::optional<QString> path = PromptForPath(ListFilePrompt(FilePrompt::Kind::Save, this));
    if (!path)
        return;

    QByteArrayList entries;
    entries.reserve(m_listSlides.GetCount());
    for (int i = 0; i < m_listSlides.GetCount(); ++i)
        entries << EntryBytes(m_listSlides.GetText(i));
    // Written whole or not at all: a failure keeps the file that was there.
    QString error;
    if (!WriteSlideListFile(*path, entries, &error)) {
        Warning(QStringLiteral("cannot write the list file %1: %2").arg(Printable(*path), error));
        AfxMessageBox(tr("Can not open file!"), this);
        return;
    }
    RememberListFolder(*path);
}

void CSetWallpaperDlg::OnOpenList()
{
    const std::optional<QString> path = PromptForPath(ListFilePrompt(FilePrompt::Kind::Open, this));
    if (!path)
        return;
    const std::optional<SlideList> list = ReadSlideListFile(*path);
    if (!list) {
        AfxMessageBox(tr("Can not open %1.").arg(*path), this);
        return;
    }
    RememberListFolder(*path);
    if (list->capped)
        Warning(QStringLiteral("%1 names more than %2 pictures; the first %2 are loaded")
                    .arg(Printable(*path))
                    .arg(kMaxListEntries));

    m_listSlides.ResetContent();
    for (const QByteArray& entry : list->entries)
        m_listSlides.AddString(EntryText(entry));
    ApplySlidesExtent();
    if (m_listSlides.GetCount() > 0) {
        m_listSlides.setFocus();
        m_listSlides.SetCurSel(0);
        OnSelchangeSlideList();
    }
}
