// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page's ways out for the design: a new numbered wallpaper put on
// the desktop, a JPEG file the user names, and the full-screen preview.

#include "canvas/PreviewDialog.h"
#include "core/SceneGraph.h"
#include "core/WallPaperManager.h"
#include "designer/DesignPage.h"
#include "pictures/PictureFiles.h"
#include "platform/Warning.h"
#include "widgets/FilePrompts.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The wallpapers' folder, relative to the current folder; the slide-show
// page starts in the same folder.
const QString kWallpaperFolder = QLatin1StringView(kWallpaperFolderName);

// Saves the scene at its full size; a failure is reported on standard error,
// the page itself stays silent.
bool SaveScene(const QString& path)
{
    const SceneGraph* scene = SceneGraph::GetInstance();
    QString why = QStringLiteral("no scene");
    if (scene && scene->SaveToJPG(path, &why))
        return true;
    Warning(QStringLiteral("could not save the design as %1: %2").arg(Printable(path), Printable(why)));
    return false;
}

} // namespace

QString CDesignPage::NextWallpaperPath()
{
    // Any entry counts as taken: a folder of that name, and a link that
    // points nowhere, which writing would follow or replace.
    for (int n = 1;; ++n) {
        const QString path = kWallpaperFolder + QStringLiteral("/wallpaper_%1.jpg").arg(n);
        const QFileInfo entry(path);
        if (!entry.exists() && !entry.isSymLink())
            return path;
    }
}

void CDesignPage::OnSetAsWallpaper()
{
    const QString path = NextWallpaperPath();
    QDir().mkpath(kWallpaperFolder);
    SaveScene(path);
    // Centred, whatever style the slide-show page has chosen. The manager
    // leaves the desktop alone (and says so) when the file did not get
    // written. The desktop's part runs off the window's thread.
    if (WallPaperManager* manager = WallPaperManager::GetInstance())
        manager->ApplyWallPaperInBackground(path, 0, this);
}

void CDesignPage::OnSaveAsJpg()
{
    FilePrompt prompt;
    prompt.kind = FilePrompt::Kind::Save;
    //: A file-dialog filter: "shown text|patterns||". Translate only the text
    //: before the first "|".
    prompt.filter = tr("*.jpg| *.jpg||");
    prompt.defaultExt = QStringLiteral(".jpg");
    prompt.directory = DesignFolder();
    const std::optional<QString> chosen = PromptForPath(prompt);
    if (!chosen || chosen->isEmpty())
        return;
    // An existing file is replaced without a question.
    const QString path = WithDefaultExtension(*chosen, prompt.defaultExt);
    if (SaveScene(path))
        RememberDesignFolder(path);
}

void CDesignPage::OnPreview()
{
    CPreviewDialog dlg;
    dlg.DoModal();
}
