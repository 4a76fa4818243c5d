// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page's commands that change the scene: the labels of the
// background's size, the picture-file commands, the selected-photo commands
// and edits, the canvas's context menus, and pictures dragged onto the canvas
// from the list or from the desktop's file manager.

#include "core/SceneGraph.h"
#include "designer/DesignPage.h"
#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"
#include "res/Menus.h"
#include "res/Resource.h"
#include "widgets/FilePrompts.h"
#include "widgets/MenuTemplate.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <memory>

namespace {

// Where "Add Photo" puts a new photo, wherever the menu was opened.
const CRect kAddPhotoRect(100, 100, 200, 200);
// A dropped photo's rectangle, moved by the drop point.
const CRect kDropRect(10, 10, 200, 200);
// How far apart several files dropped at once are placed.
constexpr int kDropSpacing = 20;

SceneGraph* Scene()
{
    return SceneGraph::GetInstance();
}

// A local file whose name says it is one of the picture types.
bool IsPictureFile(const QUrl& url)
{
    if (!url.isLocalFile())
        return false;
    const QString path = url.toLocalFile();
    return QFileInfo(path).isFile() && PictureTypeOf(path) != CXIMAGE_FORMAT_UNKNOWN;
}

bool HasPictureFiles(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return false;
    for (const QUrl& url : data->urls()) {
        if (IsPictureFile(url))
            return true;
    }
    return false;
}

} // namespace

void CDesignPage::UpdateBackgroundLabels()
{
    const SceneGraph* scene = SceneGraph::GetInstance();
    const int width = scene ? scene->GetSceneGraphWidth() : 0;
    const int height = scene ? scene->GetSceneGraphHeight() : 0;
    SetDlgItemText(this, IDC_BACKGROUND_WIDTH, tr("Background Width : %1").arg(width));
    SetDlgItemText(this, IDC_BACKGROUND_HEIGHT, tr("Background Height : %1").arg(height));
}

QString CDesignPage::PromptForPicture() const
{
    FilePrompt prompt;
    prompt.kind = FilePrompt::Kind::Open;
    //: The name the file dialogs give picture files, before their patterns.
    prompt.filter = PictureDialogFilter(tr("SRC"));
    prompt.directory = m_strPhotoFolder;
    return PromptForPath(prompt).value_or(QString());
}

void CDesignPage::OnChangeBackground()
{
    const QString path = PromptForPicture();
    if (path.isEmpty())
        return;
    if (SceneGraph* scene = Scene())
        scene->ChangeBackImage(path);
    ShowWholeDesign();
}

void CDesignPage::OnAddPhoto()
{
    const QString path = PromptForPicture();
    if (path.isEmpty())
        return;
    CRect rect = kAddPhotoRect;
    if (SceneGraph* scene = Scene())
        scene->CreateSceneObject(path, rect);
    RepaintCanvas();
}

void CDesignPage::OnDeletePhoto()
{
    if (SceneGraph* scene = Scene())
        scene->DeletePhoto(scene->GetSelectedSceneObj());
    RepaintCanvas();
}

void CDesignPage::OnChangePhotoImage()
{
    const QString path = PromptForPicture();
    if (path.isEmpty())
        return;
    if (SceneGraph* scene = Scene())
        scene->ChangePhotoImage(scene->GetSelectedSceneObj(), path);
    RepaintCanvas();
}

void CDesignPage::OnRestoreRatio()
{
    if (SceneGraph* scene = Scene())
        scene->RestoreRatio(scene->GetSelectedSceneObj());
    RepaintCanvas();
}

void CDesignPage::EditSelectedPhoto(PhotoEdit edit)
{
    // Without a selected photo an edit does nothing at all, not even a paint.
    SSceneObject* selected = Scene() ? Scene()->GetSelectedSceneObj() : nullptr;
    if (!selected)
        return;
    Scene()->EditPhoto(selected, edit);
    RepaintCanvas();
}

void CDesignPage::OnMirror()
{
    EditSelectedPhoto(PhotoEdit::Mirror);
}

void CDesignPage::OnFlip()
{
    EditSelectedPhoto(PhotoEdit::Flip);
}

void CDesignPage::OnNegative()
{
    EditSelectedPhoto(PhotoEdit::Negative);
}

void CDesignPage::OnRotateLeft()
{
    EditSelectedPhoto(PhotoEdit::RotateLeft);
}

void CDesignPage::OnRotateRight()
{
    EditSelectedPhoto(PhotoEdit::RotateRight);
}

void CDesignPage::OnGrayScale()
{
    EditSelectedPhoto(PhotoEdit::GrayScale);
}

void CDesignPage::contextMenuEvent(QContextMenuEvent* event)
{
    OnContextMenu(event->globalPos());
    event->accept();
}

void CDesignPage::OnContextMenu(QPoint global)
{
    const CPoint point = CPoint::FromQPoint(m_canvas.mapFromGlobal(global));
    if (!CRect(0, 0, m_canvas.width(), m_canvas.height()).PtInRect(point))
        return;
    // The hit test also selects the photo the menu's commands act on.
    const bool overPhoto = Scene() && Scene()->CheckHitPhoto(point.x, point.y);
    RepaintCanvas();
    std::unique_ptr<QMenu> menu(LoadPopupMenu(overPhoto ? PhotoMenu() : BackgroundMenu(), 0, this));
    // Its top-left corner at the point. The chosen action dies with the
    // menu: take its command first.
    const int command = ActionCommandId(menu->exec(global));
    menu.reset();
    if (command != 0)
        OnCmdMsg(command);
}

LRESULT CDesignPage::OnDragEnter(WPARAM wParam, LPARAM lParam)
{
    auto* info = reinterpret_cast<DRAGDROPINFO*>(lParam);
    // Only a list item starts a drag; the preview is no list.
    auto* list = qobject_cast<CListBox*>(GetDlgItem(this, static_cast<int>(wParam)));
    if (!list || !info)
        return 0;
    bool outside = true;
    const int item = list->ItemFromPoint(info->pt.ToQPoint(), outside);
    if (outside || item < 0 || item >= list->GetCount())
        return 0;
    info->data = new CDragDropText(list->GetText(item));
    return 1;
}

LRESULT CDesignPage::OnDragDrop(WPARAM wParam, LPARAM lParam)
{
    const auto* info = reinterpret_cast<const DRAGDROPINFO*>(lParam);
    if (!info || !info->data || static_cast<int>(wParam) != IDC_DESIGN_CANVAS)
        return 0;
    CRect rect = kDropRect;
    rect.OffsetRect(info->pt.x, info->pt.y);
    if (SceneGraph* scene = Scene())
        scene->CreateSceneObject(info->data->OnGetData(), rect);
    RepaintCanvas();
    return 0;
}

LRESULT CDesignPage::OnDragAbort(WPARAM, LPARAM)
{
    return 0;
}

int CDesignPage::DropFiles(const QList<QUrl>& urls, CPoint canvasPoint)
{
    // The same rectangle as a drop from the list, each further picture 20
    // pixels further down and to the right. One drop is one step to undo.
    QStringList paths;
    std::vector<CRect> rects;
    for (const QUrl& url : urls) {
        if (!IsPictureFile(url))
            continue;
        CRect rect = kDropRect;
        const int placed = static_cast<int>(rects.size());
        rect.OffsetRect(canvasPoint.x + placed * kDropSpacing, canvasPoint.y + placed * kDropSpacing);
        paths << url.toLocalFile();
        rects.push_back(rect);
    }
    if (rects.empty())
        return 0;
    int added = 0;
    if (SceneGraph* scene = Scene()) {
        scene->BeginStep();
        for (const bool photo : scene->CreateSceneObjects(paths, rects))
            added += photo ? 1 : 0;
        scene->EndStep();
    }
    RepaintCanvas();
    return added;
}

void CDesignPage::dragEnterEvent(QDragEnterEvent* event)
{
    if (HasPictureFiles(event->mimeData()))
        event->acceptProposedAction();
}

void CDesignPage::dragMoveEvent(QDragMoveEvent* event)
{
    // Only the canvas takes pictures.
    const CPoint point = ToCanvas(event->position().toPoint());
    if (HasPictureFiles(event->mimeData()) && CRect(0, 0, m_canvas.width(), m_canvas.height()).PtInRect(point))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CDesignPage::dropEvent(QDropEvent* event)
{
    const CPoint point = ToCanvas(event->position().toPoint());
    if (!CRect(0, 0, m_canvas.width(), m_canvas.height()).PtInRect(point) || !event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    DropFiles(event->mimeData()->urls(), point);
    event->acceptProposedAction();
}
