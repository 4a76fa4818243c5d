// The design page's browsing side: the folder tree, the photo list filled
// from the chosen folder, and the preview of the selected photo with its
// labels.

#include "core/ImageHelpers.h"
#include "core/RegConfig.h"
#include "core/SceneGraph.h"
#include "designer/DesignPage.h"
#include "res/Resource.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>
#include <array>

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

// Which of the six patterns a name matches, or -1. The patterns are "*.ext"
// and match whatever the case, as the picture patterns always have.
int MatchingPattern(const QString& name)
{
    const QStringList& patterns = CDesignPage::PicturePatterns();
    for (int i = 0; i < patterns.size(); ++i) {
        // "*.jpg" -> ".jpg": the star matches any start, the empty one too.
        if (name.endsWith(QStringView(patterns[i]).mid(1), Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

} // namespace

const QStringList& CDesignPage::PicturePatterns()
{
    static const QStringList patterns{QStringLiteral("*.bmp"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
                                      QStringLiteral("*.gif"), QStringLiteral("*.dib"), QStringLiteral("*.png")};
    return patterns;
}

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
    if (!folder.endsWith(u'/'))
        folder += u'/';

    // One pass over the folder sorts its entries by the pattern they match:
    // the same entries as one search per pattern, read once. Folders named
    // like pictures are listed as well, as such a search finds them.
    std::array<QStringList, 6> found;
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        if (const int pattern = MatchingPattern(name); pattern >= 0)
            found[pattern].append(folder + name);
    }

    // The longest path in pattern order, a later one only when longer.
    QString longest;
    QStringList all;
    for (const QStringList& paths : found) {
        for (const QString& path : paths) {
            if (path.size() > longest.size())
                longest = path;
        }
        all += paths;
    }
    m_listPhotos.AddStrings(all);
    ApplyHorizontalExtentRule(&m_listPhotos, longest);
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
    SetDlgItemText(this, IDC_PHOTO_WIDTH, QStringLiteral("Width : %1").arg(m_preview.m_image.GetWidth()));
    SetDlgItemText(this, IDC_PHOTO_HEIGHT, QStringLiteral("Height : %1").arg(m_preview.m_image.GetHeight()));
    SetDlgItemText(this, IDC_PHOTO_TYPE, QStringLiteral("Type : %1").arg(m_preview.m_image.GetBpp()));
    m_preview.update();
    // The strip under the labels, so a shorter text leaves nothing behind.
    InvalidateControls({IDC_PHOTO_WIDTH, IDC_PHOTO_HEIGHT, IDC_PHOTO_TYPE});
}

void CDesignPage::UpdateBackgroundLabels()
{
    const SceneGraph* scene = SceneGraph::GetInstance();
    const int width = scene ? scene->GetSceneGraphWidth() : 0;
    const int height = scene ? scene->GetSceneGraphHeight() : 0;
    SetDlgItemText(this, IDC_BACKGROUND_WIDTH, QStringLiteral("Background Width : %1").arg(width));
    SetDlgItemText(this, IDC_BACKGROUND_HEIGHT, QStringLiteral("Background Height : %1").arg(height));
}

void CDesignPage::InvalidateControls(std::initializer_list<int> ids)
{
    QRect strip;
    for (const int id : ids) {
        if (const QWidget* control = GetDlgItem(this, id))
            strip |= control->geometry();
    }
    update(strip);
}
