// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page's design documents and history: File > Open and Save,
// Undo and Redo, and the question before a changed design is replaced.

#include "core/DesignDocument.h"
#include "core/SceneGraph.h"
#include "designer/DesignPage.h"
#include "res/Resource.h"
#include "widgets/FilePrompts.h"
#include "widgets/MessageBox.h"

#include <QDir>
#include <QFileInfo>

namespace {

SceneGraph* Scene()
{
    return SceneGraph::GetInstance();
}

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString DesignFilter()
{
    // The patterns are the program's, not the translator's; the dialog shows
    // them after each name.
    //: The name the file dialogs give design files, before their pattern.
    return CDesignPage::tr("Quilvane designs") + QStringLiteral("|*.qvdesign|") +
           //: The name the file dialogs give every file, before its pattern.
           CDesignPage::tr("All files") + QStringLiteral("|*||");
}

} // namespace

bool CDesignPage::IsModified() const
{
    return Scene() && Scene()->IsModified();
}

bool CDesignPage::CanUndo() const
{
    return Scene() && Scene()->CanUndo();
}

bool CDesignPage::CanRedo() const
{
    return Scene() && Scene()->CanRedo();
}

void CDesignPage::OnEditUndo()
{
    if (!CanUndo())
        return;
    // A step whose file has gone since cannot be taken back; nothing changed.
    if (!Scene()->Undo())
        PlainBeep();
    ShowWholeDesign();
}

void CDesignPage::OnEditRedo()
{
    if (!CanRedo())
        return;
    if (!Scene()->Redo())
        PlainBeep();
    ShowWholeDesign();
}

bool CDesignPage::SaveModified()
{
    if (!IsModified())
        return true;
    switch (AskSaveDiscardCancel(tr("Save changes to the design?"), this)) {
    case IDYES:
        return SaveDocument();
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool CDesignPage::SaveDocument()
{
    if (!Scene())
        return false;
    QString path = m_documentPath;
    if (path.isEmpty()) {
        FilePrompt prompt;
        prompt.kind = FilePrompt::Kind::Save;
        prompt.filter = DesignFilter();
        prompt.defaultExt = QLatin1String(kDesignExtension);
        prompt.directory = DesignFolder();
        prompt.parent = this;
        const std::optional<QString> chosen = PromptForPath(prompt);
        if (!chosen || chosen->isEmpty())
            return false;
        path = WithDefaultExtension(*chosen, prompt.defaultExt);
    }
    QString why;
    if (!WriteDesignFile(path, Scene()->GetDesign(), &why)) {
        //: %1 is the file, %2 the reason.
        AfxMessageBox(tr("The design cannot be saved as %1: %2").arg(Shown(path), why), this);
        return false;
    }
    m_documentPath = QFileInfo(path).absoluteFilePath();
    RememberDesignFolder(m_documentPath);
    Scene()->MarkSaved();
    return true;
}

void CDesignPage::OnFileSave()
{
    SaveDocument();
}

void CDesignPage::OnFileOpen()
{
    if (!SaveModified())
        return;
    FilePrompt prompt;
    prompt.kind = FilePrompt::Kind::Open;
    prompt.filter = DesignFilter();
    prompt.directory = DesignFolder();
    prompt.parent = this;
    const std::optional<QString> chosen = PromptForPath(prompt);
    if (!chosen || chosen->isEmpty())
        return;
    OpenDocument(*chosen);
}

bool CDesignPage::OpenDocument(const QString& path)
{
    if (!Scene())
        return false;
    // Read whole and checked before anything of the design changes.
    const DesignReading read = ReadDesignFile(path);
    if (!read.design) {
        AfxMessageBox(read.error, this);
        return false;
    }
    m_documentPath = QFileInfo(path).absoluteFilePath();
    RememberDesignFolder(m_documentPath);
    QStringList missing;
    Scene()->OpenDesign(*read.design, &missing);
    ShowWholeDesign();
    if (!missing.isEmpty()) {
        QStringList shown;
        for (const QString& file : missing)
            shown << Shown(file);
        //: %1 is the list of files, one a line.
        AfxMessageBox(
            tr("These files of the design cannot be opened, so it is shown without them:\n\n%1").arg(shown.join('\n')),
            this);
    }
    return true;
}
