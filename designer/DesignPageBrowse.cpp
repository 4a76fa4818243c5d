// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page's browsing side: the folder tree, the photo list filled
// from the chosen folder, and the preview of the selected photo with its
// labels.

#include "core/RegConfig.h"
#include "designer/DesignPage.h"
#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"
#include "platform/DialogTemplate.h"
#include "res/Resource.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Where the tree starts on a first run: the user's Pictures folder, or the
// home folder when there is none.
QString DefaultFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

// A control's text as the page's template gives it.
QString TemplateText(const DialogTemplate& page, int id)
{
    for (const DialogControl& control : page.controls) {
        if (control.id == id)
            return DialogText(control.text);
    }
    return {};
}

} // namespace

void CDesignPage::SetUpFolderTree()
{
    // The local file system's folders, hidden ones left out, sorted by name.
    m_folderModel.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folderModel.setReadOnly(true);
    m_folderModel.setRootPath(QDir::rootPath());
    m_treeFolders.setModel(&m_folderModel);
    for (int column = 1; column < m_folderModel.columnCount(); ++column)
        m_treeFolders.hideColumn(column);
    m_treeFolders.setSortingEnabled(true);
    m_treeFolders.sortByColumn(0, Qt::AscendingOrder);
    m_treeFolders.expand(m_folderModel.index(QDir::rootPath()));

    connect(m_treeFolders.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { OnFolderSelChanged(); });
    // Folders are read in the background, a level at a time: as the levels
    // above the start-up folder fill in, its item moves down, and is
    // scrolled back into view.
    connect(&m_folderModel, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (!m_revealPath.isEmpty() && m_revealPath.startsWith(loaded))
            m_treeFolders.scrollTo(m_treeFolders.currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    // Once the user picks a folder, the tree stays where the user put it.
    connect(&m_treeFolders, &QTreeView::clicked, this, [this] { m_revealPath.clear(); });
}

bool CDesignPage::SelectFolder(const QString& path)
{
    // A first run starts in the Pictures folder. A remembered folder that
    // is not there now (a drive not plugged in) selects nothing and stays
    // remembered.
    QString folder = path.isEmpty() ? DefaultFolder() : path;
    folder = QDir::cleanPath(QDir(folder).absolutePath());

    // Asking the model for the path's index reads the folders along it at
    // once, even though the model fills everything else lazily.
    const QModelIndex item = QFileInfo(folder).isDir() ? m_folderModel.index(folder) : QModelIndex();
    if (!item.isValid())
        return false;
    for (QModelIndex above = item.parent(); above.isValid(); above = above.parent())
        m_treeFolders.expand(above);
    m_revealPath = folder;
    m_treeFolders.setCurrentIndex(item);
    m_treeFolders.scrollTo(item, QAbstractItemView::PositionAtCenter);
    return true;
}

void CDesignPage::OnFolderSelChanged()
{
    QString folder;
    const QModelIndex item = m_treeFolders.currentIndex();
    if (item.isValid())
        folder = m_folderModel.filePath(item);
    FillPhotoList(folder);
    if (RegConfig* config = RegConfig::GetInstance())
        config->m_strFolder = folder;
}

void CDesignPage::FillPhotoList(QString& folder)
{
    if (folder.isEmpty())
        return;
    m_listPhotos.ResetContent();
    m_nSelectedPhoto = -1;
    ClearPreview();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    m_strPhotoFolder = folder;

    // Folders named like pictures are listed as well, as a wildcard search
    // over the folder finds them, in the order the folder keeps them.
    const PictureFiles found = FindPictureFiles(folder, {.everyEntry = true, .byName = false});
    m_listPhotos.AddStrings(found.paths);
    ApplyHorizontalExtentRule(&m_listPhotos, found.longest);
}

void CDesignPage::OnPhotoSelChange()
{
    m_nSelectedPhoto = m_listPhotos.GetCurSel();
    if (m_nSelectedPhoto >= 0)
        PreviewSelectedPhoto();
    else
        m_nSelectedPhoto = -1;
}

void CDesignPage::PreviewSelectedPhoto()
{
    const QString path = m_listPhotos.GetText(m_nSelectedPhoto);
    const int type = PictureTypeOf(path);
    if (type == CXIMAGE_FORMAT_UNKNOWN)
        return;
    // A file that does not load leaves the picture empty; the labels show
    // what it reports then.
    m_preview.m_image.Load(path, type);
    SetDlgItemText(this, IDC_PHOTO_WIDTH, tr("Width : %1").arg(m_preview.m_image.GetWidth()));
    SetDlgItemText(this, IDC_PHOTO_HEIGHT, tr("Height : %1").arg(m_preview.m_image.GetHeight()));
    SetDlgItemText(this, IDC_PHOTO_TYPE, tr("Type : %1").arg(m_preview.m_image.GetBpp()));
    m_preview.update();
    // The strip under the labels, so a shorter text leaves nothing behind.
    InvalidateControls({IDC_PHOTO_WIDTH, IDC_PHOTO_HEIGHT, IDC_PHOTO_TYPE});
}

void CDesignPage::ClearPreview()
{
    // The photo shown is no longer in the list: the preview and its labels
    // go back to how the page starts.
    m_preview.m_image.Destroy();
    for (const int id : {IDC_PHOTO_WIDTH, IDC_PHOTO_HEIGHT, IDC_PHOTO_TYPE})
        SetDlgItemText(this, id, TemplateText(Template(), id));
    m_preview.update();
    InvalidateControls({IDC_PHOTO_WIDTH, IDC_PHOTO_HEIGHT, IDC_PHOTO_TYPE});
}
