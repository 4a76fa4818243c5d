#include "core/TrackerTool.h"

#include "core/SceneGraph.h"

bool TrackerTool::Track(QWidget* wnd, CPoint point, bool allowInvert)
{
    SceneGraph* scene = SceneGraph::GetInstance();
    SSceneObject* photo = scene ? scene->GetSelectedSceneObj() : nullptr;
    // Kept in background pixels: putting the canvas rectangle back would
    // round the photo's place to the canvas's coarser grid.
    const QRectF before = photo ? photo->GetSceneRect() : QRectF();

    m_photo = photo;
    const bool changed = CRectTracker::Track(wnd, point, allowInvert);
    m_photo = nullptr;

    // The scene checks the photo is still there: a key handler may have
    // deleted it while the loop ran.
    scene = SceneGraph::GetInstance();
    if (photo && scene) {
        if (changed)
            scene->SetPhotoDrawRect(photo, m_rect);
        else
            scene->SetPhotoSceneRect(photo, before);
    }
    return changed;
}

void TrackerTool::OnChangedRect(const CRect& rectOld)
{
    SceneGraph* scene = SceneGraph::GetInstance();
    if (m_photo && scene)
        scene->SetPhotoDrawRect(m_photo, m_rect, true);
    CRectTracker::OnChangedRect(rectOld);
}
