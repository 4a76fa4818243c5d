// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// List files: the prompts that name them, reading and writing them, and the
// messages when that fails. The slide list itself is the caller's.

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

void CSetWallpaperDlg::SaveSlideListFile(const QStringList& entries, QWidget* parent)
{
    if (entries.isEmpty()) {
        AfxMessageBox(tr("Can not save empty list."), parent);
        return;
    }
    const std::optional<QString> path = PromptForPath(ListFilePrompt(FilePrompt::Kind::Save, parent));
    if (!path)
        return;

    QByteArrayList bytes;
    bytes.reserve(entries.size());
    for (const QString& entry : entries)
        bytes << EntryBytes(entry);
    // Written whole or not at all: a failure keeps the file that was there.
    QString error;
    if (!WriteSlideListFile(*path, bytes, &error)) {
        Warning(QStringLiteral("cannot write the list file %1: %2").arg(Printable(*path), error));
        AfxMessageBox(tr("Can not open file!"), parent);
        return;
    }
    RememberListFolder(*path);
}

std::optional<QStringList> CSetWallpaperDlg::OpenSlideListFile(QWidget* parent)
{
    const std::optional<QString> path = PromptForPath(ListFilePrompt(FilePrompt::Kind::Open, parent));
    if (!path)
        return std::nullopt;
    const std::optional<SlideList> list = ReadSlideListFile(*path);
    if (!list) {
        AfxMessageBox(tr("Can not open %1.").arg(*path), parent);
        return std::nullopt;
    }
    RememberListFolder(*path);
    if (list->capped)
        Warning(QStringLiteral("%1 names more than %2 pictures; the first %2 are loaded")
                    .arg(Printable(*path))
                    .arg(kMaxListEntries));

    QStringList entries;
    entries.reserve(list->entries.size());
    for (const QByteArray& entry : list->entries)
        entries << EntryText(entry);
    return entries;
}
