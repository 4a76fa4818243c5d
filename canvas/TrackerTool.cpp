// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/TrackerTool.h"

#include "core/SceneGraph.h"

#include <algorithm>

bool TrackerTool::Track(QWidget* wnd, CPoint point, bool allowInvert)
{
    SceneGraph* scene = SceneGraph::GetInstance();
    SSceneObject* photo = scene ? scene->GetSelectedSceneObj() : nullptr;
    // Kept in background pixels: putting the canvas rectangle back would
    // round the photo's place to the canvas's coarser grid.
    const QRectF before = photo ? photo->GetSceneRect() : QRectF();

    m_photo = photo;
    m_sceneFrom = before;
    const bool changed = CRectTracker::Track(wnd, point, allowInvert);

    // The scene checks the photo is still there: a key handler may have
    // deleted it while the loop ran.
    scene = SceneGraph::GetInstance();
    if (photo && scene) {
        if (changed)
            FollowRect(false);
        else
            scene->SetPhotoSceneRect(photo, before);
    }
    m_photo = nullptr;
    return changed;
}

void TrackerTool::FollowRect(bool interim)
{
    if (SceneGraph* scene = SceneGraph::GetInstance(); m_photo && scene)
        scene->DragPhoto(m_photo, m_sceneFrom, TrackedFrom(), m_rect, interim);
}

void TrackerTool::OnChangedRect(const CRect& rectOld)
{
    FollowRect(true);
    CRectTracker::OnChangedRect(rectOld);
}

void TrackerTool::AdjustRect(int handle, CRect& rect)
{
    const SceneGraph* scene = SceneGraph::GetInstance();
    if (!m_photo || !scene)
        return;
    const CRect background = scene->GetBackgroundDrawRect();
    if (background.IsRectEmpty())
        return;
    rect.NormalizeRect();
    const int gripX = std::min({m_nHandleSize, rect.Width(), background.Width()});
    const int gripY = std::min({m_nHandleSize, rect.Height(), background.Height()});
    if (handle == hitMiddle) {
        // The whole rectangle moves back until the grip is on the background.
        rect.OffsetRect(std::max(0, background.left + gripX - rect.right),
                        std::max(0, background.top + gripY - rect.bottom));
        rect.OffsetRect(std::min(0, background.right - gripX - rect.left),
                        std::min(0, background.bottom - gripY - rect.top));
        return;
    }
    // A dragged edge stops a grip inside the background's far side.
    const CRect from = TrackedFrom();
    if (rect.left != from.left)
        rect.left = std::min(rect.left, background.right - gripX);
    if (rect.right != from.right)
        rect.right = std::max(rect.right, background.left + gripX);
    if (rect.top != from.top)
        rect.top = std::min(rect.top, background.bottom - gripY);
    if (rect.bottom != from.bottom)
        rect.bottom = std::max(rect.bottom, background.top + gripY);
}
